// shell32's execution entry points: ShellExecuteA, ShellExecuteExA and FindExecutableA, driven by the
// associations in HKEY_CLASSES_ROOT and starting programs through CreateProcessA.
#include "platform/emu/shell32/ShellExecute.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <cstdio>
#include <cstring>

namespace emu {

std::string PidlJournalText(const void* pidl) {
    char text[64];
    std::snprintf(text, sizeof text, "pidl:%llX:%u", static_cast<unsigned long long>(ULONG_PTR(pidl)),
                  ILGetSize(static_cast<LPCITEMIDLIST>(pidl)));
    return text;
}

} // namespace emu

namespace {

// Windows answers this for success; any value above 32 is one.
constexpr UINT_PTR kSuccess = 42;

struct Request {
    ULONG mask = 0;
    std::string verb; // empty for the default verb
    std::string file;
    std::string parameters;
    std::string directory;
    int show = 0;
    const void* idList = nullptr;
};

struct Outcome {
    UINT_PTR code;
    std::string item;
    HANDLE process = nullptr;
};

std::string Text(LPCSTR s) {
    return s ? s : "";
}
std::string Shown(LPCSTR s) {
    return s ? s : "(null)";
}
std::string Hex(ULONG_PTR n) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(n));
    return text;
}

// A path or file name, found the way the shell finds it: relative names below the directory given (or the
// current one). Answers the item's full path, or SE_ERR_FNF when it is missing and SE_ERR_PNF when its
// folder is missing too (or its drive is not there or not ready).
UINT_PTR Locate(const std::string& file, const std::string& directory, std::string& full, bool& isFolder) {
    if (file.empty() && directory.empty()) return SE_ERR_FNF;
    bool relative =
        !file.empty() && !(file.size() >= 2 && file[1] == ':') && file[0] != '\\' && file[0] != '/';
    std::string path = relative && !directory.empty() ? directory + "\\" + file
                       : file.empty()                 ? directory
                                                      : file;
    emu::FileSystem::Lookup found = emu::Desktop::Current().Files().Find(path);
    full = found.fullPath.empty() ? path : found.fullPath;
    if (!found.host) return found.error == ERROR_FILE_NOT_FOUND ? SE_ERR_FNF : SE_ERR_PNF;
    isFolder = found.isDir;
    return kSuccess;
}

// Starts the command line as CreateProcessA does; the thread handle is closed at once.
UINT_PTR Launch(const std::string& commandLine, const Request& r, HANDLE& process) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = WORD(r.show);
    PROCESS_INFORMATION pi{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        r.directory.empty() ? nullptr : r.directory.c_str(), &si, &pi)) {
        DWORD error = GetLastError();
        return error && error <= 32 ? error : SE_ERR_FNF;
    }
    CloseHandle(pi.hThread);
    process = pi.hProcess;
    return kSuccess;
}

Outcome Execute(const Request& r) {
    emu::Desktop& desktop = emu::Desktop::Current();
    emu::Journal& journal = desktop.Log();
    const emu::Registry& reg = desktop.Reg();
    const bool properties = emu::AnsiEqualNoCase(r.verb, "properties");

    // An item-ID list stands for its item: a file-system item is run by its path, any other (My Computer,
    // the Control Panel) has its default verb recorded against the list itself.
    std::string file = r.file;
    if ((r.mask & SEE_MASK_IDLIST) && r.idList && file.empty()) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(r.idList), path) && *path) {
            file = path;
        } else {
            std::string item = emu::PidlJournalText(r.idList);
            if (properties)
                journal.Add("Properties", {item});
            else
                journal.Add("ShellExecute",
                            {r.verb, item, r.parameters, r.directory, std::to_string(r.show), ""});
            return {kSuccess, item};
        }
    }

    std::vector<std::string> classes;
    std::string item;
    if (auto protocol = properties ? std::nullopt : emu::UrlProtocol(reg, file)) {
        classes.push_back(*protocol);
        item = file;
    } else {
        bool isFolder = false;
        if (UINT_PTR code = Locate(file, r.directory, item, isFolder); code != kSuccess)
            return {code, item.empty() ? file : item};
        // The property sheet of any existing file or folder.
        if (properties) {
            journal.Add("Properties", {item});
            return {kSuccess, item};
        }
        classes = emu::ItemClasses(reg, item, isFolder);
    }
    std::optional<emu::ShellCommand> command = emu::FindCommand(reg, classes, r.verb);
    if (!command) return {SE_ERR_NOASSOC, item};
    std::string line = emu::BuildCommandLine(command->command, item, r.parameters);
    journal.Add("ShellExecute",
                {command->verb, item, r.parameters, r.directory, std::to_string(r.show), line});
    Outcome outcome{kSuccess, item};
    outcome.code = Launch(line, r, outcome.process);
    return outcome;
}

