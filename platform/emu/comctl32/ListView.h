// The list view, "SysListView32", and its column header, "SysHeader32": one state struct per window and a
// window procedure that unpacks each message into a typed handler. The parts live in listview*.cpp:
// the messages on items and columns, the layout and hit testing, the user's mouse and keys, label editing
// and the header.
//
// Layout (fixed sizes, so that tests and the host can click on items by their coordinates):
// - report (LVS_REPORT): a header row of kHeaderHeight (none with LVS_NOCOLUMNHEADER), then one row of
//   kRowHeight per item; the item's icon is the first kSmallIcon pixels of column 0, its label the rest of
//   column 0, its bounds the whole row (the sum of the column widths);
// - list (LVS_LIST): items top to bottom in columns of listColumnWidth (LVM_SETCOLUMNWIDTH changes it),
//   as many rows as whole kRowHeight rows fit in the client area (at least one);
// - small icons (LVS_SMALLICON): items left to right in cells of kSmallCellWidth x kRowHeight, as many per
//   row as fit (at least one);
// - large icons (LVS_ICON): cells of kIconCellWidth x kIconCellHeight left to right, a kLargeIcon icon
//   centred at the top of the cell and the label under it.
// The view scrolls by whole rows (report, small and large icons) or whole columns (list).
#pragma once
#include "platform/emu/comctl32/Controls.h"
#include <climits>
#include <string>
#include <vector>

namespace emu::comctl32 {

constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 16;
constexpr int kSmallIcon = 16;
constexpr int kListColumnWidth = 120;
constexpr int kSmallCellWidth = 120;
constexpr int kIconCellWidth = 75;
constexpr int kIconCellHeight = 70;
constexpr int kLargeIcon = 32;

struct LvItem {
    std::u16string text;
    bool textCallback = false; // LPSTR_TEXTCALLBACK: the parent gives the text through LVN_GETDISPINFO
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;
    std::vector<std::u16string> sub; // sub-item texts, sub[k - 1] for sub-item k
};

struct LvColumn {
    std::u16string text;
    int fmt = LVCFMT_LEFT;
    int width = 0;
    int subItem = 0;
    int image = 0;
};

struct ListView {
    HWND hwnd = nullptr;
    HWND header = nullptr;
    std::vector<LvItem> items;
    std::vector<LvColumn> columns;
    // Selection bookkeeping: the count, and bounds that hold every selected index (selLow may be below the
    // first selected item, selHigh above the last), so walks of the selected items skip the rest.
    int selectedCount = 0;
    int selLow = INT_MAX;
    int selHigh = -1;
    int focused = -1;
    int mark = -1; // the selection mark, the anchor of Shift selections
    DWORD exStyle = 0;
    COLORREF bkColor = 0;
    COLORREF textColor = 0;
    COLORREF textBkColor = 0;
    HFONT font = nullptr;
    HIMAGELIST images[3] = {};
    int listColumnWidth = kListColumnWidth;
    int scrollRows = 0;         // report and icon views: rows scrolled off the top
    int scrollCols = 0;         // list view: columns scrolled off the left
    bool unicodeNotify = false; // the parent answered NFR_UNICODE to WM_NOTIFYFORMAT
    bool buttonDown = false;
    bool focus = false;
    // Label editing.
    HWND edit = nullptr;
    WNDPROC editProc = nullptr;
    int editItem = -1;
};

DWORD ViewOf(HWND hwnd);
int Count(const ListView& lv);

// Notifications to the parent (WM_NOTIFY with the list view's identifier).
LRESULT Notify(ListView& lv, UINT code, NMHDR* hdr);
LRESULT NotifyListView(ListView& lv, UINT code, int item, int subItem = 0, UINT newState = 0,
                       UINT oldState = 0, UINT changed = 0, POINT pt = {});
LRESULT NotifyActivate(ListView& lv, UINT code, int item, int subItem, POINT pt, UINT keyFlags);

// Item state, with LVN_ITEMCHANGING/LVN_ITEMCHANGED; false when the parent refused the change.
bool SetState(ListView& lv, int item, UINT state, UINT mask);
bool SetStateAll(ListView& lv, UINT state, UINT mask);
void DeselectAllBut(ListView& lv, int keep);
void SelectRange(ListView& lv, int from, int to, bool keepOthers);
int NextItem(ListView& lv, int start, UINT flags);

// Layout and hit testing (client coordinates).
bool ItemRect(const ListView& lv, int item, int code, RECT& rc);
bool SubItemRect(const ListView& lv, int item, int subItem, int code, RECT& rc);
int HitTest(const ListView& lv, LVHITTESTINFO& info, bool subItems);
int TopIndex(const ListView& lv);
int CountPerPage(const ListView& lv);
bool EnsureVisible(ListView& lv, int item, bool partialOk);
// The item a move key leads to from the item (clamped to the list), for the current view.
int KeyTarget(const ListView& lv, int from, WPARAM vk);

// The user's mouse and keys, focus, label editing.
LRESULT OnButtonDown(ListView& lv, bool right, WPARAM keys, POINT pt);
LRESULT OnButtonUp(ListView& lv, bool right, POINT pt);
LRESULT OnDoubleClick(ListView& lv, POINT pt);
LRESULT OnKeyDown(ListView& lv, WPARAM vk, LPARAM lParam);
HWND EditLabel(ListView& lv, int item);
void EndEditLabel(ListView& lv, bool cancel);

// The header's items, mirrored from the list view's columns.
void HeaderInsert(HWND header, int index, const LvColumn& column);
void HeaderUpdate(HWND header, int index, const LvColumn& column);
void HeaderDelete(HWND header, int index);

} // namespace emu::comctl32
