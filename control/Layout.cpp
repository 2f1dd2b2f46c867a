// The control's layout: five bands from top to bottom (toolbar and address box, web view, splitter bar,
// folder tree, toolbar with status and progress bars), and the splitter's drag. Lengths are pixels held
// as floats; a window is placed at the nearest whole pixel.
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include <algorithm>
#include <cmath>

namespace vireo {

namespace {

int Px(float v) {
    return static_cast<int>(std::lround(v));
}

RECT WindowRectIn(HWND hwnd, HWND parent) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

float HeightOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return static_cast<float>(r.bottom - r.top);
}

// A placement with a negative size is refused: the window keeps its place and size.
void Place(HWND hwnd, float left, float top, float width, float height) {
    if (!hwnd || width < 0 || height < 0) return;
    MoveWindow(hwnd, Px(left), Px(top), Px(width), Px(height), TRUE);
}

void PlaceAt(HWND hwnd, float left, float top) {
    if (hwnd)
        SetWindowPos(hwnd, nullptr, Px(left), Px(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void VireoBrowser::UserControl_Resize() {
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const float W = static_cast<float>(client.right - client.left) - 1;
    const float H = static_cast<float>(client.bottom - client.top);

    const float R = std::max(HeightOf(m_tBar1), HeightOf(m_cmbURL)) + 1;
    const float T = (R - HeightOf(m_tBar1)) / 2;
    bool treeVisible = false;
    if (m_TreeView) IgnoreErrors([&] { treeVisible = m_TreeView->Visible(); });
    ShowWindow(m_InVisLine, treeVisible ? SW_SHOWNA : SW_HIDE);
    const float S = treeVisible ? 3.0f : 0.0f;
    const float K = treeVisible ? (H - 2 * R) * (1 - m_nSplitPercent / 100) + S / 2 : 0.0f;
    const float V = H - 2 * R - K;

    Place(m_InVisLine, 0, R + V, W, S);
    if (m_TreeView && K - 4 >= 0 && W >= 0) IgnoreErrors([&] { m_TreeView->Move(0, R + V + S, W, K - 4); });
    PlaceAt(m_tBar1, T, T - 0.5f);
    Place(m_cmbURL, R + 2, 0, W - R - 2, HeightOf(m_cmbURL));
    if (m_WebBrowser1) IgnoreErrors([&] { Place(m_WebBrowser1->Window(), 0, R, W, V); });
    PlaceAt(m_tBar2, T, R + V + K + T + 1);
    Place(m_sBar1, R + 2, R + V + K + T, W - R - 2, HeightOf(m_tBar2));
    const RECT bar = WindowRectIn(m_sBar1, m_hWnd);
    Place(m_pBar1, W * 3 / 4, static_cast<float>(bar.top) + 3, W / 4 - 2,
          static_cast<float>(bar.bottom - bar.top) - 4);

    const int len = GetWindowTextLengthA(m_cmbURL);
    SendMessageA(m_cmbURL, CB_SETEDITSEL, 0, MAKELPARAM(len, len));
}

void VireoBrowser::InVisLine_MouseDown() {
    const RECT bar = WindowRectIn(m_InVisLine, m_hWnd);
    const int height = bar.bottom - bar.top;
    const RECT line = WindowRectIn(m_DragLine, m_hWnd);
    ShowWindow(m_DragLine, SW_SHOWNA);
    MoveWindow(m_DragLine, line.left, Px(static_cast<float>(bar.top) - static_cast<float>(height) / 2),
               line.right - line.left, height, TRUE);
}

void VireoBrowser::InVisLine_MouseMove(int button, int y) {
    // The bar's own visibility, whether or not the form shows it.
    if (!(GetWindowLongA(m_InVisLine, GWL_STYLE) & WS_VISIBLE) || button != 1) return;
    const RECT bar = WindowRectIn(m_InVisLine, m_hWnd);
    const RECT line = WindowRectIn(m_DragLine, m_hWnd);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    MoveWindow(m_DragLine, 0, bar.top + y, client.right - client.left, line.bottom - line.top, TRUE);
}

void VireoBrowser::InVisLine_MouseUp() {
    ShowWindow(m_DragLine, SW_HIDE);
    const RECT line = WindowRectIn(m_DragLine, m_hWnd);
    const float D = static_cast<float>(line.top) + static_cast<float>(line.bottom - line.top) / 2;
    const float B = HeightOf(m_tBar1);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const float H = static_cast<float>(client.bottom - client.top);
    // With no height between the rows there is no share to take: the previous one stays.
    if (H - 2 * B != 0) m_nSplitPercent = std::clamp(100 * (D - B) / (H - 2 * B), 10.0f, 90.0f);
    UserControl_Resize();
}

// The grab bar is a label: its mouse messages come to this procedure, which keeps the label's own procedure
// in the label's user data, and captures the mouse for the length of a drag.
LRESULT CALLBACK VireoBrowser::SplitterProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<VireoBrowser*>(GetPropA(hwnd, "VireoSplitter"));
    const auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        RefPtr<VireoBrowser> hold(self);
        switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(hwnd);
            self->InVisLine_MouseDown();
            return 0;
        case WM_MOUSEMOVE: {
            // The button state as the label's mouse event gives it: 1 left, 2 right, 4 middle.
            const int button = ((wParam & MK_LBUTTON) ? 1 : 0) | ((wParam & MK_RBUTTON) ? 2 : 0) |
                               ((wParam & MK_MBUTTON) ? 4 : 0);
            self->InVisLine_MouseMove(button, static_cast<short>(HIWORD(lParam)));
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            self->InVisLine_MouseUp();
            return 0;
        case WM_NCDESTROY:
            RemovePropA(hwnd, "VireoSplitter");
            break;
        }
    }
    return old ? CallWindowProcA(old, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

void VireoBrowser::DetachSplitter() {
    if (m_InVisLine) RemovePropA(m_InVisLine, "VireoSplitter");
}

void VireoBrowser::AttachSplitter() {
    const LONG_PTR old =
        SetWindowLongPtrA(m_InVisLine, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SplitterProc));
    SetWindowLongPtrA(m_InVisLine, GWLP_USERDATA, old);
    SetPropA(m_InVisLine, "VireoSplitter", static_cast<HANDLE>(this));
}

} // namespace vireo
