#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <fstream>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test {
protected:
    ProfileTest() {
        desk.Files().MountScratch('C');
        desk.Files().WriteFile("C:\\app.ini", "; settings of the app\r\n"
                                              "[Settings]\r\n"
                                              "Name = Vireo Browser \r\n"
                                              "Quoted=\"  spaced  \"\r\n"
                                              "Single='x'\r\n"
                                              "Empty=\r\n"
                                              "NoEquals\r\n"
                                              "\r\n"
                                              "[Other]\n"
                                              "Key=1\n");
    }
    std::string Read(const char* file) {
        std::ifstream in(*desk.Files().Resolve(file), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    emu::Desktop desk;
};

TEST_F(ProfileTest, GetPrivateProfileString) {
    const struct {
        const char* section;
        const char* key;
        const char* def;
        DWORD size;
        std::string want;
        DWORD ret;
    } cases[] = {
        {"Settings", "Name", "d", 100, "Vireo Browser", 13},
        {"SETTINGS", "name", "d", 100, "Vireo Browser", 13},
        {"Settings", "Quoted", "d", 100, "  spaced  ", 10},
        {"Settings", "Single", "d", 100, "x", 1},
        {"Settings", "Empty", "dflt", 100, "", 0}, // found, empty: not the default
        {"Settings", "NoEquals", "dflt", 100, "", 0},
        {"Settings", "Missing", "dflt  ", 100, "dflt", 4}, // the default loses trailing blanks
        {"Settings", "Missing", nullptr, 100, "", 0},
        {"Nope", "Name", "d", 100, "d", 1},
        {"Settings", "Name", "d", 5, "Vire", 4}, // cut to nSize - 1
        {"Settings", "Missing", "default", 4, "def", 3},
        {"Other", "key", "d", 100, "1", 1},
        {"Settings", "Key", "d", 100, "d", 1}, // keys belong to their section
        {nullptr, nullptr, "d", 100, std::string("Settings\0Other\0\0", 16), 15},
        {"settings", nullptr, "d", 100, std::string("Name\0Quoted\0Single\0Empty\0NoEquals\0\0", 35), 34},
        {"settings", nullptr, "d", 10, std::string("Name\0Quo\0\0", 10), 8}, // cut: two NULs, nSize - 2
        {"nope", nullptr, "d", 100, std::string("\0", 1), 0},
    };
    for (const auto& c : cases) {
        char buf[100];
        std::memset(buf, '#', sizeof buf);
        DWORD n = GetPrivateProfileStringA(c.section, c.key, c.def, buf, c.size, "C:\\APP.INI");
        EXPECT_EQ(n, c.ret) << (c.section ? c.section : "(null)") << "/" << (c.key ? c.key : "(null)");
        EXPECT_EQ(std::string(buf, c.want.size()), c.want) << (c.key ? c.key : "(list)");
        if (c.key && c.section) {
            EXPECT_EQ(buf[c.want.size()], 0);
        }
    }
}

TEST_F(ProfileTest, MissingFilesAndTheWindowsFolder) {
    char buf[20];
    SetLastError(0);
    EXPECT_EQ(GetPrivateProfileStringA("a", "b", "def", buf, sizeof buf, "C:\\none.ini"), 3u);
    EXPECT_STREQ(buf, "def");
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    // A bare name lives in the Windows folder.
    ASSERT_TRUE(WritePrivateProfileStringA("s", "k", "v", "vireo.ini"));
    EXPECT_EQ(Read("C:\\WINDOWS\\VIREO.INI"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(GetPrivateProfileStringA("S", "K", "", buf, sizeof buf, "Vireo.ini"), 1u);
}

TEST_F(ProfileTest, WritePrivateProfileString) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* want;
    } steps[] = {
        {"InternetShortcut", "URL", "http://a/", "[InternetShortcut]\r\nURL=http://a/\r\n"},
        {"internetshortcut", "url", "http://b/",
         "[InternetShortcut]\r\nURL=http://b/\r\n"}, // keeps the spelling
        {"InternetShortcut", "IconIndex", "0", "[InternetShortcut]\r\nURL=http://b/\r\nIconIndex=0\r\n"},
        {"Extra", "k", "v", "[InternetShortcut]\r\nURL=http://b/\r\nIconIndex=0\r\n\r\n[Extra]\r\nk=v\r\n"},
        {"InternetShortcut", "k2", "v2",
         "[InternetShortcut]\r\nURL=http://b/\r\nIconIndex=0\r\nk2=v2\r\n\r\n[Extra]\r\nk=v\r\n"},
        {"InternetShortcut", "URL", nullptr,
         "[InternetShortcut]\r\nIconIndex=0\r\nk2=v2\r\n\r\n[Extra]\r\nk=v\r\n"},
        {"INTERNETSHORTCUT", nullptr, nullptr, "[Extra]\r\nk=v\r\n"},
        {"Missing", nullptr, nullptr, "[Extra]\r\nk=v\r\n"},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(WritePrivateProfileStringA(s.section, s.key, s.value, "C:\\fav.url"));
        EXPECT_EQ(Read("C:\\fav.url"), s.want) << s.section << " " << (s.key ? s.key : "(null)");
    }
    // Other lines stay as they were.
    ASSERT_TRUE(WritePrivateProfileStringA("Other", "Key", "2", "C:\\app.ini"));
    std::string app = Read("C:\\app.ini");
    EXPECT_NE(app.find("; settings of the app\r\n"), std::string::npos);
    EXPECT_NE(app.find("Name = Vireo Browser \r\n"), std::string::npos);
    EXPECT_NE(app.find("[Other]\r\nKey=2\r\n"), std::string::npos);

    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringA("s", "k", "v", "C:\\no\\x.ini"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", "C:\\x.ini"));
    EXPECT_TRUE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, "C:\\x.ini")); // flush
}

} // namespace
