// A host script as a test: expectations against what the line before printed, the exit status of the
// command line, output that is the same from run to run, and the settle after each line.
#include "HostScript.h"
#include "host/CommandLine.h"
#include "host/UserActions.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

TEST(ExpectTest, ExpectationsHoldOrReportTheLineWhatWasExpectedAndWhatCame) {
    struct Case {
        const char* lines; // after kTempScene (5 lines), so the first of them is line 6
        int failures;
        const char* report; // the error printed, when one is
    } cases[] = {
        {"address C:\\Temp\nexpect event NotifyURL \"C:\\Temp\\\" \"Temp\" *\n", 0, nullptr},
        {"address C:\\Temp\nexpect event NotifyURL \"C:\\Temp\\\" \"Temp\" \"C:\\Temp\" pidl:C:\\Temp\\ *\n",
         0, nullptr},
        {"address C:\\Temp\nexpect event PanelProperty * False False True\n", 0, nullptr},
        {"address C:\\Temp\n# a comment between\n\nexpect event CombUrlGotFocus\n", 0, nullptr},
        {"address C:\\Temp\nexpect no event OpenURL\nexpect no error\n", 0, nullptr},
        {"address C:\\Temp\nexpect event NotifyURL \"C:\\Temp\\\" \"Temp\"\n", 1,
         "error line 7: expected event NotifyURL \"C:\\Temp\\\" \"Temp\", came: event CombUrlGotFocus | "},
        {"address C:\\Temp\nexpect no event\n", 1, "error line 7: expected no event, came: "},
        {"invoke get Style\nexpect result Long 3\n", 0, nullptr},
        {"invoke get Style\nexpect result Long 2\n", 1,
         "error line 7: expected result Long 2, came: result Long 3"},
        {"say nothing\nexpect no event\nexpect event *\n", 1,
         "error line 8: expected event *, came: nothing"},
        {"address C:\\Temp\nclick a\nclock 200\nexpect event NotifySelection 1 \"a.txt\"\n"
         "expect status \"SIZE=1 KB, TYPE=TEXT DOCUMENT, MODIFIED=1/1/2001 12:00 PM\"\n",
         0, nullptr},
        // The status bar's text, changed by the line before or not.
        {"invoke InvertSelection\nexpect status \"DOUBLE-CLICK EMPTY SPACE TO GO UPWARD. THANKS !!!\"\n", 0,
         nullptr},
        {"say x\nexpect status \"busy\"\n", 1,
         "error line 7: expected status \"busy\", the status bar shows \"DOUBLE-CLICK EMPTY SPACE"},
        {"expect\n", 1, "error line 6: expect: expected what a record shows"},
        // A call's error fails the script unless the next line expects it.
        {"invoke let Style \"large\"\n", 1, "error line 6: 0x80020005 Type mismatch"},
        {"invoke let Style \"large\"\nexpect error 0x80020005 *\n", 0, nullptr},
        {"invoke let Style \"large\"\nexpect error 0x8002000A *\n", 2,
         "error line 7: expected error 0x8002000A *"},
        {"invoke let Style \"large\"\nsay later\nexpect error *\n", 2, nullptr},
        // A quoted word is one word: the error's text is several.
        {"bogus\nexpect error \"unknown command bogus\"\n", 2, "expected error \"unknown command bogus\""},
        {"bogus\nexpect error unknown command bogus\n", 0, nullptr},
        {"on NotifyURL invoke get Style\naddress C:\\Temp\nexpect result Long 3\n", 0, nullptr},
    };
    for (const Case& c : cases) {
        int failures = -1;
        const auto out = RunHost(std::string(kTempScene) + c.lines, false, &failures);
        EXPECT_EQ(failures, c.failures) << c.lines << Joined(out);
        if (c.report) {
            EXPECT_TRUE(Contains(out, c.report)) << c.lines << Joined(out);
        }
    }
}

