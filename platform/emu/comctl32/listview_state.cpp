// The list view's item states: selection and focus with their notifications, and the walks over them.
#include "platform/emu/comctl32/ListView.h"
#include <algorithm>

namespace emu::comctl32 {

LRESULT Notify(ListView& lv, UINT code, NMHDR* hdr) {
    NMHDR plain{};
    if (!hdr) hdr = &plain;
    hdr->hwndFrom = lv.hwnd;
    hdr->idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(lv.hwnd));
    hdr->code = code;
    HWND parent = GetParent(lv.hwnd);
    return parent ? SendMessageA(parent, WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr)) : 0;
}

LRESULT NotifyListView(ListView& lv, UINT code, int item, int subItem, UINT newState, UINT oldState,
                       UINT changed, POINT pt) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = pt;
    if (item >= 0 && item < Count(lv)) nm.lParam = lv.items[static_cast<size_t>(item)].param;
    return Notify(lv, code, &nm.hdr);
}

LRESULT NotifyActivate(ListView& lv, UINT code, int item, int subItem, POINT pt, UINT keyFlags) {
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    nm.uKeyFlags = keyFlags;
    if (item >= 0 && item < Count(lv)) {
        nm.uNewState = nm.uOldState = lv.items[static_cast<size_t>(item)].state;
        nm.lParam = lv.items[static_cast<size_t>(item)].param;
    }
    return Notify(lv, code, &nm.hdr);
}

namespace {
void Store(ListView& lv, int item, UINT state) {
    LvItem& it = lv.items[static_cast<size_t>(item)];
    bool was = it.state & LVIS_SELECTED, now = state & LVIS_SELECTED;
    it.state = state;
    if (was == now) return;
    if (now) {
        ++lv.selectedCount;
        lv.selLow = std::min(lv.selLow, item);
        lv.selHigh = std::max(lv.selHigh, item);
    } else if (--lv.selectedCount == 0) {
        lv.selLow = INT_MAX;
        lv.selHigh = -1;
    }
}
} // namespace

// As comctl32 does: LVN_ITEMCHANGING for the item (TRUE from the parent refuses); when the item takes the
// focus, the item that had it loses it first with its own pair of notifications; then LVN_ITEMCHANGED.
bool SetState(ListView& lv, int item, UINT state, UINT mask) {
    if (item < 0 || item >= Count(lv)) return false;
    if ((GetWindowLongA(lv.hwnd, GWL_STYLE) & LVS_SINGLESEL) && (state & mask & LVIS_SELECTED))
        DeselectAllBut(lv, item);
    UINT old = lv.items[static_cast<size_t>(item)].state;
    UINT next = (old & ~mask) | (state & mask);
    if (next == old) return true;
    if (NotifyListView(lv, LVN_ITEMCHANGING, item, 0, next, old, LVIF_STATE)) return false;
    if (item >= Count(lv)) return false;
    if ((next & LVIS_FOCUSED) && lv.focused != item) {
        if (lv.focused >= 0) SetState(lv, lv.focused, 0, LVIS_FOCUSED);
        lv.focused = item;
    } else if (!(next & LVIS_FOCUSED) && lv.focused == item) {
        lv.focused = -1;
    }
    Store(lv, item, next);
    NotifyListView(lv, LVN_ITEMCHANGED, item, 0, next, old, LVIF_STATE);
    InvalidateRect(lv.hwnd, nullptr, FALSE);
    return true;
}

// Every item at once: the focus cannot be given to all items, a single-selection list cannot select all,
// and deselecting all walks only the selected items.
bool SetStateAll(ListView& lv, UINT state, UINT mask) {
    if (state & mask & LVIS_FOCUSED) return false;
    if ((GetWindowLongA(lv.hwnd, GWL_STYLE) & LVS_SINGLESEL) && (state & mask & LVIS_SELECTED)) return false;
    if (mask == LVIS_SELECTED && !(state & LVIS_SELECTED)) {
        DeselectAllBut(lv, -1);
        return true;
    }
    if (mask == LVIS_FOCUSED) {
        if (lv.focused >= 0) SetState(lv, lv.focused, 0, LVIS_FOCUSED);
        return true;
    }
    for (int i = 0; i < Count(lv); ++i)
        SetState(lv, i, state, mask);
    return true;
}

void DeselectAllBut(ListView& lv, int keep) {
    for (int i = NextItem(lv, -1, LVNI_SELECTED); i >= 0; i = NextItem(lv, i, LVNI_SELECTED))
        if (i != keep) SetState(lv, i, 0, LVIS_SELECTED);
}

// Selects the items from one index to the other (either order); the others are deselected unless kept.
void SelectRange(ListView& lv, int from, int to, bool keepOthers) {
    int lo = std::min(from, to), hi = std::max(from, to);
    if (!keepOthers)
        for (int i = NextItem(lv, -1, LVNI_SELECTED); i >= 0; i = NextItem(lv, i, LVNI_SELECTED))
            if (i < lo || i > hi) SetState(lv, i, 0, LVIS_SELECTED);
    for (int i = std::max(lo, 0); i <= hi && i < Count(lv); ++i)
        SetState(lv, i, LVIS_SELECTED, LVIS_SELECTED);
}

// The next item after start (from the first when start is -1) with all the state bits of the flags.
// Walks of the selected items look only between the selection bounds, and the lower bound moves up to the
// first selected item each time a walk from the start finds it: walking every selected item in order costs
// time linear in the items between the first and the last selected one, and asking for the first selected
// item again costs nothing.
int NextItem(ListView& lv, int start, UINT flags) {
    const int n = Count(lv);
    if (start < -1 || start >= n) return -1; // a stale index ends a walk rather than restarting it
    UINT want = 0;
    if (flags & LVNI_SELECTED) want |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED) want |= LVIS_FOCUSED;
    if (flags & LVNI_CUT) want |= LVIS_CUT;
    if (flags & LVNI_DROPHILITED) want |= LVIS_DROPHILITED;
    if (flags & (LVNI_ABOVE | LVNI_BELOW | LVNI_TOLEFT | LVNI_TORIGHT)) {
        // By direction, from the start item: the item the matching arrow key leads to.
        if (start < 0) return -1;
        WPARAM vk = (flags & LVNI_ABOVE)    ? VK_UP
                    : (flags & LVNI_BELOW)  ? VK_DOWN
                    : (flags & LVNI_TOLEFT) ? VK_LEFT
                                            : VK_RIGHT;
        int to = KeyTarget(lv, start, vk);
        return to != start && (lv.items[static_cast<size_t>(to)].state & want) == want ? to : -1;
    }
    if (want & LVIS_FOCUSED) {
        int f = lv.focused;
        return f > start && (lv.items[static_cast<size_t>(f)].state & want) == want ? f : -1;
    }
    int from = start + 1, to = n - 1;
    if (want & LVIS_SELECTED) {
        if (lv.selectedCount == 0) return -1;
        from = std::max(from, lv.selLow);
        to = std::min(to, lv.selHigh);
    }
    for (int i = from; i <= to; ++i)
        if ((lv.items[static_cast<size_t>(i)].state & want) == want) {
            if (want == LVIS_SELECTED && from == lv.selLow) lv.selLow = i;
            return i;
        }
    return -1;
}

} // namespace emu::comctl32
