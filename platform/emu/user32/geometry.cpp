// Positions and sizes, z-order, visibility and enabling.
// Windows here have no non-client area (no caption, borders or scroll bars are drawn): the client rectangle
// is the window rectangle, so WM_NCCALCSIZE is answered with the window rectangle unchanged.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace {

// Flags Windows adds to the WINDOWPOS of WM_WINDOWPOSCHANGED when the client area did not move or resize.
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

Window& W(HWND hwnd) {
    return *S().Find(hwnd);
}

void Relink(Window& w, HWND after) {
    WindowState& s = S();
    Window& p = W(w.parent);
    // Unlink...
    if (w.prev)
        W(w.prev).next = w.next;
    else
        p.firstChild = w.next;
    if (w.next)
        W(w.next).prev = w.prev;
    else
        p.lastChild = w.prev;
    w.prev = w.next = nullptr;
    // ...and link again below "after" (HWND_TOP / HWND_BOTTOM / a sibling).
    if (after == HWND_BOTTOM ||
        (after != HWND_TOP && after != HWND_TOPMOST && after != HWND_NOTOPMOST && !s.Find(after))) {
        w.prev = p.lastChild;
        if (p.lastChild) W(p.lastChild).next = w.hwnd;
        p.lastChild = w.hwnd;
        if (!p.firstChild) p.firstChild = w.hwnd;
        return;
    }
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        w.next = p.firstChild;
        if (p.firstChild) W(p.firstChild).prev = w.hwnd;
        p.firstChild = w.hwnd;
        if (!p.lastChild) p.lastChild = w.hwnd;
        return;
    }
    Window& a = W(after);
    w.prev = after;
    w.next = a.next;
    if (a.next)
        W(a.next).prev = w.hwnd;
    else
        p.lastChild = w.hwnd;
    a.next = w.hwnd;
}

// True when the z-order request leaves the window where it is.
bool SameZOrder(const Window& w, HWND after) {
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) return w.prev == nullptr;
    if (after == HWND_BOTTOM) return w.next == nullptr;
    return after == w.hwnd || w.prev == after;
}

} // namespace

