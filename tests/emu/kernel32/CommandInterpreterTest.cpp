#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/CommandInterpreter.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

class CommandInterpreterTest : public ::testing::Test {
protected:
    CommandInterpreterTest() {
        root = desk.Files().MountScratch('C', 3, "SYSTEM");
        fs::create_directories(root / "Docs" / "b-dir");
        fs::create_directories(root / "Docs" / "A-dir");
        Write("Docs/zeta.txt", 1234, 2026y / 12 / 5, 22h + 22min);
        Write("Docs/alpha.log", 7, 2026y / 1 / 2, 9h + 5min);
        Write("Docs/Long File Name.text", 1234567, 2025y / 7 / 14, 12h);
        Write("Docs/hidden.sys", 1, 2025y / 7 / 14, 0h);
        SetFileAttributesA("C:\\Docs\\hidden.sys", FILE_ATTRIBUTE_HIDDEN);
    }
    void Write(const std::string& rel, size_t size, year_month_day day, minutes time) {
        std::ofstream(root / rel, std::ios::binary) << std::string(size, 'x');
        fs::last_write_time(root / rel, file_clock::from_sys(sys_seconds(sys_days(day) + time)));
    }
    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t crlf; (crlf = text.find("\r\n", start)) != std::string::npos; start = crlf + 2)
            lines.push_back(text.substr(start, crlf - start));
        EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
        return lines;
    }
    // The names column of the NT listing's entry lines.
    static std::vector<std::string> Names(const std::string& listing) {
        std::vector<std::string> names;
        for (const std::string& line : Lines(listing))
            if (line.size() > 39 && line[2] == '/' && line[5] == '/') names.push_back(line.substr(39));
        return names;
    }
    std::string Run(const std::string& commandLine, const std::string& dir = "C:\\Docs") {
        SetCurrentDirectoryA(dir.c_str());
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string line = commandLine;
        EXPECT_TRUE(
            CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        GetExitCodeProcess(pi.hProcess, &exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        std::ifstream in(root / "list.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    emu::Desktop desk;
    fs::path root;
    DWORD exitCode = 99;
};

TEST_F(CommandInterpreterTest, TheListingCommandWritesAnNTListingOfTheCurrentFolder) {
    std::string listing = Run("cmd.exe /c dir /o /a/ogen/-p  >  C:\\list.txt");
    EXPECT_EQ(exitCode, 0u);
    std::vector<std::string> lines = Lines(listing);
    ASSERT_GE(lines.size(), 14u);
    EXPECT_EQ(lines[0], " Volume in drive C is SYSTEM");
    EXPECT_TRUE(lines[1].starts_with(" Volume Serial Number is ")) << lines[1];
    EXPECT_EQ(lines[3], " Directory of C:\\Docs");
    // Folders first, then by extension, then by name; the hidden file only because of /a.
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "A-dir", "b-dir", "alpha.log",
                                                        "hidden.sys", "Long File Name.text", "zeta.txt"}));
    EXPECT_NE(listing.find("12/05/2026  10:22 PM             1,234 zeta.txt\r\n"), std::string::npos);
    EXPECT_NE(listing.find("07/14/2025  12:00 PM         1,234,567 Long File Name.text\r\n"),
              std::string::npos);
    EXPECT_NE(listing.find("    <DIR>          A-dir\r\n"), std::string::npos);
    EXPECT_NE(listing.find("               4 File(s)      1,235,809 bytes\r\n"), std::string::npos);
    EXPECT_NE(listing.find("               4 Dir(s) "), std::string::npos);
}

TEST_F(CommandInterpreterTest, SwitchesChooseTheFilesAndTheirOrder) {
    struct Case {
        const char* arguments;
        std::vector<std::string> names;
    } cases[] = {
        {"", {".", "..", "b-dir", "A-dir", "zeta.txt", "alpha.log", "Long File Name.text"}},
        {"/o", {".", "..", "A-dir", "b-dir", "alpha.log", "Long File Name.text", "zeta.txt"}},
        {"/on", {".", "..", "A-dir", "alpha.log", "b-dir", "Long File Name.text", "zeta.txt"}},
        {"/o-n", {".", "..", "zeta.txt", "Long File Name.text", "b-dir", "alpha.log", "A-dir"}},
        {"/os", {".", "..", "A-dir", "b-dir", "alpha.log", "zeta.txt", "Long File Name.text"}},
        {"/o-d", {".", "..", "A-dir", "b-dir", "zeta.txt", "alpha.log", "Long File Name.text"}},
        {"/a /o /o-gn",
         {".", "..", "alpha.log", "hidden.sys", "Long File Name.text", "zeta.txt", "A-dir", "b-dir"}},
    };
    // Ties keep the order the folder gives (the two folders have size 0 and the same date).
    for (const Case& c : cases) {
        std::vector<std::string> names =
            Names(emu::DirListing(c.arguments, "C:\\Docs", emu::ListingStyle::NT));
        if (std::string(c.arguments).empty()) {
            std::sort(names.begin() + 2, names.end());
            std::vector<std::string> expected = c.names;
            std::sort(expected.begin() + 2, expected.end());
            EXPECT_EQ(names, expected) << "no /a: the hidden file is left out";
        } else {
            EXPECT_EQ(names, c.names) << c.arguments;
        }
    }
}

TEST_F(CommandInterpreterTest, CommandComWritesTheShortNameColumnsFirst) {
    std::string listing = Run("command.com /c dir /o /a/ogen/-p  >  C:\\list.txt");
    EXPECT_EQ(exitCode, 0u);
    EXPECT_NE(listing.find(" Directory of C:\\Docs\r\n\r\n"), std::string::npos);
    EXPECT_NE(listing.find("ZETA     TXT         1,234  12-05-26 10:22p zeta.txt\r\n"), std::string::npos);
    EXPECT_NE(listing.find("A-DIR        <DIR>         "), std::string::npos);
    EXPECT_NE(listing.find("        4 file(s)      1,235,809 bytes\r\n"), std::string::npos);
}

TEST_F(CommandInterpreterTest, RedirectionAndFailures) {
    // A second listing replaces the first; ">>" appends.
    std::string first = Run("cmd.exe /c dir > C:\\list.txt");
    std::string second = Run("cmd.exe /c dir > C:\\list.txt", "C:\\Docs\\A-dir");
    EXPECT_EQ(second.find("zeta.txt"), std::string::npos);
    EXPECT_EQ(Names(second), (std::vector<std::string>{".", ".."}));
    std::string both = Run("cmd.exe /c dir C:\\Docs >> C:\\list.txt", "C:\\Docs\\A-dir");
    EXPECT_EQ(both, second + first);
    // A folder that cannot be read leaves the redirected file empty and fails.
    EXPECT_EQ(Run("cmd.exe /c dir C:\\Missing > C:\\list.txt"), "");
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(Run("cmd.exe /c frobnicate > C:\\list.txt"), "");
    EXPECT_EQ(exitCode, 1u);
    EXPECT_NE(Run("cmd.exe /c ver > C:\\list.txt").find("Microsoft Windows"), std::string::npos);
}

} // namespace
