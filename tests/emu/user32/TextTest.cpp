// The ANSI code page's letter case and letters, as CharUpperA and its relatives apply them.
#include "platform/emu/Desktop.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

namespace {

TEST(TextTest, CaseMappingOfTheCodePage) {
    struct Case {
        unsigned char lower, upper;
    } pairs[] = {{'a', 'A'},
                 {'z', 'Z'},
                 {0xE0, 0xC0} /* à À */,
                 {0xFE, 0xDE} /* þ Þ */,
                 {0xFF, 0x9F} /* ÿ Ÿ */,
                 {0x9A, 0x8A} /* š Š */,
                 {0x9C, 0x8C} /* œ Œ */,
                 {0x9E, 0x8E} /* ž Ž */,
                 {0xE9, 0xC9} /* é É */};
    for (const Case& c : pairs) {
        char up[2] = {static_cast<char>(c.lower), 0};
        CharUpperA(up);
        EXPECT_EQ(static_cast<unsigned char>(up[0]), c.upper) << int(c.lower);
        char down[2] = {static_cast<char>(c.upper), 0};
        CharLowerA(down);
        EXPECT_EQ(static_cast<unsigned char>(down[0]), c.lower) << int(c.upper);
        EXPECT_TRUE(IsCharAlphaA(static_cast<CHAR>(c.lower)));
        EXPECT_TRUE(IsCharUpperA(static_cast<CHAR>(c.upper)));
    }
    // No case partner inside the code page: unchanged both ways.
    for (int same :
         {0xB5 /* µ */, 0xDF /* ß */, 0xF7 /* ÷ */, 0xD7 /* × */, 0x83 /* ƒ */, int('1'), int('_')}) {
        char s[2] = {static_cast<char>(same), 0};
        CharUpperA(s);
        EXPECT_EQ(static_cast<unsigned char>(s[0]), same) << int(same);
        CharLowerA(s);
        EXPECT_EQ(static_cast<unsigned char>(s[0]), same) << int(same);
    }
    EXPECT_TRUE(IsCharAlphaA(static_cast<CHAR>(0xB5)));
    EXPECT_TRUE(IsCharAlphaA(static_cast<CHAR>(0xDF)));
    EXPECT_FALSE(IsCharAlphaA(static_cast<CHAR>(0xF7)));
    EXPECT_FALSE(IsCharAlphaA('5'));
    EXPECT_TRUE(IsCharAlphaNumericA('5'));
}

TEST(TextTest, StringsBuffersAndSingleCharacters) {
    char s[] = "3/10 objects selected \xe0 \xff";
    EXPECT_EQ(CharUpperA(s), s);
    EXPECT_STREQ(s, "3/10 OBJECTS SELECTED \xc0 \x9f");
    char buf[] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(CharLowerBuffA(buf, 4), 4u);
    EXPECT_EQ(CharUpperBuffA(buf, 4), 4u);
    EXPECT_EQ(std::string(buf, 4), std::string("AB\0C", 4)) << "a buffer is converted past NULs";
    // With a zero high word the argument is a character, converted and returned in the low byte.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperA(reinterpret_cast<LPSTR>(uintptr_t{0xE7}))), 0xC7u);
}

} // namespace
