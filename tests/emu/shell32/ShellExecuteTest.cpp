#include "platform/emu/shell32/ShellExecute.h"
#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/Handles.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const char* const kIE = "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\"";

std::string Hex(const void* p) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p)));
    return text;
}

class ShellExecuteTest : public shelltest::ShellTest {
protected:
    emu::Desktop& desktop = desk;
    emu::Journal& journal = desk.Log();

    void SetUp() override {
        for (const char* file :
             {"C:\\Docs\\readme.txt", "C:\\Docs\\page.htm", "C:\\Docs\\data.xyz", "C:\\Docs\\lib.dll",
              "C:\\Docs\\noext", "C:\\Docs\\My Notes.txt", "C:\\Apps\\tool.exe"})
            desktop.Files().WriteFile(file, "x");
        desktop.Files().MakeDir("C:\\Docs\\Sub");
    }

    // The command line of the one program started, checked against the shell's own record of it.
    std::string Started() {
        auto shell = journal.OfKind("ShellExecute");
        auto process = journal.OfKind("Process");
        if (shell.size() != 1 || process.size() != 1) {
            ADD_FAILURE() << shell.size() << " shell records, " << process.size() << " processes";
            return "";
        }
        EXPECT_EQ(process[0].fields.at(0), shell[0].fields.at(5));
        return shell[0].fields.at(5);
    }
};

TEST_F(ShellExecuteTest, FindExecutableNamesTheProgramOfTheDefaultVerb) {
    struct Case {
        const char* file;
        const char* directory;
        UINT_PTR code;
        const char* program;
    };
    const Case cases[] = {
        {"C:\\Docs\\readme.txt", nullptr, 42, "notepad.exe"},
        {"readme.txt", "C:\\Docs", 42, "notepad.exe"},
        {"c:\\DOCS\\README.TXT", nullptr, 42, "notepad.exe"},
        {"C:\\Docs\\page.htm", nullptr, 42, "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"C:\\Apps\\tool.exe", nullptr, 42, "C:\\Apps\\tool.exe"},
        {"C:\\Docs\\Sub", nullptr, 42, "explorer.exe"},
        {"C:\\Docs\\data.xyz", nullptr, SE_ERR_NOASSOC, ""},
        {"C:\\Docs\\lib.dll", nullptr, SE_ERR_NOASSOC, ""}, // a class without commands
        {"C:\\Docs\\noext", nullptr, SE_ERR_NOASSOC, ""},
        {"C:\\Docs\\missing.txt", nullptr, SE_ERR_FNF, ""},
        {"C:\\Nowhere\\missing.txt", nullptr, SE_ERR_PNF, ""},
        {nullptr, nullptr, SE_ERR_FNF, ""},
    };
    for (const Case& c : cases) {
        char result[MAX_PATH] = "junk";
        HINSTANCE h = FindExecutableA(c.file, c.directory, result);
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(h), c.code) << (c.file ? c.file : "(null)");
        EXPECT_STREQ(result, c.program) << (c.file ? c.file : "(null)");
    }
    EXPECT_TRUE(journal.All().empty());
}

