#include "platform/emu/kernel32/WinPath.h"
#include <gtest/gtest.h>

namespace {

using namespace emu::winpath;

TEST(WinPathTest, CollapseKeepsEachRootAndTrimsOnlyAtTheEnd) {
    const struct {
        const char* in;
        const char* want;
    } cases[] = {
        {"C:\\", "C:\\"},
        {"C:\\..\\..", "C:\\"},
        {"C:\\a\\.", "C:\\a"},
        {"C:\\a\\..", "C:\\"},
        {"C:\\a\\b\\..\\", "C:\\a\\"},
        {"C:\\a.\\b.", "C:\\a\\b"},
        {"C:\\a..\\b", "C:\\a.\\b"},
        {"C:\\a \\b ", "C:\\a \\b"},
        {"C:\\ . \\", "C:\\ . \\"},
        {"C:\\...", "C:\\"},
        {"C:\\....\\x", "C:\\...\\x"},
        {"C:/a//b\\\\\\c", "C:\\a\\b\\c"},
        {"\\\\srv\\share\\..\\..\\x", "\\\\srv\\share\\x"},
        {"\\\\srv\\share", "\\\\srv\\share"},
        {"\\\\srv\\share.", "\\\\srv\\share."},
        {"\\\\?\\C:\\a\\..\\b.", "\\\\?\\C:\\b"},
        {"\\\\.\\COM1", "\\\\.\\COM1"},
    };
    for (const auto& t : cases)
        EXPECT_EQ(Collapse(t.in), t.want) << t.in;
}

TEST(WinPathTest, SplitLiteralTakesTheNameAsWritten) {
    auto p = SplitLiteral("c:\\a.\\b/c\\");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->drive, 'C');
    EXPECT_EQ(p->parts, (std::vector<std::string>{"a.", "b/c"}));
    EXPECT_TRUE(p->trailingSep);
    EXPECT_FALSE(SplitLiteral("C:\\a\\\\b"));
    EXPECT_FALSE(SplitLiteral("UNC\\srv\\share"));
}

TEST(WinPathTest, DeviceNamesWithAndWithoutExtension) {
    const struct {
        const char* name;
        bool device;
    } cases[] = {
        {"con", true},    {"CON", true},         {"Nul.txt", true},  {"aux .log", true}, {"prn", true},
        {"com1", true},   {"COM9.tar.gz", true}, {"lpt1", true},     {"LPT9", true},     {"com0", false},
        {"com10", false}, {"lpt", false},        {"console", false}, {"xcon", false},    {"con_", false},
        {".con", false},  {"", false},
    };
    for (const auto& t : cases)
        EXPECT_EQ(IsDeviceName(t.name), t.device) << t.name;
}

} // namespace
