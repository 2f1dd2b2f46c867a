// GetVersionExA and GetVersion for the system chosen in SystemInfo.
#include "platform/emu/kernel32/Kernel.h"
#include <cstring>

using emu::k32::Fail;
using emu::k32::Sys;

// dwOSVersionInfoSize must be that of OSVERSIONINFOA (148) or, from NT 4.0 SP6 on, OSVERSIONINFOEXA (156).
// Another size fails: ERROR_INSUFFICIENT_BUFFER on the NT family, ERROR_INVALID_PARAMETER on Windows 9x.
BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation) {
    emu::SystemInfo& sys = Sys();
    if (!lpVersionInformation || sys.VersionFails()) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    bool ex = size == sizeof(OSVERSIONINFOEXA) && sys.IsNT();
    if (size != sizeof(OSVERSIONINFOA) && !ex)
        return Fail(sys.IsNT() ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_PARAMETER, FALSE);
    const emu::VersionData& v = emu::VersionTable(sys.Version());
    lpVersionInformation->dwMajorVersion = v.major;
    lpVersionInformation->dwMinorVersion = v.minor;
    lpVersionInformation->dwBuildNumber = v.build;
    lpVersionInformation->dwPlatformId = v.platformId;
    std::memset(lpVersionInformation->szCSDVersion, 0, sizeof lpVersionInformation->szCSDVersion);
    std::strncpy(lpVersionInformation->szCSDVersion, v.csdVersion,
                 sizeof lpVersionInformation->szCSDVersion - 1);
    if (ex) {
        auto* info = reinterpret_cast<OSVERSIONINFOEXA*>(lpVersionInformation);
        info->wServicePackMajor = v.servicePackMajor;
        info->wServicePackMinor = v.servicePackMinor;
        info->wSuiteMask = sys.Version() == emu::WinVersion::XP ? 0x0100 /* VER_SUITE_SINGLEUSERTS */ : 0;
        info->wProductType = 1; // VER_NT_WORKSTATION
        info->wReserved = 0;
    }
    return TRUE;
}

// Low byte major, next byte minor; the high word holds the build on NT, and the top bit is set on 9x.
DWORD WINAPI GetVersion(void) {
    const emu::VersionData& v = emu::VersionTable(Sys().Version());
    DWORD low = (v.minor << 8) | v.major;
    if (Sys().IsNT()) return ((v.build & 0x7FFF) << 16) | low;
    return 0xC0000000u | low;
}