TEST_F(ShellExecuteTest, OpeningRunsTheVerbsCommand) {
    struct Case {
        const char* verb;
        const char* file;
        const char* parameters;
        const char* directory;
        std::string commandLine;
        const char* verbRun;
    };
    const Case cases[] = {
        {"open", "C:\\Docs\\readme.txt", nullptr, nullptr, "notepad.exe \"C:\\Docs\\readme.txt\"", "open"},
        {"OPEN", "readme.txt", nullptr, "C:\\Docs", "notepad.exe \"C:\\Docs\\readme.txt\"", "OPEN"},
        {"print", "C:\\Docs\\readme.txt", nullptr, nullptr, "notepad.exe /p \"C:\\Docs\\readme.txt\"",
         "print"},
        {"open", "My Notes.txt", nullptr, "C:\\Docs", "notepad.exe \"C:\\Docs\\My Notes.txt\"", "open"},
        // The class names its default verb; "open" here places no item, so it is appended.
        {nullptr, "C:\\Docs\\page.htm", nullptr, nullptr, std::string(kIE) + " \"C:\\Docs\\page.htm\"",
         "opennew"},
        {"open", "C:\\Docs\\page.htm", nullptr, nullptr, std::string(kIE) + " -nohome C:\\Docs\\page.htm",
         "open"},
        {"", "C:\\Docs\\page.htm", nullptr, nullptr, std::string(kIE) + " \"C:\\Docs\\page.htm\"", "opennew"},
        {"edit", "C:\\Docs\\page.htm", nullptr, nullptr, "notepad.exe \"C:\\Docs\\page.htm\"", "edit"},
        {"open", "C:\\Apps\\tool.exe", "-x \"two words\"", nullptr, "\"C:\\Apps\\tool.exe\" -x \"two words\"",
         "open"},
        // A folder opens with the Folder class, not with the first of Directory's verbs.
        {nullptr, "C:\\Docs\\Sub", nullptr, nullptr, "explorer.exe \"C:\\Docs\\Sub\"", "open"},
        {"open", "C:\\", nullptr, nullptr, "explorer.exe \"C:\\\"", "open"},
        {"explore", "C:\\Docs\\Sub", nullptr, nullptr, "explorer.exe /e,\"C:\\Docs\\Sub\"", "explore"},
        {"open", "http://example.com/a?b=c", nullptr, nullptr,
         std::string(kIE) + " -nohome http://example.com/a?b=c", "open"},
        {"open", "mailto:me@example.com", nullptr, nullptr,
         "\"C:\\Program Files\\Outlook Express\\msimn.exe\" /mailurl:mailto:me@example.com", "open"},
    };
    for (const Case& c : cases) {
        journal.Clear();
        HINSTANCE h = ShellExecuteA(nullptr, c.verb, c.file, c.parameters, c.directory, 3);
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(h), 42u) << c.file;
        EXPECT_EQ(Started(), c.commandLine) << c.file;
        auto shell = journal.OfKind("ShellExecute");
        if (shell.size() == 1) {
            EXPECT_EQ(shell[0].fields[0], c.verbRun) << c.file;
            EXPECT_EQ(shell[0].fields[2], c.parameters ? c.parameters : "") << c.file;
            EXPECT_EQ(shell[0].fields[3], c.directory ? c.directory : "") << c.file;
            EXPECT_EQ(shell[0].fields[4], "3") << c.file;
            EXPECT_EQ(journal.OfKind("Process")[0].fields.at(1), "3") << c.file;
        }
        EXPECT_EQ(journal.Count("ShellExecuteEx"), 0u);
    }
}

TEST_F(ShellExecuteTest, FailuresStartNothing) {
    struct Case {
        const char* verb;
        const char* file;
        UINT_PTR code;
    };
    const Case cases[] = {
        {"open", "C:\\Docs\\data.xyz", SE_ERR_NOASSOC},         {"open", "C:\\Docs\\lib.dll", SE_ERR_NOASSOC},
        {"frobnicate", "C:\\Docs\\readme.txt", SE_ERR_NOASSOC}, {"open", "C:\\Docs\\missing.txt", SE_ERR_FNF},
        {"open", "C:\\Nowhere\\missing.txt", SE_ERR_PNF},       {"open", "Q:\\x.txt", SE_ERR_PNF},
        {"properties", "C:\\Docs\\missing.txt", SE_ERR_FNF},
    };
    for (const Case& c : cases) {
        HINSTANCE h = ShellExecuteA(nullptr, c.verb, c.file, nullptr, nullptr, 1);
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(h), c.code) << c.verb << " " << c.file;
    }
    EXPECT_TRUE(journal.All().empty()) << journal.All().front().Text();
}

TEST_F(ShellExecuteTest, ExpandableCommandsAreExpanded) {
    desktop.Reg().Load("HKCR\\txtfile\\shell\\open\\command = expand:%SystemRoot%\\system32\\NOTEPAD.EXE %1");
    ShellExecuteA(nullptr, "open", "C:\\Docs\\readme.txt", nullptr, nullptr, 1);
    EXPECT_EQ(Started(), "C:\\WINDOWS\\system32\\NOTEPAD.EXE C:\\Docs\\readme.txt");
    char result[MAX_PATH];
    FindExecutableA("C:\\Docs\\readme.txt", nullptr, result);
    EXPECT_STREQ(result, "C:\\WINDOWS\\system32\\NOTEPAD.EXE");
}

