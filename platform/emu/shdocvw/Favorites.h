// The web-browser library's favourites dialogs, as shdocvw.dll exports them (by name, through
// GetProcAddress: the SDK headers do not declare them).
#pragma once
#include "platform/emu/api/shlobj.h"

namespace emu {

// The add-to-favourites dialog. The script's "AddToFavorites" answer decides: button 1 confirms with the
// answer's text as the name (the proposed title when the text is empty), anything else or no answer
// cancels. On confirmation pszInitDir receives the full path of the shortcut to write, "<favourites
// folder>\<name>.url", pszFile the confirmed title, and the result is 1. Recorded as ("AddToFavorites",
// folder, title, "ok" or "cancel").
BOOL WINAPI DoAddToFavDlg(HWND hwnd, CHAR* pszInitDir, UINT cchInitDir, CHAR* pszFile, UINT cchFile,
                          LPCITEMIDLIST pidlBrowse);
// The organize-favourites dialog on a folder; recorded as ("OrganizeFavorites", folder).
BOOL WINAPI DoOrganizeFavDlg(HWND hwnd, LPCSTR pszInitDir);

} // namespace emu
