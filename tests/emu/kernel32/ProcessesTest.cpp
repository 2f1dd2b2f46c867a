#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

class ProcessesTest : public ::testing::Test {
protected:
    ProcessesTest() { desk.Files().MountScratch('C'); }
    emu::Desktop desk;
};

TEST_F(ProcessesTest, StartsAreRecordedAndPlayedByTheirHandler) {
    std::vector<emu::ProcessStart> seen;
    desk.System().SetProcessHandler("CMD", [&](const emu::ProcessStart& s) {
        seen.push_back(s);
        return 3u;
    });
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = 0;
    PROCESS_INFORMATION pi{};
    char cmd[] = "C:\\WINDOWS\\system32\\cmd.exe /c dir C:\\ > C:\\list.txt";
    ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].program, "cmd.exe");
    EXPECT_EQ(seen[0].show, 0u);
    EXPECT_EQ(seen[0].currentDirectory, "C:\\");

    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pi.dwProcessId);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(WaitForSingleObject(h, INFINITE), DWORD(WAIT_OBJECT_0)); // finished at once
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(code, 3u);
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_TRUE(CloseHandle(pi.hProcess));
    EXPECT_TRUE(CloseHandle(pi.hThread));

    // Without STARTF_USESHOWWINDOW the show state is SW_SHOWDEFAULT; programs without a handler do nothing.
    si.dwFlags = 0;
    char quoted[] = "\"C:\\Program Files\\App\\app.exe\" -x";
    ASSERT_TRUE(CreateProcessA(nullptr, quoted, nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &si, &pi));
    ASSERT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_GT(WinExec("notepad.exe C:\\x.txt", 1), 31u);

    std::vector<std::string> texts;
    for (const auto& r : desk.Log().OfKind("Process"))
        texts.push_back(r.Text());
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Process: C:\\WINDOWS\\system32\\cmd.exe /c dir C:\\ > C:\\list.txt | 0",
                         "Process: \"C:\\Program Files\\App\\app.exe\" -x | 10",
                         "Process: notepad.exe C:\\x.txt | 1"}));
}

TEST_F(ProcessesTest, ProgramNamesAndUnknownProcesses) {
    const struct {
        const char* cmd;
        const char* program;
    } cases[] = {
        {"cmd.exe /c dir", "cmd.exe"},
        {"  \"C:\\A B\\x.exe\" arg", "x.exe"},
        {"C:/tools/y.com", "y.com"},
        {"notepad", "notepad"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(emu::SystemInfo::ProgramOf(c.cmd), c.program) << c.cmd;
    EXPECT_EQ(OpenProcess(SYNCHRONIZE, FALSE, 4242), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x1234), 0), WAIT_FAILED);
    EXPECT_EQ(GetCurrentProcessId(), GetCurrentProcessId());
}

} // namespace
