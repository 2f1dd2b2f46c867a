// The "Button" control: push buttons, check boxes and radio buttons. A click is a press (WM_LBUTTONDOWN,
// which takes the focus and the capture) and a release over the button (WM_LBUTTONUP), which sends
// BN_CLICKED to the parent; BM_CLICK performs exactly that pair.
#include "platform/emu/comctl32/Controls.h"

namespace emu::comctl32 {

namespace {
struct Button {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    HANDLE image = nullptr;
    HFONT font = nullptr;
};

UINT Type(HWND hwnd) {
    return static_cast<UINT>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool Checkable(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

// An automatic radio button clears the other automatic radio buttons of its group (the siblings between
// two WS_GROUP windows).
void ClearGroup(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    HWND first = hwnd;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev) break;
        first = prev;
    }
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLongA(w, GWL_STYLE) & WS_GROUP)) break;
        if (w != hwnd && Type(w) == BS_AUTORADIOBUTTON) {
            char cls[16];
            if (GetClassNameA(w, cls, sizeof cls) && std::string(cls) == "Button")
                SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

void Released(HWND hwnd, Button& b) {
    switch (Type(hwnd)) {
    case BS_AUTOCHECKBOX:
        b.check = b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        b.check = (b.check + 1) % 3;
        break;
    case BS_AUTORADIOBUTTON:
        b.check = BST_CHECKED;
        ClearGroup(hwnd);
        break;
    default:
        break;
    }
    NotifyParent(hwnd, BN_CLICKED);
}
} // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Button* b = StateOf<Button>(hwnd);
    if (!b && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new Button);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        delete b;
        SetStateOf<Button>(hwnd, nullptr);
        return 0;
    case WM_SETTEXT:
        DefWindowProcA(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Type(hwnd) == BS_GROUPBOX) return 0;
        SetFocus(hwnd);
        if (!(b = StateOf<Button>(hwnd))) return 0;
        SetCapture(hwnd);
        b->pushed = true;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONUP: {
        if (!b->pushed) return 0;
        b->pushed = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        if (!(b = StateOf<Button>(hwnd))) return 0;
        // Released over the button: a click. (A button of zero size is still clicked by BM_CLICK.)
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&rc, pt) || IsRectEmpty(&rc)) Released(hwnd, *b);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (b->pushed && reinterpret_cast<HWND>(lParam) != hwnd) b->pushed = false;
        return 0;
    case BM_CLICK:
        if (!IsWindowEnabled(hwnd)) return 0;
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETCHECK:
        return Checkable(Type(hwnd)) ? b->check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (!Checkable(Type(hwnd))) return 0;
        b->check = static_cast<UINT>(wParam) & 3;
        if (b->check == BST_INDETERMINATE && Type(hwnd) != BS_3STATE && Type(hwnd) != BS_AUTO3STATE)
            b->check = BST_CHECKED;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_GETSTATE:
        return b->check | (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        b->pushed = wParam != 0;
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_SETSTYLE:
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>((static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & 0xFFFF0000) |
                                         LOWORD(wParam)));
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case BM_SETIMAGE: {
        HANDLE old = b->image;
        b->image = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(b->image);
    case WM_SETFOCUS:
        b->focused = true;
        return 0;
    case WM_KILLFOCUS:
        b->focused = false;
        if (b->pushed && GetCapture() == hwnd) ReleaseCapture();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_SETFONT:
        b->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(b->font);
    case WM_GETDLGCODE: {
        UINT type = Type(hwnd);
        if (type == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (type == BS_GROUPBOX) return DLGC_STATIC;
        return DLGC_BUTTON | (type == BS_PUSHBUTTON ? DLGC_UNDEFPUSHBUTTON : 0);
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
