// The list view's window procedure and its messages on items, sub-items, columns, colours and styles.
#include "platform/emu/comctl32/ListView.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cstring>

namespace emu::comctl32 {

namespace {

bool IsCallback(LPCSTR s) {
    return s == LPSTR_TEXTCALLBACKA;
}
bool IsCallback(LPCWSTR s) {
    return s == LPSTR_TEXTCALLBACKW;
}

bool Valid(const ListView& lv, int item) {
    return item >= 0 && item < Count(lv);
}

// The text of an item or sub-item; a callback item asks the parent with LVN_GETDISPINFO.
// A text the list holds is handed out as it is; a callback's answer is kept in scratch.
std::u16string_view TextOfItem(ListView& lv, int item, int subItem, std::u16string& scratch) {
    const LvItem& it = lv.items[static_cast<size_t>(item)];
    if (subItem > 0)
        return static_cast<size_t>(subItem) <= it.sub.size() ? std::u16string_view(it.sub[subItem - 1])
                                                             : std::u16string_view();
    if (!it.textCallback) return it.text;
    if (lv.unicodeNotify) {
        WCHAR buf[MAX_PATH] = {};
        NMLVDISPINFOW di{};
        di.item = LVITEMW{LVIF_TEXT, item, subItem, 0, 0, buf, MAX_PATH, 0, it.param, 0, 0, 0, nullptr};
        Notify(lv, LVN_GETDISPINFOW, &di.hdr);
        return scratch = InText(static_cast<LPCWSTR>(di.item.pszText));
    }
    char buf[MAX_PATH] = {};
    NMLVDISPINFOA di{};
    di.item = LVITEMA{LVIF_TEXT, item, subItem, 0, 0, buf, MAX_PATH, 0, it.param, 0, 0, 0, nullptr};
    Notify(lv, LVN_GETDISPINFOA, &di.hdr);
    return scratch = InText(static_cast<LPCSTR>(di.item.pszText));
}

void ShiftForInsert(ListView& lv, int at) {
    if (lv.focused >= at) ++lv.focused;
    if (lv.mark >= at) ++lv.mark;
    if (lv.selHigh >= at) ++lv.selHigh;
}

template <class ITEM> LRESULT InsertItem(ListView& lv, const ITEM* in) {
    if (!in || in->iSubItem != 0) return -1; // sub-items are set, not inserted
    int at = std::clamp(in->iItem, 0, Count(lv));
    LvItem item;
    if (in->mask & LVIF_TEXT) {
        item.textCallback = IsCallback(in->pszText);
        if (!item.textCallback) item.text = InText(in->pszText);
    }
    if (in->mask & LVIF_IMAGE) item.image = in->iImage;
    if (in->mask & LVIF_PARAM) item.param = in->lParam;
    if (in->mask & LVIF_INDENT) item.indent = in->iIndent;
    // The state given at insertion is taken as it is, without LVN_ITEMCHANGING/CHANGED; a new item cannot
    // take the focus from another one this way.
    UINT state = (in->mask & LVIF_STATE) ? (in->state & in->stateMask) : 0;
    if (lv.focused >= 0) state &= ~LVIS_FOCUSED;
    item.state = state;
    ShiftForInsert(lv, at);
    lv.items.insert(lv.items.begin() + at, std::move(item));
    if (state & LVIS_SELECTED) {
        ++lv.selectedCount;
        lv.selLow = std::min(lv.selLow, at);
        lv.selHigh = std::max(lv.selHigh, at);
    }
    if (state & LVIS_FOCUSED) lv.focused = at;
    NotifyListView(lv, LVN_INSERTITEM, at);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return at;
}

void Forget(ListView& lv, int item) {
    const LvItem& it = lv.items[static_cast<size_t>(item)];
    if (it.state & LVIS_SELECTED) --lv.selectedCount;
    if (lv.focused == item)
        lv.focused = -1;
    else if (lv.focused > item)
        --lv.focused;
    if (lv.mark == item)
        lv.mark = -1;
    else if (lv.mark > item)
        --lv.mark;
    if (lv.selHigh >= item) --lv.selHigh;
    if (lv.selLow > item && lv.selLow != INT_MAX) --lv.selLow;
    if (lv.selectedCount == 0) {
        lv.selLow = INT_MAX;
        lv.selHigh = -1;
    }
}

LRESULT DeleteItem(ListView& lv, int item) {
    if (!Valid(lv, item)) return FALSE;
    if (lv.editItem == item) EndEditLabel(lv, true);
    NotifyListView(lv, LVN_DELETEITEM, item, 0, 0, 0, 0, {});
    if (!Valid(lv, item)) return FALSE; // the parent changed the list meanwhile
    Forget(lv, item);
    lv.items.erase(lv.items.begin() + item);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

// LVN_DELETEALLITEMS first; when the parent answers TRUE it wants no LVN_DELETEITEM per item, otherwise each
// item gets one, from the last to the first as comctl32 sends them.
LRESULT DeleteAllItems(ListView& lv) {
    if (lv.edit) EndEditLabel(lv, true);
    if (!lv.items.empty() && !NotifyListView(lv, LVN_DELETEALLITEMS, -1))
        for (int i = Count(lv) - 1; i >= 0; --i)
            NotifyListView(lv, LVN_DELETEITEM, i);
    lv.items.clear();
    lv.selectedCount = 0;
    lv.selLow = INT_MAX;
    lv.selHigh = -1;
    lv.focused = lv.mark = -1;
    lv.scrollRows = lv.scrollCols = 0;
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

template <class ITEM> LRESULT GetItem(ListView& lv, ITEM* out) {
    if (!out || !Valid(lv, out->iItem) || out->iSubItem < 0) return FALSE;
    const LvItem& it = lv.items[static_cast<size_t>(out->iItem)];
    std::u16string scratch;
    if (out->mask & LVIF_TEXT)
        OutText(TextOfItem(lv, out->iItem, out->iSubItem, scratch), out->pszText, out->cchTextMax);
    if (out->mask & LVIF_IMAGE) out->iImage = it.image;
    if (out->mask & LVIF_PARAM) out->lParam = it.param;
    if (out->mask & LVIF_INDENT) out->iIndent = it.indent;
    if (out->mask & LVIF_STATE) out->state = it.state & out->stateMask;
    return TRUE;
}

bool SetText(ListView& lv, int item, int subItem, const std::u16string& text, bool callback) {
    if (!Valid(lv, item) || subItem < 0) return false;
    if (subItem > 0 && subItem >= static_cast<int>(lv.columns.size())) return false;
    LvItem& it = lv.items[static_cast<size_t>(item)];
    if (subItem == 0) {
        it.text = text;
        it.textCallback = callback;
    } else {
        if (it.sub.size() < static_cast<size_t>(subItem)) it.sub.resize(static_cast<size_t>(subItem));
        it.sub[static_cast<size_t>(subItem) - 1] = text;
    }
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return true;
}

template <class ITEM> LRESULT SetItem(ListView& lv, const ITEM* in) {
    if (!in || !Valid(lv, in->iItem)) return FALSE;
    if (in->mask & LVIF_TEXT)
        if (!SetText(lv, in->iItem, in->iSubItem, IsCallback(in->pszText) ? u"" : InText(in->pszText),
                     IsCallback(in->pszText)))
            return FALSE;
    if (in->iSubItem != 0) return TRUE;
    LvItem& it = lv.items[static_cast<size_t>(in->iItem)];
    if (in->mask & LVIF_IMAGE) it.image = in->iImage;
    if (in->mask & LVIF_PARAM) it.param = in->lParam;
    if (in->mask & LVIF_INDENT) it.indent = in->iIndent;
    if (in->mask & LVIF_STATE) return SetState(lv, in->iItem, in->state, in->stateMask);
    return TRUE;
}

template <class ITEM> LRESULT GetItemText(ListView& lv, int item, ITEM* out) {
    if (!out || !Valid(lv, item)) return 0;
    std::u16string scratch;
    return OutText(TextOfItem(lv, item, out->iSubItem, scratch), out->pszText, out->cchTextMax);
}

template <class ITEM> LRESULT SetItemText(ListView& lv, int item, const ITEM* in) {
    if (!in) return FALSE;
    return SetText(lv, item, in->iSubItem, IsCallback(in->pszText) ? u"" : InText(in->pszText),
                   IsCallback(in->pszText));
}

// Item -1 changes every item. This list view (like comctl32 for lists that hold their items) sends the
// LVN_ITEMCHANGING/LVN_ITEMCHANGED pair for each item whose state changes; only owner-data lists send a
// single LVN_ITEMCHANGED with iItem -1.
template <class ITEM> LRESULT SetItemState(ListView& lv, int item, const ITEM* in) {
    if (!in) return FALSE;
    if (item == -1) return SetStateAll(lv, in->state, in->stateMask);
    if (!Valid(lv, item)) return FALSE;
    return SetState(lv, item, in->state, in->stateMask);
}

// A case-insensitive comparison of the item's text with the wanted one: whole (LVFI_STRING) or as a
// prefix (LVFI_PARTIAL), as Windows matches them.
bool Matches(std::u16string_view text, const std::u16string& want, bool partial) {
    if (partial ? text.size() < want.size() : text.size() != want.size()) return false;
    for (size_t i = 0; i < want.size(); ++i)
        if (FoldCase(text[i]) != FoldCase(want[i])) return false;
    return true;
}

LRESULT FindItem(ListView& lv, int start, UINT flags, const std::u16string& want, LPARAM param) {
    const int n = Count(lv);
    if (n == 0) return -1;
    const bool partial = (flags & (LVFI_PARTIAL | LVFI_SUBSTRING)) != 0;
    std::u16string scratch;
    auto hit = [&](int i) {
        if (flags & LVFI_PARAM) return lv.items[static_cast<size_t>(i)].param == param;
        if (flags & (LVFI_STRING | LVFI_PARTIAL | LVFI_SUBSTRING))
            return Matches(TextOfItem(lv, i, 0, scratch), want, partial);
        return false;
    };
    int from = start < -1 ? 0 : start + 1;
    for (int i = from; i < n; ++i)
        if (hit(i)) return i;
    if (flags & LVFI_WRAP)
        for (int i = 0; i < std::min(from, n); ++i)
            if (hit(i)) return i;
    return -1;
}

// ---- Columns ----
template <class COL> void ReadColumn(LvColumn& c, const COL* in) {
    if (in->mask & LVCF_FMT) c.fmt = in->fmt;
    if (in->mask & LVCF_WIDTH) c.width = in->cx;
    if (in->mask & LVCF_TEXT) c.text = InText(in->pszText);
    if (in->mask & LVCF_SUBITEM) c.subItem = in->iSubItem;
    if (in->mask & LVCF_IMAGE) c.image = in->iImage;
}

template <class COL> LRESULT InsertColumn(ListView& lv, int index, const COL* in) {
    if (!in || index < 0) return -1;
    index = std::min(index, static_cast<int>(lv.columns.size()));
    LvColumn c;
    c.subItem = index;
    ReadColumn(c, in);
    lv.columns.insert(lv.columns.begin() + index, c);
    HeaderInsert(lv.header, index, c);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return index;
}

template <class COL> LRESULT SetColumn(ListView& lv, int index, const COL* in) {
    if (!in || index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    ReadColumn(lv.columns[static_cast<size_t>(index)], in);
    HeaderUpdate(lv.header, index, lv.columns[static_cast<size_t>(index)]);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

template <class COL> LRESULT GetColumn(ListView& lv, int index, COL* out) {
    if (!out || index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    const LvColumn& c = lv.columns[static_cast<size_t>(index)];
    if (out->mask & LVCF_FMT) out->fmt = c.fmt;
    if (out->mask & LVCF_WIDTH) out->cx = c.width;
    if (out->mask & LVCF_TEXT) OutText(c.text, out->pszText, out->cchTextMax);
    if (out->mask & LVCF_SUBITEM) out->iSubItem = c.subItem;
    if (out->mask & LVCF_IMAGE) out->iImage = c.image;
    if (out->mask & LVCF_ORDER) out->iOrder = index;
    return TRUE;
}

// The sub-item texts of a deleted column go with it; the later columns' sub-items move down one.
LRESULT DeleteColumn(ListView& lv, int index) {
    if (index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    lv.columns.erase(lv.columns.begin() + index);
    if (index > 0)
        for (LvItem& it : lv.items)
            if (it.sub.size() >= static_cast<size_t>(index)) it.sub.erase(it.sub.begin() + (index - 1));
    for (LvColumn& c : lv.columns)
        if (c.subItem > index) --c.subItem;
    HeaderDelete(lv.header, index);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT ColumnWidth(const ListView& lv, int index) {
    DWORD view = ViewOf(lv.hwnd);
    if (view == LVS_LIST) return lv.listColumnWidth;
    if (view != LVS_REPORT || index < 0 || index >= static_cast<int>(lv.columns.size())) return 0;
    return lv.columns[static_cast<size_t>(index)].width;
}

// LVSCW_AUTOSIZE fits the widest text of the column (and LVSCW_AUTOSIZE_USEHEADER its header too),
// measured at the font's average character width plus a margin.
LRESULT SetColumnWidth(ListView& lv, int index, int width) {
    DWORD view = ViewOf(lv.hwnd);
    if (view == LVS_LIST) {
        if (index != 0 || width < 1) return FALSE;
        lv.listColumnWidth = width;
        InvalidateRect(lv.hwnd, nullptr, TRUE);
        return TRUE;
    }
    if (view != LVS_REPORT || index < 0 || index >= static_cast<int>(lv.columns.size())) return FALSE;
    LvColumn& c = lv.columns[static_cast<size_t>(index)];
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
        size_t chars = width == LVSCW_AUTOSIZE_USEHEADER ? c.text.size() : 0;
        std::u16string scratch;
        for (int i = 0; i < Count(lv); ++i)
            chars = std::max(chars, TextOfItem(lv, i, c.subItem, scratch).size());
        width = static_cast<int>(chars) * FontCharWidth(lv.font) + 12 + (c.subItem == 0 ? kSmallIcon : 0);
    }
    c.width = std::max(0, width);
    HeaderUpdate(lv.header, index, c);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT SetColor(ListView& lv, COLORREF& slot, LPARAM color) {
    slot = static_cast<COLORREF>(color);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT SetImageList(ListView& lv, WPARAM which, LPARAM list) {
    if (which > LVSIL_STATE) return 0;
    HIMAGELIST old = lv.images[which];
    lv.images[which] = reinterpret_cast<HIMAGELIST>(list);
    return reinterpret_cast<LRESULT>(old);
}

// The previous extended styles come back; wParam masks the bits to change (0: all of them).
LRESULT SetExtendedStyle(ListView& lv, WPARAM mask, LPARAM style) {
    DWORD old = lv.exStyle;
    DWORD m = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
    lv.exStyle = (old & ~m) | (static_cast<DWORD>(style) & m);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return old;
}

// A stable merge sort keeps the order of equal items, and the selection bookkeeping follows the items.
LRESULT SortItems(ListView& lv, LPARAM data, PFNLVCOMPARE compare) {
    if (!compare) return FALSE;
    if (lv.edit) EndEditLabel(lv, true);
    std::stable_sort(lv.items.begin(), lv.items.end(),
                     [&](const LvItem& a, const LvItem& b) { return compare(a.param, b.param, data) < 0; });
    lv.focused = -1;
    lv.selLow = INT_MAX;
    lv.selHigh = -1;
    for (int i = 0; i < Count(lv); ++i) {
        UINT s = lv.items[static_cast<size_t>(i)].state;
        if (s & LVIS_FOCUSED) lv.focused = i;
        if (s & LVIS_SELECTED) {
            lv.selLow = std::min(lv.selLow, i);
            lv.selHigh = i;
        }
    }
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT OnCreate(HWND hwnd, ListView& lv) {
    lv.hwnd = hwnd;
    lv.bkColor = GetSysColor(COLOR_WINDOW);
    lv.textColor = GetSysColor(COLOR_WINDOWTEXT);
    lv.textBkColor = GetSysColor(COLOR_WINDOW);
    HWND parent = GetParent(hwnd);
    lv.unicodeNotify = parent && SendMessageA(parent, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(hwnd),
                                              NF_QUERY) == NFR_UNICODE;
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    RECT rc{};
    GetClientRect(hwnd, &rc);
    DWORD visible = (style & LVS_TYPEMASK) == LVS_REPORT && !(style & LVS_NOCOLUMNHEADER) ? WS_VISIBLE : 0;
    lv.header = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | HDS_HORZ | HDS_BUTTONS | visible, 0, 0,
                                rc.right, kHeaderHeight, hwnd, nullptr, nullptr, nullptr);
    return lv.header ? 0 : -1;
}

// The view type lives in the style: when it changes, the header shows only in report view and the view
// starts again from its top.
void OnStyleChanged(ListView& lv, WPARAM which, const STYLESTRUCT* ss) {
    if (which != static_cast<WPARAM>(GWL_STYLE) || !ss) return;
    DWORD style = ss->styleNew;
    if ((ss->styleOld ^ style) & LVS_TYPEMASK) {
        lv.scrollRows = lv.scrollCols = 0;
        if (lv.edit) EndEditLabel(lv, true);
    }
    bool header = (style & LVS_TYPEMASK) == LVS_REPORT && !(style & LVS_NOCOLUMNHEADER);
    ShowWindow(lv.header, header ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
}

LRESULT SetView(ListView& lv, DWORD view) {
    if (view > LV_VIEW_LIST) return -1;
    DWORD style = static_cast<DWORD>(GetWindowLongA(lv.hwnd, GWL_STYLE));
    if ((style & LVS_TYPEMASK) != view)
        SetWindowLongPtrA(lv.hwnd, GWL_STYLE, static_cast<LONG_PTR>((style & ~LVS_TYPEMASK) | view));
    return 1;
}

LRESULT OnSetFont(ListView& lv, HFONT font, BOOL redraw) {
    lv.font = font;
    SendMessageA(lv.header, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (redraw) InvalidateRect(lv.hwnd, nullptr, TRUE);
    return 0;
}

} // namespace

DWORD ViewOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & LVS_TYPEMASK;
}

int Count(const ListView& lv) {
    return static_cast<int>(lv.items.size());
}

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ListView* p = StateOf<ListView>(hwnd);
    if (!p && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const int index = static_cast<int>(wParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new ListView);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE:
        return OnCreate(hwnd, *p);
    case WM_DESTROY:
        if (p->edit) EndEditLabel(*p, true);
        DeleteAllItems(*p);
        return 0;
    case WM_NCDESTROY:
        delete p;
        SetStateOf<ListView>(hwnd, nullptr);
        return 0;
    case WM_STYLECHANGED:
        OnStyleChanged(*p, wParam, reinterpret_cast<const STYLESTRUCT*>(lParam));
        return 0;
    case WM_SETFONT:
        return OnSetFont(*p, reinterpret_cast<HFONT>(wParam), LOWORD(lParam));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(p->font);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        p->focus = true;
        Notify(*p, NM_SETFOCUS, nullptr);
        return 0;
    case WM_KILLFOCUS:
        p->focus = false;
        Notify(*p, NM_KILLFOCUS, nullptr);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return OnButtonDown(*p, msg == WM_RBUTTONDOWN, wParam,
                            POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        return OnButtonUp(*p, msg == WM_RBUTTONUP, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONDBLCLK:
        return OnDoubleClick(*p, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_KEYDOWN:
        return OnKeyDown(*p, wParam, lParam);

    case LVM_GETITEMCOUNT:
        return Count(*p);
    case LVM_SETITEMCOUNT: // a hint for lists that hold their items: room is made, nothing else changes
        if (!(GetWindowLongA(hwnd, GWL_STYLE) & LVS_OWNERDATA)) p->items.reserve(wParam);
        return TRUE;
    case LVM_INSERTITEMA:
        return InsertItem(*p, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_INSERTITEMW:
        return InsertItem(*p, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_DELETEITEM:
        return DeleteItem(*p, index);
    case LVM_DELETEALLITEMS:
        return DeleteAllItems(*p);
    case LVM_GETITEMA:
        return GetItem(*p, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMW:
        return GetItem(*p, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMA:
        return SetItem(*p, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMW:
        return SetItem(*p, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMTEXTA:
        return GetItemText(*p, index, reinterpret_cast<LVITEMA*>(lParam));
    case LVM_GETITEMTEXTW:
        return GetItemText(*p, index, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTA:
        return SetItemText(*p, index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_SETITEMTEXTW:
        return SetItemText(*p, index, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMSTATE:
        return Valid(*p, index) ? p->items[wParam].state & static_cast<UINT>(lParam) : 0;
    case LVM_SETITEMSTATE:
        return SetItemState(*p, index, reinterpret_cast<const LVITEMA*>(lParam));
    case LVM_GETNEXTITEM:
        return NextItem(*p, index, LOWORD(lParam));
    case LVM_GETSELECTEDCOUNT:
        return p->selectedCount;
    case LVM_GETSELECTIONMARK:
        return p->mark;
    case LVM_SETSELECTIONMARK: {
        int old = p->mark;
        p->mark = static_cast<int>(lParam) >= -1 && static_cast<int>(lParam) < Count(*p)
                      ? static_cast<int>(lParam)
                      : old;
        return old;
    }
    case LVM_FINDITEMA: {
        auto* fi = reinterpret_cast<const LVFINDINFOA*>(lParam);
        return fi ? FindItem(*p, index, fi->flags, InText(fi->psz), fi->lParam) : -1;
    }
    case LVM_FINDITEMW: {
        auto* fi = reinterpret_cast<const LVFINDINFOW*>(lParam);
        return fi ? FindItem(*p, index, fi->flags, InText(fi->psz), fi->lParam) : -1;
    }
    case LVM_GETITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        return rc && ItemRect(*p, index, rc->left, *rc);
    }
    case LVM_GETSUBITEMRECT: {
        auto* rc = reinterpret_cast<RECT*>(lParam);
        return rc && SubItemRect(*p, index, rc->top, rc->left, *rc);
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
        return lParam ? HitTest(*p, *reinterpret_cast<LVHITTESTINFO*>(lParam), msg == LVM_SUBITEMHITTEST)
                      : -1;
    case LVM_ENSUREVISIBLE:
        return EnsureVisible(*p, index, lParam != 0);
    case LVM_GETTOPINDEX:
        return TopIndex(*p);
    case LVM_GETCOUNTPERPAGE:
        return CountPerPage(*p);
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_EDITLABELA:
    case LVM_EDITLABELW:
        return reinterpret_cast<LRESULT>(EditLabel(*p, index));
    case LVM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(p->edit);

    case LVM_INSERTCOLUMNA:
        return InsertColumn(*p, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_INSERTCOLUMNW:
        return InsertColumn(*p, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_SETCOLUMNA:
        return SetColumn(*p, index, reinterpret_cast<const LVCOLUMNA*>(lParam));
    case LVM_SETCOLUMNW:
        return SetColumn(*p, index, reinterpret_cast<const LVCOLUMNW*>(lParam));
    case LVM_GETCOLUMNA:
        return GetColumn(*p, index, reinterpret_cast<LVCOLUMNA*>(lParam));
    case LVM_GETCOLUMNW:
        return GetColumn(*p, index, reinterpret_cast<LVCOLUMNW*>(lParam));
    case LVM_DELETECOLUMN:
        return DeleteColumn(*p, index);
    case LVM_GETCOLUMNWIDTH:
        return ColumnWidth(*p, index);
    case LVM_SETCOLUMNWIDTH:
        return SetColumnWidth(*p, index, static_cast<int>(static_cast<short>(LOWORD(lParam))));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(p->header);

    case LVM_GETBKCOLOR:
        return p->bkColor;
    case LVM_SETBKCOLOR:
        return SetColor(*p, p->bkColor, lParam);
    case LVM_GETTEXTCOLOR:
        return p->textColor;
    case LVM_SETTEXTCOLOR:
        return SetColor(*p, p->textColor, lParam);
    case LVM_GETTEXTBKCOLOR:
        return p->textBkColor;
    case LVM_SETTEXTBKCOLOR:
        return SetColor(*p, p->textBkColor, lParam);
    case LVM_GETIMAGELIST:
        return wParam <= LVSIL_STATE ? reinterpret_cast<LRESULT>(p->images[wParam]) : 0;
    case LVM_SETIMAGELIST:
        return SetImageList(*p, wParam, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return p->exStyle;
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
        return SetExtendedStyle(*p, wParam, lParam);
    case LVM_SORTITEMS:
        return SortItems(*p, static_cast<LPARAM>(wParam), reinterpret_cast<PFNLVCOMPARE>(lParam));
    case LVM_GETVIEW:
        return ViewOf(hwnd);
    case LVM_SETVIEW:
        return SetView(*p, static_cast<DWORD>(wParam));
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
