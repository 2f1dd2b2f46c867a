// PipitIconMenu: a popup menu whose entries carry pictures from an image list. The entries are collected
// by AddMenuItem and turned into a menu by RefreshMenu; PopupAt shows it modally at a point of the owner
// window and answers the chosen entry's identifier, whose key ItemKey gives back.
//
// The pictures are drawn by a hidden window the menu owns (owned in turn by OwnerHwnd), which is the
// window TrackPopupMenu is given: it answers WM_MEASUREITEM and WM_DRAWITEM for the items' callback
// bitmaps, so the system draws the captions (with their access keys) and the window only the pictures.
#pragma once
#include "components/PipitIconMenu/MenuEntries.h"
#include "platform/IconMenu.h"
#include "platform/Owners.h"
#include "platform/win32.h"
#include <string>
#include <vector>

namespace vireo::pipit {

inline constexpr char kMenuWindowClass[] = "PipitIconMenuOwner";

class PipitIconMenu final : public IconMenu {
public:
    PipitIconMenu() = default;
    ~PipitIconMenu() override;

    void SetMenuImages(HIMAGELIST images) override { m_images = images; }
    void SetOwnerHwnd(HWND owner) override;
    void SetFontName(const std::string& face) override;
    void SetFontSize(int32_t size) override;
    int32_t AddMenuItem(const std::string& caption, const std::string& text2, int32_t a, int32_t parentId,
                        int32_t picture, int32_t b, bool flag, const std::string& key) override;
    void RefreshMenu() override;
    int32_t PopupAt(int32_t xTwips, int32_t yTwips, int32_t n1, int32_t n2, int32_t n3, int32_t n4,
                    bool flag) override;
    std::string ItemKey(int32_t index) override;

    // The menu as last built (NULL when it has no entries) and the window that draws its pictures.
    HMENU Menu() const { return m_menu.get(); }
    HWND DrawingWindow() const { return m_window; }

    // The screen point of a position given in twips from the top-left corner of the owner's client area
    // (of the screen when there is no owner), at the screen's pixels per inch.
    static POINT ScreenPoint(HWND owner, int32_t xTwips, int32_t yTwips);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateDrawingWindow();
    void Measure(MEASUREITEMSTRUCT& item);
    bool Draw(const DRAWITEMSTRUCT& item) const;
    const MenuEntry* EntryOf(ULONG_PTR data) const;
    HFONT Font();
    void DropFont();
    void DropMenu();

    std::vector<MenuEntry> m_entries;
    size_t m_entriesAtRefresh = 0; // how many entries there were at the last RefreshMenu
    UniqueMenu m_menu;
    HIMAGELIST m_images = nullptr;
    HWND m_owner = nullptr;
    HWND m_window = nullptr;
    std::string m_fontName = "Tahoma";
    int32_t m_fontSize = 8;
    UniqueFont m_font;
};

} // namespace vireo::pipit
