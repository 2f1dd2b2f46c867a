#include "platform/emu/shdocvw/Favorites.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include <cstring>

namespace emu {

namespace {
// Copies text into a caller's buffer of size cch, cut to fit with its NUL; false when it does not fit.
bool CopyOut(const std::string& text, CHAR* buffer, UINT cch) {
    if (!buffer || cch == 0 || text.size() + 1 > cch) return false;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}
} // namespace

BOOL WINAPI DoAddToFavDlg(HWND, CHAR* pszInitDir, UINT cchInitDir, CHAR* pszFile, UINT cchFile,
                          LPCITEMIDLIST pidlBrowse) {
    char folder[MAX_PATH] = "";
    if (!pidlBrowse || !SHGetPathFromIDListA(pidlBrowse, folder)) return FALSE;
    const std::string proposed = pszFile ? std::string(pszFile, strnlen(pszFile, cchFile)) : "";
    const auto answer = Desktop::Current().Answers().Take("AddToFavorites");
    const bool ok = answer && answer->button == 1;
    const std::string title = ok && !answer->text.empty() ? answer->text : proposed;
    Desktop::Current().Log().Add("AddToFavorites", {folder, title, ok ? "ok" : "cancel"});
    if (!ok) return FALSE;
    const std::string path = std::string(folder) + "\\" + title + ".url";
    if (!CopyOut(path, pszInitDir, cchInitDir)) return FALSE;
    CopyOut(title, pszFile, cchFile);
    return 1;
}

BOOL WINAPI DoOrganizeFavDlg(HWND, LPCSTR pszInitDir) {
    Desktop::Current().Log().Add("OrganizeFavorites", {pszInitDir ? pszInitDir : ""});
    return TRUE;
}

} // namespace emu
