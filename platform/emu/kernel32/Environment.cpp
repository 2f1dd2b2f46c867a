// The desktop's environment as the narrow functions see it.
#include "platform/emu/kernel32/Kernel.h"
#include <cstring>
#include <optional>

using emu::k32::CopyOut;
using emu::k32::Fail;
using emu::k32::Sys;

// Returns the size the expanded text needs, NUL included, whether or not it fit; a buffer too small is
// left as it was.
DWORD WINAPI ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    if (!lpSrc) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    std::string out = Sys().ExpandEnvironment(lpSrc);
    CopyOut(out, lpDst, nSize);
    return static_cast<DWORD>(out.size() + 1);
}

DWORD WINAPI GetEnvironmentVariableA(LPCSTR lpName, LPSTR lpBuffer, DWORD nSize) {
    if (!lpName) return Fail(ERROR_INVALID_PARAMETER, DWORD(0));
    auto value = Sys().Environment(lpName);
    if (!value) return Fail(ERROR_ENVVAR_NOT_FOUND, DWORD(0));
    return CopyOut(*value, lpBuffer, nSize);
}

// A NULL value removes the variable (also one that is not there). The name may start with "=" (the
// hidden "=C:" variables that keep each drive's current directory) but hold no other "=".
BOOL WINAPI SetEnvironmentVariableA(LPCSTR lpName, LPCSTR lpValue) {
    if (!lpName || !*lpName || std::strchr(lpName + 1, '=')) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    Sys().SetEnvironment(lpName, lpValue ? std::optional<std::string>(lpValue) : std::nullopt);
    return TRUE;
}
