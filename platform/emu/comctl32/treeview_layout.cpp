// The tree view's rows: which items are shown (every ancestor expanded), their rectangles, the scroll
// position, hit tests, and the mouse and keyboard.
//
// Rows have one height: the font's cell plus a 2-pixel focus border, or the image height when larger,
// made even unless TVS_NONEVENHEIGHT. Each level indents by the indent; top-level items are indented
// one more step with TVS_LINESATROOT, whose button column that step is. A row holds, from its item's
// indentation on, the image (when there is an image list, with a 3-pixel gap) and the label (the text
// with 2 pixels of padding on each side).
#include "platform/emu/Desktop.h"
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/comctl32/TreeView.h"
#include "platform/emu/user32/Cp1252.h"
#include "platform/emu/user32/WindowManager.h"
#include <algorithm>
#include <vector>

namespace emu::comctl32 {

namespace {

constexpr int kImageGap = 3;
constexpr int kLabelPadding = 2;

int Level(const Tree& t, HTREEITEM item) {
    int level = 0;
    for (HTREEITEM p = item->parent; p && p != &t.root; p = p->parent)
        ++level;
    return level;
}

bool HasButtonColumn(const Tree& t, HTREEITEM item) {
    DWORD style = t.Style();
    return (style & TVS_HASBUTTONS) && (Level(t, item) > 0 || (style & TVS_LINESATROOT));
}

// Where the item's image (or label) begins.
int ItemLeft(const Tree& t, HTREEITEM item) {
    int steps = Level(t, item) + ((t.Style() & TVS_LINESATROOT) ? 1 : 0);
    return steps * t.indent;
}

int ImageWidth(const Tree& t) {
    int cx = 0, cy = 0;
    if (!t.normal || !ImageList_GetIconSize(t.normal, &cx, &cy)) return 0;
    return cx + kImageGap;
}

int LabelWidth(Tree& t, HTREEITEM item) {
    return static_cast<int>(ItemText(t, item).size()) * FontCharWidth(t.font) + 2 * kLabelPadding;
}

// The row of an item counted from the first item; -1 when it is not shown.
int RowOf(const Tree& t, HTREEITEM item) {
    int row = 0;
    for (HTREEITEM p = t.root.firstChild; p; p = NextShown(p), ++row)
        if (p == item) return row;
    return -1;
}

// The shown item standing for a hidden one: its outermost collapsed ancestor.
HTREEITEM ShownAncestor(const Tree& t, HTREEITEM item) {
    HTREEITEM shown = item;
    for (HTREEITEM p = item; p->parent && p->parent != &t.root; p = p->parent)
        if (!(p->parent->state & TVIS_EXPANDED)) shown = p->parent;
    return shown;
}

HTREEITEM ItemAtRow(Tree& t, int row) {
    HTREEITEM item = TopItem(t);
    for (int i = 0; item && i < row; ++i)
        item = NextShown(item);
    return item;
}

void Scroll(Tree& t, HTREEITEM top) {
    if (t.firstVisible == top) return;
    t.firstVisible = top;
    InvalidateRect(t.hwnd, nullptr, TRUE);
}

} // namespace

bool IsShown(const Tree& t, HTREEITEM item) {
    for (HTREEITEM p = item->parent; p && p != &t.root; p = p->parent)
        if (!(p->state & TVIS_EXPANDED)) return false;
    return true;
}

HTREEITEM NextShown(HTREEITEM item) {
    if ((item->state & TVIS_EXPANDED) && item->firstChild) return item->firstChild;
    for (HTREEITEM p = item; p && p->parent; p = p->parent)
        if (p->next) return p->next;
    return nullptr;
}

HTREEITEM PrevShown(const Tree& t, HTREEITEM item) {
    if (!item->prev) return item->parent == &t.root ? nullptr : item->parent;
    HTREEITEM p = item->prev;
    while ((p->state & TVIS_EXPANDED) && p->lastChild)
        p = p->lastChild;
    return p;
}

HTREEITEM LastShown(const Tree& t) {
    HTREEITEM p = t.root.lastChild;
    while (p && (p->state & TVIS_EXPANDED) && p->lastChild)
        p = p->lastChild;
    return p;
}

HTREEITEM TopItem(Tree& t) {
    if (!t.Valid(t.firstVisible)) t.firstVisible = t.root.firstChild;
    if (t.firstVisible && !IsShown(t, t.firstVisible)) t.firstVisible = ShownAncestor(t, t.firstVisible);
    return t.firstVisible;
}

int ItemHeight(const Tree& t) {
    if (t.itemHeight) return t.itemHeight;
    int height = FontHeight(t.font) + 2;
    int cx = 0, cy = 0;
    if (t.normal && ImageList_GetIconSize(t.normal, &cx, &cy)) height = std::max(height, cy);
    if (!(t.Style() & TVS_NONEVENHEIGHT) && (height & 1)) ++height;
    return height;
}

int VisibleRows(const Tree& t) {
    RECT rc{};
    GetClientRect(t.hwnd, &rc);
    return std::max(0, static_cast<int>(rc.bottom - rc.top) / ItemHeight(t));
}

BOOL EnsureVisible(Tree& t, HTREEITEM item) {
    HWND hwnd = t.hwnd;
    std::vector<HTREEITEM> ancestors;
    for (HTREEITEM p = item->parent; p && p != &t.root; p = p->parent)
        ancestors.push_back(p);
    bool expanded = false;
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        if ((*it)->state & TVIS_EXPANDED) continue;
        if (ExpandItem(t, *it, TVE_EXPAND, true)) expanded = true;
        if (!IsWindow(hwnd) || StateOf<Tree>(hwnd) != &t || !t.Valid(item)) return FALSE;
    }
    if (!IsShown(t, item)) return FALSE;
    HTREEITEM top = TopItem(t);
    int rowItem = RowOf(t, item);
    int rowTop = RowOf(t, top);
    int rows = VisibleRows(t);
    bool scrolled = false;
    if (rowItem < rowTop || rows == 0) {
        scrolled = item != top;
        Scroll(t, item);
    } else if (rowItem >= rowTop + rows) {
        // The item becomes the last full row.
        HTREEITEM newTop = item;
        for (int i = 1; i < rows; ++i)
            if (HTREEITEM p = PrevShown(t, newTop)) newTop = p;
        Scroll(t, newTop);
        scrolled = true;
    }
    // Windows answers nonzero only when it scrolled without expanding anything.
    return scrolled && !expanded;
}

