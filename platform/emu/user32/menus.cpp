// Menus: items with their captions, identifiers, states and submenus; TrackPopupMenu asks the desktop's
// script. A popup menu takes the script's next "PopupMenu" answer (the command identifier in button, or
// an item's caption in text) and is recorded as "PopupMenu: caption | caption | ... | result | answered".
// Items whose bitmap is HBMMENU_CALLBACK are measured and drawn by the window given to TrackPopupMenu
// when their menu is shown: the popup itself, then each submenu the user opens on the way to the choice.
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowState.h"
#include <cstddef>
#include <cstring>

using namespace emu;

namespace {

Menu* FindMenu(HMENU h) {
    auto& menus = S().menus;
    auto it = menus.find(reinterpret_cast<uintptr_t>(h));
    if (it == menus.end()) {
        SetError(1401); // ERROR_INVALID_MENU_HANDLE
        return nullptr;
    }
    return &it->second;
}

HMENU NewMenu(bool popup) {
    WindowState& s = S();
    uintptr_t h = s.nextMenu;
    s.nextMenu += 4;
    s.menus.emplace(h, Menu{popup, {}});
    return reinterpret_cast<HMENU>(h);
}

struct Found {
    Menu* menu = nullptr;
    size_t index = 0;
};

// By position, or by command identifier searched depth first through the submenus, as Windows does.
Found Locate(HMENU h, UINT item, bool byPosition) {
    Menu* m = FindMenu(h);
    if (!m) return {};
    if (byPosition) return item < m->items.size() ? Found{m, item} : Found{};
    for (size_t i = 0; i < m->items.size(); ++i) {
        MenuItem& it = m->items[i];
        if (it.sub) {
            Found f = Locate(it.sub, item, false);
            if (f.menu) return f;
        }
        if (!it.sub && it.id == item && !(it.type & MFT_SEPARATOR)) return Found{m, i};
    }
    return {};
}

MenuItem FromFlags(UINT flags, UINT_PTR idOrSub, LPCSTR text) {
    MenuItem it;
    it.type =
        flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
    it.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
    if (flags & MF_POPUP)
        it.sub = reinterpret_cast<HMENU>(idOrSub);
    else
        it.id = static_cast<UINT>(idOrSub);
    if (flags & (MF_OWNERDRAW | MF_BITMAP))
        it.data = reinterpret_cast<ULONG_PTR>(text);
    else if (text && !(flags & MF_SEPARATOR))
        it.text = text;
    return it;
}

void Destroy(uintptr_t h) {
    auto& menus = S().menus;
    auto it = menus.find(h);
    if (it == menus.end()) return;
    std::vector<HMENU> subs;
    for (const MenuItem& item : it->second.items)
        if (item.sub) subs.push_back(item.sub);
    menus.erase(it);
    for (HMENU sub : subs)
        Destroy(reinterpret_cast<uintptr_t>(sub));
}

// The captions a user sees, submenu entries as "Parent > Entry", without the '&' mnemonics' markers.
void Captions(HMENU h, const std::string& prefix, std::vector<std::string>& out) {
    Menu* m = FindMenu(h);
    if (!m) return;
    for (const MenuItem& it : m->items) {
        if (it.type & MFT_SEPARATOR) continue;
        std::string caption;
        for (size_t i = 0; i < it.text.size(); ++i) {
            if (it.text[i] == '&' && i + 1 < it.text.size())
                ++i;
            else if (it.text[i] == '\t')
                break; // the accelerator text is not part of the caption
            caption += it.text[i];
        }
        if (caption.empty() && (it.type & MFT_OWNERDRAW)) caption = "(owner-drawn)";
        if (it.sub)
            Captions(it.sub, prefix + caption + " > ", out);
        else
            out.push_back(prefix + caption);
    }
}

// The captions as written, each as a user's answer names it; a submenu's entries follow its caption
// between "{" and "}".
void WrittenCaptions(HMENU h, std::vector<std::string>& out) {
    Menu* m = FindMenu(h);
    if (!m) return;
    for (const MenuItem& it : m->items) {
        if (it.type & MFT_SEPARATOR) continue;
        out.push_back(it.text.empty() && (it.type & MFT_OWNERDRAW) ? "(owner-drawn)" : it.text);
        if (!it.sub) continue;
        out.push_back("{");
        WrittenCaptions(it.sub, out);
        out.push_back("}");
    }
}

// The command identifier of an enabled item whose caption, as written or without its '&', is the text, or 0.
UINT FindByCaption(HMENU h, const std::string& caption) {
    Menu* m = FindMenu(h);
    if (!m) return 0;
    for (const MenuItem& it : m->items) {
        if (it.sub) {
            if (UINT id = FindByCaption(it.sub, caption)) return id;
            continue;
        }
        std::string plain;
        for (char c : it.text)
            if (c != '&') plain += c;
        if ((plain == caption || it.text == caption) && !(it.state & MFS_GRAYED) &&
            !(it.type & MFT_SEPARATOR))
            return it.id;
    }
    return 0;
}

bool Choosable(HMENU h, UINT id) {
    Found f = Locate(h, id, false);
    return f.menu && !(f.menu->items[f.index].state & MFS_GRAYED);
}

// The submenus opened to reach the command, outermost first; false when the menu has no such command.
bool PathTo(HMENU h, UINT id, std::vector<HMENU>& path) {
    Menu* m = FindMenu(h);
    if (!m) return false;
    for (const MenuItem& it : m->items) {
        if (it.sub) {
            path.push_back(it.sub);
            if (PathTo(it.sub, id, path)) return true;
            path.pop_back();
        } else if (it.id == id && !(it.type & MFT_SEPARATOR)) {
            return true;
        }
    }
    return false;
}

// A menu appearing: as Windows does for callback bitmaps, the owner gets WM_MEASUREITEM for each such item
// (wParam 0, CtlType ODT_MENU, the item's identifier and data), then WM_DRAWITEM (ODA_DRAWENTIRE,
// hwndItem the menu's handle, rcItem the measured cell, the items stacked from the top).
void ShowMenu(HMENU h, HWND owner) {
    Menu* m = FindMenu(h);
    if (!m) return;
    std::vector<MenuItem> items; // a copy: the owner's handlers may change menus
    for (const MenuItem& it : m->items)
        if (it.bitmap == HBMMENU_CALLBACK) items.push_back(it);
    std::vector<MEASUREITEMSTRUCT> sizes;
    for (const MenuItem& it : items) {
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, it.id, 0, 0, it.data};
        SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        sizes.push_back(mis);
    }
    if (items.empty() || !S().Find(owner)) return;
    HDC dc = GetDC(nullptr);
    int top = 0;
    for (const MEASUREITEMSTRUCT& mis : sizes) {
        const int height = static_cast<int>(mis.itemHeight);
        DRAWITEMSTRUCT dis{ODT_MENU,    0,
                           mis.itemID,  ODA_DRAWENTIRE,
                           0,           reinterpret_cast<HWND>(h),
                           dc,          RECT{0, top, static_cast<LONG>(mis.itemWidth), top + height},
                           mis.itemData};
        SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        top += height;
    }
    ReleaseDC(nullptr, dc);
}

} // namespace

