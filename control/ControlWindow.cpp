// The control's own window, its child controls and its window procedure.
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "support/mmModule.h"

namespace vireo {

namespace {

constexpr char kClassName[] = "VireoBrowserWindow";

enum ChildId : int {
    IdToolBar1 = 101,
    IdAddressBox,
    IdInVisLine,
    IdDragLine,
    IdToolBar2,
    IdStatusBar,
    IdProgress
};

// The toolbars size themselves to one 16 x 16 button with its frame; the layout reads their heights.
constexpr int kToolBarWidth = 24;
constexpr int kToolBarHeight = 22;

HWND CreateChild(const char* className, DWORD style, HWND parent, int id, int cx = 0, int cy = 0) {
    return CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, cx, cy, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ComponentInstance(), nullptr);
}

} // namespace

void VireoBrowser::CreateChildControls() {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    RegisterComponentClass(kClassName, &VireoBrowser::WindowProc, COLOR_BTNFACE);
    m_hWnd = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                             0, 0, 0, m_container.ParentWindow(), nullptr, ComponentInstance(), this);

    const DWORD toolbarStyle = WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN;
    m_tBar1 = CreateChild(TOOLBARCLASSNAMEA, toolbarStyle, m_hWnd, IdToolBar1, kToolBarWidth, kToolBarHeight);
    m_cmbURL = CreateChild("ComboBox", WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                           m_hWnd, IdAddressBox);
    m_WebBrowser1 = m_container.CreateWebView(m_hWnd);
    if (m_WebBrowser1) m_WebBrowser1->SetEvents(this);
    m_InVisLine = CreateChild("Static", WS_VISIBLE | SS_NOTIFY, m_hWnd, IdInVisLine);
    AttachSplitter();
    m_DragLine = CreateChild("Static", SS_BLACKRECT, m_hWnd, IdDragLine);
    m_TreeView = m_container.CreateFolderTree(m_hWnd);
    if (m_TreeView) m_TreeView->SetEvents(this);
    m_tBar2 = CreateChild(TOOLBARCLASSNAMEA, toolbarStyle, m_hWnd, IdToolBar2, kToolBarWidth, kToolBarHeight);
    m_sBar1 =
        CreateChild(STATUSCLASSNAMEA, WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, m_hWnd, IdStatusBar);
    m_pBar1 = CreateChild(PROGRESS_CLASSA, 0, m_hWnd, IdProgress);
    SetUpAddressBox();
    SetUpToolbars();
}

LRESULT CALLBACK VireoBrowser::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    auto* self = reinterpret_cast<VireoBrowser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    // A host handler may release the control while one of its messages runs.
    RefPtr<VireoBrowser> hold(self);
    return self->OnMessage(hwnd, msg, wParam, lParam);
}

LRESULT VireoBrowser::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        // A toolbar's button reports its click with its command identifier.
        if (lParam && reinterpret_cast<HWND>(lParam) == m_tBar1 && HIWORD(wParam) == BN_CLICKED)
            tBar1_ButtonClick(LOWORD(wParam));
        if (lParam && reinterpret_cast<HWND>(lParam) == m_tBar2 && HIWORD(wParam) == BN_CLICKED)
            tBar2_ButtonClick(LOWORD(wParam));
        if (reinterpret_cast<HWND>(lParam) == m_cmbURL && m_events) {
            if (HIWORD(wParam) == CBN_SETFOCUS) m_events->CombUrlGotFocus();
            if (HIWORD(wParam) == CBN_KILLFOCUS) m_events->CombUrlLostFocus();
        }
        return 0;
    case WM_PAINT:
        UserControl_Paint();
        break;
    case WM_SIZE:
        UserControl_Resize();
        return 0;
    case WM_TIMER:
        if (wParam == kStatusTimer) {
            tmrStatus_Timer();
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // Only the address box's edit field and list ask.
        return AddressBoxColor(reinterpret_cast<HDC>(wParam));
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace vireo
