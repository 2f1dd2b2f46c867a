#include "platform/emu/Desktop.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::string Message(DWORD flags, DWORD code, DWORD lang = LANG_USER_DEFAULT) {
    char buf[256];
    DWORD n = FormatMessageA(flags, nullptr, code, lang, buf, sizeof buf, nullptr);
    return n ? std::string(buf, n) : "<" + std::to_string(GetLastError()) + ">";
}

TEST(MessagesTest, SystemTextsOnOneLine) {
    emu::Desktop desk;
    const DWORD kOneLine = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | 0xFF; // 0x12FF
    const struct {
        DWORD code;
        const char* text;
    } cases[] = {
        {2, "The system cannot find the file specified."},
        {3, "The system cannot find the path specified."},
        {5, "Access is denied."},
        {15, "The system cannot find the drive specified."},
        {21, "The device is not ready."},
        {53, "The network path was not found."},
        {80, "The file exists."},
        {87, "The parameter is incorrect."},
        {123, "The filename, directory name, or volume label syntax is incorrect."},
        {183, "Cannot create a file when that file already exists."},
        {1223, "The operation was canceled by the user."},
        {0x80070005, "Access is denied."},
    };
    for (const auto& c : cases) {
        // The line end of the message becomes a blank with the width mask, as on Windows.
        EXPECT_EQ(Message(kOneLine, c.code), std::string(c.text) + " ") << c.code;
        EXPECT_EQ(Message(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, c.code),
                  std::string(c.text) + "\r\n")
            << c.code;
    }
    EXPECT_EQ(Message(kOneLine, 317),
              "The system cannot find message text for message number 0x%1 in the message file for %2. ");
}

TEST(MessagesTest, Failures) {
    emu::Desktop desk;
    const DWORD kFlags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    EXPECT_EQ(Message(kFlags, 9999), "<317>");
    EXPECT_EQ(Message(kFlags, 2, MAKELANGID(0x07, 0x01)), "<15100>"); // German is not installed
    EXPECT_EQ(Message(kFlags, 2, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)),
              "The system cannot find the file specified.\r\n");
    char small[10];
    EXPECT_EQ(FormatMessageA(kFlags, nullptr, 2, 0, small, sizeof small, nullptr), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(Message(FORMAT_MESSAGE_FROM_SYSTEM, 317), "<87>"); // inserts without arguments
}

TEST(MessagesTest, AllocatedBufferAndStrings) {
    emu::Desktop desk;
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, 5, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    ASSERT_EQ(n, 19u);
    EXPECT_STREQ(text, "Access is denied.\r\n");
    EXPECT_EQ(LocalFree(text), nullptr);

    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>("C:\\x"), reinterpret_cast<DWORD_PTR>("42")};
    char buf[64];
    n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                       "%1 has %2!s! items.%n100%% done%0 tail", 0, 0, buf, sizeof buf,
                       reinterpret_cast<va_list*>(args));
    EXPECT_EQ(std::string(buf, n), "C:\\x has 42 items.\r\n100% done");
    n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, "keep %1 and %2!d!", 0, 0,
                       buf, sizeof buf, nullptr);
    EXPECT_EQ(std::string(buf, n), "keep %1 and %2!d!");
    n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | 12, "one two three four five", 0, 0, buf, sizeof buf,
                       nullptr);
    EXPECT_EQ(std::string(buf, n), "one two\r\nthree four\r\nfive");
}

} // namespace
