// Where the list view's items are (the fixed layout of ListView.h), hit testing and scrolling.
#include "platform/emu/comctl32/ListView.h"
#include <algorithm>

namespace emu::comctl32 {

namespace {

RECT Client(const ListView& lv) {
    RECT rc{};
    GetClientRect(lv.hwnd, &rc);
    return rc;
}

int HeaderHeight(const ListView& lv) {
    return (GetWindowLongA(lv.hwnd, GWL_STYLE) & LVS_NOCOLUMNHEADER) ? 0 : kHeaderHeight;
}

int RowsPerColumn(const ListView& lv) {
    return std::max(1, static_cast<int>(Client(lv).bottom) / kRowHeight);
}

int CellsPerRow(const ListView& lv, int cellWidth) {
    return std::max(1, static_cast<int>(Client(lv).right) / cellWidth);
}

int RowWidth(const ListView& lv) {
    int w = 0;
    for (const LvColumn& c : lv.columns)
        w += c.width;
    return w;
}

int Column0Width(const ListView& lv) {
    return lv.columns.empty() ? 0 : lv.columns.front().width;
}

// The whole cell of an item in the current view.
RECT Cell(const ListView& lv, int item) {
    switch (ViewOf(lv.hwnd)) {
    case LVS_REPORT: {
        int top = HeaderHeight(lv) + (item - lv.scrollRows) * kRowHeight;
        return RECT{0, top, RowWidth(lv), top + kRowHeight};
    }
    case LVS_LIST: {
        int rows = RowsPerColumn(lv);
        int left = (item / rows - lv.scrollCols) * lv.listColumnWidth;
        int top = (item % rows) * kRowHeight;
        return RECT{left, top, left + lv.listColumnWidth, top + kRowHeight};
    }
    case LVS_SMALLICON: {
        int per = CellsPerRow(lv, kSmallCellWidth);
        int left = (item % per) * kSmallCellWidth, top = (item / per - lv.scrollRows) * kRowHeight;
        return RECT{left, top, left + kSmallCellWidth, top + kRowHeight};
    }
    default: {
        int per = CellsPerRow(lv, kIconCellWidth);
        int left = (item % per) * kIconCellWidth, top = (item / per - lv.scrollRows) * kIconCellHeight;
        return RECT{left, top, left + kIconCellWidth, top + kIconCellHeight};
    }
    }
}

RECT IconOf(const ListView& lv, const RECT& cell) {
    if (ViewOf(lv.hwnd) == LVS_ICON) {
        int left = cell.left + (kIconCellWidth - kLargeIcon) / 2;
        return RECT{left, cell.top + 2, left + kLargeIcon, cell.top + 2 + kLargeIcon};
    }
    return RECT{cell.left, cell.top, cell.left + kSmallIcon, cell.bottom};
}

RECT LabelOf(const ListView& lv, const RECT& cell) {
    switch (ViewOf(lv.hwnd)) {
    case LVS_ICON:
        return RECT{cell.left + 2, cell.top + 2 + kLargeIcon + 2, cell.right - 2, cell.bottom - 2};
    case LVS_REPORT:
        return RECT{cell.left + kSmallIcon, cell.top,
                    std::max(cell.left + kSmallIcon, cell.left + Column0Width(lv)), cell.bottom};
    default:
        return RECT{cell.left + kSmallIcon, cell.top, cell.right, cell.bottom};
    }
}

bool Inside(const RECT& r, POINT pt) {
    return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

// The item whose cell could hold the point (before checking the icon and label), or -1.
int CandidateAt(const ListView& lv, POINT pt) {
    const int n = Count(lv);
    if (n == 0 || pt.x < 0 || pt.y < 0) return -1;
    int item = -1;
    switch (ViewOf(lv.hwnd)) {
    case LVS_REPORT:
        if (pt.y < HeaderHeight(lv)) return -1;
        item = (pt.y - HeaderHeight(lv)) / kRowHeight + lv.scrollRows;
        break;
    case LVS_LIST: {
        int rows = RowsPerColumn(lv);
        int row = pt.y / kRowHeight;
        if (row >= rows) return -1;
        item = (pt.x / lv.listColumnWidth + lv.scrollCols) * rows + row;
        break;
    }
    case LVS_SMALLICON: {
        int per = CellsPerRow(lv, kSmallCellWidth);
        int col = pt.x / kSmallCellWidth;
        if (col >= per) return -1;
        item = (pt.y / kRowHeight + lv.scrollRows) * per + col;
        break;
    }
    default: {
        int per = CellsPerRow(lv, kIconCellWidth);
        int col = pt.x / kIconCellWidth;
        if (col >= per) return -1;
        item = (pt.y / kIconCellHeight + lv.scrollRows) * per + col;
        break;
    }
    }
    return item < n ? item : -1;
}

} // namespace

bool ItemRect(const ListView& lv, int item, int code, RECT& rc) {
    if (item < 0 || item >= Count(lv)) return false;
    RECT cell = Cell(lv, item);
    switch (code) {
    case LVIR_BOUNDS:
        rc = cell;
        return true;
    case LVIR_ICON:
        rc = IconOf(lv, cell);
        return true;
    case LVIR_LABEL:
        rc = LabelOf(lv, cell);
        return true;
    case LVIR_SELECTBOUNDS: {
        RECT icon = IconOf(lv, cell), label = LabelOf(lv, cell);
        rc = RECT{std::min(icon.left, label.left), std::min(icon.top, label.top),
                  std::max(icon.right, label.right), std::max(icon.bottom, label.bottom)};
        return true;
    }
    default:
        return false;
    }
}

// Report view only: sub-item 0 is the item's label area with its icon, the others their column.
bool SubItemRect(const ListView& lv, int item, int subItem, int code, RECT& rc) {
    if (ViewOf(lv.hwnd) != LVS_REPORT || item < 0 || item >= Count(lv) || subItem < 0 ||
        subItem >= static_cast<int>(std::max<size_t>(lv.columns.size(), 1)))
        return false;
    if (subItem == 0) return ItemRect(lv, item, code == LVIR_BOUNDS ? LVIR_BOUNDS : code, rc);
    RECT cell = Cell(lv, item);
    int left = 0;
    for (int c = 0; c < subItem; ++c)
        left += lv.columns[static_cast<size_t>(c)].width;
    rc = RECT{left, cell.top, left + lv.columns[static_cast<size_t>(subItem)].width, cell.bottom};
    return true;
}

// In report view a point beside column 0 hits the item only with LVS_EX_FULLROWSELECT (as the label) or
// for LVM_SUBITEMHITTEST (which names the column in iSubItem).
int HitTest(const ListView& lv, LVHITTESTINFO& info, bool subItems) {
    info.flags = 0;
    info.iItem = -1;
    info.iSubItem = 0;
    RECT client = Client(lv);
    if (info.pt.x < 0) info.flags |= LVHT_TOLEFT;
    if (info.pt.x >= client.right) info.flags |= LVHT_TORIGHT;
    if (info.pt.y < 0) info.flags |= LVHT_ABOVE;
    if (info.pt.y >= client.bottom) info.flags |= LVHT_BELOW;
    if (info.flags) return -1;
    int item = CandidateAt(lv, info.pt);
    if (item >= 0) {
        RECT cell = Cell(lv, item);
        if (Inside(IconOf(lv, cell), info.pt))
            info.flags = LVHT_ONITEMICON;
        else if (Inside(LabelOf(lv, cell), info.pt))
            info.flags = LVHT_ONITEMLABEL;
        else if (ViewOf(lv.hwnd) == LVS_REPORT && Inside(cell, info.pt)) {
            int left = 0, c = 0;
            for (; c < static_cast<int>(lv.columns.size()); ++c) {
                int w = lv.columns[static_cast<size_t>(c)].width;
                if (info.pt.x < left + w) break;
                left += w;
            }
            if (subItems || (lv.exStyle & LVS_EX_FULLROWSELECT)) {
                info.flags = LVHT_ONITEMLABEL;
                if (subItems) info.iSubItem = c;
            }
        }
    }
    if (!info.flags) {
        info.flags = LVHT_NOWHERE;
        return -1;
    }
    info.iItem = item;
    return item;
}

int TopIndex(const ListView& lv) {
    switch (ViewOf(lv.hwnd)) {
    case LVS_REPORT:
        return std::min(lv.scrollRows, std::max(0, Count(lv) - 1));
    case LVS_LIST:
        return std::min(lv.scrollCols * RowsPerColumn(lv), std::max(0, Count(lv) - 1));
    default:
        return 0; // the icon views have no top item, as in comctl32
    }
}

// Whole rows (report) or whole columns of rows (list) that fit; the icon views count all their items.
int CountPerPage(const ListView& lv) {
    RECT rc = Client(lv);
    switch (ViewOf(lv.hwnd)) {
    case LVS_REPORT:
        return std::max(0, static_cast<int>(rc.bottom) - HeaderHeight(lv)) / kRowHeight;
    case LVS_LIST:
        return RowsPerColumn(lv) * std::max(1, static_cast<int>(rc.right) / lv.listColumnWidth);
    default:
        return Count(lv);
    }
}

// Scrolls by whole rows or columns until the item is inside the client area (partially is enough when
// partialOk).
bool EnsureVisible(ListView& lv, int item, bool partialOk) {
    if (item < 0 || item >= Count(lv)) return false;
    RECT client = Client(lv);
    DWORD view = ViewOf(lv.hwnd);
    if (view == LVS_LIST) {
        int col = item / RowsPerColumn(lv);
        int visible = std::max(1, static_cast<int>(client.right) / lv.listColumnWidth);
        if (partialOk && col == lv.scrollCols + visible) return true;
        if (col < lv.scrollCols) lv.scrollCols = col;
        if (col >= lv.scrollCols + visible) lv.scrollCols = col - visible + 1;
    } else {
        int per = view == LVS_REPORT
                      ? 1
                      : CellsPerRow(lv, view == LVS_SMALLICON ? kSmallCellWidth : kIconCellWidth);
        int height = view == LVS_ICON ? kIconCellHeight : kRowHeight;
        int row = item / per;
        int visible = std::max(
            1, (static_cast<int>(client.bottom) - (view == LVS_REPORT ? HeaderHeight(lv) : 0)) / height);
        if (partialOk && row == lv.scrollRows + visible) return true;
        if (row < lv.scrollRows) lv.scrollRows = row;
        if (row >= lv.scrollRows + visible) lv.scrollRows = row - visible + 1;
    }
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    return true;
}

int KeyTarget(const ListView& lv, int from, WPARAM vk) {
    const int n = Count(lv);
    if (n == 0) return -1;
    DWORD view = ViewOf(lv.hwnd);
    int step = 0;
    switch (view) {
    case LVS_REPORT:
        step = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : 0;
        break;
    case LVS_LIST:
        step = vk == VK_UP      ? -1
               : vk == VK_DOWN  ? 1
               : vk == VK_LEFT  ? -RowsPerColumn(lv)
               : vk == VK_RIGHT ? RowsPerColumn(lv)
                                : 0;
        break;
    default: {
        int per = CellsPerRow(lv, view == LVS_SMALLICON ? kSmallCellWidth : kIconCellWidth);
        step = vk == VK_LEFT ? -1 : vk == VK_RIGHT ? 1 : vk == VK_UP ? -per : vk == VK_DOWN ? per : 0;
        break;
    }
    }
    if (vk == VK_HOME) return 0;
    if (vk == VK_END) return n - 1;
    if (vk == VK_PRIOR || vk == VK_NEXT) {
        int page = std::max(1, view == LVS_REPORT || view == LVS_LIST ? CountPerPage(lv) : 1);
        step = vk == VK_PRIOR ? -page : page;
    }
    if (from < 0) return 0;
    int to = from + step;
    if (to < 0 || to >= n) return (vk == VK_PRIOR || vk == VK_NEXT) ? std::clamp(to, 0, n - 1) : from;
    return to;
}

} // namespace emu::comctl32
