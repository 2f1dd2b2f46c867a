// The user at the list view: clicks, double-clicks, right clicks and keys, with the selection changes and
// the notifications comctl32 sends for them.
#include "platform/emu/comctl32/ListView.h"

namespace emu::comctl32 {

namespace {

bool Down(int vk) {
    return GetKeyState(vk) < 0;
}

UINT KeyFlags() {
    return (Down(VK_SHIFT) ? LVKF_SHIFT : 0) | (Down(VK_CONTROL) ? LVKF_CONTROL : 0) |
           (Down(VK_MENU) ? LVKF_ALT : 0);
}

bool SingleSel(const ListView& lv) {
    return (GetWindowLongA(lv.hwnd, GWL_STYLE) & LVS_SINGLESEL) != 0;
}

int ItemAt(const ListView& lv, POINT pt, int* subItem = nullptr) {
    LVHITTESTINFO info{};
    info.pt = pt;
    int item = HitTest(lv, info, true);
    if (subItem) *subItem = info.iSubItem;
    // A click beside column 0 in report view selects nothing unless the whole row is selectable.
    if (item >= 0 && ViewOf(lv.hwnd) == LVS_REPORT && info.iSubItem > 0 &&
        !(lv.exStyle & LVS_EX_FULLROWSELECT))
        return -1;
    return item;
}

// Moves the focus to the item as the keys and clicks do: Ctrl alone moves the focus only, Shift selects
// from the selection mark to the item, neither selects the item alone and makes it the mark.
void Select(ListView& lv, int item, bool shift, bool ctrl) {
    if (shift && !SingleSel(lv)) {
        SelectRange(lv, lv.mark >= 0 ? lv.mark : item, item, ctrl);
        SetState(lv, item, LVIS_FOCUSED, LVIS_FOCUSED);
    } else if (ctrl) {
        SetState(lv, item, LVIS_FOCUSED, LVIS_FOCUSED);
    } else {
        DeselectAllBut(lv, item);
        SetState(lv, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        lv.mark = item;
    }
    EnsureVisible(lv, item, false);
}

} // namespace

// A press takes the focus. On an item: Ctrl toggles its selection, Shift selects the range from the mark,
// a plain press selects it alone (a right press keeps a selection the item is already part of). On empty
// space a press without Shift or Ctrl clears the selection.
LRESULT OnButtonDown(ListView& lv, bool right, WPARAM keys, POINT pt) {
    if (lv.edit) EndEditLabel(lv, false);
    if (GetFocus() != lv.hwnd) SetFocus(lv.hwnd);
    const bool shift = keys & MK_SHIFT, ctrl = keys & MK_CONTROL;
    int item = ItemAt(lv, pt);
    if (item < 0) {
        if (!shift && !ctrl) DeselectAllBut(lv, -1);
    } else if (right) {
        if (!(lv.items[static_cast<size_t>(item)].state & LVIS_SELECTED) && !shift && !ctrl)
            DeselectAllBut(lv, item);
        SetState(lv, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        lv.mark = item;
    } else if (ctrl && !shift && !SingleSel(lv)) {
        UINT sel = lv.items[static_cast<size_t>(item)].state & LVIS_SELECTED;
        SetState(lv, item, (sel ^ LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        lv.mark = item;
    } else {
        Select(lv, item, shift, ctrl);
    }
    lv.buttonDown = true;
    if (!right) SetCapture(lv.hwnd);
    return 0;
}

// The release sends NM_CLICK (NM_RCLICK) with the item under the point. A right release then sends
// WM_CONTEXTMENU to the list view itself, with the point in screen coordinates, which DefWindowProc passes to
// the parent (the answer to NM_RCLICK does not stop it).
LRESULT OnButtonUp(ListView& lv, bool right, POINT pt) {
    if (!lv.buttonDown) return 0;
    lv.buttonDown = false;
    int subItem = 0;
    int item = ItemAt(lv, pt, &subItem);
    if (item < 0) subItem = 0;
    if (!right && GetCapture() == lv.hwnd) ReleaseCapture();
    HWND self = lv.hwnd;
    NotifyActivate(lv, right ? NM_RCLICK : NM_CLICK, item, subItem, pt, KeyFlags());
    if (right && IsWindow(self)) {
        POINT screen = pt;
        ClientToScreen(lv.hwnd, &screen);
        SendMessageA(lv.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lv.hwnd),
                     MAKELPARAM(screen.x, screen.y));
    }
    return 0;
}

// The second press of a double click: NM_DBLCLK with the item under the point, then LVN_ITEMACTIVATE
// when it is on an item. Its release sends no second NM_CLICK.
LRESULT OnDoubleClick(ListView& lv, POINT pt) {
    int subItem = 0;
    int item = ItemAt(lv, pt, &subItem);
    if (item < 0) subItem = 0;
    NotifyActivate(lv, NM_DBLCLK, item, subItem, pt, KeyFlags());
    if (item >= 0 && IsWindow(lv.hwnd) && item < Count(lv))
        NotifyActivate(lv, LVN_ITEMACTIVATE, item, subItem, pt, KeyFlags());
    return 0;
}

// Every key first goes to the parent as LVN_KEYDOWN. The list view then moves the focus with the arrows,
// Home, End, Page Up and Page Down, selects with Space (Ctrl+Space toggles) and all items with Ctrl+A, and
// answers Enter with NM_RETURN and LVN_ITEMACTIVATE. Backspace, Delete and F2 mean nothing to the list view
// itself: its parent acts on their LVN_KEYDOWN (the shell's folder view goes up, deletes or renames).
LRESULT OnKeyDown(ListView& lv, WPARAM vk, LPARAM) {
    NMLVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(vk);
    HWND self = lv.hwnd;
    Notify(lv, LVN_KEYDOWN, &nm.hdr);
    if (!IsWindow(self)) return 0;
    const bool shift = Down(VK_SHIFT), ctrl = Down(VK_CONTROL);
    switch (vk) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: {
        int to = KeyTarget(lv, lv.focused, vk);
        if (to >= 0 &&
            (to != lv.focused || !(lv.items[static_cast<size_t>(to)].state & LVIS_SELECTED) || shift))
            Select(lv, to, shift, ctrl);
        break;
    }
    case VK_SPACE:
        if (lv.focused >= 0) {
            if (ctrl)
                SetState(lv, lv.focused, lv.items[static_cast<size_t>(lv.focused)].state ^ LVIS_SELECTED,
                         LVIS_SELECTED);
            else
                Select(lv, lv.focused, shift, false);
        }
        break;
    case 'A':
        if (ctrl && !SingleSel(lv)) SetStateAll(lv, LVIS_SELECTED, LVIS_SELECTED);
        break;
    case VK_RETURN:
        Notify(lv, NM_RETURN, nullptr);
        if (IsWindow(self) && lv.focused >= 0 && lv.selectedCount > 0)
            NotifyActivate(lv, LVN_ITEMACTIVATE, lv.focused, 0, POINT{}, KeyFlags());
        break;
    default:
        break;
    }
    return 0;
}

} // namespace emu::comctl32
