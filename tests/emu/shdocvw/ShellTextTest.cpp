#include "platform/emu/shdocvw/ShellText.h"
#include "platform/emu/shdocvw/WebPages.h"
#include <gtest/gtest.h>

namespace {

struct BytesCase {
    uint64_t bytes;
    const char* text;
};

TEST(ShellTextTest, ByteSizesKeepThreeDigitsCut) {
    const BytesCase cases[] = {
        {0, "0 bytes"},
        {512, "512 bytes"},
        {1023, "1023 bytes"},
        {1024, "1.00 KB"},
        {1500, "1.46 KB"},
        {1535, "1.49 KB"},
        {10239, "9.99 KB"},
        {10240, "10.0 KB"},
        {12800, "12.5 KB"},
        {102399, "99.9 KB"},
        {102400, "100 KB"},
        {1023999, "999 KB"},
        {1024000, "0.97 MB"},
        {1258291, "1.19 MB"},
        {1258292, "1.20 MB"},
        {1048576 * 10, "10.0 MB"},
        {1073741824ull, "1.00 GB"},
        {1099511627776ull * 5 / 2, "2.50 TB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(emu::FormatByteSize(c.bytes), c.text) << c.bytes;
}

TEST(ShellTextTest, KilobyteColumnRoundsUpWithSeparators) {
    const BytesCase cases[] = {
        {0, "0 KB"},
        {1, "1 KB"},
        {1024, "1 KB"},
        {1025, "2 KB"},
        {999 * 1024, "999 KB"},
        {1000 * 1024, "1,000 KB"},
        {1234 * 1024 + 1, "1,235 KB"},
        {1024ull * 1234567, "1,234,567 KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(emu::FormatKBSize(c.bytes), c.text) << c.bytes;
}

TEST(ShellTextTest, ModifiedIsShortDateAndTime) {
    struct Case {
        SYSTEMTIME time;
        const char* text;
    };
    const Case cases[] = {
        {{2026, 12, 6, 5, 19, 7, 0, 0}, "12/5/2026 7:07 PM"},
        {{2001, 1, 1, 1, 0, 30, 0, 0}, "1/1/2001 12:30 AM"},
        {{1999, 7, 4, 4, 12, 0, 59, 0}, "7/4/1999 12:00 PM"},
        {{2010, 3, 3, 14, 11, 59, 0, 0}, "3/14/2010 11:59 AM"},
    };
    for (const auto& c : cases) {
        FILETIME time{}; // the emulated desktop's local time is UTC
        ASSERT_TRUE(SystemTimeToFileTime(&c.time, &time));
        EXPECT_EQ(emu::FormatModified(time), c.text);
    }
    EXPECT_EQ(emu::FormatModified(FILETIME{}), "");
}

TEST(WebPagesTest, FindsPagesByAddressAndKnowsTheirHosts) {
    emu::WebPages web;
    web.AddPage("http://Example.com/", "Home");
    web.AddPage("http://example.com/dir/page.htm", "Page");
    struct Case {
        const char* url;
        const char* title; // nullptr: no page
        bool hostKnown;
    };
    const Case cases[] = {
        {"http://example.com", "Home", true},
        {"HTTP://EXAMPLE.COM/", "Home", true},
        {"http://example.com/dir/page.htm/", "Page", true},
        {"http://example.com/DIR/page.htm", nullptr, true},
        {"https://example.com/", nullptr, false},
        {"http://other.com/", nullptr, false},
        {"C:\\dir", nullptr, false},
    };
    for (const auto& c : cases) {
        const emu::WebPage* page = web.Find(c.url);
        EXPECT_EQ(page ? page->title : "(none)", c.title ? c.title : "(none)") << c.url;
        EXPECT_EQ(web.HostKnown(c.url), c.hostKnown) << c.url;
    }
}

} // namespace
