#include "support/mmShellExe.h"
#include "support/mmEvents.h"
#include "support/mmFile.h"
#include "support/mmModule.h"
#include <algorithm>
#include <vector>

namespace vireo {

// The structure the shell is given is 60 bytes on the 32-bit build.
static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60);

namespace {
// Shell results of handle type are success above 32.
bool Succeeded(HINSTANCE hResult) {
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}
} // namespace

bool HasAssociation(const std::string& sFile) {
    if (sFile.empty()) return false;
    char sResult[MAX_PATH] = "";
    return Succeeded(FindExecutableA(sFile.c_str(), nullptr, sResult));
}

bool ShellOpen(const std::string& sURL, bool bCheck) {
    if (bCheck && !HasAssociation(sURL)) return false;
    bool bSuccess =
        Succeeded(ShellExecuteA(GetDesktopWindow(), "open", sURL.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    DoEvents();
    return bSuccess;
}

void ShellAndWait(const std::string& sCmdLine, int32_t nWindowStyle) {
    DoEvents();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(nWindowStyle);
    PROCESS_INFORMATION pi{};
    std::vector<char> cmdLine(sCmdLine.begin(), sCmdLine.end());
    cmdLine.push_back('\0');
    DWORD nProcessId = 0;
    if (CreateProcessA(nullptr, cmdLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        nProcessId = pi.dwProcessId;
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // Waiting on the process id: a program that cannot be opened (or has already gone) ends the wait at once.
    if (HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, nProcessId)) {
        WaitForSingleObject(hProcess, INFINITE);
        CloseHandle(hProcess);
    }
    DoEvents();
}

void ExecutePidl(HWND hWnd, LONG_PTR nPidl) {
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_INVOKEIDLIST;
    sei.hwnd = hWnd;
    sei.lpVerb = nullptr; // the item's default verb
    sei.nShow = SW_SHOWNORMAL;
    sei.hInstApp = ComponentInstance();
    sei.lpIDList = reinterpret_cast<void*>(nPidl);
    ShellExecuteExA(&sei);
    DoEvents();
}

bool ShowProperties(HWND hWnd, const Variant& vItem) {
    DoEvents();
    SHELLEXECUTEINFOA sei{};
    sei.cbSize = sizeof sei;
    sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.hwnd = hWnd;
    sei.lpVerb = "properties";
    sei.nShow = 0;
    std::string sPath;
    if (vItem.Type() == VarType::Long || vItem.Type() == VarType::Integer) {
        LONG_PTR nPidl = static_cast<LONG_PTR>(ToLongPtr(vItem));
        if (nPidl == 0) return false;
        sei.lpFile = "";
        sei.lpDirectory = "";
        sei.lpIDList = reinterpret_cast<void*>(nPidl);
    } else {
        sPath = vItem.Text();
        if (IsFolder(sPath)) {
            sei.lpFile = "";
            sei.lpDirectory = sPath.c_str();
        } else if (IsFile(sPath)) {
            sei.lpFile = sPath.c_str();
            sei.lpDirectory = "";
        } else {
            return false;
        }
    }
    bool bSuccess = ShellExecuteExA(&sei) >= 1;
    // A property sheet runs in the shell's own process: a handle given back anyway is not kept.
    if (bSuccess && sei.hProcess) CloseHandle(sei.hProcess);
    DoEvents();
    return bSuccess;
}

std::string ApiErrorText(int32_t nError) {
    char sBuffer[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                   nullptr, static_cast<DWORD>(nError), LANG_USER_DEFAULT, sBuffer, sizeof sBuffer, nullptr);
    return std::string(sBuffer, std::find(sBuffer, sBuffer + sizeof sBuffer, '\0'));
}

std::string StrFromPtrA(LPCSTR pText) {
    int n = lstrlenA(pText);
    if (n <= 0) return {};
    std::string sText(static_cast<size_t>(n), '\0');
    lstrcpyA(sText.data(), pText);
    return sText;
}

std::string StrFromPtrW(LPCWSTR pText) {
    int n = lstrlenW(pText);
    std::string sBuffer(static_cast<size_t>(2 * n), '\0');
    WideCharToMultiByte(CP_ACP, 0, pText, -1, sBuffer.data(), 2 * n, "0", nullptr);
    return sBuffer.substr(0, sBuffer.find('\0'));
}

int16_t LoWord(int32_t nValue) {
    return static_cast<int16_t>(nValue & 0xFFFF);
}

int32_t MakeLong(int16_t nLo, int16_t nHi) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(nHi)) << 16 |
                                static_cast<uint16_t>(nLo));
}

} // namespace vireo