void ForgetScroll(Tree& t, HTREEITEM removed) {
    if (!t.Valid(t.firstVisible)) return;
    for (HTREEITEM p = t.firstVisible; p; p = p->parent)
        if (p == removed) {
            t.firstVisible = PrevShown(t, removed);
            return;
        }
}

BOOL ItemRect(Tree& t, HTREEITEM item, bool textOnly, RECT& rect) {
    if (!IsShown(t, item)) return FALSE;
    int row = RowOf(t, item) - RowOf(t, TopItem(t));
    int height = ItemHeight(t);
    RECT client{};
    GetClientRect(t.hwnd, &client);
    rect.top = row * height;
    rect.bottom = rect.top + height;
    if (textOnly) {
        rect.left = ItemLeft(t, item) + ImageWidth(t);
        rect.right = rect.left + LabelWidth(t, item);
    } else {
        rect.left = 0;
        rect.right = client.right;
    }
    return TRUE;
}

HTREEITEM HitTest(Tree& t, TVHITTESTINFO& info) {
    RECT client{};
    GetClientRect(t.hwnd, &client);
    info.hItem = nullptr;
    info.flags = 0;
    POINT pt = info.pt;
    if (pt.x < client.left) info.flags |= TVHT_TOLEFT;
    if (pt.x >= client.right) info.flags |= TVHT_TORIGHT;
    if (pt.y < client.top) info.flags |= TVHT_ABOVE;
    if (pt.y >= client.bottom) info.flags |= TVHT_BELOW;
    if (info.flags) return nullptr;
    HTREEITEM item = ItemAtRow(t, pt.y / ItemHeight(t));
    if (!item) {
        info.flags = TVHT_NOWHERE;
        return nullptr;
    }
    info.hItem = item;
    int left = ItemLeft(t, item);
    int image = ImageWidth(t);
    if (pt.x < left) {
        bool onButton = pt.x >= left - t.indent && HasButtonColumn(t, item) && HasChildren(t, item);
        info.flags = onButton ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    } else if (pt.x < left + image) {
        info.flags = TVHT_ONITEMICON;
    } else if (pt.x < left + image + LabelWidth(t, item)) {
        info.flags = TVHT_ONITEMLABEL;
    } else {
        info.flags = TVHT_ONITEMRIGHT;
    }
    return item;
}

