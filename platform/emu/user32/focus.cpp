// Focus, activation and mouse capture, with the messages in the order Windows sends them.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace emu {

void FocusLeaves(HWND hwnd) {
    WindowState& s = S();
    if (!s.focus || !IsSelfOrDescendant(hwnd, s.focus)) return;
    // The focus goes back to the window's parent (none for a top-level window).
    Window* w = s.Find(hwnd);
    HWND parent = w ? w->parent : nullptr;
    if (parent == s.desktop) parent = nullptr;
    if (parent && s.Find(parent)->destroying) parent = nullptr;
    SetFocus(parent);
}

void ForgetInput(HWND hwnd) {
    WindowState& s = S();
    if (s.focus == hwnd) s.focus = nullptr;
    if (s.active == hwnd) s.active = nullptr;
    if (s.capture == hwnd) s.capture = nullptr;
}

} // namespace emu

namespace {

// Activation: the old active window gets WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE), the new one
// WM_NCACTIVATE(TRUE) and WM_ACTIVATE(WA_ACTIVE), whose default handling gives it the focus.
HWND Activate(HWND hwnd) {
    WindowState& s = S();
    HWND old = s.active;
    if (old == hwnd) return old;
    s.active = hwnd;
    if (old && s.Find(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd && s.Find(hwnd) && s.active == hwnd) {
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd) ? 1 : 0),
                     reinterpret_cast<LPARAM>(old));
    }
    if (!hwnd && s.focus && old && IsSelfOrDescendant(old, s.focus)) SetFocus(nullptr);
    return old;
}

} // namespace

// The focus changes first; then the window that lost it gets WM_KILLFOCUS (wParam = the new focus) and,
// unless that handler moved the focus elsewhere, the new one gets WM_SETFOCUS (wParam = the old focus).
// A window that is disabled or minimized, or whose ancestors are, cannot take the focus.
HWND WINAPI SetFocus(HWND hwnd) {
    WindowState& s = S();
    HWND previous = s.focus;
    if (hwnd) {
        Window* w = s.Get(hwnd);
        if (!w) return nullptr;
        if (hwnd == previous) return previous;
        HWND top = hwnd;
        for (;;) {
            Window* t = s.Find(top);
            if (t->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
            if (!t->parent || t->parent == s.desktop) break;
            top = t->parent;
        }
        if (top != s.active) {
            Activate(top);
            if (!s.Find(hwnd) || s.active != top) return nullptr;
            previous = s.focus;
            if (hwnd == previous) return previous;
        }
    }
    s.focus = hwnd;
    if (previous && s.Find(previous)) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (s.focus != hwnd) return previous; // the handler moved the focus
    }
    if (hwnd && s.Find(hwnd)) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI GetFocus(void) {
    return S().focus;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
    WindowState& s = S();
    if (hwnd) {
        if (!s.Get(hwnd)) return nullptr;
        hwnd = GetAncestor(hwnd, GA_ROOT);
    }
    return Activate(hwnd);
}

HWND WINAPI GetActiveWindow(void) {
    return S().active;
}
HWND WINAPI GetForegroundWindow(void) {
    return S().active;
}
BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

// The window losing the capture gets WM_CAPTURECHANGED with the new capture window in lParam.
HWND WINAPI SetCapture(HWND hwnd) {
    WindowState& s = S();
    if (hwnd && !s.Get(hwnd)) return nullptr;
    HWND old = s.capture;
    s.capture = hwnd;
    if (old && old != hwnd && s.Find(old))
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    WindowState& s = S();
    HWND old = s.capture;
    s.capture = nullptr;
    if (old && s.Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    return S().capture;
}