HMENU WINAPI CreateMenu(void) {
    return NewMenu(false);
}
HMENU WINAPI CreatePopupMenu(void) {
    return NewMenu(true);
}

BOOL WINAPI DestroyMenu(HMENU h) {
    if (!FindMenu(h)) return FALSE;
    Destroy(reinterpret_cast<uintptr_t>(h));
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU h) {
    return S().menus.count(reinterpret_cast<uintptr_t>(h)) != 0;
}

BOOL WINAPI AppendMenuA(HMENU h, UINT flags, UINT_PTR id, LPCSTR text) {
    Menu* m = FindMenu(h);
    if (!m) return FALSE;
    m->items.push_back(FromFlags(flags, id, text));
    return TRUE;
}

BOOL WINAPI InsertMenuA(HMENU h, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
    Menu* m = FindMenu(h);
    if (!m) return FALSE;
    size_t at = m->items.size();
    if (flags & MF_BYPOSITION) {
        if (position < m->items.size()) at = position;
    } else {
        Found f = Locate(h, position, false);
        if (!f.menu) return AppendMenuA(h, flags, id, text);
        m = f.menu;
        at = f.index;
    }
    m->items.insert(m->items.begin() + static_cast<long>(at), FromFlags(flags & ~MF_BYPOSITION, id, text));
    return TRUE;
}

