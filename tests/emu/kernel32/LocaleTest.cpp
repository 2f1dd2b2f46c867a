#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

namespace {

TEST(LocaleTest, NumberSeparatorsAndBufferRules) {
    emu::Desktop desk;
    desk.System().SetNumberSeparators(",", ".");
    const struct {
        LCID locale;
        LCTYPE type;
        int size;
        int result;
        DWORD error; // 0: the call succeeds
        const char* text;
    } cases[] = {
        {LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, 8, 2, 0, ","},
        {LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, 8, 2, 0, "."},
        {LOCALE_SYSTEM_DEFAULT, LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE, 2, 2, 0, ","},
        {LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, 0, 2, 0, "untouched"},
        {LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, 1, 0, ERROR_INSUFFICIENT_BUFFER, "untouched"},
        {LOCALE_USER_DEFAULT, 0x1234, 8, 0, ERROR_INVALID_FLAGS, "untouched"},
        {0x0407, LOCALE_SDECIMAL, 8, 0, ERROR_INVALID_PARAMETER, "untouched"},
        {LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, -1, 0, ERROR_INVALID_PARAMETER, "untouched"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.locale << " " << c.type << " " << c.size);
        char buf[16] = "untouched";
        SetLastError(0);
        EXPECT_EQ(GetLocaleInfoA(c.locale, c.type, buf, c.size), c.result);
        EXPECT_EQ(GetLastError(), c.error);
        EXPECT_STREQ(buf, c.text);
    }
}

TEST(LocaleTest, DefaultsArePointAndComma) {
    emu::Desktop desk;
    char decimal[4] = {}, thousand[4] = {};
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 4), 2);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand, 4), 2);
    EXPECT_STREQ(decimal, ".");
    EXPECT_STREQ(thousand, ",");
}

} // namespace
