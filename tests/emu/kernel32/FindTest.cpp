#include "platform/emu/Desktop.h"
#include "platform/emu/api/findex.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <fstream>
#include <functional>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class FindTest : public ::testing::Test {
protected:
    FindTest() {
        c = desk.Files().MountScratch('C');
        desk.Files().MakeDir("C:\\dir\\Sub Folder");
        desk.Files().WriteFile("C:\\dir\\b.TXT", "12345");
        desk.Files().WriteFile("C:\\dir\\a.txt", "1");
        desk.Files().WriteFile("C:\\dir\\README", "");
        desk.Files().WriteFile("C:\\dir\\Long File Name.html", "<html>");
        std::ofstream(c / "dir" / "\xE6\x97\xA5.txt") << "x"; // a name outside the code page
    }
    // Every name (and alias) a search yields, in order: NTFS order, by upper-case UTF-16, so the name
    // outside the code page comes last.
    std::vector<std::string> Names(const char* searchText, std::vector<std::string>* aliases = nullptr) {
        std::vector<std::string> out;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(searchText, &fd);
        if (h == INVALID_HANDLE_VALUE) return out;
        do {
            out.push_back(fd.cFileName);
            if (aliases) aliases->push_back(fd.cAlternateFileName);
        } while (FindNextFileA(h, &fd));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(h));
        return out;
    }
    emu::Desktop desk;
    std::filesystem::path c;
};

using List = std::vector<std::string>;

TEST_F(FindTest, PatternsAndOrder) {
    const struct {
        const char* searchText;
        List want;
    } cases[] = {
        {"C:\\dir\\*", {".", "..", "a.txt", "b.TXT", "Long File Name.html", "README", "Sub Folder", "?.txt"}},
        {"c:\\DIR\\*.*",
         {".", "..", "a.txt", "b.TXT", "Long File Name.html", "README", "Sub Folder", "?.txt"}},
        {"C:\\dir\\*.txt", {"a.txt", "b.TXT", "?.txt"}},
        {"C:\\dir\\?.TXT", {"a.txt", "b.TXT", "?.txt"}},
        {"C:\\dir\\*.", {".", "..", "README", "Sub Folder"}},
        {"C:\\dir\\long*", {"Long File Name.html"}},
        {"C:\\dir\\readme", {"README"}}, // no wildcard: the entry itself
        {"C:\\dir", {"dir"}},
        {"C:\\*", {"dir", "WINDOWS"}}, // a root has no "." and ".."
        {"C:\\dir\\*.zip", {}},
    };
    for (const auto& t : cases)
        EXPECT_EQ(Names(t.searchText), t.want) << t.searchText;
}

