// The control becoming active and inactive: the address box shows the window colour while the control is
// active and the button-face colour otherwise; the first activation builds what the menus need.
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "support/mEnumExt.h"

namespace vireo {

namespace {
constexpr LONG kWindowColor = LONG(0x80000005);     // system colour: window background
constexpr LONG kButtonFaceColor = LONG(0x8000000F); // system colour: button face
constexpr int32_t kHourglass = 11, kDefaultPointer = 0;
} // namespace

void VireoBrowser::ThisGotFocus() {
    RefPtr<VireoBrowser> hold(this);
    SetAddressBackColor(kWindowColor);
    LONG_PTR listed = 0;
    FindHistoryEntry(LocationDisplayText(), listed);
    RaisePanelProperty();
    PreparePopupMenusOnce();
}

void VireoBrowser::ThisLostFocus() {
    SetAddressBackColor(kButtonFaceColor);
}

void VireoBrowser::MenusChanged() {
    // The tree's drives or folders changed: the menu is built again.
    CreatePopupMenus();
}

void VireoBrowser::GotFocus() {
    // The tree's focus event.
    IgnoreErrors([&] { ThisGotFocus(); });
}

void VireoBrowser::PreparePopupMenusOnce() {
    if (m_bPopupMenusPrepared) return;
    m_bPopupMenusPrepared = true;
    IgnoreErrors([&] { m_container.SetMousePointer(kHourglass); });
    CreatePopupMenus();
    BuildExtensionIndex();
    IgnoreErrors([&] { m_container.SetMousePointer(kDefaultPointer); });
}

void VireoBrowser::SetAddressBackColor(LONG color) {
    m_nAddressBackColor = color;
    InvalidateRect(m_cmbURL, nullptr, TRUE);
    if (HWND edit = FindWindowExA(m_cmbURL, nullptr, "Edit", nullptr)) InvalidateRect(edit, nullptr, TRUE);
}

LRESULT VireoBrowser::AddressBoxColor(HDC hdc) {
    const COLORREF color = TranslateColor(m_nAddressBackColor);
    SetBkColor(hdc, color);
    return reinterpret_cast<LRESULT>(m_addressBrush.Get(color));
}

} // namespace vireo
