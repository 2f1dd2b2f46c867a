#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

class PathsTest : public ::testing::Test {
protected:
    PathsTest() {
        desk.Files().MountScratch('C');
        desk.Files().MountScratch('D');
        desk.Files().MakeDir("C:\\work");
        desk.Files().MakeDir("D:\\data\\sub");
        desk.Files().WriteFile("C:\\work\\file.txt");
    }
    std::string CurrentDirectory() {
        char buf[MAX_PATH];
        DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
        return std::string(buf, n);
    }
    std::string ShortPath(const char* path) {
        char buf[MAX_PATH];
        DWORD n = GetShortPathNameA(path, buf, MAX_PATH);
        return n && n < MAX_PATH ? std::string(buf, n) : "<" + std::to_string(GetLastError()) + ">";
    }
    emu::Desktop desk;
};

TEST_F(PathsTest, GetFullPathNameBufferAndFilePart) {
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\work"));
    char buf[32];
    char* part = nullptr;
    EXPECT_EQ(GetFullPathNameA("a\\b.txt", sizeof buf, buf, &part), 15u);
    EXPECT_STREQ(buf, "C:\\work\\a\\b.txt");
    EXPECT_STREQ(part, "b.txt");
    EXPECT_EQ(GetFullPathNameA("a\\", sizeof buf, buf, &part), 10u);
    EXPECT_EQ(part, nullptr); // a path ending with a separator has no file part
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(GetFullPathNameA("a\\b.txt", 15, buf, &part), 16u); // too small: the size needed, untouched
    EXPECT_EQ(buf[0], 'x');
    EXPECT_EQ(GetFullPathNameA("a\\b.txt", 16, buf, nullptr), 15u);
}

TEST_F(PathsTest, CurrentDirectoryPerDrive) {
    // One current directory: another drive's is what its variable "=X:" names, else the drive's root.
    ASSERT_TRUE(SetEnvironmentVariableA("=D:", "D:\\data"));
    const struct {
        const char* set;
        BOOL ok;
        DWORD error;
        const char* now;
    } steps[] = {
        {"D:\\data\\sub", TRUE, 0, "D:\\data\\sub"}, // the variable is not changed by this
        {"C:\\work\\", TRUE, 0, "C:\\work"},
        {"D:", TRUE, 0, "D:\\data"}, // the change of drive goes to the folder "=D:" names
        {"sub", TRUE, 0, "D:\\data\\sub"},
        {"c:", TRUE, 0, "C:\\"},   // C: has no variable: its root
        {"d:..", TRUE, 0, "D:\\"}, // relative to D's folder while C is current
        {"C:\\work\\file.txt", FALSE, ERROR_DIRECTORY, "D:\\"},
        {"C:\\missing", FALSE, ERROR_FILE_NOT_FOUND, "D:\\"},
        {"Q:\\", FALSE, ERROR_PATH_NOT_FOUND, "D:\\"},
        {"C:\\work", TRUE, 0, "C:\\work"},
        {"\\", TRUE, 0, "C:\\"},
        {"E:", FALSE, ERROR_NOT_READY, "C:\\"},
    };
    desk.Files().MountScratch('E', DRIVE_REMOVABLE);
    desk.Files().SetMedia('E', false);
    for (const auto& s : steps) {
        SetLastError(0);
        EXPECT_EQ(SetCurrentDirectoryA(s.set), s.ok) << s.set;
        EXPECT_EQ(GetLastError(), s.error) << s.set;
        EXPECT_EQ(CurrentDirectory(), s.now) << s.set;
    }
    char small[3];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof small, small), 4u); // "C:\" and its NUL
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), 4u);
}

TEST_F(PathsTest, SetEnvironmentVariable) {
    const struct {
        const char* name;
        const char* value;
        BOOL ok;
        DWORD error;
    } cases[] = {
        {"=C:", "C:\\work", TRUE, 0},
        {"VIREO", "1", TRUE, 0},
        {"VIREO", nullptr, TRUE, 0},
        {"VIREO", nullptr, TRUE, 0},
        {"A=B", "x", FALSE, ERROR_INVALID_PARAMETER},
        {"", "x", FALSE, ERROR_INVALID_PARAMETER},
        {nullptr, "x", FALSE, ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(SetEnvironmentVariableA(c.name, c.value), c.ok) << (c.name ? c.name : "NULL");
        EXPECT_EQ(GetLastError(), c.error) << (c.name ? c.name : "NULL");
    }
    char buf[16];
    EXPECT_EQ(GetEnvironmentVariableA("=c:", buf, sizeof buf), 7u);
    EXPECT_STREQ(buf, "C:\\work");
    EXPECT_EQ(GetEnvironmentVariableA("VIREO", buf, sizeof buf), 0u); // removed
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ENVVAR_NOT_FOUND));
}

