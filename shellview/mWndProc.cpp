// The window procedures of the web view's inner windows. Each procedure is a table of routes, one per
// message it handles; the table must list the same messages, in the same order, as the procedure's list in
// mWndProc.h, from which its mask is made, so a message cannot be handled and masked out.
#include "shellview/mWndProc.h"
#include "commands/fRename.h"
#include "commands/mmFileOper.h"
#include "shellview/FolderViewHost.h"
#include "shellview/mConMenuLv.h"
#include "shellview/mmListView.h"
#include "support/IgnoreErrors.h"
#include "support/ThreadState.h"
#include "support/mmFile.h"

namespace vireo {

namespace {

constexpr char kDocViewClass[] = "Shell DocObject View";
constexpr char kListViewClass[] = "SysListView32";

bool InMask(UINT msg, UINT mask) {
    return (msg & mask) == msg;
}

bool IsCreateNotice(WPARAM wParam) {
    return LOWORD(wParam) == WM_CREATE;
}

using Handler = LRESULT (*)(FolderViewHost&, HWND, UINT, WPARAM, LPARAM);

struct Route {
    UINT msg;
    Handler handler;
};

template <size_t N, size_t M>
constexpr bool SameMessages(const Route (&routes)[N], const UINT (&messages)[M]) {
    if (N != M) return false;
    for (size_t i = 0; i < N; ++i)
        if (routes[i].msg != messages[i]) return false;
    return true;
}

// WM_DESTROY: the window's own procedure runs first, then the window lets go of the control.
LRESULT Release(FolderViewHost&, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CallOldWndProc(hwnd, msg, wParam, lParam);
    HWND window = hwnd;
    UnsubclassWindow(window);
    return 0;
}

// The web view created its document-view host: take it, and the list view already under it.
LRESULT OnDocViewCreated(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND child = reinterpret_cast<HWND>(lParam);
    if (!IsCreateNotice(wParam) || !child || child != FindWindowExA(hwnd, nullptr, kDocViewClass, nullptr))
        return CallOldWndProc(hwnd, msg, wParam, lParam);
    control.m_hwndSV = child;
    if (!SubclassWindow(child, DocViewWndProc, &control)) return 0;
    const HWND listView = FindWindowExA(child, nullptr, kListViewClass, nullptr);
    if (listView) {
        // The view is set to details first, so that SetColWidth finds the column it restores; the style
        // change that brings is not the user's and is not recorded.
        Shared().g_bViewReady = false;
        control.m_hwndLV = listView;
        SubclassWindow(listView, ListViewWndProc, &control);
        ShellViewCommand(child, 1);
        Shared().g_bViewReady = true;
        if (control.Style() != 1)
            ShellViewCommand(child, control.Style());
        else
            control.SetColWidth();
    }
    control.m_hwndSV = child;
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

constexpr Route kEmbeddingRoutes[] = {
    {WM_DESTROY, Release},
    {WM_PARENTNOTIFY, OnDocViewCreated},
};
static_assert(SameMessages(kEmbeddingRoutes, kEmbeddingMessages));

// The first move of a document view: the control's looks go to its list view.
LRESULT OnDocViewMoving(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hwnd != Shared().lastDocView) {
        Shared().lastDocView = hwnd;
        ApplyListViewFont(control);
        ApplyListViewColors(control);
        control.SetColWidth();
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT OnDocViewNotice(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    NMHDR hdr{};
    if (lParam) hdr = *reinterpret_cast<const NMHDR*>(lParam);
    // The general NM_ notices (0 to -99) mean a click or a key; the list view's own LVN_ range from
    // -100 on arrives for every item that changes and is left out.
    if (static_cast<int32_t>(hdr.code) > -100) control.FireStatus();
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

// A folder view created inside the document view: its list view is taken as list view 2.
LRESULT OnFolderViewCreated(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsCreateNotice(wParam)) {
        const HWND listView = FindWindowExA(reinterpret_cast<HWND>(lParam), nullptr, kListViewClass, nullptr);
        if (listView) {
            SubclassWindow(listView, ListViewWndProc, &control);
            control.m_hwndLV2 = listView;
        }
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

constexpr Route kDocViewRoutes[] = {
    {WM_DESTROY, Release},
    {WM_WINDOWPOSCHANGING, OnDocViewMoving},
    {WM_NOTIFY, OnDocViewNotice},
    {WM_PARENTNOTIFY, OnFolderViewCreated},
};
static_assert(SameMessages(kDocViewRoutes, kDocViewMessages));

// The item at index opened, or the view moved up a level when there is none; True when it was handled.
bool OpenOrGoUp(FolderViewHost& control, LONG index) {
    return index >= 0 ? OpenListItem(control, index) : control.UpOneLevel();
}

LRESULT OnContextMenu(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LONG index = ItemUnderCursor(hwnd);
    if (IsFolder(control.SelFolder().sURL) || index < 0 || (!Shared().g_bWin2000 && !Shared().g_bWinMe))
        return CallOldWndProc(hwnd, msg, wParam, lParam);
    ListViewContextMenu(control, index);
    return 0;
}

LRESULT OnStyleChanged(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Shared().g_bViewReady) control.SetStyle(static_cast<LONG>(GetWindowLongPtrA(hwnd, GWL_STYLE) & 3));
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT OnKeyDown(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
    case VK_BACK:
        if (control.UpOneLevel()) return 0;
        break;
    case VK_RETURN:
        if (OpenListItem(control, FirstSelectedItem(hwnd))) return 0;
        break;
    case VK_SHIFT:
        Shared().shiftDown = true;
        break;
    case VK_CONTROL:
        Shared().ctrlDown = true;
        break;
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT OnKeyUp(FolderViewHost&, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_SHIFT) Shared().shiftDown = false;
    if (wParam == VK_CONTROL) Shared().ctrlDown = false;
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

// WM_TIMER never reaches the list view.
LRESULT Consume(FolderViewHost&, HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

LRESULT OnLButtonDown(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (control.m_OpenOneClick != 0 && !Shared().shiftDown && !Shared().ctrlDown &&
        OpenOrGoUp(control, ItemUnderCursor(hwnd)))
        return 0;
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT OnLButtonDblClk(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (control.m_OpenOneClick == 0 && OpenOrGoUp(control, FirstSelectedItem(hwnd))) return 0;
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

// In a directory the rename dialog replaces the list view's own label editing.
LRESULT OnEditLabel(FolderViewHost& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const std::string folder = control.SelFolder().sURL;
    const LONG index = static_cast<LONG>(wParam);
    if (!IsFolder(folder) || index < 0) return CallOldWndProc(hwnd, msg, wParam, lParam);
    const std::string name = RenameByDialog(hwnd, RenameForm(), folder + ItemName(control, index));
    if (name.empty()) return 0;
    control.Refresh();
    SelectItemByName(hwnd, name);
    return 0;
}

constexpr Route kListViewRoutes[] = {
    {WM_DESTROY, Release},
    {WM_CONTEXTMENU, OnContextMenu},
    {WM_STYLECHANGED, OnStyleChanged},
    {WM_KEYDOWN, OnKeyDown},
    {WM_KEYUP, OnKeyUp},
    {WM_TIMER, Consume},
    {WM_LBUTTONDOWN, OnLButtonDown},
    {WM_LBUTTONDBLCLK, OnLButtonDblClk},
    {LVM_EDITLABELA, OnEditLabel},
    {LVM_EDITLABELW, OnEditLabel},
};
static_assert(SameMessages(kListViewRoutes, kListViewMessages));

// The common entry: the mask first, then the control for the length of the message, then the message's
// route; a message inside the mask that no route takes is passed on. An error inside a handler ends the
// message with 0; it never reaches the window system.
template <size_t N>
LRESULT Dispatch(const Route (&routes)[N], UINT mask, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!InMask(msg, mask)) return CallOldWndProc(hwnd, msg, wParam, lParam);
    RefPtr<FolderViewHost> control = ObjectFromWindow(hwnd);
    if (!control) return CallOldWndProc(hwnd, msg, wParam, lParam);
    for (const Route& route : routes) {
        if (route.msg != msg) continue;
        LRESULT result = 0;
        IgnoreErrors([&] { result = route.handler(*control, hwnd, msg, wParam, lParam); });
        return result;
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

} // namespace

LRESULT CALLBACK EmbeddingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(kEmbeddingRoutes, kEmbeddingMask, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK DocViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(kDocViewRoutes, kDocViewMask, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(kListViewRoutes, kListViewMask, hwnd, msg, wParam, lParam);
}

} // namespace vireo
