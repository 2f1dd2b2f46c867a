// The favourites members: the shell's own dialogs on the favourites folder.
#include "commands/mFavorite.h"
#include "control/VireoBrowser.h"
#include "support/mmEvents.h"

namespace vireo {

namespace {
constexpr int kFavorites = 6; // CSIDL_FAVORITES
} // namespace

// The dialog works on copies: the location's own fields keep their text whatever the user answers.
void VireoBrowser::AddFavoriteEx() {
    std::string title = m_CurFolder.sLocName;
    AddToFavorites(m_hWnd, title, m_CurFolder.sURL, kFavorites);
    DoEvents();
}

void VireoBrowser::OrgFavoriteEx() {
    OrganizeFavorites(m_hWnd, kFavorites);
    DoEvents();
}

} // namespace vireo
