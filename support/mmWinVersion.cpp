#include "support/mmWinVersion.h"
#include "platform/win32.h"

namespace vireo {

namespace {

// GetVersionExA with the plain structure; false when it fails.
bool Version(OSVERSIONINFOA& osv) {
    osv = OSVERSIONINFOA{};
    osv.dwOSVersionInfoSize = sizeof osv;
    return GetVersionExA(&osv) != FALSE;
}

} // namespace

int32_t ShlwapiMajorVersion() {
    HMODULE lib = LoadLibraryA("shlwapi.dll");
    if (!lib) return 0;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof info;
    FARPROC proc = GetProcAddress(lib, "DllGetVersion");
    if (proc) {
        auto dllGetVersion = reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(proc));
        dllGetVersion(&info); // on failure the structure stays zero
    }
    FreeLibrary(lib);
    return static_cast<int32_t>(info.dwMajorVersion);
}

bool IsWinNT() {
    OSVERSIONINFOA osv;
    return Version(osv) && osv.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWin2000() {
    OSVERSIONINFOA osv;
    return Version(osv) && osv.dwMajorVersion == 5 && osv.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsWinMe() {
    OSVERSIONINFOA osv;
    return Version(osv) && osv.dwMajorVersion == 4 && osv.dwMinorVersion == 90 &&
           osv.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

} // namespace vireo
