// Programs started by CreateProcessA and WinExec: recorded, played by their handler, and finished at once,
// so a wait on them returns WAIT_OBJECT_0 immediately. A finished process stays known by its id for the
// life of the desktop, so OpenProcess on it succeeds as on a process that has not yet gone away.
#include "platform/emu/kernel32/Kernel.h"

using emu::k32::Fail;
using emu::k32::Files;
using emu::k32::Handles;
using emu::k32::Sys;

namespace {

constexpr unsigned kShowDefault = 10; // SW_SHOWDEFAULT

struct ProcessObject : emu::KernelObject {
    uint32_t pid = 0;
};

struct ThreadObject : emu::KernelObject {
    uint32_t pid = 0;
};

} // namespace

BOOL WINAPI CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR lpCurrentDirectory,
                           LPSTARTUPINFOA lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) {
    if ((!lpApplicationName && !lpCommandLine) || !lpStartupInfo || !lpProcessInformation)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    emu::ProcessStart start;
    start.commandLine = lpCommandLine ? lpCommandLine : lpApplicationName;
    if (lpApplicationName)
        start.program = emu::SystemInfo::ProgramOf("\"" + std::string(lpApplicationName) + "\"");
    start.show = (lpStartupInfo->dwFlags & STARTF_USESHOWWINDOW) ? lpStartupInfo->wShowWindow : kShowDefault;
    start.currentDirectory = lpCurrentDirectory ? lpCurrentDirectory : Files().CurrentDirectory();
    uint32_t pid = Sys().StartProcess(std::move(start));
    auto process = std::make_shared<ProcessObject>();
    process->pid = pid;
    auto thread = std::make_shared<ThreadObject>();
    thread->pid = pid;
    lpProcessInformation->hProcess = Handles().Add(process);
    lpProcessInformation->hThread = Handles().Add(thread);
    lpProcessInformation->dwProcessId = pid;
    lpProcessInformation->dwThreadId = pid + 2;
    return TRUE;
}

// Returns a value above 31 on success, as Windows does.
UINT WINAPI WinExec(LPCSTR lpCmdLine, UINT uCmdShow) {
    if (!lpCmdLine) return 0; // "out of resources": any value below 32 is a failure
    Sys().StartProcess(lpCmdLine, uCmdShow, Files().CurrentDirectory());
    return 33;
}

HANDLE WINAPI OpenProcess(DWORD, BOOL, DWORD dwProcessId) {
    if (!Sys().FindProcess(dwProcessId)) return Fail(ERROR_INVALID_PARAMETER, HANDLE(nullptr));
    auto process = std::make_shared<ProcessObject>();
    process->pid = dwProcessId;
    return Handles().Add(process);
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD) {
    if (Handles().Get<ProcessObject>(hHandle) || Handles().Get<ThreadObject>(hHandle)) return WAIT_OBJECT_0;
    if (Handles().Get<emu::KernelObject>(hHandle)) return WAIT_OBJECT_0; // files and devices are signalled
    return Fail(ERROR_INVALID_HANDLE, WAIT_FAILED);
}

BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    ProcessObject* p = Handles().Get<ProcessObject>(hProcess);
    if (!p) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!lpExitCode) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    *lpExitCode = Sys().FindProcess(p->pid)->exitCode;
    return TRUE;
}

DWORD WINAPI GetCurrentProcessId(void) {
    return Sys().CurrentProcessId();
}

// The desktop's clock belongs to user32 and advances only when a test or the host moves it.
void WINAPI Sleep(DWORD) {}
