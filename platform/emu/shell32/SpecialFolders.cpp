// Special folders: SHGetSpecialFolderLocation, SHGetFolderPathA, SHGetSpecialFolderPathA and
// SHGetPathFromIDListA.
#include "platform/emu/shell32/SpecialFolders.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/shlobj.h"
#include "platform/emu/shell32/Host.h"
#include "platform/emu/shell32/Namespace.h"
#include "platform/emu/shell32/Text.h"
#include <cstring>

namespace emu::shell {

namespace {

struct ProfileFolder {
    int csidl;
    const char* below; // below the profile, or below the system drive when it starts with '\'
};

const ProfileFolder kFolders[] = {
    {CSIDL_PROFILE, ""},
    {CSIDL_DESKTOPDIRECTORY, "Desktop"},
    {CSIDL_PERSONAL, "My Documents"},
    {CSIDL_MYMUSIC, "My Documents\\My Music"},
    {CSIDL_MYPICTURES, "My Documents\\My Pictures"},
    {CSIDL_FAVORITES, "Favorites"},
    {CSIDL_HISTORY, "Local Settings\\History"},
    {CSIDL_INTERNET_CACHE, "Local Settings\\Temporary Internet Files"},
    {CSIDL_LOCAL_APPDATA, "Local Settings\\Application Data"},
    {CSIDL_APPDATA, "Application Data"},
    {CSIDL_COOKIES, "Cookies"},
    {CSIDL_RECENT, "Recent"},
    {CSIDL_SENDTO, "SendTo"},
    {CSIDL_NETHOOD, "NetHood"},
    {CSIDL_TEMPLATES, "Templates"},
    {CSIDL_STARTMENU, "Start Menu"},
    {CSIDL_PROGRAMS, "Start Menu\\Programs"},
    {CSIDL_STARTUP, "Start Menu\\Programs\\Startup"},
    {CSIDL_WINDOWS, "\\WINDOWS"},
    {CSIDL_SYSTEM, "\\WINDOWS\\system32"},
    {CSIDL_FONTS, "\\WINDOWS\\Fonts"},
    {CSIDL_PROGRAM_FILES, "\\Program Files"},
};

// Creates every missing folder of a path, as CSIDL_FLAG_CREATE does.
void CreateFolders(const std::string& path) {
    for (size_t sep = path.find('\\', 3);; sep = path.find('\\', sep + 1)) {
        std::string part = Utf8ToAnsi(path.substr(0, sep));
        CreateDirectoryA(part.c_str(), nullptr);
        if (sep == std::string::npos) break;
    }
}

bool FolderExists(const std::string& path) {
    std::string ansi = Utf8ToAnsi(path);
    DWORD attributes = GetFileAttributesA(ansi.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The packed items of a special folder, creating a file-system one when asked to.
HRESULT SpecialFolderItems(int csidl, std::string& packed) {
    bool create = csidl & CSIDL_FLAG_CREATE;
    csidl &= ~CSIDL_FLAG_MASK;
    switch (csidl) {
    case CSIDL_DESKTOP:
        return S_OK;
    case CSIDL_DRIVES:
        return ParseName(DesktopNode(), "::" + GuidText(CLSID_MyComputer), packed);
    case CSIDL_NETWORK:
        return ParseName(DesktopNode(), "::" + GuidText(CLSID_NetworkPlaces), packed);
    case CSIDL_CONTROLS:
        return ParseName(DesktopNode(), "::" + GuidText(CLSID_ControlPanel), packed);
    default:
        break;
    }
    std::string path = SpecialFolderPath(csidl);
    if (path.empty()) return E_INVALIDARG; // not part of the emulated namespace
    if (create) CreateFolders(path);
    return ParseName(DesktopNode(), path, packed);
}

void CopyOut(const std::string& utf8, LPSTR out) {
    std::string ansi = Utf8ToAnsi(utf8);
    if (ansi.size() >= MAX_PATH) ansi.resize(MAX_PATH - 1);
    std::memcpy(out, ansi.c_str(), ansi.size() + 1);
}

} // namespace

std::string SpecialFolderPath(int csidl) {
    std::string drive = std::string(1, SystemDrive()) + ":";
    for (const ProfileFolder& f : kFolders) {
        if (f.csidl != csidl) continue;
        if (f.below[0] == '\\') return drive + f.below;
        std::string profile = drive + "\\Documents and Settings\\User";
        return f.below[0] ? profile + "\\" + f.below : profile;
    }
    return std::string();
}

} // namespace emu::shell

using namespace emu::shell;

HRESULT WINAPI SHGetSpecialFolderLocation(HWND, int csidl, LPITEMIDLIST* ppidl) {
    if (!ppidl) return E_INVALIDARG;
    *ppidl = nullptr;
    std::string packed;
    HRESULT hr = SpecialFolderItems(csidl, packed);
    if (FAILED(hr)) return hr;
    *ppidl = AllocList(packed);
    return *ppidl ? S_OK : E_OUTOFMEMORY;
}

// Answers S_FALSE for a known folder that does not exist (the A form; the W form answers E_FAIL), and
// E_INVALIDARG for a virtual folder, which has no path.
HRESULT WINAPI SHGetFolderPathA(HWND, int csidl, HANDLE, DWORD, LPSTR pszPath) {
    if (!pszPath) return E_INVALIDARG;
    pszPath[0] = 0;
    std::string path = SpecialFolderPath(csidl & ~CSIDL_FLAG_MASK);
    if (path.empty()) return E_INVALIDARG;
    if (csidl & CSIDL_FLAG_CREATE) CreateFolders(path);
    CopyOut(path, pszPath);
    return FolderExists(path) ? S_OK : S_FALSE;
}

BOOL WINAPI SHGetSpecialFolderPathA(HWND, LPSTR pszPath, int csidl, BOOL fCreate) {
    if (!pszPath) return FALSE;
    pszPath[0] = 0;
    std::string path = SpecialFolderPath(csidl & ~CSIDL_FLAG_MASK);
    if (path.empty()) return FALSE;
    if (fCreate) CreateFolders(path);
    if (!FolderExists(path)) return FALSE;
    CopyOut(path, pszPath);
    return TRUE;
}

// TRUE with the path of a file-system item; FALSE with an empty text for a virtual one.
BOOL WINAPI SHGetPathFromIDListA(LPCITEMIDLIST pidl, LPSTR pszPath) {
    if (!pszPath) return FALSE;
    pszPath[0] = 0;
    auto node = pidl ? Resolve(pidl) : std::nullopt;
    if (!node || !node->IsFileSystem()) return FALSE;
    CopyOut(node->path, pszPath);
    return TRUE;
}
