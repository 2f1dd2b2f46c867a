// The "ComboBox" control: a list of strings with item data, a current selection, and for CBS_DROPDOWN
// (and CBS_SIMPLE) an "Edit" child holding the text. Notifications reach the parent through WM_COMMAND
// in Windows' order: picking an entry gives CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE, and only then is
// the edit text updated (so a CBN_SELCHANGE handler reads the new entry with CB_GETLBTEXT, not the text).
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/user32/Cp1252.h"
#include <algorithm>
#include <vector>

namespace emu::comctl32 {

namespace {

constexpr int kEditId = 1001;        // the identifier Windows gives a combo box's edit field
constexpr DWORD kComboEdit = 0x0200; // see edit.cpp
constexpr int kButtonWidth = 17;     // the drop-down arrow

struct Item {
    std::string text;
    ULONG_PTR data = 0;
};

struct Combo {
    std::vector<Item> items;
    int sel = -1;
    HWND edit = nullptr;
    bool dropped = false;
    bool focused = false;
    bool quietEdit = false; // the combo box is setting the edit text itself: no CBN_EDIT* notices
    HFONT font = nullptr;
    int itemHeight = 0;
    int droppedHeight = 0;
    int droppedWidth = 0;
    int topIndex = 0;
    bool extendedUI = false;
};

DWORD Type(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & 3;
}
int Count(const Combo& c) {
    return static_cast<int>(c.items.size());
}
int ClosedHeight(const Combo& c) {
    return FontHeight(c.font) + 8;
}

void SetEditText(Combo& c, const std::string& text) {
    if (!c.edit) return;
    c.quietEdit = true;
    SetWindowTextA(c.edit, text.c_str());
    c.quietEdit = false;
    if (c.focused) SendMessageA(c.edit, EM_SETSEL, 0, -1);
}

// Prefix or whole-text search without regard to case, starting after "start" and wrapping around.
int Find(const Combo& c, WPARAM start, LPARAM text, bool exact) {
    if (c.items.empty()) return CB_ERR;
    std::string want = TextOf(text);
    int n = Count(c);
    int from = static_cast<INT>(start);
    if (from < -1 || from >= n) from = -1;
    for (int k = 1; k <= n; ++k) {
        int i = (from + k) % n;
        const std::string& t = c.items[static_cast<size_t>(i)].text;
        if (exact ? cp1252::EqualNoCase(t, want) : cp1252::StartsNoCase(t, want)) return i;
    }
    return CB_ERR;
}

int Insert(Combo& c, int at, std::string text) {
    if (at < 0 || at > Count(c)) at = Count(c);
    c.items.insert(c.items.begin() + at, Item{std::move(text), 0});
    if (c.sel >= at) c.sel++;
    return at;
}

int SortedPosition(const Combo& c, const std::string& text) {
    // After the entries that sort equal, as lstrcmpi-ordered lists insert.
    auto it =
        std::upper_bound(c.items.begin(), c.items.end(), text, [](const std::string& t, const Item& item) {
            return cp1252::CompareNoCase(t, item.text) < 0;
        });
    return static_cast<int>(it - c.items.begin());
}

void DropDown(HWND hwnd, Combo& c) {
    if (c.dropped || Type(hwnd) == CBS_SIMPLE) return;
    NotifyParent(hwnd, CBN_DROPDOWN);
    if (!(StateOf<Combo>(hwnd))) return;
    c.dropped = true;
}

void RollUp(HWND hwnd, Combo& c, bool ok) {
    NotifyParent(hwnd, ok ? CBN_SELENDOK : CBN_SELENDCANCEL);
    if (!StateOf<Combo>(hwnd) || !c.dropped) return;
    c.dropped = false;
    NotifyParent(hwnd, CBN_CLOSEUP);
}

// The user chose an entry in the list (a click in the dropped list, or the arrow keys).
void UserSelects(HWND hwnd, Combo& c, int index, bool closeList) {
    if (index < 0 || index >= Count(c)) return;
    c.sel = index;
    if (closeList && c.dropped) RollUp(hwnd, c, true);
    if (!StateOf<Combo>(hwnd)) return;
    NotifyParent(hwnd, CBN_SELCHANGE);
    if (!StateOf<Combo>(hwnd) || c.sel < 0 || c.sel >= Count(c)) return;
    SetEditText(c, c.items[static_cast<size_t>(c.sel)].text);
}

void Layout(HWND hwnd, Combo& c) {
    if (!c.edit) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    // The edit field sits inside the 3-pixel frame, left of the arrow button.
    int right = rc.right - 3 - (Type(hwnd) == CBS_SIMPLE ? 0 : kButtonWidth);
    MoveWindow(c.edit, 3, 3, std::max(0, right - 3), std::max(0, ClosedHeight(c) - 6), TRUE);
}

void SetFocused(HWND hwnd, Combo& c) {
    if (c.focused) return;
    c.focused = true;
    if (c.edit) SendMessageA(c.edit, EM_SETSEL, 0, -1);
    NotifyParent(hwnd, CBN_SETFOCUS);
}

// Losing the focus ends any selection in progress: CBN_SELENDCANCEL (and CBN_CLOSEUP when the list was
// down) come before CBN_KILLFOCUS.
void KillFocused(HWND hwnd, Combo& c) {
    if (!c.focused) return;
    RollUp(hwnd, c, false);
    if (!StateOf<Combo>(hwnd)) return;
    c.focused = false;
    NotifyParent(hwnd, CBN_KILLFOCUS);
}

LRESULT FromEdit(HWND hwnd, Combo& c, WORD code) {
    switch (code) {
    case EN_SETFOCUS:
        SetFocused(hwnd, c);
        break;
    case EN_KILLFOCUS: {
        HWND now = GetFocus();
        if (now != hwnd && now != c.edit) KillFocused(hwnd, c);
        break;
    }
    case EN_UPDATE:
        if (!c.quietEdit) NotifyParent(hwnd, CBN_EDITUPDATE);
        break;
    case EN_CHANGE:
        if (c.quietEdit) break;
        NotifyParent(hwnd, CBN_EDITCHANGE);
        // The list follows what is typed: the first entry starting with the text when the list is down,
        // no selection otherwise.
        if (Combo* again = StateOf<Combo>(hwnd)) {
            if (again->dropped) {
                int len = GetWindowTextLengthA(again->edit);
                std::string text(static_cast<size_t>(len) + 1, '\0');
                GetWindowTextA(again->edit, text.data(), len + 1);
                text.resize(static_cast<size_t>(len));
                again->sel =
                    Find(*again, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()), false);
            } else {
                again->sel = -1;
            }
        }
        break;
    default:
        break;
    }
    return 0;
}

LRESULT OnKeyDown(HWND hwnd, Combo& c, WPARAM vk) {
    switch (vk) {
    case VK_F4:
        if (c.dropped)
            RollUp(hwnd, c, true);
        else
            DropDown(hwnd, c);
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        if (c.dropped) RollUp(hwnd, c, vk == VK_RETURN);
        break;
    case VK_DOWN:
    case VK_UP: {
        if (c.items.empty()) break;
        int next = c.sel < 0 ? 0 : c.sel + (vk == VK_DOWN ? 1 : -1);
        if (next >= 0 && next < Count(c) && next != c.sel) UserSelects(hwnd, c, next, false);
        break;
    }
    default:
        break;
    }
    return 0;
}

} // namespace