// Runs the command line on a script given as standard input or as a file; returns the exit status.
struct Ran {
    int status = -1;
    std::string out, err;
};
Ran CommandLine(std::vector<const char*> args, const std::string& input = "", bool terminal = false) {
    args.insert(args.begin(), "vireo-host");
    std::istringstream in(input);
    std::ostringstream out, err;
    Ran r;
    r.status = host::RunCommandLine(int(args.size()), args.data(), in, terminal, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

TEST(ExitStatusTest, TheStatusSaysWhetherTheScriptHeldAndTheUsageNamesTheDocumentation) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vireo-host-exit-status";
    std::filesystem::create_directories(dir);
    const std::string good = (dir / "good.txt").string(), bad = (dir / "bad.txt").string();
    const std::string missing = (dir / "missing.txt").string(), folder = dir.string();
    std::ofstream(good) << "say fine\nmount C:\ncreate\ninvoke get Style\nexpect result Long 3\n";
    std::ofstream(bad) << "mount C:\ncreate\ninvoke get Style\nexpect result Long 1\n";
    struct Case {
        std::vector<const char*> args;
        const char* input;
        bool terminal;
        int status;
        const char* out; // a piece of standard output
        const char* err; // a piece of standard error
    } cases[] = {
        {{good.c_str()}, "", true, host::kExitOk, "# fine", ""},
        {{bad.c_str()}, "", false, host::kExitFailed, "error line 4: expected result Long 1", ""},
        {{"-"}, "say x\nexpect no event\n", false, host::kExitOk, "# x", ""},
        {{}, "bogus\n", false, host::kExitFailed, "error line 1: unknown command bogus", ""},
        {{},
         "mount C:\ncreate\ninvoke NavigateTV int:70000\n",
         false,
         host::kExitFailed,
         "error line 3: 0x8002000A Overflow converting to Integer",
         ""},
        {{}, "", true, host::kExitUsage, "", "docs/host.md"}, // a terminal and no script: the usage
        {{"--frobnicate", good.c_str()}, "", false, host::kExitUsage, "", "docs/host.md"},
        {{missing.c_str()}, "", false, host::kExitUsage, "", "cannot read the script"},
        {{folder.c_str()}, "", false, host::kExitUsage, "", "cannot read the script"},
        {{"a", "b"}, "", false, host::kExitUsage, "", "docs/host.md"},
        {{"--help"}, "", true, host::kExitOk, "docs/host.md", ""},
        {{"--json", "-"}, "say x\n", false, host::kExitOk, R"({"text":"x","type":"note"})", ""},
    };
    for (const Case& c : cases) {
        const Ran r = CommandLine(c.args, c.input, c.terminal);
        const std::string what = c.args.empty() ? "(no argument)" : c.args[0];
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.out << r.err;
        EXPECT_NE(r.out.find(c.out), std::string::npos) << what << "\n" << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << what << "\n" << r.err;
    }
    std::filesystem::remove_all(dir);
}

TEST(StableOutputTest, TwoRunsPrintTheSameBytesAndRawPrintsTheNumbers) {
    std::string script = kTempScene;
    script += R"(address C:\Temp
click a
clock 200
invoke get SelFolder
invoke get m_hwndLV
invoke ParentPidl
toolbar tree
address C:\Temp\Old
dialog type New
dialog press &Ok
invoke FileOperation int:5 ""
click New
invoke FileOperation int:1 ""
dialog press &Yes
invoke FileOperation int:3 C:\
)";
    auto run = [&](const char* flag) {
        std::vector<const char*> args{"-"};
        if (flag) args.insert(args.begin(), flag);
        return CommandLine(args, script);
    };
    const Ran first = run(nullptr), second = run(nullptr);
    EXPECT_EQ(first.status, host::kExitOk) << first.out;
    EXPECT_EQ(first.out, second.out);
    for (const char* name : {"desktop AutoComplete \"hwnd:Edit#1\"", "desktop MousePointer \"cursor:wait\"",
                             "pidl:C:\\Temp\\ ", "nPidl=pidl:C:\\Temp\\,", "result Long hwnd:SysListView32#",
                             "result Long pidl:C:\\\n", "desktop FileOperation \"hwnd:",
                             "desktop ShellExecuteEx \"0xC\" \"hwnd:", "\"pidl:C:\\Temp\\Old\\New\\\"\n"})
        EXPECT_NE(first.out.find(name), std::string::npos) << name << "\n" << first.out;
    // Raw output has the run's numbers instead of the names.
    const Ran raw = run("--raw");
    EXPECT_EQ(raw.status, host::kExitOk);
    for (const char* name : {"hwnd:", "pidl:C:", "cursor:"})
        EXPECT_EQ(raw.out.find(name), std::string::npos) << name << "\n" << raw.out;
    EXPECT_NE(raw.out.find("desktop MousePointer \"11\""), std::string::npos) << raw.out;
}

// A window that posts itself a message each time it gets one, n times (for ever when n is negative).
int g_echoes = 0;
LRESULT CALLBACK EchoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_APP) return DefWindowProcA(hwnd, msg, wParam, lParam);
    ++g_echoes;
    if (static_cast<LONG_PTR>(wParam) != 0) PostMessageA(hwnd, WM_APP, wParam - 1, 0);
    return 0;
}

TEST(SettleTest, RunsWhatMessagesPostInTurnAndStopsAWindowThatNeverStops) {
    std::ostringstream os;
    host::Output out(os, false);
    host::Host h(out);
    WNDCLASSA wc{};
    wc.lpfnWndProc = EchoProc;
    wc.lpszClassName = "Echo";
    RegisterClassA(&wc);
    HWND echo = CreateWindowExA(0, "Echo", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    // A chain of 5,000 posts settles in one go.
    g_echoes = 0;
    PostMessageA(echo, WM_APP, 4999, 0);
    host::Settle(h.Desk());
    EXPECT_EQ(g_echoes, 5000);
    // One that never stops is reported, with the window's class.
    g_echoes = 0;
    PostMessageA(echo, WM_APP, WPARAM(-1), 0);
    try {
        host::Settle(h.Desk());
        ADD_FAILURE() << "the settle did not stop";
    } catch (const host::ScriptError& e) {
        EXPECT_NE(std::string(e.what()).find("class Echo"), std::string::npos) << e.what();
    }
    EXPECT_EQ(g_echoes, int(host::kSettleLimit));
    DestroyWindow(echo);
}

} // namespace
