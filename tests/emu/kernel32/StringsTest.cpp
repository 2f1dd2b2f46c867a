#include "platform/emu/Desktop.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

std::u16string ToWide(const std::string& s, UINT cp = CP_ACP) {
    int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    if (n) MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string ToAnsi(const std::u16string& s, const char* def = nullptr, BOOL* used = nullptr,
                   UINT cp = CP_ACP) {
    int n = WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, def, used);
    std::string out(static_cast<size_t>(n), '\0');
    if (n) WideCharToMultiByte(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n, def, used);
    return out;
}

TEST(StringsTest, Windows1252HighHalf) {
    emu::Desktop desk;
    EXPECT_EQ(GetACP(), 1252u);
    const struct {
        unsigned char byte;
        char16_t wide;
    } cases[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
        {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039},
        {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018},
        {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
        {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9D, 0x009D},
        {0x9E, 0x017E}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}, {0x41, 0x0041},
    };
    for (const auto& c : cases) {
        std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(ToWide(byte), std::u16string(1, c.wide)) << int(c.byte);
        BOOL used = TRUE;
        EXPECT_EQ(ToAnsi(std::u16string(1, c.wide), nullptr, &used), byte) << int(c.byte);
        EXPECT_FALSE(used);
    }
}

TEST(StringsTest, UnmappableCharactersTakeTheDefaultCharacter) {
    emu::Desktop desk;
    const struct {
        std::u16string in;
        const char* def;
        std::string want;
        BOOL used;
    } cases[] = {
        {u"A\u65E5B", nullptr, "A?B", TRUE},
        {u"A\u65E5B", "0", "A0B", TRUE}, // the "0" default some callers pass
        {u"caf\u00E9 \u20AC", nullptr, "caf\xE9 \x80", FALSE},
        {u"\u0100", nullptr, "?", TRUE},      // no best-fit to "A"
        {u"\U0001F600", nullptr, "??", TRUE}, // each half of a surrogate pair
        {u"\u0411\u0412", "xyz", "xx", TRUE}, // the first character of lpDefaultChar
    };
    for (const auto& c : cases) {
        BOOL used = -1;
        EXPECT_EQ(ToAnsi(c.in, c.def, &used), c.want);
        EXPECT_EQ(used, c.used);
    }
}

TEST(StringsTest, BufferRulesAndUtf8) {
    emu::Desktop desk;
    WCHAR wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4); // with the NUL
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 8), 4);
    EXPECT_EQ(wide[3], 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 8), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(437, 0, "abc", -1, wide, 8), 0); // only the ANSI page and UTF-8
    char narrow[8];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"xyz", -1, narrow, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"x", -1, narrow, 8, "?", nullptr), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    std::u16string text = u"\u00E9\u20AC\u65E5\U0001F600";
    std::string utf8 = ToAnsi(text, nullptr, nullptr, CP_UTF8);
    EXPECT_EQ(utf8, "\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(ToWide(utf8, CP_UTF8), text);
    EXPECT_EQ(ToWide("a\xC3(", CP_UTF8), u"a\uFFFD(");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xC3(", 3, wide, 8), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(StringsTest, LstrFunctionsAndMulDiv) {
    emu::Desktop desk;
    EXPECT_EQ(lstrlenA("hello"), 5);
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrlenW(u"h\u00E9"), 2);
    char buf[8];
    EXPECT_EQ(lstrcpynA(buf, "abcdefghij", 4), buf);
    EXPECT_STREQ(buf, "abc");
    EXPECT_STREQ(lstrcpyA(buf, "xy"), "xy");
    const struct {
        const char* a;
        const char* b;
        int cmpi;
    } cases[] = {
        {"abc", "ABC", 0},         {"a", "B", -1}, {"b", "A", 1}, {"ab", "abc", -1},
        {"caf\xE9", "CAF\xC9", 0}, {"", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lstrcmpiA(c.a, c.b), c.cmpi) << c.a << " " << c.b;
    EXPECT_EQ(lstrcmpA("a", "A"), -1); // lower case first at a difference of case alone
    EXPECT_EQ(lstrcmpA("a", "B"), -1);
    const struct {
        int a, b, c, want;
    } muldiv[] = {
        {10, 3, 4, 8}, {-10, 3, 4, -8},        {5, 1, 2, 3},     {-5, 1, 2, -3},
        {1, 1, 0, -1}, {0x7FFFFFFF, 2, 1, -1}, {12, 96, 72, 16},
    };
    for (const auto& m : muldiv)
        EXPECT_EQ(MulDiv(m.a, m.b, m.c), m.want) << m.a << "*" << m.b << "/" << m.c;
}

TEST(StringsTest, FileTimes) {
    emu::Desktop desk;
    FILETIME epoch{0xD53E8000, 0x019DB1DE}; // 1970-01-01 00:00:00
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToSystemTime(&epoch, &st));
    EXPECT_EQ(st.wYear, 1970);
    EXPECT_EQ(st.wMonth, 1);
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wDayOfWeek, 4); // a Thursday
    SYSTEMTIME leap{2004, 2, 0, 29, 12, 34, 56, 789};
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
    EXPECT_EQ(st.wYear, 2004);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wMilliseconds, 789);
    EXPECT_EQ(st.wDayOfWeek, 0); // a Sunday
    SYSTEMTIME bad{2003, 2, 0, 29, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
}

} // namespace
