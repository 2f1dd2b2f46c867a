// The words of a script line: escapes in quoted words (and the output's quoting read back), typed
// arguments with their range and form checked, and the host's own numbers.
#include "host/Words.h"
#include "platform/RuntimeError.h"
#include <gtest/gtest.h>

namespace {

using host::Token;

TEST(WordsTest, QuotedWordsTakeTheEscapesTheOutputWrites) {
    struct Case {
        const char* line;
        std::string word; // the one word the line holds
    } cases[] = {
        {R"("a<CR><LF>b")", "a\r\nb"},
        {R"("<TAB>x")", "\tx"},
        {R"("<LT>CR>")", "<CR>"},
        {R"("<html><title>")", "<html><title>"}, // any other "<" is itself
        {R"("<cr>")", "<cr>"},                   // escapes are written in capitals
        {R"("<CR")", "<CR"},
        {R"(<CR>)", "<CR>"}, // a bare word keeps everything
        {R"("say ""<LF>""")", "say \"\n\""},
    };
    for (const Case& c : cases) {
        const auto words = host::Tokenize(c.line);
        ASSERT_EQ(words.size(), 1u) << c.line;
        EXPECT_EQ(words[0].text, c.word) << c.line;
    }
}

TEST(WordsTest, AnyQuotedTextReadsBackAsItself) {
    const std::string texts[] = {"",     "plain",    "a\r\nb\r\n", "tab\there", "<CR> as text",
                                 "<LT>", "<<CR>>",   "\"quoted\"", "<",         "a<",
                                 "<TAB", "x<LF>y\n<"};
    for (const std::string& text : texts) {
        const auto words = host::Tokenize(host::Quote(text));
        ASSERT_EQ(words.size(), 1u) << host::Quote(text);
        EXPECT_EQ(words[0].text, text) << host::Quote(text);
    }
    // Only what would read as an escape is escaped.
    EXPECT_EQ(host::Quote("<html> <CR>\r"), "\"<html> <LT>CR><CR>\"");
}

TEST(WordsTest, ArgumentsAreTypedByTheirForm) {
    struct Case {
        Token word;
        vireo::Variant value;
    } cases[] = {
        {{"12"}, vireo::Variant::Long(12)},
        {{"-2147483648"}, vireo::Variant::Long(INT32_MIN)},
        {{"2147483647"}, vireo::Variant::Long(INT32_MAX)},
        {{"&HFF"}, vireo::Variant::Long(255)},
        {{"&hFFFFFFFF"}, vireo::Variant::Long(-1)},
        {{"int:-32768"}, vireo::Variant::Integer(-32768)},
        {{"INT:12"}, vireo::Variant::Integer(12)},
        {{"1.5"}, vireo::Variant::Double(1.5)},
        {{"-2e3"}, vireo::Variant::Double(-2000)},
        {{"True"}, vireo::Variant::Boolean(true)},
        {{"empty"}, vireo::Variant()},
        {{"12", true}, vireo::Variant("12")},
        {{"C:\\Temp"}, vireo::Variant("C:\\Temp")},
        {{"e5"}, vireo::Variant("e5")},
        {{"1.2.3"}, vireo::Variant("1.2.3")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(host::ParseArgument(c.word, 0), c.value) << c.word.text;
}

TEST(WordsTest, ANumberOutOfRangeOverflowsAsTheDispatchLayerReportsIt) {
    struct Case {
        const char* word;
        const char* type;
    } cases[] = {{"int:70000", "Integer"},        {"int:-32769", "Integer"}, {"2147483648", "Long"},
                 {"-2147483649", "Long"},         {"&H1FFFFFFFF", "Long"},   {"99999999999999999999", "Long"},
                 {"&HFFFFFFFFFFFFFFFFFF", "Long"}};
    for (const Case& c : cases) {
        try {
            host::ParseArgument(Token{c.word}, 2);
            ADD_FAILURE() << c.word << " was taken";
        } catch (const vireo::DispatchError& e) {
            EXPECT_EQ(e.HResult(), vireo::kDispOverflow) << c.word;
            EXPECT_EQ(std::string(e.what()), std::string("Overflow converting to ") + c.type) << c.word;
            EXPECT_EQ(e.ArgIndex(), 2u) << c.word;
        }
    }
}

TEST(WordsTest, AMalformedWordIsAnErrorNamingTheWordAndWhatWasExpected) {
    struct Case {
        const char* word;
        const char* expected;
    } cases[] = {{"int:abc", "int:abc: expected an Integer such as int:12"},
                 {"int:", "int:: expected an Integer such as int:12"},
                 {"int:1.5", "int:1.5: expected an Integer"},
                 {"&HZZ", "&HZZ: expected a hexadecimal Long such as &HFF"},
                 {"&H", "&H: expected a hexadecimal Long"},
                 {"&H-1", "&H-1: expected a hexadecimal Long"}};
    for (const Case& c : cases) {
        try {
            host::ParseArgument(Token{c.word}, 0);
            ADD_FAILURE() << c.word << " was taken";
        } catch (const host::ScriptError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
}

TEST(WordsTest, TheHostsOwnNumbersAreCheckedAgainstTheirRange) {
    struct Case {
        const char* word;
        int64_t min, max;
        bool hex;
        int64_t value;       // when taken
        const char* message; // when refused
    } cases[] = {
        {"200", 0, UINT32_MAX, false, 200, nullptr},
        {"4294967295", 0, UINT32_MAX, false, UINT32_MAX, nullptr},
        {"-1", 0, UINT32_MAX, false, 0, "clock: -1 is out of range (0 to 4294967295)"},
        {"4294967296", 0, UINT32_MAX, false, 0, "out of range"},
        {"99999999999999999999", 0, 32767, false, 0, "out of range"},
        {"abc", 0, 10, false, 0, "clock: expected a whole number, not abc"},
        {"", 0, 10, false, 0, "expected a whole number, not nothing"},
        {"1.5", 0, 10, false, 0, "not 1.5"},
        {"&H60030308", INT32_MIN, UINT32_MAX, true, 0x60030308, nullptr},
        {"&HFFFFFFFF", INT32_MIN, UINT32_MAX, true, UINT32_MAX, nullptr},
        {"&H1FFFFFFFF", INT32_MIN, UINT32_MAX, true, 0, "out of range"},
        {"&Hxyz", INT32_MIN, UINT32_MAX, true, 0, "expected a whole number (or &H hexadecimal), not &Hxyz"},
        {"&HFF", 0, 10, false, 0, "not &HFF"},
    };
    for (const Case& c : cases) {
        if (!c.message) {
            EXPECT_EQ(host::ParseNumber(c.word, "clock", c.min, c.max, c.hex), c.value) << c.word;
            continue;
        }
        try {
            host::ParseNumber(c.word, "clock", c.min, c.max, c.hex);
            ADD_FAILURE() << c.word << " was taken";
        } catch (const host::ScriptError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

} // namespace
