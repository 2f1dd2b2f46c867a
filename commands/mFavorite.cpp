#include "commands/mFavorite.h"
#include "support/mmFile.h"
#include <vector>

namespace vireo {

namespace {

// The two dialogs are exported by name from the web-browser library.
using AddToFavDlgProc = BOOL(WINAPI*)(HWND, CHAR*, UINT, CHAR*, UINT, LPCITEMIDLIST);
using OrganizeFavDlgProc = BOOL(WINAPI*)(HWND, LPCSTR);

template <class Proc, class Call> void WithShdocvw(const char* name, Call call) {
    HMODULE lib = LoadLibraryA("shdocvw.dll");
    if (!lib) return;
    if (auto proc = reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(GetProcAddress(lib, name))))
        call(proc);
    FreeLibrary(lib);
}

} // namespace

bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

std::string AddToFavorites(HWND hwnd, std::string& title, const std::string& url, int csidl) {
    title += '\0';
    std::vector<char> path(MAX_PATH + 1, ' ');
    path.back() = '\0';
    LPITEMIDLIST pidl = nullptr;
    if (SHGetSpecialFolderLocation(hwnd, csidl, &pidl) != 0) return "";
    std::string result;
    WithShdocvw<AddToFavDlgProc>("DoAddToFavDlg", [&](AddToFavDlgProc dlg) {
        std::vector<char> titleBuf(title.begin(), title.end());
        const BOOL r = dlg(hwnd, path.data(), static_cast<UINT>(path.size()), titleBuf.data(),
                           static_cast<UINT>(titleBuf.size()), pidl);
        title.assign(titleBuf.begin(), titleBuf.end());
        if (r != 1) return;
        const std::string file = StripNull(std::string(path.data(), path.size()));
        title = StripNull(title);
        WriteIniString("InternetShortcut", "URL", url, file);
        result = file;
    });
    CoTaskMemFree(pidl);
    return result;
}

void OrganizeFavorites(HWND hwnd, int csidl) {
    std::vector<char> buffer(MAX_PATH, ' ');
    if (SHGetFolderPathA(hwnd, csidl, nullptr, 0, buffer.data()) != 0) return;
    const std::string folder = StripNull(std::string(buffer.data(), buffer.size()));
    WithShdocvw<OrganizeFavDlgProc>("DoOrganizeFavDlg",
                                    [&](OrganizeFavDlgProc dlg) { dlg(hwnd, folder.c_str()); });
}

} // namespace vireo
