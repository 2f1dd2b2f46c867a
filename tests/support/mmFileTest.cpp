#include "support/mmFile.h"
#include "platform/RuntimeError.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <fstream>
#include <gtest/gtest.h>

using namespace vireo;
using std::nullopt;
using std::optional;
using std::string;

namespace {

struct TextCase {
    string in;
    string want;
};

const string kLong(10000, 'a');

TEST(mmFileTest, RemoveTrailingSep) {
    const TextCase cases[] = {
        {"C:\\", "C:\\"},
        {"c:\\", "c:\\"},
        {"C:\\dir\\", "C:\\dir"},
        {"\\\\", "\\\\"},
        {"\\\\server\\", "\\\\server"},
        {"http://host/a/", "http://host/a"}, // a URL loses its slash
        {"C:\\a/b/", "C:\\a/b/"},            // backslash is the separator; the last character is a slash
        {"C:\\dir\\\\", "C:\\dir\\"},        // only one goes
        {"", ""},
        {"C:", "C:"},
        {"C:/", "C:"},
        {"\\", ""},
        {"file.txt", "file.txt"},
        {kLong + "\\", kLong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveTrailingSep(c.in), c.want) << c.in;
}

TEST(mmFileTest, AddTrailingSep) {
    const TextCase cases[] = {
        {"C:\\dir", "C:\\dir\\"},
        {"C:\\dir\\", "C:\\dir\\"},
        {"http://host/a", "http://host/a/"},
        {"C:", "C:"},
        {"file.txt", "file.txt"},
        {"", ""},
        {"C:\\a/b", "C:\\a/b\\"},
        {"\\\\server", "\\\\server\\"},
        {kLong, kLong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddTrailingSep(c.in), c.want) << c.in;
}

TEST(mmFileTest, PathAndNameParts) {
    const struct {
        string in, path, name;
    } cases[] = {
        {"C:\\dir\\file.txt", "C:\\dir\\", "file.txt"},
        {"C:\\dir\\", "C:\\dir\\", ""},
        {"file.txt", "file.txt", "file.txt"},
        {"http://host/a/b.htm", "http://host/a/", "b.htm"},
        {"C:\\a/b", "C:\\", "a/b"},
        {"\\\\srv", "\\\\", "srv"},
        {"", "", ""},
        {"C:\\caf\xE9\\men\x9A.txt", "C:\\caf\xE9\\", "men\x9A.txt"}, // characters beyond ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetPathPart(c.in), c.path) << c.in;
        EXPECT_EQ(GetNamePart(c.in), c.name) << c.in;
    }
}

TEST(mmFileTest, GetExtension) {
    const struct {
        string in;
        optional<string> want;
    } cases[] = {
        {"report.tar.gz", "gz"}, {"README", nullopt},    {"C:\\my.dir\\file", "dir\\file"},
        {"C:\\dir.x\\", "x"},    {"file.", ""},          {"", nullopt},
        {".profile", "profile"}, {"http://h/a.b/", "b"}, {kLong + ".ext", "ext"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetExtension(c.in), c.want) << c.in;
}

TEST(mmFileTest, QuoteAndStripNull) {
    EXPECT_EQ(Quote("C:\\x"), "'C:\\x'");
    EXPECT_EQ(Quote(""), "''");
    const TextCase cases[] = {
        {string("ab\0cd", 5), "ab"}, {"abc", "abc"}, {string("\0x", 2), ""}, {"", ""},
        {string(260, '\0'), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripNull(c.in), c.want);
}

TEST(mmFileTest, TextClassification) {
    using Test = bool (*)(const string&);
    const struct {
        const char* name;
        Test test;
        std::vector<std::pair<string, bool>> cases;
    } tables[] = {
        {"IsDrivePath",
         IsDrivePath,
         {{"C:\\", true},
          {"x:\\anything", true},
          {"C:", false},
          {"C:/dir", false},
          {"", false},
          {"\\\\s", false},
          {"C:\\" + kLong, true}}},
        {"IsUNCPath", IsUNCPath, {{"\\\\", true}, {"\\\\srv\\share", true}, {"\\x", false}, {"C:\\", false}}},
        {"IsUNCServer",
         IsUNCServer,
         {{"\\\\", true},
          {"\\\\srv", true},
          {"\\\\srv\\", true},
          {"\\\\srv\\share", false},
          {"C:\\", false},
          {"\\\\srv\\share\\", false}}},
        {"IsUNCShare",
         IsUNCShare,
         {{"\\\\srv\\share", true},
          {"\\\\srv\\share\\dir", true},
          {"\\\\srv", false},
          {"\\\\", false},
          {"C:\\a\\b", false}}},
        {"IsHttpURL",
         IsHttpURL,
         {{"http://host", true},
          {"HTTP://HOST", true},
          {"https://host", false},
          {"http:/", false},
          {"", false},
          {"ftp://host", false}}},
        {"IsFtpURL",
         IsFtpURL,
         {{"ftp://host", true},
          {"FTP://HOST", true},
          {"ftp.host.org", true},
          {"ftpserver.local", true},
          {"ftp", false},
          {"sftp://host", false},
          {"ftp:x", false},
          {"FtP://x", true},
          {"", false}}},
        {"IsUrlShortcut",
         IsUrlShortcut,
         {{"a.url", true}, {"C:\\Fav\\A.URL", true}, {".url", true}, {"a.url ", false}, {"url", false}}},
        {"IsHtmlFile",
         IsHtmlFile,
         {{"a.html", true},
          {"A.HTM", true},
          {"page.Html", true},
          {"a.shtml", false},
          {"a.htmlx", false},
          {"htm", false},
          {"", false}}},
        {"IsArchive",
         IsArchive,
         {{"archive.zip", true},
          {"ARCHIVE.Z", true},
          {"a.tgz", true},
          {"report.tar.gz", true},
          {"a.bz2", true},
          {"C:\\dir.rar\\", true},
          {"a.zip2", false},
          {"README", false},
          {"a.7z", false},
          {"", false},
          {"x.CaB", true},
          {"x.ace", true},
          {"x.lzh", true},
          {"x.arj", true},
          {"x.tar", true}}},
    };
    for (const auto& t : tables)
        for (const auto& [in, want] : t.cases)
            EXPECT_EQ(t.test(in), want) << t.name << "(" << in << ")";
}

class mmFileDesktopTest : public ::testing::Test {
protected:
    mmFileDesktopTest() {
        c = desk.Files().MountScratch('C');
        desk.Files().MountScratch('D');
        desk.Files().MakeDir("C:\\work\\sub");
        desk.Files().MakeDir("C:\\Caf\xE9");
        desk.Files().WriteFile("C:\\work\\f.txt", "x");
        desk.Files().MakeDir("D:\\data");
        desk.Files().MountScratchShare("server", "share");
        desk.Files().MakeDir("\\\\server\\share\\docs");
        SetCurrentDirectoryA("C:\\work");
    }
    emu::Desktop desk;
    std::filesystem::path c;
};

TEST_F(mmFileDesktopTest, IsFolderAndIsFile) {
    std::ofstream(c / "\xE6\x97\xA5\xE6\x9C\xAC.txt") << "x"; // a host name outside the code page
    const struct {
        string path;
        bool folder, file;
    } cases[] = {
        {"C:\\work", true, false},
        {"c:\\WORK\\", true, false},
        {"C:\\work\\f.txt", false, true},
        {"C:\\WORK\\F.TXT", false, true},
        {"f.txt", false, true}, // relative to the current directory
        {"C:\\work\\f.txt\\", false, false},
        {"C:\\missing", false, false},
        {"C:\\missing\\deeper", false, false},
        {"", false, false},
        {"not a path", false, false},
        {"http://host/", false, false},
        {"C:\\work\\*", false, false},
        {"Q:\\", false, false},
        {"C:", true, false},
        {"C:\\caf\xC9", true, false}, // É is the upper case of é
        {"C:\\??.txt", false, false},
        {"\\\\server\\share", true, false},
        {"\\\\SERVER\\share\\DOCS", true, false},
        {"\\\\server", false, false},
        {kLong, false, false},
        {"C:\\" + kLong, false, false},
    };
    for (const auto& t : cases) {
        EXPECT_EQ(IsFolder(t.path), t.folder) << t.path;
        EXPECT_EQ(IsFile(t.path), t.file) << t.path;
    }
}

TEST_F(mmFileDesktopTest, GetFullPathAgainstTheCurrentDirectory) {
    ASSERT_EQ(GetCurrentDir(), "C:\\work\\");
    const struct {
        string in;
        optional<string> want;
    } cases[] = {
        {"sub\\f", "C:\\work\\sub\\f"}, {"\\tmp\\f", "C:\\tmp\\f"},
        {".\\f\\g", "C:\\work\\f\\g"},  {"..\\f\\g", "C:\\f\\g"},
        {"f", "C:\\work\\f"},           {"..\\..\\f", "C:\\..\\f"},
        {"\\\\srv\\s", "\\\\srv\\s"},   {"C:\\x", "C:\\x"},
        {"a/b", "C:\\work\\a/b"},       {"", nullopt},
    };
    for (const auto& t : cases)
        EXPECT_EQ(GetFullPath(t.in), t.want) << t.in;
    // A drive path comes back unchanged and makes its drive the current one.
    EXPECT_EQ(GetFullPath("D:\\x"), "D:\\x");
    EXPECT_EQ(GetCurrentDir(), "D:\\");
}

TEST_F(mmFileDesktopTest, CurrentDirectoryPerDrive) {
    SetCurrentDir("D:\\data");
    EXPECT_EQ(GetCurrentDir(), "D:\\data\\");
    SetCurrentDir("C:\\work\\sub");
    EXPECT_EQ(GetCurrentDir(), "C:\\work\\sub\\");
    // Asking with a drive path changes to that drive's own current directory, and it stays.
    EXPECT_EQ(GetCurrentDir("D:\\anything"), "D:\\data\\");
    EXPECT_EQ(GetCurrentDir(), "D:\\data\\");
    EXPECT_EQ(GetCurrentDir("C:\\"), "C:\\work\\sub\\");
    // Failures leave everything as it was.
    SetCurrentDir("C:\\missing");
    SetCurrentDir("Q:\\");
    desk.Files().MountScratch('E', DRIVE_CDROM);
    desk.Files().SetMedia('E', false);
    SetCurrentDir("E:\\");
    EXPECT_EQ(GetCurrentDir("E:\\"), "C:\\work\\sub\\");
    SetCurrentDir("\\\\server\\share\\docs");
    EXPECT_EQ(GetCurrentDir(), "\\\\server\\share\\docs\\");
}

TEST_F(mmFileDesktopTest, GetTempDir) {
    EXPECT_EQ(GetTempDir(), "C:\\WINDOWS\\TEMP\\");
    EXPECT_TRUE(IsFolder(GetTempDir()));
    desk.System().SetEnvironment("TMP", std::nullopt);
    desk.System().SetEnvironment("TEMP", "d:\\tmp");
    EXPECT_EQ(GetTempDir(), "D:\\tmp\\");
}

TEST(mmFileNoDriveTest, GetTempDirRaisesWithTheLastError) {
    emu::Desktop desk;
    try {
        GetTempDir();
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), ERROR_PATH_NOT_FOUND);
        EXPECT_EQ(e.Source(), "VireoBR");
        EXPECT_EQ(e.Description(), "Method 'GetTempDir' failed");
    }
}

TEST_F(mmFileDesktopTest, GetShortPath) {
    desk.Files().MakeDir("C:\\Program Files\\Long Folder Name");
    desk.Files().MakeDir("C:\\Program Data");
    desk.Files().WriteFile("C:\\Program Files\\Long Folder Name\\readme.txt");
    const TextCase cases[] = {
        {"C:\\Program Files\\Long Folder Name\\readme.txt", "C:\\PROGRA~2\\LONGFO~1\\readme.txt"},
        {"c:\\program data", "c:\\PROGRA~1"},
        {"C:\\work\\f.txt", "C:\\work\\f.txt"},
        {"C:\\missing file name", "C:\\missing file name"}, // no such path: the text itself
        {"", ""},
    };
    for (const auto& t : cases)
        EXPECT_EQ(GetShortPath(t.in), t.want) << t.in;
}

TEST_F(mmFileDesktopTest, ReadUrlShortcut) {
    desk.Files().WriteFile("C:\\fav\\site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    desk.Files().WriteFile("C:\\fav\\case.URL",
                           "[other]\nURL=wrong\n[internetshortcut]\n  url = http://x/  \n");
    desk.Files().WriteFile("C:\\fav\\quoted.url", "[InternetShortcut]\r\nURL=\"http://q/\"\r\n");
    desk.Files().WriteFile("C:\\fav\\broken.url", "this is not an ini file");
    desk.Files().WriteFile("C:\\fav\\nokey.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
    desk.Files().WriteFile("C:\\fav\\a.txt", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
    desk.Files().WriteFile("C:\\fav\\long.url",
                           "[InternetShortcut]\r\nURL=http://" + string(3000, 'x') + "\r\n");
    const TextCase cases[] = {
        {"C:\\fav\\site.url", "http://example.org/"},
        {"C:\\FAV\\SITE.URL", "http://example.org/"},
        {"C:\\fav\\case.URL", "http://x/"},
        {"C:\\fav\\quoted.url", "http://q/"},
        {"C:\\fav\\broken.url", ""},
        {"C:\\fav\\nokey.url", ""},
        {"C:\\fav\\missing.url", ""},
        {"C:\\fav\\a.txt", ""}, // not a shortcut by its name: the file is not read
        {"", ""},
        {"C:\\fav\\long.url", "http://" + string(2040, 'x')}, // 2047 characters fit the buffer
    };
    for (const auto& t : cases)
        EXPECT_EQ(ReadUrlShortcut(t.in), t.want) << t.in;
}

} // namespace
