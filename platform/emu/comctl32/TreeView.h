// The "SysTreeView32" control: its per-window state, shared by the files of the control, and the user
// actions tests and the host perform on it.
//
// Items live in a tree of sibling links (parent, first and last child, previous and next sibling), so
// appending, unlinking and walking a folder of 100,000 children are linear. An HTREEITEM is the address of
// its item; the set of live items validates the handles messages are given.
#pragma once
#include "platform/win32.h"
#include <string>
#include <unordered_set>

struct _TREEITEM {
    _TREEITEM* parent = nullptr;
    _TREEITEM* firstChild = nullptr;
    _TREEITEM* lastChild = nullptr;
    _TREEITEM* prev = nullptr;
    _TREEITEM* next = nullptr;
    std::string text;
    bool textCallback = false; // LPSTR_TEXTCALLBACKA: the parent gives the text through TVN_GETDISPINFOA
    LPARAM lParam = 0;
    int image = 0;
    int selectedImage = 0;
    UINT state = 0;
    int children = 0;
    bool childrenSet = false; // TVIF_CHILDREN was given; otherwise the button follows the real children
};

namespace emu::comctl32 {

// Windows' defaults: 19 pixels of indent per level; colours -1 (the system colours).
constexpr int kDefaultIndent = 19;

struct Tree {
    HWND hwnd = nullptr;
    _TREEITEM root; // invisible: its children are the top-level items
    std::unordered_set<HTREEITEM> live;
    HTREEITEM selected = nullptr;
    HTREEITEM firstVisible = nullptr; // the item at the top of the client area (nullptr: the first one)
    HTREEITEM dropHilite = nullptr;
    HIMAGELIST normal = nullptr;
    HIMAGELIST stateImages = nullptr;
    HFONT font = nullptr;
    int itemHeight = 0; // set by TVM_SETITEMHEIGHT; 0 follows the font and the images
    int indent = kDefaultIndent;
    COLORREF background = static_cast<COLORREF>(-1);
    COLORREF textColor = static_cast<COLORREF>(-1);
    bool focused = false;

    bool Valid(HTREEITEM item) const { return item && live.count(item); }
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }
};

// ---- treeview.cpp: items and notifications ----
// Sends a tree notification to the parent; nonzero answers are vetoes where Windows allows them.
LRESULT SendTreeNotify(Tree& t, UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, UINT mask);
// Sends a plain NMHDR notification (NM_CLICK, NM_SETFOCUS...).
LRESULT SendTreeCode(Tree& t, UINT code);
// Whether the item shows a button: its cChildren (asked of the parent for I_CHILDRENCALLBACK) or, when
// none was given, whether it has children.
bool HasChildren(Tree& t, HTREEITEM item);
// The item's text, asked of the parent for a callback item.
std::string ItemText(Tree& t, HTREEITEM item);
BOOL ExpandItem(Tree& t, HTREEITEM item, UINT action, bool byUser);
BOOL SelectCaret(Tree& t, HTREEITEM item, UINT cause);

// ---- treeview_layout.cpp: rows, rectangles, scrolling, hit tests and user input ----
bool IsShown(const Tree& t, HTREEITEM item); // every ancestor is expanded
HTREEITEM NextShown(HTREEITEM item);         // the next row, whatever the scrolling
HTREEITEM PrevShown(const Tree& t, HTREEITEM item);
HTREEITEM LastShown(const Tree& t);
HTREEITEM TopItem(Tree& t);
int ItemHeight(const Tree& t);
int VisibleRows(const Tree& t);
// TVM_ENSUREVISIBLE: expands the collapsed ancestors (with notifications) and scrolls the item into view.
BOOL EnsureVisible(Tree& t, HTREEITEM item);
// Before an item's subtree is deleted: a scroll position inside it moves to the row above.
void ForgetScroll(Tree& t, HTREEITEM removed);
BOOL ItemRect(Tree& t, HTREEITEM item, bool textOnly, RECT& rect);
HTREEITEM HitTest(Tree& t, TVHITTESTINFO& info);
LRESULT OnMouse(Tree& t, UINT msg, POINT pt);
LRESULT OnKeyDown(Tree& t, WPARAM vk);

// ---- User actions ----
// The user clicks an item's label (selecting it, TVC_BYMOUSE) or its button (expanding or collapsing it
// with notifications). The item is scrolled into view first. False when the item cannot be clicked.
bool ClickTreeItem(HWND tree, HTREEITEM item);
bool ClickTreeButton(HWND tree, HTREEITEM item);
// The user double-clicks an item's label (which toggles it).
bool DoubleClickTreeItem(HWND tree, HTREEITEM item);

} // namespace emu::comctl32
