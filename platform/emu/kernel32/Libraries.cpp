// The libraries built into the emulated desktop: kernel32 itself, shlwapi, whose presence and
// DllGetVersion answer come from SystemInfo, and the web-browser library's favourites dialogs.
#include "platform/emu/Desktop.h"
#include "platform/emu/api/shlwapi.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/Modules.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/shdocvw/Favorites.h"

namespace emu {

namespace {

// shlwapi's DllGetVersion: takes a DLLVERSIONINFO (cbSize 20) or a DLLVERSIONINFO2 (cbSize 32); any other
// size is refused with E_INVALIDARG and the structure left as it was.
HRESULT CALLBACK ShlwapiDllGetVersion(DLLVERSIONINFO* info) {
    if (!info) return E_INVALIDARG;
    if (info->cbSize != sizeof(DLLVERSIONINFO) && info->cbSize != sizeof(DLLVERSIONINFO2))
        return E_INVALIDARG;
    SystemInfo& sys = Desktop::Current().System();
    const DllVersion v = sys.ShlwapiVersion().value_or(DllVersion{});
    info->dwMajorVersion = v.major;
    info->dwMinorVersion = v.minor;
    info->dwBuildNumber = v.build;
    info->dwPlatformID = sys.IsNT() ? DLLVER_PLATFORM_NT : DLLVER_PLATFORM_WINDOWS;
    if (info->cbSize == sizeof(DLLVERSIONINFO2)) {
        auto* info2 = reinterpret_cast<DLLVERSIONINFO2*>(info);
        info2->dwFlags = 0;
        info2->ullVersion = MAKEDLLVERULL(v.major, v.minor, v.build, 0);
    }
    return S_OK;
}

} // namespace

void RegisterBuiltInLibraries(ModuleTable& modules, SystemInfo& system) {
    modules.Register(
        "kernel32.dll", [](std::string_view) -> FARPROC { return nullptr; }, {}, true);
    modules.Register(
        "shlwapi.dll",
        [&system](std::string_view name) -> FARPROC {
            if (name == "DllGetVersion" && system.ShlwapiVersion()) return AsFarProc(&ShlwapiDllGetVersion);
            if (name == "SHAutoComplete") return AsFarProc(&SHAutoComplete);
            return nullptr;
        },
        [&system] { return system.ShlwapiPresent(); });
    modules.Register("shdocvw.dll", {{"DoAddToFavDlg", AsFarProc(&DoAddToFavDlg)},
                                     {"DoOrganizeFavDlg", AsFarProc(&DoOrganizeFavDlg)}});
}

} // namespace emu

// Auto-completion exists from shlwapi 5.0 on; the desktop records the edit window it was turned on for.
HRESULT WINAPI SHAutoComplete(HWND hwndEdit, DWORD dwFlags) {
    emu::Desktop& desk = emu::Desktop::Current();
    const auto& v = desk.System().ShlwapiVersion();
    if (!desk.System().ShlwapiPresent() || !v || v->major < 5) return E_NOTIMPL;
    if (!hwndEdit) return E_INVALIDARG;
    desk.Log().Add("AutoComplete",
                   {std::to_string(reinterpret_cast<uintptr_t>(hwndEdit)), std::to_string(dwFlags)});
    return S_OK;
}
