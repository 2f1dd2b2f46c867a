#include "platform/emu/kernel32/HostNames.h"
#include <gtest/gtest.h>

namespace {

TEST(HostNamesTest, CodePageNamesRoundTripAndOthersReadAsQuestionMarks) {
    const struct {
        const char* host;    // UTF-8
        const char* windows; // Windows-1252
        bool roundTrips;
    } cases[] = {
        {"plain.txt", "plain.txt", true},
        {"caf\xC3\xA9.txt", "caf\xE9.txt", true},
        {"\xC3\xBC"
         "ber.txt",
         "\xFC"
         "ber.txt",
         true},
        {"\xE2\x82\xAC 100%'s", "\x80 100%'s", true},      // the euro sign is in the code page
        {"\xC5\x93uvre", "\x9Cuvre", true},                // and so is the small ligature oe
        {"\xE6\x97\xA5\xE6\x9C\xAC.txt", "??.txt", false}, // two characters outside it
        {"\xF0\x9F\x98\x80.txt", "??.txt", false},         // one beyond UTF-16's first plane: two halves
        {"\xCE\xB1\xCE\xB2", "??", false},                 // Greek
        {"stray\xE9.txt", "stray\xE9.txt", false},         // a byte that is no UTF-8 keeps its letter
    };
    for (const auto& c : cases) {
        EXPECT_EQ(emu::ToWindowsName(c.host), c.windows) << c.host;
        EXPECT_EQ(emu::ToHostName(c.windows) == c.host, c.roundTrips) << c.host;
    }
}

} // namespace