TEST_F(FindTest, EntryDataAndAliases) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("C:\\dir\\b.txt", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fd.nFileSizeLow, 5u);
    EXPECT_EQ(fd.nFileSizeHigh, 0u);
    EXPECT_EQ(fd.dwFileAttributes, DWORD(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(fd.cAlternateFileName[0], 0); // b.TXT fits 8.3
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToSystemTime(&fd.ftLastWriteTime, &st));
    EXPECT_GE(st.wYear, 2020);
    FindClose(h);
    List aliases;
    Names("C:\\dir\\*", &aliases);
    EXPECT_EQ(aliases, (List{"", "", "", "", "LONGFI~1.HTM", "", "SUBFOL~1", "_~1.TXT"}));
    // The alias reaches a file whose name the code page cannot show.
    EXPECT_NE(GetFileAttributesA("C:\\dir\\_~1.TXT"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FindTest, Failures) {
    const struct {
        const char* searchText;
        DWORD error;
    } cases[] = {
        {"C:\\dir\\*.zip", ERROR_FILE_NOT_FOUND},
        {"C:\\dir\\", ERROR_FILE_NOT_FOUND},
        {"C:\\", ERROR_FILE_NOT_FOUND},
        {"C:\\none\\*", ERROR_PATH_NOT_FOUND},
        {"C:\\dir\\a.txt\\*", ERROR_PATH_NOT_FOUND},
        {"Q:\\*", ERROR_PATH_NOT_FOUND},
        {"C:\\dir\\a|b*", ERROR_INVALID_NAME},
    };
    for (const auto& t : cases) {
        WIN32_FIND_DATAA fd;
        SetLastError(0);
        EXPECT_EQ(FindFirstFileA(t.searchText, &fd), INVALID_HANDLE_VALUE) << t.searchText;
        EXPECT_EQ(GetLastError(), t.error) << t.searchText;
    }
    WIN32_FIND_DATAA fd;
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &fd));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(FindTest, EntriesRemovedDuringASearchAreSkipped) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("C:\\dir\\*.txt", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(fd.cFileName, "a.txt");
    ASSERT_TRUE(DeleteFileA("C:\\dir\\b.txt"));
    ASSERT_TRUE(FindNextFileA(h, &fd));
    EXPECT_STREQ(fd.cFileName, "?.txt");
    EXPECT_FALSE(FindNextFileA(h, &fd));
    FindClose(h);
}

// A search lists what the folder holds when it starts, in NTFS order, whoever changed the folder since the
// last search (the desktop, or a host program writing beside it): names made, removed and renamed in case,
// a host link left out, and one name under two host spellings listed twice, in byte order.
TEST_F(FindTest, EachSearchSeesTheFolderAsItIsNow) {
    const List before = {".", "..", "a.txt", "b.TXT", "Long File Name.html", "README", "Sub Folder", "?.txt"};
    EXPECT_EQ(Names("C:\\dir\\*"), before);
    EXPECT_EQ(Names("C:\\dir\\*"), before); // the same again, from what the first search learned
    const struct {
        const char* what;
        std::function<void()> change;
        const char* pattern;
        List want;
    } steps[] = {
        {"a file made through the desktop",
         [&] { desk.Files().WriteFile("C:\\dir\\c.txt"); },
         "C:\\dir\\*.txt",
         {"a.txt", "b.TXT", "c.txt", "?.txt"}},
        {"a file made on the host",
         [&] { std::ofstream(c / "dir" / "0.txt") << 0; },
         "C:\\dir\\*.txt",
         {"0.txt", "a.txt", "b.TXT", "c.txt", "?.txt"}},
        {"a file removed",
         [&] { std::filesystem::remove(c / "dir" / "a.txt"); },
         "C:\\dir\\*.txt",
         {"0.txt", "b.TXT", "c.txt", "?.txt"}},
        {"a change of case",
         [&] { std::filesystem::rename(c / "dir" / "b.TXT", c / "dir" / "B.txt"); },
         "C:\\dir\\*.txt",
         {"0.txt", "B.txt", "c.txt", "?.txt"}},
        {"a host link",
         [&] { std::filesystem::create_symlink(c / "dir" / "c.txt", c / "dir" / "link.txt"); },
         "C:\\dir\\*.txt",
         {"0.txt", "B.txt", "c.txt", "?.txt"}},
        {"a second spelling",
         [&] { std::ofstream(c / "dir" / "C.TXT") << 1; },
         "C:\\dir\\*.txt",
         {"0.txt", "B.txt", "C.TXT", "c.txt", "?.txt"}},
        {"the second spelling removed",
         [&] { std::filesystem::remove(c / "dir" / "C.TXT"); },
         "C:\\dir\\*",
         {".", "..", "0.txt", "B.txt", "c.txt", "Long File Name.html", "README", "Sub Folder", "?.txt"}},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(Names(step.pattern), step.want) << step.what;
    }
}

// FindFirstFileExA: the standard level is FindFirstFileA; the basic level gives the same entries, sizes,
// times and attributes without 8.3 aliases; what it cannot do is refused.
TEST_F(FindTest, TheBasicLevelLeavesOutTheAliasesOnly) {
    desk.Files().SetAttributes(c / "dir" / "README", FILE_ATTRIBUTE_HIDDEN);
    for (FINDEX_INFO_LEVELS level : {FindExInfoStandard, FindExInfoBasic}) {
        WIN32_FIND_DATAA a{}, b{};
        HANDLE plain = FindFirstFileA("C:\\dir\\*", &a);
        HANDLE ex = FindFirstFileExA("C:\\dir\\*", level, &b, FindExSearchLimitToDirectories, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
        ASSERT_NE(ex, INVALID_HANDLE_VALUE);
        int entries = 0;
        do {
            ++entries;
            EXPECT_STREQ(a.cFileName, b.cFileName);
            EXPECT_EQ(a.dwFileAttributes, b.dwFileAttributes) << a.cFileName;
            EXPECT_EQ(a.nFileSizeLow, b.nFileSizeLow) << a.cFileName;
            EXPECT_EQ(a.ftLastWriteTime.dwLowDateTime, b.ftLastWriteTime.dwLowDateTime) << a.cFileName;
            if (level == FindExInfoBasic)
                EXPECT_STREQ(b.cAlternateFileName, "") << a.cFileName;
            else
                EXPECT_STREQ(b.cAlternateFileName, a.cAlternateFileName) << a.cFileName;
        } while (FindNextFileA(plain, &a) && FindNextFileA(ex, &b));
        EXPECT_EQ(entries, 8) << "directories are not filtered: NTFS ignores the hint";
        FindClose(plain);
        FindClose(ex);
    }
    WIN32_FIND_DATAA fd;
    const struct {
        FINDEX_INFO_LEVELS level;
        FINDEX_SEARCH_OPS op;
        void* filter;
        DWORD flags;
    } refused[] = {
        {FindExInfoMaxInfoLevel, FindExSearchNameMatch, nullptr, 0},
        {FindExInfoBasic, FindExSearchLimitToDevices, nullptr, 0},
        {FindExInfoBasic, FindExSearchNameMatch, &fd, 0},
        {FindExInfoBasic, FindExSearchNameMatch, nullptr, 0x100},
    };
    for (const auto& r : refused) {
        SetLastError(0);
        EXPECT_EQ(FindFirstFileExA("C:\\dir\\*", r.level, &fd, r.op, r.filter, r.flags),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    }
}

// A search hands out the aliases the folder had when the first was needed, even when a name that sorts
// before the others arrives during the search (a new table would number them differently).
TEST_F(FindTest, AliasesStayTheSameForTheLengthOfASearch) {
    desk.Files().WriteFile("C:\\dir\\Long File Name2.html");
    List before;
    Names("C:\\dir\\long*", &before);
    ASSERT_EQ(before, (List{"LONGFI~1.HTM", "LONGFI~2.HTM"}));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("C:\\dir\\long*", &fd);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    List during{fd.cAlternateFileName};
    desk.Files().WriteFile("C:\\dir\\Long File Name0.html");
    while (FindNextFileA(h, &fd))
        during.push_back(fd.cAlternateFileName);
    FindClose(h);
    EXPECT_EQ(during, before);
}

} // namespace
