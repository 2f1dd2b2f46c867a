#include "components/PipitIconMenu/IconMenu.h"
#include "support/mmModule.h"
#include <algorithm>

namespace vireo {

RefPtr<IconMenu> NewIconMenu() {
    return RefPtr<IconMenu>::Adopt(new pipit::PipitIconMenu());
}

namespace pipit {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPointsPerInch = 72;
constexpr int kPictureMargin = 2; // pixels above and below a picture

} // namespace

PipitIconMenu::~PipitIconMenu() {
    DropMenu();
    DropFont();
    if (m_window) DestroyWindow(m_window);
}

void PipitIconMenu::SetOwnerHwnd(HWND owner) {
    m_owner = owner;
    // The drawing window belongs to its owner: a new owner gets a new window.
    if (m_window) DestroyWindow(m_window);
    CreateDrawingWindow();
}

void PipitIconMenu::SetFontName(const std::string& face) {
    m_fontName = face;
    DropFont();
}

void PipitIconMenu::SetFontSize(int32_t size) {
    m_fontSize = size;
    DropFont();
}

// The second text, the numbers a and b and the flag carry nothing for this menu.
int32_t PipitIconMenu::AddMenuItem(const std::string& caption, const std::string&, int32_t, int32_t parentId,
                                   int32_t picture, int32_t, bool, const std::string& key) {
    m_entries.push_back(MenuEntry{caption, picture, parentId, key});
    return static_cast<int32_t>(m_entries.size());
}

// Called before the first entry is added, after the last, and before the object goes: a call with
// entries added since the previous one builds the menu from all the entries collected so far; a call
// with none added starts over, with no entries and no menu, so identifiers count from 1 again.
void PipitIconMenu::RefreshMenu() {
    DropMenu();
    if (m_entries.size() == m_entriesAtRefresh)
        m_entries.clear();
    else
        m_menu.reset(BuildMenu(m_entries));
    m_entriesAtRefresh = m_entries.size();
}

// The four numbers and the flag carry nothing for this menu.
int32_t PipitIconMenu::PopupAt(int32_t xTwips, int32_t yTwips, int32_t, int32_t, int32_t, int32_t, bool) {
    if (!m_menu) return 0;
    if (!m_window) CreateDrawingWindow();
    // What runs while the menu is open may release this object; it stays until the menu has closed.
    RefPtr<PipitIconMenu> hold(this);
    const POINT at = ScreenPoint(m_owner, xTwips, yTwips);
    const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD;
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(m_menu.get(), flags, at.x, at.y, 0, m_window ? m_window : m_owner, nullptr));
    if (chosen < 1 || chosen > m_entries.size() || m_entries[chosen - 1].IsSeparator()) return 0;
    return static_cast<int32_t>(chosen);
}

std::string PipitIconMenu::ItemKey(int32_t index) {
    if (index < 1 || static_cast<size_t>(index) > m_entries.size()) return "";
    return m_entries[static_cast<size_t>(index) - 1].key;
}

POINT PipitIconMenu::ScreenPoint(HWND owner, int32_t xTwips, int32_t yTwips) {
    int dpiX = 96, dpiY = 96;
    if (const WindowDC screen(nullptr); screen) {
        dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
    POINT at{MulDiv(xTwips, dpiX, kTwipsPerInch), MulDiv(yTwips, dpiY, kTwipsPerInch)};
    if (owner) ClientToScreen(owner, &at);
    return at;
}

void PipitIconMenu::CreateDrawingWindow() {
    RegisterComponentClass(kMenuWindowClass, &PipitIconMenu::WindowProc, -1);
    // Hidden, never shown: it only answers the menu's owner-drawn messages.
    m_window = CreateWindowExA(0, kMenuWindowClass, "", WS_POPUP, 0, 0, 0, 0, m_owner, nullptr,
                               ComponentInstance(), this);
}

const MenuEntry* PipitIconMenu::EntryOf(ULONG_PTR data) const {
    if (data < 1 || data > m_entries.size()) return nullptr;
    return &m_entries[data - 1];
}

// The picture's cell: the image list's size, with a margin above and below, and at least the height of
// a line in the menu's font.
void PipitIconMenu::Measure(MEASUREITEMSTRUCT& item) {
    const MenuEntry* entry = EntryOf(item.itemData);
    int cx = 0, cy = 0;
    if (entry && entry->picture >= 0 && m_images) ImageList_GetIconSize(m_images, &cx, &cy);
    int line = 0;
    HFONT font = Font();
    if (const WindowDC screen(nullptr); screen) {
        const SelectedObject selected(screen.get(), font);
        TEXTMETRICA tm{};
        if (GetTextMetricsA(screen.get(), &tm)) line = tm.tmHeight;
    }
    item.itemWidth = static_cast<UINT>(cx);
    item.itemHeight = static_cast<UINT>(std::max(cy + 2 * kPictureMargin, line));
}

// The picture, centred in the cell the system gives. True when a picture was drawn.
bool PipitIconMenu::Draw(const DRAWITEMSTRUCT& item) const {
    const MenuEntry* entry = EntryOf(item.itemData);
    if (!entry || entry->picture < 0 || !m_images) return false;
    int cx = 0, cy = 0;
    if (!ImageList_GetIconSize(m_images, &cx, &cy)) return false;
    const int x = item.rcItem.left + (item.rcItem.right - item.rcItem.left - cx) / 2;
    const int y = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - cy) / 2;
    return ImageList_Draw(m_images, entry->picture, item.hDC, x, y, ILD_TRANSPARENT) != FALSE;
}

HFONT PipitIconMenu::Font() {
    if (m_font) return m_font.get();
    int dpi = 96;
    if (const WindowDC screen(nullptr); screen) dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    m_font.reset(CreateFontA(-MulDiv(m_fontSize, dpi, kPointsPerInch), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, m_fontName.c_str()));
    return m_font.get();
}

void PipitIconMenu::DropFont() {
    m_font.reset();
}

void PipitIconMenu::DropMenu() {
    m_menu.reset();
}

LRESULT CALLBACK PipitIconMenu::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* menu = reinterpret_cast<PipitIconMenu*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!menu || !item || item->CtlType != ODT_MENU) break;
        menu->Measure(*item);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!menu || !item || item->CtlType != ODT_MENU) break;
        return menu->Draw(*item) ? TRUE : FALSE;
    }
    case WM_NCDESTROY:
        // Also when the owner goes first and takes this window with it.
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (menu && menu->m_window == hwnd) menu->m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace pipit

} // namespace vireo