DWORD LastErrorOf(UINT_PTR code) {
    switch (code) {
    case SE_ERR_FNF:
        return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF:
        return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED:
        return ERROR_ACCESS_DENIED;
    case SE_ERR_NOASSOC:
        return ERROR_NO_ASSOCIATION;
    default:
        return DWORD(code);
    }
}

std::string FailureMessage(UINT_PTR code, const std::string& item) {
    if (code == SE_ERR_NOASSOC) return "Windows cannot open this file: " + item;
    return "Windows cannot find '" + item + "'. Make sure you typed the name correctly, and then try again.";
}

} // namespace

// ShellExecute reports failures by its result alone: it runs without the failure messages.
HINSTANCE WINAPI ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                               LPCSTR lpDirectory, INT nShowCmd) {
    Request r{SEE_MASK_FLAG_NO_UI, Text(lpOperation), Text(lpFile),
              Text(lpParameters),  Text(lpDirectory), nShowCmd};
    Outcome outcome = Execute(r);
    if (outcome.process) CloseHandle(outcome.process);
    return reinterpret_cast<HINSTANCE>(outcome.code);
}

BOOL WINAPI ShellExecuteExA(SHELLEXECUTEINFOA* p) {
    if (!p || p->cbSize != sizeof(SHELLEXECUTEINFOA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    emu::Desktop::Current().Log().Add("ShellExecuteEx",
                                      {Hex(p->fMask), Hex(ULONG_PTR(p->hwnd)), Shown(p->lpVerb),
                                       Shown(p->lpFile), Shown(p->lpParameters), Shown(p->lpDirectory),
                                       std::to_string(p->nShow), Hex(ULONG_PTR(p->hInstApp)),
                                       p->lpIDList ? emu::PidlJournalText(p->lpIDList) : "(null)"});
    Request r{p->fMask, Text(p->lpVerb), Text(p->lpFile), Text(p->lpParameters), Text(p->lpDirectory),
              p->nShow, p->lpIDList};
    Outcome outcome = Execute(r);
    p->hInstApp = reinterpret_cast<HINSTANCE>(outcome.code);
    if (outcome.code <= 32) {
        if (!(p->fMask & SEE_MASK_FLAG_NO_UI))
            emu::Desktop::Current().Log().Add("ShellError", {std::to_string(outcome.code), outcome.item,
                                                             FailureMessage(outcome.code, outcome.item)});
        SetLastError(LastErrorOf(outcome.code));
        return FALSE;
    }
    if (p->fMask & SEE_MASK_NOCLOSEPROCESS)
        p->hProcess = outcome.process;
    else if (outcome.process)
        CloseHandle(outcome.process);
    return TRUE;
}

// The program that opens a file: the first token of the command its default verb would run.
HINSTANCE WINAPI FindExecutableA(LPCSTR lpFile, LPCSTR lpDirectory, LPSTR lpResult) {
    if (!lpResult) return reinterpret_cast<HINSTANCE>(UINT_PTR(SE_ERR_NOASSOC));
    lpResult[0] = '\0';
    if (!lpFile) return reinterpret_cast<HINSTANCE>(UINT_PTR(SE_ERR_FNF));
    emu::Desktop& desktop = emu::Desktop::Current();
    std::string full;
    bool isFolder = false;
    if (UINT_PTR code = Locate(lpFile, Text(lpDirectory), full, isFolder); code != kSuccess)
        return reinterpret_cast<HINSTANCE>(code);
    std::optional<emu::ShellCommand> command =
        emu::FindCommand(desktop.Reg(), emu::ItemClasses(desktop.Reg(), full, isFolder), "");
    if (!command) return reinterpret_cast<HINSTANCE>(UINT_PTR(SE_ERR_NOASSOC));
    std::string program = emu::CommandProgram(emu::BuildCommandLine(command->command, full, ""));
    program.resize(std::min<size_t>(program.size(), MAX_PATH - 1));
    std::memcpy(lpResult, program.c_str(), program.size() + 1);
    return reinterpret_cast<HINSTANCE>(kSuccess);
}