TEST(ShellCommandLineTest, TemplatesPlaceItemAndParameters) {
    struct Case {
        const char* command;
        const char* item;
        const char* parameters;
        const char* line;
    };
    const Case cases[] = {
        {"app.exe \"%1\"", "C:\\a b.txt", "", "app.exe \"C:\\a b.txt\""},
        {"app.exe %L", "C:\\a.txt", "", "app.exe C:\\a.txt"},
        {"app.exe %l %d", "C:\\a.txt", "", "app.exe C:\\a.txt C:\\a.txt"},
        {"\"%1\" %*", "C:\\t.exe", "-a \"b c\" d", "\"C:\\t.exe\" -a \"b c\" d"},
        {"t.exe %~", "x", "p q", "t.exe p q x"},
        {"t.exe %1 %3 %2 %9", "x", "-a \"b c\" d", "t.exe x \"b c\" -a "},
        {"t.exe /idlist,%I,%L", "C:\\d", "", "t.exe /idlist,,C:\\d"},
        {"t.exe 100%% %1", "x", "", "t.exe 100% x"},
        {"t.exe %q %1", "x", "", "t.exe %q x"},
        {"t.exe %", "x", "", "t.exe % x"},
        {"t.exe -nohome", "C:\\a.htm", "ignored", "t.exe -nohome C:\\a.htm"},
        {"t.exe", "C:\\My Docs\\a.htm", "", "t.exe \"C:\\My Docs\\a.htm\""},
        {"t.exe", "", "", "t.exe"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(emu::BuildCommandLine(c.command, c.item, c.parameters), c.line) << c.command;
    EXPECT_EQ(emu::CommandProgram("  \"C:\\P F\\x.exe\" -a"), "C:\\P F\\x.exe");
    EXPECT_EQ(emu::CommandProgram("rundll32.exe a.dll,B %1"), "rundll32.exe");
    EXPECT_EQ(emu::CommandProgram("   "), "");
}

TEST_F(ShellExecuteTest, ExRecordsTheStructureAndKeepsTheProcessWhenAsked) {
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.hwnd = reinterpret_cast<HWND>(0x1234);
    sei.lpVerb = "open";
    sei.lpFile = "readme.txt";
    sei.lpDirectory = "C:\\Docs";
    sei.nShow = 7;
    size_t handles = desktop.System().Handles().Count();
    ASSERT_TRUE(ShellExecuteExA(&sei));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(sei.hInstApp), 42u);
    ASSERT_NE(sei.hProcess, nullptr);
    EXPECT_EQ(WaitForSingleObject(sei.hProcess, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(sei.hProcess));
    EXPECT_EQ(desktop.System().Handles().Count(), handles);
    ASSERT_EQ(journal.Count("ShellExecuteEx"), 1u);
    EXPECT_EQ(journal.OfKind("ShellExecuteEx")[0].fields,
              (std::vector<std::string>{"0x440", "0x1234", "open", "readme.txt", "(null)", "C:\\Docs", "7",
                                        "0x0", "(null)"}));
    EXPECT_EQ(Started(), "notepad.exe \"C:\\Docs\\readme.txt\"");
    EXPECT_EQ(journal.OfKind("Process")[0].fields.at(1), "7");

    // Without SEE_MASK_NOCLOSEPROCESS the shell closes the process itself.
    sei.fMask = SEE_MASK_FLAG_NO_UI;
    sei.hProcess = nullptr;
    ASSERT_TRUE(ShellExecuteExA(&sei));
    EXPECT_EQ(sei.hProcess, nullptr);
    EXPECT_EQ(desktop.System().Handles().Count(), handles);
}

TEST_F(ShellExecuteTest, ExFailuresSetTheLastErrorAndShowAMessageUnlessToldNot) {
    struct Case {
        const char* file;
        ULONG mask;
        UINT_PTR code;
        DWORD error;
        const char* message; // "" when none is shown
    };
    const Case cases[] = {
        {"C:\\Docs\\data.xyz", 0, SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION,
         "Windows cannot open this file: C:\\Docs\\data.xyz"},
        {"C:\\Docs\\data.xyz", SEE_MASK_FLAG_NO_UI, SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION, ""},
        {"C:\\Docs\\gone.txt", 0, SE_ERR_FNF, ERROR_FILE_NOT_FOUND,
         "Windows cannot find 'C:\\Docs\\gone.txt'. Make sure you typed the name correctly, and then try "
         "again."},
        {"C:\\Gone\\gone.txt", SEE_MASK_FLAG_NO_UI, SE_ERR_PNF, ERROR_PATH_NOT_FOUND, ""},
    };
    for (const Case& c : cases) {
        journal.Clear();
        SHELLEXECUTEINFOA sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = c.mask;
        sei.lpFile = c.file;
        SetLastError(0);
        EXPECT_FALSE(ShellExecuteExA(&sei)) << c.file;
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(sei.hInstApp), c.code) << c.file;
        EXPECT_EQ(GetLastError(), c.error) << c.file;
        auto shown = journal.OfKind("ShellError");
        if (*c.message) {
            ASSERT_EQ(shown.size(), 1u) << c.file;
            EXPECT_EQ(shown[0].fields, (std::vector<std::string>{std::to_string(c.code), c.file, c.message}));
        } else {
            EXPECT_TRUE(shown.empty()) << c.file;
        }
        EXPECT_EQ(journal.Count("Process"), 0u);
    }
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei - 1;
    sei.lpFile = "C:\\Docs\\readme.txt";
    EXPECT_FALSE(ShellExecuteExA(&sei));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(ShellExecuteTest, PropertiesShowASheetForFilesFoldersAndLists) {
    LPITEMIDLIST file = Parse("C:\\Docs\\readme.txt");
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    struct Case {
        const char* file;
        const char* directory;
        LPITEMIDLIST idList;
        std::string item;
    };
    const Case cases[] = {
        {"C:\\Docs\\readme.txt", "", nullptr, "C:\\Docs\\readme.txt"},
        {"", "C:\\Docs\\Sub", nullptr, "C:\\Docs\\Sub"},
        {"", "", file, "C:\\Docs\\readme.txt"},
        {"", "", computer, emu::PidlJournalText(computer)},
    };
    EXPECT_EQ(emu::PidlJournalText(computer),
              "pidl:" + Hex(computer).substr(2) + ":" + std::to_string(ILGetSize(computer)));
    for (const Case& c : cases) {
        journal.Clear();
        SHELLEXECUTEINFOA sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        sei.lpVerb = "properties";
        sei.lpFile = c.file;
        sei.lpDirectory = c.directory;
        sei.lpIDList = c.idList;
        ASSERT_TRUE(ShellExecuteExA(&sei)) << c.item;
        EXPECT_GT(reinterpret_cast<UINT_PTR>(sei.hInstApp), 32u);
        EXPECT_EQ(sei.hProcess, nullptr);
        ASSERT_EQ(journal.Count("Properties"), 1u);
        EXPECT_EQ(journal.OfKind("Properties")[0].fields, std::vector<std::string>{c.item});
        EXPECT_EQ(journal.Count("Process"), 0u);
    }
    ILFree(file);
    ILFree(computer);
}

TEST_F(ShellExecuteTest, AnItemIdListRunsItsItemsDefaultVerb) {
    LPITEMIDLIST file = Parse("C:\\Docs\\readme.txt");
    LPITEMIDLIST folder = Parse("C:\\Docs\\Sub");
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    struct Case {
        LPITEMIDLIST idList;
        std::string item;
        std::string commandLine; // "" when nothing starts
    };
    const Case cases[] = {
        {file, "C:\\Docs\\readme.txt", "notepad.exe \"C:\\Docs\\readme.txt\""},
        {folder, "C:\\Docs\\Sub", "explorer.exe \"C:\\Docs\\Sub\""},
        {computer, emu::PidlJournalText(computer), ""},
    };
    for (const Case& c : cases) {
        journal.Clear();
        SHELLEXECUTEINFOA sei{};
        sei.cbSize = sizeof sei;
        sei.fMask = SEE_MASK_INVOKEIDLIST;
        sei.nShow = 1;
        sei.lpIDList = c.idList;
        ASSERT_TRUE(ShellExecuteExA(&sei)) << c.item;
        EXPECT_EQ(journal.OfKind("ShellExecuteEx")[0].fields.back(), emu::PidlJournalText(c.idList));
        auto shell = journal.OfKind("ShellExecute");
        ASSERT_EQ(shell.size(), 1u) << c.item;
        EXPECT_EQ(shell[0].fields[1], c.item);
        EXPECT_EQ(shell[0].fields[5], c.commandLine);
        EXPECT_EQ(journal.Count("Process"), c.commandLine.empty() ? 0u : 1u) << c.item;
    }
    // A list given without SEE_MASK_IDLIST is not looked at: the file is what counts.
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_FLAG_NO_UI;
    sei.lpIDList = file;
    EXPECT_FALSE(ShellExecuteExA(&sei));
    ILFree(file);
    ILFree(folder);
    ILFree(computer);
}

} // namespace