namespace {
void ApplyInfo(MenuItem& it, const MENUITEMINFOA& mi) {
    if (mi.fMask & MIIM_FTYPE) it.type = mi.fType;
    if (mi.fMask & MIIM_TYPE) {
        it.type = mi.fType;
        if (!(mi.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)) && mi.dwTypeData)
            it.text = mi.dwTypeData;
        else if (mi.fType & MFT_OWNERDRAW)
            it.data = reinterpret_cast<ULONG_PTR>(mi.dwTypeData);
    }
    if (mi.fMask & MIIM_STRING) it.text = mi.dwTypeData ? mi.dwTypeData : "";
    if (mi.fMask & MIIM_STATE) it.state = mi.fState;
    if (mi.fMask & MIIM_ID) it.id = mi.wID;
    if (mi.fMask & MIIM_SUBMENU) it.sub = mi.hSubMenu;
    if (mi.fMask & MIIM_DATA) it.data = mi.dwItemData;
    if (mi.fMask & MIIM_BITMAP) it.bitmap = mi.hbmpItem;
}
} // namespace

BOOL WINAPI InsertMenuItemA(HMENU h, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
    Menu* m = FindMenu(h);
    if (!m || !mi || mi->cbSize < offsetof(MENUITEMINFOA, hbmpItem)) {
        SetError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MenuItem it;
    ApplyInfo(it, *mi);
    size_t at = m->items.size();
    if (byPosition) {
        if (item < m->items.size()) at = item;
    } else if (Found f = Locate(h, item, false); f.menu) {
        m = f.menu;
        at = f.index;
    }
    m->items.insert(m->items.begin() + static_cast<long>(at), it);
    return TRUE;
}

BOOL WINAPI SetMenuItemInfoA(HMENU h, UINT item, BOOL byPosition, LPCMENUITEMINFOA mi) {
    Found f = Locate(h, item, byPosition);
    if (!f.menu || !mi) return FALSE;
    ApplyInfo(f.menu->items[f.index], *mi);
    return TRUE;
}

BOOL WINAPI GetMenuItemInfoA(HMENU h, UINT item, BOOL byPosition, LPMENUITEMINFOA mi) {
    Found f = Locate(h, item, byPosition);
    if (!f.menu || !mi) {
        SetError(1456); // ERROR_MENU_ITEM_NOT_FOUND
        return FALSE;
    }
    const MenuItem& it = f.menu->items[f.index];
    if (mi->fMask & (MIIM_FTYPE | MIIM_TYPE)) mi->fType = it.type;
    if (mi->fMask & MIIM_STATE) mi->fState = it.state;
    if (mi->fMask & MIIM_ID) mi->wID = it.id;
    if (mi->fMask & MIIM_SUBMENU) mi->hSubMenu = it.sub;
    if (mi->fMask & MIIM_DATA) mi->dwItemData = it.data;
    if (mi->fMask & MIIM_BITMAP) mi->hbmpItem = it.bitmap;
    if (mi->fMask & (MIIM_STRING | MIIM_TYPE)) {
        // With no buffer, cch receives the length; otherwise the text is copied and cch set to its length.
        if (mi->dwTypeData && mi->cch) {
            size_t n = std::min<size_t>(it.text.size(), mi->cch - 1);
            std::memcpy(mi->dwTypeData, it.text.data(), n);
            mi->dwTypeData[n] = 0;
            mi->cch = static_cast<UINT>(n);
        } else {
            mi->cch = static_cast<UINT>(it.text.size());
        }
    }
    return TRUE;
}

BOOL WINAPI DeleteMenu(HMENU h, UINT position, UINT flags) {
    Found f = Locate(h, position, (flags & MF_BYPOSITION) != 0);
    if (!f.menu) return FALSE;
    HMENU sub = f.menu->items[f.index].sub;
    f.menu->items.erase(f.menu->items.begin() + static_cast<long>(f.index));
    if (sub) Destroy(reinterpret_cast<uintptr_t>(sub));
    return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU h, UINT position, UINT flags) {
    Found f = Locate(h, position, (flags & MF_BYPOSITION) != 0);
    if (!f.menu) return FALSE;
    f.menu->items.erase(f.menu->items.begin() + static_cast<long>(f.index));
    return TRUE;
}

int WINAPI GetMenuItemCount(HMENU h) {
    Menu* m = FindMenu(h);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU h, int pos) {
    Menu* m = FindMenu(h);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->items.size()) return static_cast<UINT>(-1);
    const MenuItem& it = m->items[static_cast<size_t>(pos)];
    return it.sub ? static_cast<UINT>(-1) : it.id;
}

HMENU WINAPI GetSubMenu(HMENU h, int pos) {
    Menu* m = FindMenu(h);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->items.size()) return nullptr;
    return m->items[static_cast<size_t>(pos)].sub;
}

