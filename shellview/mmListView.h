// mmListView: the shell's folder list ("SysListView32") read and changed by list-view messages only. Item
// and column texts come through a 260-character buffer, asked for in UTF-16 first and in the ANSI code
// page second; a selection list is item names, each followed by CR LF (the last one too).
#pragma once
#include "platform/win32.h"
#include <string>

namespace vireo {

class FolderViewHost;

// Message wrappers. Every one sends to the handle as given; a handle of 0 answers 0.
LONG ItemCount(HWND hwnd);
LONG GetNextItem(HWND hwnd, LONG nStart, UINT nFlags);
LONG SelectedCount(HWND hwnd);
LONG ColumnWidth(HWND hwnd, LONG nColumn);
bool SetColumnWidth(HWND hwnd, LONG nColumn, LONG nWidth);
UINT ItemState(HWND hwnd, LONG nIndex, UINT nMask);
// Sets or clears the selected state (bSelected AND LVIS_SELECTED); True when the list view accepted it.
bool SetItemSelected(HWND hwnd, LONG nIndex, bool bSelected);
// Starts the list view's own label editing; the edit window's handle.
HWND BeginLabelEdit(HWND hwnd, LONG nIndex);

// A walk over the items LVM_GETNEXTITEM picks (nFlags), in index order: Next gives -1 when the walk is over.
// It also ends on an answer not past the last index or not below the item count taken at the start, so a
// window that is not a list view (it answers 0 to both) or one that repeats itself cannot hold it forever.
class ItemWalk {
public:
    ItemWalk(HWND hwnd, UINT nFlags);
    LONG Next();
    // The item count read when the walk began.
    LONG Count() const { return m_count; }

private:
    HWND m_hwnd;
    UINT m_flags;
    LONG m_count;
    LONG m_last = -1;
    bool m_over = false;
};

// Derived operations.
bool IsItemSelected(HWND hwnd, LONG nIndex);
LONG FirstSelectedItem(HWND hwnd);
// The item under the mouse cursor (icon, label or state icon hit), -1 when none.
LONG ItemUnderCursor(HWND hwnd);
// Text of an item's column (0 is the name) and of a column header; "" when the list view gives none.
std::string ItemText(HWND hwnd, LONG nIndex, LONG nColumn);
std::string ColumnText(HWND hwnd, LONG nColumn);

// The item's real file name: its column-0 text with the extension the shell hides put back.
std::string ItemName(FolderViewHost& control, LONG nIndex);
// Selects the first item whose column-0 text is sName (case-sensitive); others keep their state.
bool SelectItemByName(HWND hwnd, const std::string& sName);
// Selects every item whose column-0 text followed by CR LF occurs in sList; others keep their state.
void SelectItemsInList(HWND hwnd, const std::string& sList);
void InvertItemSelection(HWND hwnd);
// The names of the selected items of the control's list view, each followed by CR LF; the selected count.
LONG BuildSelectedList(FolderViewHost& control, std::string& sList);
// Switches the document-view host to a view (0 large icons, 1 details, 2 small icons, 3 list, 28721
// passed through) with its menu command; any other view sends command 0.
UINT ViewCommandNumber(LONG nView);
void ShellViewCommand(HWND hwnd, LONG nView);

// Opens an item the control's way (a drive entry, a child of the current location, a subfolder, else the
// shell's default verb). False when the control did not handle it and the list view should.
bool OpenListItem(FolderViewHost& control, LONG nIndex);
// Runs the shell's default verb on an item of the current location, given by name or by index.
bool ExecuteListItem(FolderViewHost& control, const std::string& sName);
bool ExecuteListItem(FolderViewHost& control, LONG nIndex);

} // namespace vireo
