// The drive and folder menu of tBar1: a new menu object over imlPopMenu each time it is built, at the first
// activation and whenever the tree's drives or folders change.
#include "commands/mPopMenu.h"
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "support/mmEvents.h"

namespace vireo {

namespace {
constexpr char kMenuFont[] = "Tahoma";
constexpr int32_t kMenuFontSize = 8;
} // namespace

void VireoBrowser::CreatePopupMenus() {
    // The old menu lets go of what it shows before it goes.
    if (m_cP) IgnoreErrors([&] { m_cP->RefreshMenu(); });
    m_cP.reset();
    IgnoreErrors([&] { m_cP = m_container.CreateIconMenu(); });
    RefPtr<IconMenu> menu = m_cP;
    if (menu) {
        IgnoreErrors([&] { menu->SetMenuImages(m_imlPopMenu->Handle()); });
        IgnoreErrors([&] { menu->SetOwnerHwnd(m_hWnd); });
        IgnoreErrors([&] { menu->SetFontName(kMenuFont); });
        IgnoreErrors([&] { menu->SetFontSize(kMenuFontSize); });
    }
    // Without a menu object the pictures and the drive list are built all the same.
    BuildPopupMenu(menu.get(), *m_imlPopMenu);
    DoEvents();
}

} // namespace vireo