int WINAPI GetMenuStringA(HMENU h, UINT item, LPSTR buf, int max, UINT flags) {
    Found f = Locate(h, item, (flags & MF_BYPOSITION) != 0);
    if (!f.menu) return 0;
    const std::string& text = f.menu->items[f.index].text;
    if (!buf || max <= 0) return static_cast<int>(text.size());
    size_t n = std::min<size_t>(text.size(), static_cast<size_t>(max - 1));
    std::memcpy(buf, text.data(), n);
    buf[n] = 0;
    return static_cast<int>(n);
}

UINT WINAPI GetMenuState(HMENU h, UINT item, UINT flags) {
    Found f = Locate(h, item, (flags & MF_BYPOSITION) != 0);
    if (!f.menu) return static_cast<UINT>(-1);
    const MenuItem& it = f.menu->items[f.index];
    if (it.sub) {
        Menu* sub = FindMenu(it.sub);
        return (sub ? static_cast<UINT>(sub->items.size()) << 8 : 0) | MF_POPUP | it.state | it.type;
    }
    return it.state | it.type;
}

DWORD WINAPI CheckMenuItem(HMENU h, UINT item, UINT check) {
    Found f = Locate(h, item, (check & MF_BYPOSITION) != 0);
    if (!f.menu) return static_cast<DWORD>(-1);
    MenuItem& it = f.menu->items[f.index];
    DWORD old = it.state & MF_CHECKED;
    it.state = (it.state & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}

BOOL WINAPI EnableMenuItem(HMENU h, UINT item, UINT enable) {
    Found f = Locate(h, item, (enable & MF_BYPOSITION) != 0);
    if (!f.menu) return -1;
    MenuItem& it = f.menu->items[f.index];
    BOOL old = static_cast<BOOL>(it.state & (MF_GRAYED | MF_DISABLED));
    it.state = (it.state & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

BOOL WINAPI SetMenuDefaultItem(HMENU h, UINT item, UINT byPos) {
    Menu* m = FindMenu(h);
    if (!m) return FALSE;
    for (MenuItem& it : m->items)
        it.state &= ~MFS_DEFAULT;
    if (item == static_cast<UINT>(-1)) return TRUE;
    Found f = Locate(h, item, byPos != 0);
    if (!f.menu) return FALSE;
    f.menu->items[f.index].state |= MFS_DEFAULT;
    return TRUE;
}

// The owner gets WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP and WM_EXITMENULOOP around the
// choice (not with TPM_NONOTIFY). With TPM_RETURNCMD the chosen identifier is returned; otherwise the
// result is TRUE and the choice reaches the owner as a posted WM_COMMAND. A dismissed menu gives 0.
BOOL WINAPI TrackPopupMenuEx(HMENU h, UINT flags, int, int, HWND owner, LPTPMPARAMS) {
    WindowState& s = S();
    if (!FindMenu(h)) return FALSE;
    if (!s.Get(owner)) return FALSE;
    const bool notify = !(flags & TPM_NONOTIFY);
    if (notify) {
        SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
        SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(h), 0);
    }
    ShowMenu(h, owner);
    std::vector<std::string> fields, shown;
    Captions(h, "", fields);
    WrittenCaptions(h, shown);
    Desktop& d = s.manager.Owner();
    std::optional<Answer> answer = d.Answers().Take("PopupMenu");
    UINT chosen = 0;
    if (answer) {
        chosen = !answer->text.empty() ? FindByCaption(h, answer->text) : static_cast<UINT>(answer->button);
        if (chosen && !Choosable(h, chosen)) chosen = 0; // a user cannot pick what the menu does not offer
    }
    std::vector<HMENU> opened;
    if (chosen && PathTo(h, chosen, opened))
        for (HMENU sub : opened)
            if (s.Find(owner)) ShowMenu(sub, owner);
    for (auto* f : {&fields, &shown}) {
        f->push_back(std::to_string(chosen));
        f->push_back(answer ? "answered" : "unanswered");
    }
    d.Log().Add("PopupMenu", std::move(fields), std::move(shown));
    if (notify && s.Find(owner)) {
        SendMessageA(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(h), 0);
        SendMessageA(owner, WM_EXITMENULOOP, TRUE, 0);
    }
    if (flags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen != 0;
}

BOOL WINAPI TrackPopupMenu(HMENU h, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    return TrackPopupMenuEx(h, flags, x, y, owner, nullptr);
}
