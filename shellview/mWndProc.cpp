// The window procedures of the web view's inner windows.
#include "shellview/mWndProc.h"
#include "commands/fRename.h"
#include "commands/mmFileOper.h"
#include "control/Globals.h"
#include "control/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "shellview/mConMenuLv.h"
#include "shellview/mmListView.h"
#include "support/mmFile.h"

namespace vireo {

thread_local HWND lastDocView = nullptr;
thread_local bool shiftDown = false;
thread_local bool ctrlDown = false;
thread_local bool g_bViewReady = false;

namespace {

constexpr char kDocViewClass[] = "Shell DocObject View";
constexpr char kListViewClass[] = "SysListView32";

bool InMask(UINT msg, UINT mask) {
    return (msg & mask) == msg;
}

bool IsCreateNotice(WPARAM wParam) {
    return LOWORD(wParam) == WM_CREATE;
}

// WM_DESTROY: the window's own procedure runs first, then the window lets go of the control.
LRESULT Release(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CallOldWndProc(hwnd, msg, wParam, lParam);
    HWND window = hwnd;
    UnsubclassWindow(window);
    return 0;
}

// The web view created its document-view host: take it, and the list view already under it.
LRESULT OnDocViewCreated(VireoBrowser& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND child = reinterpret_cast<HWND>(lParam);
    if (!child || child != FindWindowExA(hwnd, nullptr, kDocViewClass, nullptr))
        return CallOldWndProc(hwnd, msg, wParam, lParam);
    control.m_hwndSV = child;
    if (!SubclassWindow(child, DocViewWndProc, &control)) return 0;
    const HWND listView = FindWindowExA(child, nullptr, kListViewClass, nullptr);
    if (listView) {
        // The view is set to details first, so that SetColWidth finds the column it restores; the style
        // change that brings is not the user's and is not recorded.
        g_bViewReady = false;
        control.m_hwndLV = listView;
        SubclassWindow(listView, ListViewWndProc, &control);
        ShellViewCommand(child, 1);
        g_bViewReady = true;
        if (control.Style() != 1)
            ShellViewCommand(child, control.Style());
        else
            control.SetColWidth();
    }
    control.m_hwndSV = child;
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT EmbeddingMessage(VireoBrowser& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        return Release(hwnd, msg, wParam, lParam);
    case WM_PARENTNOTIFY:
        if (IsCreateNotice(wParam)) return OnDocViewCreated(control, hwnd, msg, wParam, lParam);
        break;
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

LRESULT DocViewMessage(VireoBrowser& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        return Release(hwnd, msg, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        if (hwnd != lastDocView) {
            lastDocView = hwnd;
            ApplyListViewFont(control);
            ApplyListViewColors(control);
            control.SetColWidth();
        }
        break;
    case WM_NOTIFY: {
        NMHDR hdr{};
        if (lParam) hdr = *reinterpret_cast<const NMHDR*>(lParam);
        // The general NM_ notices (0 to -99) mean a click or a key; the list view's own LVN_ range from
        // -100 on arrives for every item that changes and is left out.
        if (static_cast<int32_t>(hdr.code) > -100) control.FireStatus();
        break;
    }
    case WM_PARENTNOTIFY:
        if (IsCreateNotice(wParam)) {
            const HWND listView =
                FindWindowExA(reinterpret_cast<HWND>(lParam), nullptr, kListViewClass, nullptr);
            if (listView) {
                SubclassWindow(listView, ListViewWndProc, &control);
                control.m_hwndLV2 = listView;
            }
        }
        break;
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

// The item at index opened, or the view moved up a level when there is none; True when it was handled.
bool OpenOrGoUp(VireoBrowser& control, LONG index) {
    return index >= 0 ? OpenListItem(control, index) : control.UpOneLevel();
}

LRESULT ListViewMessage(VireoBrowser& control, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        return Release(hwnd, msg, wParam, lParam);
    case WM_CONTEXTMENU: {
        const LONG index = ItemUnderCursor(hwnd);
        if (IsFolder(control.SelFolder().sURL) || index < 0) break;
        if (!g_bWin2000 && !g_bWinMe) break;
        ListViewContextMenu(control, index);
        return 0;
    }
    case WM_STYLECHANGED:
        if (g_bViewReady) control.SetStyle(static_cast<LONG>(GetWindowLongPtrA(hwnd, GWL_STYLE) & 3));
        break;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_BACK:
            if (control.UpOneLevel()) return 0;
            break;
        case VK_RETURN:
            if (OpenListItem(control, FirstSelectedItem(hwnd))) return 0;
            break;
        case VK_SHIFT:
            shiftDown = true;
            break;
        case VK_CONTROL:
            ctrlDown = true;
            break;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SHIFT) shiftDown = false;
        if (wParam == VK_CONTROL) ctrlDown = false;
        break;
    case WM_TIMER:
        return 0;
    case WM_LBUTTONDOWN:
        if (control.m_OpenOneClick != 0 && !shiftDown && !ctrlDown &&
            OpenOrGoUp(control, ItemUnderCursor(hwnd)))
            return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (control.m_OpenOneClick == 0 && OpenOrGoUp(control, FirstSelectedItem(hwnd))) return 0;
        break;
    case LVM_EDITLABELA:
    case LVM_EDITLABELW: {
        // In a directory the rename dialog replaces the list view's own label editing.
        const std::string folder = control.SelFolder().sURL;
        const LONG index = static_cast<LONG>(wParam);
        if (!IsFolder(folder) || index < 0) break;
        const std::string name = RenameByDialog(hwnd, RenameForm(), folder + ItemName(control, index));
        if (name.empty()) return 0;
        control.Refresh();
        SelectItemByName(hwnd, name);
        return 0;
    }
    }
    return CallOldWndProc(hwnd, msg, wParam, lParam);
}

using Handler = LRESULT (*)(VireoBrowser&, HWND, UINT, WPARAM, LPARAM);

// The common entry: the mask first, then the control for the length of the message. An error inside a
// handler ends the message with 0; it never reaches the window system.
LRESULT Dispatch(Handler handler, UINT mask, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!InMask(msg, mask)) return CallOldWndProc(hwnd, msg, wParam, lParam);
    RefPtr<VireoBrowser> control = ObjectFromWindow(hwnd);
    if (!control) return CallOldWndProc(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    IgnoreErrors([&] { result = handler(*control, hwnd, msg, wParam, lParam); });
    return result;
}

} // namespace

LRESULT CALLBACK EmbeddingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(EmbeddingMessage, kEmbeddingMask, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK DocViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(DocViewMessage, kDocViewMask, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(ListViewMessage, kListViewMask, hwnd, msg, wParam, lParam);
}

} // namespace vireo
