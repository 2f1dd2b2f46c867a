// shlwapi as the emulated desktop declares it: the functions, constants and structures the system calls.
// DllGetVersion is not declared as a function: like every DLL's version entry it is reached through
// GetProcAddress(LoadLibraryA("shlwapi.dll"), "DllGetVersion").
#pragma once
#include "platform/emu/api/types.h"

typedef struct _DllVersionInfo {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
} DLLVERSIONINFO;

typedef struct _DLLVERSIONINFO2 {
    DLLVERSIONINFO info1;
    DWORD dwFlags;
    ULONGLONG ullVersion;
} DLLVERSIONINFO2;

#define DLLVER_PLATFORM_WINDOWS 0x00000001
#define DLLVER_PLATFORM_NT 0x00000002
#define MAKEDLLVERULL(major, minor, build, qfe)                                                              \
    (((ULONGLONG)(major) << 48) | ((ULONGLONG)(minor) << 32) | ((ULONGLONG)(build) << 16) |                  \
     ((ULONGLONG)(qfe) << 0))

typedef HRESULT(CALLBACK* DLLGETVERSIONPROC)(DLLVERSIONINFO*);

#define SHACF_DEFAULT 0x00000000
#define SHACF_FILESYSTEM 0x00000001
#define SHACF_URLHISTORY 0x00000002
#define SHACF_URLMRU 0x00000004
#define SHACF_URLALL (SHACF_URLHISTORY | SHACF_URLMRU)

// Turns on auto-completion for an edit window (shlwapi 5.0 and later).
HRESULT WINAPI SHAutoComplete(HWND hwndEdit, DWORD dwFlags);
