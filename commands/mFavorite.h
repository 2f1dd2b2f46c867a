// mFavorite: the shell's favourites dialogs, and the Internet shortcut written for a new favourite.
#pragma once
#include "platform/win32.h"
#include <string>

namespace vireo {

// Shows the add-to-favourites dialog on the special folder csidl with the proposed title; when the user
// confirms, writes an Internet shortcut to url at the path the dialog chose and returns that path, else "".
// title comes back as the dialog left it.
std::string AddToFavorites(HWND hwnd, std::string& title, const std::string& url, int csidl);
// Shows the organize-favourites dialog on the special folder csidl; nothing when it has no path.
void OrganizeFavorites(HWND hwnd, int csidl);
// WritePrivateProfileStringA with the four texts in this order.
bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& file);

} // namespace vireo