LRESULT CALLBACK ComboProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Combo* c = StateOf<Combo>(hwnd);
    if (!c && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new Combo;
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        state->droppedHeight = cs ? cs->cy : 0;
        SetStateOf(hwnd, state);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_CREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (Type(hwnd) != CBS_DROPDOWNLIST) {
            DWORD style = WS_CHILD | WS_VISIBLE | kComboEdit | ES_AUTOHSCROLL;
            DWORD cstyle = static_cast<DWORD>(cs->style);
            if (cstyle & CBS_UPPERCASE) style |= ES_UPPERCASE;
            if (cstyle & CBS_LOWERCASE) style |= ES_LOWERCASE;
            c->edit = CreateWindowExA(0, "Edit", "", style, 0, 0, 0, 0, hwnd,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), cs->hInstance,
                                      nullptr);
            if (!c->edit) return -1;
        }
        // The window is as high as its closed field; the height asked for is that of the dropped list.
        if (Type(hwnd) != CBS_SIMPLE)
            SetWindowPos(hwnd, nullptr, 0, 0, cs->cx, ClosedHeight(*c),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if ((c = StateOf<Combo>(hwnd))) Layout(hwnd, *c);
        return 0;
    }
    case WM_NCDESTROY:
        delete c;
        SetStateOf<Combo>(hwnd, nullptr);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
        if (Type(hwnd) != CBS_SIMPLE && wp && !(wp->flags & SWP_NOSIZE) && wp->cy != ClosedHeight(*c)) {
            if (wp->cy > ClosedHeight(*c)) c->droppedHeight = wp->cy;
            wp->cy = ClosedHeight(*c);
        }
        return 0;
    }
    case WM_SIZE:
        Layout(hwnd, *c);
        return 0;
    case CB_ADDSTRING: {
        std::string text = TextOf(lParam);
        int at = (GetWindowLongA(hwnd, GWL_STYLE) & CBS_SORT) ? SortedPosition(*c, text) : Count(*c);
        return Insert(*c, at, std::move(text));
    }
    case CB_INSERTSTRING: {
        int at = static_cast<INT>(wParam);
        if (at < -1 || at > Count(*c)) return CB_ERR;
        return Insert(*c, at, TextOf(lParam));
    }
    case CB_DELETESTRING: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        c->items.erase(c->items.begin() + i);
        if (c->sel == i)
            c->sel = -1; // the text in the edit field stays
        else if (c->sel > i)
            c->sel--;
        return Count(*c);
    }
    case CB_RESETCONTENT:
        c->items.clear();
        c->sel = -1;
        SetEditText(*c, "");
        InvalidateRect(hwnd, nullptr, TRUE);
        return CB_OKAY;
    case CB_GETCOUNT:
        return Count(*c);
    case CB_GETCURSEL:
        return c->sel;
    case CB_SETCURSEL: {
        // An index out of range (or -1) clears the selection and the text, and returns CB_ERR.
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) {
            c->sel = -1;
            SetEditText(*c, "");
            InvalidateRect(hwnd, nullptr, TRUE);
            return CB_ERR;
        }
        c->sel = i;
        SetEditText(*c, c->items[static_cast<size_t>(i)].text);
        InvalidateRect(hwnd, nullptr, TRUE);
        return i;
    }
    case CB_GETLBTEXT: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c) || !lParam) return CB_ERR;
        const std::string& t = c->items[static_cast<size_t>(i)].text;
        return CopyText(t, t.size() + 1, lParam);
    }
    case CB_GETLBTEXTLEN: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        return static_cast<LRESULT>(c->items[static_cast<size_t>(i)].text.size());
    }
    case CB_FINDSTRING:
        return Find(*c, wParam, lParam, false);
    case CB_FINDSTRINGEXACT:
        return Find(*c, wParam, lParam, true);
    case CB_SELECTSTRING: {
        int i = Find(*c, wParam, lParam, false);
        if (i == CB_ERR) return CB_ERR;
        return SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
    case CB_SETITEMDATA: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        c->items[static_cast<size_t>(i)].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    }
    case CB_GETITEMDATA: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        return static_cast<LRESULT>(c->items[static_cast<size_t>(i)].data);
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(hwnd, *c);
        else if (c->dropped)
            RollUp(hwnd, *c, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return c->dropped;
    case CB_GETDROPPEDCONTROLRECT: {
        if (!lParam) return CB_ERR;
        RECT r;
        GetWindowRect(hwnd, &r);
        r.bottom = r.top + std::max(c->droppedHeight, ClosedHeight(*c));
        if (c->droppedWidth > r.right - r.left) r.right = r.left + c->droppedWidth;
        *reinterpret_cast<RECT*>(lParam) = r;
        return CB_OKAY;
    }
    case CB_LIMITTEXT:
        if (!c->edit) return CB_ERR;
        SendMessageA(c->edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        if (!c->edit) return CB_ERR;
        return SendMessageA(c->edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
        if (!c->edit) return CB_ERR;
        SendMessageA(c->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                     static_cast<SHORT>(HIWORD(lParam)));
        return TRUE;
    case CB_SETITEMHEIGHT:
        c->itemHeight = static_cast<int>(lParam);
        return CB_OKAY;
    case CB_GETITEMHEIGHT:
        return c->itemHeight ? c->itemHeight : FontHeight(c->font);
    case CB_SETEXTENDEDUI:
        c->extendedUI = wParam != 0;
        return CB_OKAY;
    case CB_GETEXTENDEDUI:
        return c->extendedUI;
    case CB_GETTOPINDEX:
        return c->topIndex;
    case CB_SETTOPINDEX:
        if (static_cast<INT>(wParam) < 0 || static_cast<INT>(wParam) >= Count(*c)) return CB_ERR;
        c->topIndex = static_cast<INT>(wParam);
        return CB_OKAY;
    case CB_SETDROPPEDWIDTH:
        c->droppedWidth = static_cast<int>(wParam);
        return c->droppedWidth;
    case CB_GETDROPPEDWIDTH: {
        RECT r;
        GetWindowRect(hwnd, &r);
        return std::max<LRESULT>(c->droppedWidth, r.right - r.left);
    }
    case CB_INITSTORAGE:
        c->items.reserve(c->items.size() + wParam);
        return static_cast<LRESULT>(c->items.capacity());
    case WM_SETTEXT:
        if (c->edit) return SendMessageA(c->edit, WM_SETTEXT, wParam, lParam);
        {
            // A drop-down list shows only its entries: setting a text selects the entry that has it.
            int i = Find(*c, static_cast<WPARAM>(-1), lParam, true);
            if (i == CB_ERR) return CB_ERR;
            c->sel = i;
            return TRUE;
        }
    case WM_GETTEXT:
        if (c->edit) return SendMessageA(c->edit, WM_GETTEXT, wParam, lParam);
        return CopyText(c->sel >= 0 ? c->items[static_cast<size_t>(c->sel)].text : "", wParam, lParam);
    case WM_GETTEXTLENGTH:
        if (c->edit) return SendMessageA(c->edit, WM_GETTEXTLENGTH, 0, 0);
        return c->sel >= 0 ? static_cast<LRESULT>(c->items[static_cast<size_t>(c->sel)].text.size()) : 0;
    case WM_COMMAND:
        if (c->edit && reinterpret_cast<HWND>(lParam) == c->edit) return FromEdit(hwnd, *c, HIWORD(wParam));
        return 0;
    case WM_SETFOCUS:
        if (c->edit)
            SetFocus(c->edit);
        else
            SetFocused(hwnd, *c);
        return 0;
    case WM_KILLFOCUS: {
        HWND to = reinterpret_cast<HWND>(wParam);
        if (!to || to != c->edit) KillFocused(hwnd, *c);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if (!(c = StateOf<Combo>(hwnd))) return 0;
        if (c->dropped)
            RollUp(hwnd, *c, true);
        else
            DropDown(hwnd, *c);
        return 0;
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, *c, wParam);
    case WM_ENABLE:
        if (c->edit) EnableWindow(c->edit, static_cast<BOOL>(wParam));
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        c->font = reinterpret_cast<HFONT>(wParam);
        if (c->edit) SendMessageA(c->edit, WM_SETFONT, wParam, lParam);
        if (Type(hwnd) != CBS_SIMPLE) {
            RECT r;
            GetWindowRect(hwnd, &r);
            SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, ClosedHeight(*c),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if ((c = StateOf<Combo>(hwnd))) Layout(hwnd, *c);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(c->font);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The edit field's colours are the parent's to choose, as for any control.
        if (HWND parent = GetParent(hwnd)) return SendMessageA(parent, msg, wParam, lParam);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool PickComboItem(HWND combo, int index) {
    char cls[32] = {};
    GetClassNameA(combo, cls, sizeof cls);
    if (cp1252::EqualNoCase(cls, WC_COMBOBOXEXA))
        combo = reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETCOMBOCONTROL, 0, 0));
    else if (!cp1252::EqualNoCase(cls, "ComboBox"))
        return false;
    Combo* c = StateOf<Combo>(combo);
    if (!c || index < 0 || index >= Count(*c) || !IsWindowEnabled(combo)) return false;
    SetFocus(combo);
    if (!(c = StateOf<Combo>(combo))) return false;
    DropDown(combo, *c);
    if (!(c = StateOf<Combo>(combo))) return false;
    UserSelects(combo, *c, index, true);
    return true;
}

} // namespace emu::comctl32
