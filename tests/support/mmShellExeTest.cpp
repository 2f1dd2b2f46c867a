#include "support/mmShellExe.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/Handles.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/shell32/ShellExecute.h"
#include "support/mmEvents.h"
#include "support/mmModule.h"
#include "support/mmShellMacro.h"

using namespace vireo;
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {

std::string Hex(ULONG_PTR n) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(n));
    return text;
}

class mmShellExeTest : public ::testing::Test {
protected:
    emu::Desktop desktop;
    emu::Journal& journal = desktop.Log();

    void SetUp() override {
        desktop.Files().MountScratch('C');
        desktop.Files().WriteFile("C:\\Docs\\readme.txt", "x");
        desktop.Files().WriteFile("C:\\Docs\\data.xyz", "x");
        desktop.Files().MakeDir("C:\\Docs\\Sub");
    }

    void TearDown() override { EXPECT_EQ(desktop.Reg().OpenHandleCount(), 0u); }
};

TEST_F(mmShellExeTest, HasAssociation) {
    const struct {
        const char* file;
        bool has;
    } cases[] = {
        {"", false},
        {"C:\\Docs\\readme.txt", true},
        {"C:\\Docs\\data.xyz", false},
        {"C:\\Docs\\missing.txt", false},
        {"C:\\Docs\\Sub", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasAssociation(c.file), c.has) << c.file;
    EXPECT_TRUE(journal.All().empty());
}

TEST_F(mmShellExeTest, ShellOpenStartsTheAssociatedProgram) {
    struct Case {
        const char* target;
        bool check;
        bool opened;
        const char* commandLine; // "" when nothing starts
    };
    const Case cases[] = {
        {"C:\\Docs\\readme.txt", true, true, "notepad.exe \"C:\\Docs\\readme.txt\""},
        {"C:\\Docs\\readme.txt", false, true, "notepad.exe \"C:\\Docs\\readme.txt\""},
        {"C:\\Docs\\data.xyz", true, false, ""},
        {"C:\\Docs\\data.xyz", false, false, ""},
        {"C:\\Docs\\missing.txt", false, false, ""},
        // A web address has no program that FindExecutable would name, so the check refuses it.
        {"http://example.com/", true, false, ""},
        {"http://example.com/", false, true,
         "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome http://example.com/"},
    };
    for (const Case& c : cases) {
        journal.Clear();
        EXPECT_EQ(ShellOpen(c.target, c.check), c.opened) << c.target << " " << c.check;
        auto processes = journal.OfKind("Process");
        if (*c.commandLine) {
            ASSERT_EQ(processes.size(), 1u) << c.target;
            EXPECT_EQ(processes[0].fields.at(0), c.commandLine);
            EXPECT_EQ(processes[0].fields.at(1), "1"); // SW_SHOWNORMAL
            auto shell = journal.OfKind("ShellExecute");
            ASSERT_EQ(shell.size(), 1u);
            EXPECT_EQ(shell[0].fields.at(0), "open");
        } else {
            EXPECT_TRUE(processes.empty()) << c.target;
        }
    }
}

TEST_F(mmShellExeTest, ShellAndWaitReturnsOnceTheProgramHasRun) {
    std::vector<std::string> ran;
    desktop.System().SetProcessHandler("cmd", [&](const emu::ProcessStart& start) {
        ran.push_back(start.commandLine);
        return 0u;
    });
    size_t handles = desktop.System().Handles().Count();
    ShellAndWait("cmd.exe /c dir C:\\Docs > C:\\list.txt", 0);
    EXPECT_EQ(ran, std::vector<std::string>{"cmd.exe /c dir C:\\Docs > C:\\list.txt"});
    auto processes = journal.OfKind("Process");
    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].fields.at(1), "0"); // hidden
    EXPECT_EQ(desktop.System().Handles().Count(), handles);
}

TEST_F(mmShellExeTest, ExecutePidlRunsTheDefaultVerbWithTheComponentInstance) {
    LONG_PTR pidl = PidlFromPath(nullptr, "C:\\Docs\\readme.txt");
    ASSERT_NE(pidl, 0);
    HWND owner = reinterpret_cast<HWND>(0x5678);
    SetComponentInstance(reinterpret_cast<HINSTANCE>(0x400000));
    ExecutePidl(owner, pidl);
    SetComponentInstance(nullptr);
    auto calls = journal.OfKind("ShellExecuteEx");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].fields,
              (std::vector<std::string>{"0xC", "0x5678", "(null)", "(null)", "(null)", "(null)", "1",
                                        "0x400000", emu::PidlJournalText(reinterpret_cast<void*>(pidl))}));
    auto processes = journal.OfKind("Process");
    ASSERT_EQ(processes.size(), 1u);
    EXPECT_EQ(processes[0].fields.at(0), "notepad.exe \"C:\\Docs\\readme.txt\"");
    EXPECT_EQ(ComponentInstance(), GetModuleHandleA(nullptr));
    FreePidl(pidl);
}