TEST_F(PathsTest, TempPath) {
    char buf[MAX_PATH];
    EXPECT_EQ(GetTempPathA(MAX_PATH, buf), 16u);
    EXPECT_STREQ(buf, "C:\\WINDOWS\\TEMP\\");
    EXPECT_NE(GetFileAttributesA(buf), INVALID_FILE_ATTRIBUTES); // made when C: was mounted
    EXPECT_EQ(GetTempPathA(16, buf), 17u);
    const struct {
        const char* tmp;
        const char* temp;
        const char* want;
    } cases[] = {
        {"D:\\data", "C:\\t", "D:\\data\\"},
        {nullptr, "c:/t", "C:\\t\\"},
        {nullptr, nullptr, "C:\\Documents and Settings\\User\\"},
    };
    for (const auto& c : cases) {
        desk.System().SetEnvironment("TMP", c.tmp ? std::optional<std::string>(c.tmp) : std::nullopt);
        desk.System().SetEnvironment("TEMP", c.temp ? std::optional<std::string>(c.temp) : std::nullopt);
        ASSERT_NE(GetTempPathA(MAX_PATH, buf), 0u);
        EXPECT_STREQ(buf, c.want);
    }
    desk.System().SetEnvironment("TMP", "Q:\\temp");
    SetLastError(0);
    EXPECT_EQ(GetTempPathA(MAX_PATH, buf), 0u); // its drive is not mounted
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(PathsTest, ShortNamesAreGeneratedLikeWindows) {
    const char* names[] = {"Program Files",       "Program Data",      "readme.txt",       "LONGFI~1.HTM",
                           "Long File Name.html", "a.b.c.txt",         "x+y=z.doc",        ".bashrc",
                           "Name.jpeg",           "verylongname1.txt", "verylongname2.txt"};
    for (const char* n : names)
        desk.Files().WriteFile(std::string("C:\\names\\") + n);
    for (int i = 1; i <= 10; ++i)
        desk.Files().WriteFile("C:\\names\\longname" + std::to_string(i) + ".txt");
    const struct {
        const char* in;
        const char* want;
    } cases[] = {
        {"C:\\names\\Program Data", "C:\\names\\PROGRA~1"},
        {"C:\\names\\Program Files", "C:\\names\\PROGRA~2"},
        {"C:\\names\\readme.txt", "C:\\names\\readme.txt"},
        {"C:\\NAMES\\README.TXT", "C:\\NAMES\\README.TXT"},            // 8.3 components stay as written
        {"C:\\names\\Long File Name.html", "C:\\names\\LONGFI~2.HTM"}, // ~1 is a real name already
        {"C:\\names\\a.b.c.txt", "C:\\names\\ABC~1.TXT"},
        {"C:\\names\\x+y=z.doc", "C:\\names\\X_Y_Z~1.DOC"},
        {"C:\\names\\.bashrc", "C:\\names\\BASHRC~1"},
        {"C:\\names\\Name.jpeg", "C:\\names\\NAME~1.JPE"},
        {"C:\\names\\verylongname2.txt", "C:\\names\\VERYLO~2.TXT"},
        // In name order longname1, longname10, longname2 ... longname9: the tenth alias gives up a letter.
        {"C:\\names\\longname1.txt", "C:\\names\\LONGNA~1.TXT"},
        {"C:\\names\\longname10.txt", "C:\\names\\LONGNA~2.TXT"},
        {"C:\\names\\longname9.txt", "C:\\names\\LONGN~10.TXT"},
        {"c:/names/Program Files", "c:/names/PROGRA~2"},
        {"C:\\names\\missing", "<2>"},
        {"C:\\nowhere\\x", "<3>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortPath(c.in), c.want) << c.in;
    // The tenth alias of a stem gives up a letter of the base.
    for (int i = 1; i <= 10; ++i)
        desk.Files().WriteFile("C:\\ten\\documentation " + std::to_string(i) + ".txt");
    EXPECT_EQ(ShortPath("C:\\ten\\documentation 9.txt"), "C:\\ten\\DOCUM~10.TXT");
    // Aliases open files, and relative paths keep their form.
    EXPECT_NE(GetFileAttributesA("C:\\NAMES\\progra~2"), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\names"));
    EXPECT_EQ(ShortPath("Program Files"), "PROGRA~2");
    char small[8];
    EXPECT_EQ(GetShortPathNameA("C:\\names\\Program Files", small, sizeof small), 18u);
}

} // namespace