LRESULT OnMouse(Tree& t, UINT msg, POINT pt) {
    HWND hwnd = t.hwnd;
    TVHITTESTINFO hit{pt, 0, nullptr};
    HitTest(t, hit);
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        if (StateOf<Tree>(hwnd) != &t || !t.Valid(hit.hItem)) return 0;
        if (hit.flags & TVHT_ONITEMBUTTON)
            ExpandItem(t, hit.hItem, TVE_TOGGLE, true);
        else if (hit.flags & TVHT_ONITEM)
            SelectCaret(t, hit.hItem, TVC_BYMOUSE);
        return 0;
    case WM_LBUTTONUP:
        return SendTreeCode(t, NM_CLICK);
    case WM_LBUTTONDBLCLK:
        // A double click on an item toggles it, unless the parent handles NM_DBLCLK.
        if (!SendTreeCode(t, NM_DBLCLK) && StateOf<Tree>(hwnd) == &t && t.Valid(hit.hItem) &&
            (hit.flags & TVHT_ONITEM))
            ExpandItem(t, hit.hItem, TVE_TOGGLE, true);
        return 0;
    case WM_RBUTTONUP:
        // Unhandled, it becomes WM_CONTEXTMENU.
        return SendTreeCode(t, NM_RCLICK);
    default:
        return 0;
    }
}

LRESULT OnKeyDown(Tree& t, WPARAM vk) {
    HWND hwnd = t.hwnd;
    NMTVKEYDOWN key{};
    key.wVKey = static_cast<WORD>(vk);
    key.hdr = NMHDR{hwnd, static_cast<UINT_PTR>(GetWindowLongPtrA(hwnd, GWLP_ID)), TVN_KEYDOWN};
    if (HWND parent = GetParent(hwnd))
        SendMessageA(parent, WM_NOTIFY, key.hdr.idFrom, reinterpret_cast<LPARAM>(&key));
    if (StateOf<Tree>(hwnd) != &t) return 0;
    HTREEITEM sel = t.Valid(t.selected) ? t.selected : nullptr;
    HTREEITEM target = nullptr;
    switch (vk) {
    case VK_UP:
        target = sel ? PrevShown(t, sel) : TopItem(t);
        break;
    case VK_DOWN:
        target = sel ? NextShown(sel) : TopItem(t);
        break;
    case VK_HOME:
        target = t.root.firstChild;
        break;
    case VK_END:
        target = LastShown(t);
        break;
    case VK_LEFT:
        if (!sel) break;
        if ((sel->state & TVIS_EXPANDED) && sel->firstChild)
            ExpandItem(t, sel, TVE_COLLAPSE, true);
        else if (sel->parent != &t.root)
            target = sel->parent;
        break;
    case VK_RIGHT:
        if (!sel || !HasChildren(t, sel)) break;
        if (!(sel->state & TVIS_EXPANDED))
            ExpandItem(t, sel, TVE_EXPAND, true);
        else
            target = sel->firstChild;
        break;
    case VK_ADD:
        if (sel) ExpandItem(t, sel, TVE_EXPAND, true);
        break;
    case VK_SUBTRACT:
        if (sel) ExpandItem(t, sel, TVE_COLLAPSE, true);
        break;
    case VK_RETURN:
        SendTreeCode(t, NM_RETURN);
        break;
    default:
        break;
    }
    if (target && StateOf<Tree>(hwnd) == &t) SelectCaret(t, target, TVC_BYKEYBOARD);
    return 0;
}

namespace {

Tree* TreeOf(HWND tree) {
    char cls[32] = {};
    if (!GetClassNameA(tree, cls, sizeof cls) || !cp1252::EqualNoCase(cls, WC_TREEVIEWA)) return nullptr;
    return StateOf<Tree>(tree);
}

// A client point of the item's label or button, after scrolling it into view.
bool PointOf(HWND tree, HTREEITEM item, bool button, POINT& pt) {
    Tree* t = TreeOf(tree);
    if (!t || !t->Valid(item)) return false;
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    if (!(t = TreeOf(tree)) || !t->Valid(item) || !IsShown(*t, item)) return false;
    if (button && !HasButtonColumn(*t, item)) return false;
    RECT r{};
    if (!ItemRect(*t, item, true, r)) return false;
    int left = ItemLeft(*t, item);
    pt.x = button ? left - t->indent / 2 : (r.left + r.right) / 2;
    pt.y = (r.top + r.bottom) / 2;
    RECT client{};
    GetClientRect(tree, &client);
    return pt.y >= 0 && pt.y < client.bottom && pt.x < client.right;
}

} // namespace

bool ClickTreeItem(HWND tree, HTREEITEM item) {
    POINT pt{};
    if (!PointOf(tree, item, false, pt)) return false;
    Desktop::Current().Windows().Click(tree, pt);
    return true;
}

bool ClickTreeButton(HWND tree, HTREEITEM item) {
    POINT pt{};
    if (!PointOf(tree, item, true, pt)) return false;
    Desktop::Current().Windows().Click(tree, pt);
    return true;
}

bool DoubleClickTreeItem(HWND tree, HTREEITEM item) {
    POINT pt{};
    if (!PointOf(tree, item, false, pt)) return false;
    Desktop::Current().Windows().DoubleClick(tree, pt);
    return true;
}

} // namespace emu::comctl32
