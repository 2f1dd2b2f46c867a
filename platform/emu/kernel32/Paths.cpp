// Full paths, current directories, the temporary folder, short (8.3) paths and the Windows folders.
#include "platform/emu/kernel32/Kernel.h"
#include "platform/emu/kernel32/WinPath.h"
#include <cctype>
#include <cstring>

using emu::k32::CopyOut;
using emu::k32::Fail;
using emu::k32::Files;
using emu::k32::Sys;

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
    if (!lpFileName || !*lpFileName) return Fail(ERROR_INVALID_NAME, DWORD(0));
    std::string full = Files().FullPath(lpFileName);
    if (full.empty()) return Fail(ERROR_INVALID_NAME, DWORD(0)); // a text of blanks names nothing
    DWORD n = CopyOut(full, lpBuffer, nBufferLength);
    if (n == full.size() && lpFilePart) {
        // The file part is the last component; none when the path ends with a separator.
        size_t slash = full.find_last_of('\\');
        *lpFilePart = slash == std::string::npos || slash + 1 == full.size() ? nullptr : lpBuffer + slash + 1;
    }
    return n;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    return CopyOut(Files().CurrentDirectory(), lpBuffer, nBufferLength);
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    if (!lpPathName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD error = Files().SetCurrentDirectory(lpPathName);
    if (error) return Fail(error, FALSE);
    return TRUE;
}

// Windows takes TMP, then TEMP, then USERPROFILE, then the Windows folder, and does not check that the
// folder exists; on the emulated desktop the folder's drive must be mounted.
DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
    auto temp = Files().TempPath();
    if (!temp) return Fail(ERROR_PATH_NOT_FOUND, DWORD(0));
    return CopyOut(*temp, lpBuffer, nBufferLength);
}

// Each component that has an 8.3 alias is replaced by it; the others, and the root, stay as they were
// given. The path must exist.
DWORD WINAPI GetShortPathNameA(LPCSTR lpszLongPath, LPSTR lpszShortPath, DWORD cchBuffer) {
    if (!lpszLongPath) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    std::string in = lpszLongPath;
    emu::FileSystem::Lookup whole = Files().Find(in);
    if (!whole.host) return Fail(whole.error, DWORD(0));

    auto isSep = [](char c) { return c == '\\' || c == '/'; };
    // The root as written: \\server\share\, X:\, X:, \ or nothing.
    size_t i = 0;
    if (in.size() >= 2 && isSep(in[0]) && isSep(in[1])) {
        i = 2;
        for (int part = 0; part < 2 && i < in.size(); ++part) {
            while (i < in.size() && !isSep(in[i]))
                ++i;
            if (i < in.size()) ++i;
        }
    } else if (in.size() >= 2 && std::isalpha(static_cast<unsigned char>(in[0])) && in[1] == ':') {
        i = 2;
    }
    while (i < in.size() && isSep(in[i]))
        ++i;
    std::string out = in.substr(0, i);
    while (i < in.size()) {
        size_t end = i;
        while (end < in.size() && !isSep(in[end]))
            ++end;
        std::string component = in.substr(i, end - i);
        std::string alias;
        if (component != "." && component != "..") {
            auto entry = Files().Resolve(in.substr(0, end));
            if (entry) alias = Files().ShortName(*entry);
        }
        out += alias.empty() ? component : alias;
        i = end;
        while (i < in.size() && isSep(in[i]))
            out += in[i++];
    }
    return CopyOut(out, lpszShortPath, cchBuffer);
}

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return CopyOut(Sys().WindowsDirectory(), lpBuffer, uSize);
}

UINT WINAPI GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
    return CopyOut(Sys().SystemDirectory(), lpBuffer, uSize);
}