namespace emu {

POINT ScreenOrigin(const Window& w) {
    WindowState& s = S();
    POINT p{w.rect.left, w.rect.top};
    for (Window* a = w.parent ? s.Find(w.parent) : nullptr; a && a->hwnd != s.desktop;
         a = a->parent ? s.Find(a->parent) : nullptr) {
        p.x += a->rect.left;
        p.y += a->rect.top;
    }
    return p;
}

bool IsVisibleTree(const Window& w) {
    WindowState& s = S();
    for (const Window* a = &w; a; a = a->parent ? s.Find(a->parent) : nullptr)
        if (!(a->style & WS_VISIBLE)) return false;
    return true;
}

} // namespace emu

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return FALSE;
    if (hwnd == s.desktop) {
        SetError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // Fix the flags as Windows does before telling the window.
    if (w->style & WS_VISIBLE)
        flags &= ~SWP_SHOWWINDOW;
    else
        flags &= ~SWP_HIDEWINDOW;
    if (!(flags & SWP_NOMOVE) && x == w->rect.left && y == w->rect.top) flags |= SWP_NOMOVE;
    if (!(flags & SWP_NOSIZE) && cx == w->rect.right - w->rect.left && cy == w->rect.bottom - w->rect.top)
        flags |= SWP_NOSIZE;
    if (!(flags & SWP_NOZORDER) && SameZOrder(*w, after)) flags |= SWP_NOZORDER;
    if ((w->style & (WS_CHILD | WS_POPUP)) == WS_CHILD) flags |= SWP_NOACTIVATE;

    WINDOWPOS wp{hwnd, after, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->rect.right - w->rect.left;
        wp.cy = w->rect.bottom - w->rect.top;
    }
    if (wp.cx < 0) wp.cx = 0;
    if (wp.cy < 0) wp.cy = 0;
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = s.Find(hwnd))) return FALSE;
    }
    flags = wp.flags;
    RECT oldRect = w->rect;
    RECT newRect{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
    if ((flags & (SWP_NOSIZE | SWP_FRAMECHANGED)) != SWP_NOSIZE) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = oldRect;
        params.lppos = &wp;
        SendMessageA(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        if (!(w = s.Find(hwnd))) return FALSE;
    }

    w->rect = newRect;
    if (!(flags & SWP_NOZORDER) && w->linked) Relink(*w, wp.hwndInsertAfter);
    if (!(flags & SWP_NOZORDER) && !(w->style & WS_CHILD)) {
        if (wp.hwndInsertAfter == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
        if (wp.hwndInsertAfter == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
    }
    const bool sized = oldRect.right - oldRect.left != newRect.right - newRect.left ||
                       oldRect.bottom - oldRect.top != newRect.bottom - newRect.top;
    const bool moved = oldRect.left != newRect.left || oldRect.top != newRect.top;
    if (flags & SWP_SHOWWINDOW) {
        w->style |= WS_VISIBLE;
        if (IsVisibleTree(*w)) InvalidateTree(hwnd, true);
    } else if (flags & SWP_HIDEWINDOW) {
        w->style &= ~WS_VISIBLE;
    } else if (sized && !(flags & SWP_NOREDRAW) && IsVisibleTree(*w)) {
        InvalidateTree(hwnd, true);
    }
    if (!sized) flags |= kNoClientSize;
    if (!moved) flags |= kNoClientMove;
    wp.flags = flags;
    wp.x = newRect.left;
    wp.y = newRect.top;
    wp.cx = newRect.right - newRect.left;
    wp.cy = newRect.bottom - newRect.top;

    // Nothing changed at all: Windows does not send WM_WINDOWPOSCHANGED.
    const UINT noChange = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | kNoClientSize | kNoClientMove;
    const UINT status = noChange | SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW;
    if ((flags & status) != noChange)
        SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = s.Find(hwnd))) return TRUE;
    if (!(flags & SWP_NOACTIVATE) && (w->style & WS_VISIBLE) && !(w->style & WS_CHILD)) SetActiveWindow(hwnd);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rc) {
    Window* w = S().Get(hwnd);
    if (!w || !rc) return FALSE;
    POINT o = ScreenOrigin(*w);
    *rc = RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rc) {
    Window* w = S().Get(hwnd);
    if (!w || !rc) return FALSE;
    *rc = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

// No frames are drawn here, so the window rectangle for a client rectangle is the same rectangle.
BOOL WINAPI AdjustWindowRectEx(LPRECT rc, DWORD, BOOL, DWORD) {
    return rc != nullptr;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT pt) {
    Window* w = S().Get(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ScreenOrigin(*w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT pt) {
    Window* w = S().Get(hwnd);
    if (!w || !pt) return FALSE;
    POINT o = ScreenOrigin(*w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

// Returns the horizontal offset in the low word and the vertical one in the high word, as Windows does.
int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
    WindowState& s = S();
    POINT a{0, 0}, b{0, 0};
    if (from && from != s.desktop) {
        Window* w = s.Get(from);
        if (!w) return 0;
        a = ScreenOrigin(*w);
    }
    if (to && to != s.desktop) {
        Window* w = s.Get(to);
        if (!w) return 0;
        b = ScreenOrigin(*w);
    }
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; pts && i < count; ++i) {
        pts[i].x += dx;
        pts[i].y += dy;
    }
    SetError(0);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace {
// The deepest visible window under a screen point, searching children in z-order.
HWND DeepestAt(HWND parent, POINT screen) {
    WindowState& s = S();
    for (HWND c = s.Find(parent)->firstChild; c; c = s.Find(c)->next) {
        Window* w = s.Find(c);
        if (!(w->style & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(c, &r);
        if (!PtInRect(&r, screen)) continue;
        // Disabled windows are still found, but their children are not searched.
        if (w->style & WS_DISABLED) return c;
        HWND deeper = DeepestAt(c, screen);
        return deeper ? deeper : c;
    }
    return nullptr;
}
} // namespace

HWND WINAPI WindowFromPoint(POINT pt) {
    return DeepestAt(S().desktop, pt);
}

// The child of the parent (hidden and disabled ones included) that contains a point given in the parent's
// client coordinates; the parent itself when no child does; NULL when the point is outside the parent.
HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) {
    WindowState& s = S();
    Window* p = s.Get(parent);
    if (!p) return nullptr;
    RECT client;
    GetClientRect(parent, &client);
    if (parent != s.desktop && !PtInRect(&client, pt)) return nullptr;
    for (HWND c = p->firstChild; c; c = s.Find(c)->next)
        if (PtInRect(&s.Find(c)->rect, pt)) return c;
    return parent;
}

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return FALSE;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool child = (w->style & WS_CHILD) != 0;
    const DWORD sizeState = w->style & (WS_MINIMIZE | WS_MAXIMIZE);
    UINT swp = 0;
    switch (cmd) {
    case SW_HIDE:
        if (!wasVisible) return FALSE;
        swp = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (child) swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | (cmd == SW_SHOWMINIMIZED ? 0 : SWP_NOACTIVATE);
        break;
    case SW_SHOWMAXIMIZED:
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    case SW_SHOW:
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (cmd == SW_SHOWNORMAL || cmd == SW_RESTORE || cmd == SW_SHOWDEFAULT)
            w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        if (wasVisible) return TRUE;
        swp = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
        if (cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE) swp |= SWP_NOACTIVATE;
        if (child) swp |= SWP_NOACTIVATE | SWP_NOZORDER;
        break;
    default:
        SetError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool show = cmd != SW_HIDE;
    if (show != wasVisible) {
        SendMessageA(hwnd, WM_SHOWWINDOW, show, 0);
        if (!(w = s.Find(hwnd))) return wasVisible;
    }
    // A child of a hidden window only changes its style: no move is sent, nothing is painted.
    const bool stateChanged = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != sizeState;
    if (child && !IsWindowVisible(w->parent) && !stateChanged) {
        w->style = show ? (w->style | WS_VISIBLE) : (w->style & ~WS_VISIBLE);
    } else {
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, swp);
    }
    if (!show && s.Find(hwnd)) {
        if (s.active == hwnd) SetActiveWindow(nullptr);
        FocusLeaves(hwnd);
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    Window* w = S().Find(hwnd);
    return w && IsVisibleTree(*w);
}

BOOL WINAPI IsIconic(HWND hwnd) {
    Window* w = S().Find(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hwnd) {
    Window* w = S().Find(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

// Returns whether the window was disabled before. Disabling sends WM_CANCELMODE first, takes the focus
// away from the window if it has it, then WM_ENABLE(FALSE); enabling sends WM_ENABLE(TRUE).
BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return FALSE;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessageA(hwnd, WM_CANCELMODE, 0, 0);
        if (!(w = s.Find(hwnd))) return FALSE;
        w->style |= WS_DISABLED;
        if (s.focus && IsSelfOrDescendant(hwnd, s.focus)) SetFocus(nullptr);
        SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    Window* w = S().Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}
