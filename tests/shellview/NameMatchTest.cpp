#include "shellview/NameMatch.h"
#include <gtest/gtest.h>
#include <random>

using vireo::TextsInList;

namespace {

// The rule as stated: the text followed by CR LF is a substring of the list.
std::vector<bool> Naive(const std::vector<std::string>& texts, const std::string& list) {
    std::vector<bool> out;
    for (const std::string& t : texts)
        out.push_back(list.find(t + "\r\n") != std::string::npos);
    return out;
}

TEST(NameMatchTest, AgreesWithTheSubstringRule) {
    struct Case {
        const char* name;
        std::vector<std::string> texts;
        std::string list;
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"empty list", {"a.txt", ""}, "", {false, false}},
        {"list without CR LF", {"a.txt"}, "a.txt", {false}},
        {"exact names", {"a.txt", "b.txt", "c.txt"}, "a.txt\r\nc.txt\r\n", {true, false, true}},
        {"a longer name holds a shorter one", {"xa.txt", "a.txt", "txt"}, "xa.txt\r\n", {true, true, true}},
        {"the shorter name does not select the longer one", {"xa.txt", "a.txt"}, "a.txt\r\n", {false, true}},
        {"case matters", {"A.TXT", "a.txt"}, "a.txt\r\n", {false, true}},
        {"the last name needs its CR LF", {"a", "b"}, "a\r\nb", {true, false}},
        {"hidden extension: only the shown name", {"report", "report.doc"}, "report\r\n", {true, false}},
        {"an empty text matches any CR LF", {""}, "x\r\n", {true}},
        {"an empty text and no CR LF", {""}, "x\n\r", {false}},
        {"a text ending in CR", {"a\r", "a"}, "a\r\r\n", {true, false}},
        {"a text ending in LF", {"a\n", "a"}, "a\n\r\n", {true, false}},
        {"a lone CR or LF is no separator", {"a", "b"}, "a\rb\n", {false, false}},
        {"a text holding CR LF", {"x\r\ny", "y", "x"}, "x\r\ny\r\n", {true, true, true}},
        {"duplicates", {"a", "a", "b"}, "a\r\n", {true, true, false}},
        {"CR CR LF", {"a", "a\r"}, "a\r\r\n", {false, true}},
        {"no texts", {}, "a\r\n", {}},
        {"bytes of the upper half",
         {"\xE9t\xE9", "t\xE9", "\xFF"},
         "\xE9t\xE9\r\n\xFE\r\n",
         {true, true, false}},
        {"a NUL inside the list", {"b"}, std::string("a\0b\r\n", 5), {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextsInList(c.texts, c.list), c.expected);
        EXPECT_EQ(Naive(c.texts, c.list), c.expected); // the table itself states the rule
    }
}

// Random texts over a tiny alphabet with CR and LF in it, where overlaps and shared endings are common.
TEST(NameMatchTest, AgreesWithTheSubstringRuleOnRandomInput) {
    std::mt19937 rng(20261205);
    const char alphabet[] = {'a', 'b', '\r', '\n', '.'};
    auto word = [&](size_t maxLen) {
        std::string s(rng() % (maxLen + 1), ' ');
        for (char& ch : s)
            ch = alphabet[rng() % sizeof alphabet];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> texts;
        for (int i = 0; i < 12; ++i)
            texts.push_back(word(4));
        std::string list;
        for (int i = 0; i < 6; ++i)
            list += word(5) + (rng() % 2 ? "\r\n" : "");
        ASSERT_EQ(TextsInList(texts, list), Naive(texts, list)) << "round " << round;
    }
}

// Many names that end alike and names held twice, where the hashed pieces and the probing of the
// table see clusters: every answer agrees with the rule.
TEST(NameMatchTest, AgreesWithTheSubstringRuleOnManyNamesThatEndAlike) {
    std::mt19937 rng(20261206);
    std::vector<std::string> texts;
    std::string list;
    for (int i = 0; i < 3000; ++i) {
        const std::string stem = std::to_string(rng() % 1500);
        texts.push_back(stem + (i % 3 ? ".txt" : ""));
        if (i % 4) list += "x" + stem + (i % 5 ? ".txt" : ".doc") + "\r\n";
        if (i % 7 == 0) list += stem + "\r";
    }
    texts.push_back("");
    texts.push_back(".txt");
    EXPECT_EQ(TextsInList(texts, list), Naive(texts, list));
}

} // namespace
