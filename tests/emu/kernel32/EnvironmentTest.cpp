#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(EnvironmentTest, ExpandEnvironmentStrings) {
    emu::Desktop desk;
    desk.System().SetEnvironment("Vireo", "v");
    const struct {
        const char* in;
        const char* want;
    } cases[] = {
        {"%SystemRoot%\\system32", "C:\\WINDOWS\\system32"},
        {"%systemroot%", "C:\\WINDOWS"},
        {"%NOPE%\\%windir%", "%NOPE%\\C:\\WINDOWS"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"a%b", "a%b"},
        {"%NOPE%Vireo%", "%NOPEv"}, // the unknown name's closing % opens the next one
        {"%TEMP%", "C:\\WINDOWS\\TEMP"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char buf[64];
        DWORD needed = ExpandEnvironmentStringsA(c.in, nullptr, 0);
        EXPECT_EQ(needed, std::strlen(c.want) + 1) << c.in; // the size with the NUL
        EXPECT_EQ(ExpandEnvironmentStringsA(c.in, buf, sizeof buf), needed) << c.in;
        EXPECT_STREQ(buf, c.want);
    }
    char small[4] = "abc";
    EXPECT_EQ(ExpandEnvironmentStringsA("%windir%", small, sizeof small), 11u);
    EXPECT_STREQ(small, "abc");
}

TEST(EnvironmentTest, GetEnvironmentVariable) {
    emu::Desktop desk;
    char buf[16];
    EXPECT_EQ(GetEnvironmentVariableA("WINDIR", buf, sizeof buf), 10u);
    EXPECT_STREQ(buf, "C:\\WINDOWS");
    EXPECT_EQ(GetEnvironmentVariableA("windir", buf, 10), 11u); // too small: the size with the NUL
    EXPECT_EQ(GetEnvironmentVariableA("NOPE", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ENVVAR_NOT_FOUND));
    desk.System().SetEnvironment("windir", std::nullopt);
    EXPECT_EQ(GetEnvironmentVariableA("windir", buf, sizeof buf), 0u);
    char dir[32];
    EXPECT_EQ(GetWindowsDirectoryA(dir, sizeof dir), 10u);
    EXPECT_EQ(GetSystemDirectoryA(dir, sizeof dir), 19u);
    EXPECT_STREQ(dir, "C:\\WINDOWS\\system32");
    desk.System().SetVersion(emu::WinVersion::Win98);
    EXPECT_EQ(GetSystemDirectoryA(dir, sizeof dir), 17u);
    EXPECT_STREQ(dir, "C:\\WINDOWS\\SYSTEM");
}

} // namespace