TEST_F(mmShellExeTest, ShowPropertiesByPathOrList) {
    LONG_PTR pidl = SpecialFolderPidl(nullptr, CSIDL_DRIVES);
    ASSERT_NE(pidl, 0);
    const std::string pidlText = emu::PidlJournalText(reinterpret_cast<void*>(pidl));
    struct Case {
        Variant item;
        bool shown;
        const char* file; // the fields passed, when the shell is called
        const char* directory;
        std::string idList;
    };
    const Case cases[] = {
        {Variant::Long(0), false, nullptr, nullptr, ""},
        {Variant::Long(pidl), true, "", "", pidlText},
        {Variant("C:\\Docs\\Sub"), true, "", "C:\\Docs\\Sub", "(null)"},
        {Variant("C:\\Docs\\readme.txt"), true, "C:\\Docs\\readme.txt", "", "(null)"},
        {Variant("C:\\Docs\\missing.txt"), false, nullptr, nullptr, ""},
        {Variant(""), false, nullptr, nullptr, ""},
    };
    HWND owner = reinterpret_cast<HWND>(0x99);
    for (const Case& c : cases) {
        journal.Clear();
        EXPECT_EQ(ShowProperties(owner, c.item), c.shown) << c.item.Text();
        auto calls = journal.OfKind("ShellExecuteEx");
        if (!c.file) {
            EXPECT_TRUE(calls.empty()) << c.item.Text();
            continue;
        }
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].fields, (std::vector<std::string>{"0x44C", Hex(0x99), "properties", c.file,
                                                             "(null)", c.directory, "0", "0x0", c.idList}));
        EXPECT_EQ(journal.Count("Properties"), 1u);
    }
    FreePidl(pidl);
}

thread_local int t_posted = 0;
LRESULT CALLBACK CountPosted(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER) ++t_posted;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(mmShellExeTest, CallsLetPendingMessagesRun) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountPosted;
    wc.lpszClassName = "Pending";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "Pending", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    LONG_PTR pidl = PidlFromPath(nullptr, "C:\\Docs");
    const struct {
        const char* what;
        std::function<void()> call;
        int dispatched;
    } cases[] = {
        {"ShellOpen", [] { ShellOpen("C:\\Docs\\readme.txt", true); }, 1},
        {"ShellOpen refused by its check", [] { ShellOpen("C:\\Docs\\data.xyz", true); }, 0},
        {"ShellOpen failing", [] { ShellOpen("C:\\Docs\\data.xyz", false); }, 1},
        {"ShellAndWait", [] { ShellAndWait("cmd.exe /c ver", 0); }, 1},
        {"ExecutePidl", [&] { ExecutePidl(hwnd, pidl); }, 1},
        {"ShowProperties", [] { ShowProperties(nullptr, Variant("C:\\Docs")); }, 1},
        {"ShowProperties of no list", [] { ShowProperties(nullptr, Variant::Long(0)); }, 1},
    };
    for (const auto& c : cases) {
        t_posted = 0;
        PostMessageA(hwnd, WM_USER, 0, 0);
        c.call();
        EXPECT_EQ(t_posted, c.dispatched) << c.what;
        DoEvents();
    }
    DestroyWindow(hwnd);
    FreePidl(pidl);
}

TEST(mmShellExeTextTest, StrFromPtr) {
    EXPECT_EQ(StrFromPtrA("abc"), "abc");
    EXPECT_EQ(StrFromPtrA("caf\xe9"), "caf\xe9");
    EXPECT_EQ(StrFromPtrA(""), "");
    EXPECT_EQ(StrFromPtrA(nullptr), "");
    emu::Desktop desktop;
    const struct {
        const char16_t* wide;
        const char* narrow;
    } cases[] = {
        {u"abc", "abc"},         {u"caf\u00e9", "caf\xe9"},
        {u"\u20ac 5", "\x80 5"}, // the euro sign is in the code page
        {u"a\u4e2db", "a0b"},    // a character the code page cannot hold becomes the digit 0
        {u"\u4e2d\u6587", "00"}, {u"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrFromPtrW(c.wide), c.narrow) << c.narrow;
}

TEST(mmShellExeTextTest, ApiErrorText) {
    emu::Desktop desktop;
    EXPECT_EQ(ApiErrorText(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified. ");
    EXPECT_EQ(ApiErrorText(ERROR_ALREADY_EXISTS), "Cannot create a file when that file already exists. ");
    EXPECT_EQ(ApiErrorText(0x7FFFFFF0), "");
}

TEST(mmShellExeWordTest, LoWordAndMakeLong) {
    const struct {
        int32_t value;
        int16_t low;
    } lows[] = {{0x12345678, 0x5678}, {0x00008000, -32768}, {-1, -1}, {0x10000, 0}, {0x7FFF, 0x7FFF}};
    for (const auto& c : lows)
        EXPECT_EQ(LoWord(c.value), c.low) << c.value;
    const struct {
        int16_t low, high;
        int32_t value;
    } longs[] = {
        {2, 0, 2}, {0, 1, 65536}, {0x7FFF, 0x7FFF, 0x7FFF7FFF}, {1, -1, int32_t(0xFFFF0001u)}, {0, 0, 0}};
    for (const auto& c : longs)
        EXPECT_EQ(MakeLong(c.low, c.high), c.value) << c.low << " " << c.high;
}

} // namespace
