// Window classes, creation and destruction, and the window tree (parents, owners, z-order, searches).
#include "platform/emu/user32/WindowState.h"
#include <cstring>

using namespace emu;

namespace {

WindowClass* FindClass(LPCSTR name) {
    WindowState& s = S();
    if (!name) return nullptr;
    if (IS_INTRESOURCE(name)) {
        ATOM atom = LOWORD(name);
        for (auto& [n, c] : s.classes)
            if (c->atom == atom) return c.get();
        return nullptr;
    }
    auto it = s.classes.find(std::string_view(name));
    return it == s.classes.end() ? nullptr : it->second.get();
}

Window& W(HWND hwnd) {
    return *S().Find(hwnd);
}

void Link(Window& w, HWND parent, bool atTop) {
    Window& p = W(parent);
    w.parent = parent;
    if (atTop) {
        w.prev = nullptr;
        w.next = p.firstChild;
        if (p.firstChild) W(p.firstChild).prev = w.hwnd;
        p.firstChild = w.hwnd;
        if (!p.lastChild) p.lastChild = w.hwnd;
    } else {
        w.next = nullptr;
        w.prev = p.lastChild;
        if (p.lastChild) W(p.lastChild).next = w.hwnd;
        p.lastChild = w.hwnd;
        if (!p.firstChild) p.firstChild = w.hwnd;
    }
    w.linked = true;
}

void Unlink(Window& w) {
    if (!w.linked) return;
    Window& p = W(w.parent);
    if (w.prev)
        W(w.prev).next = w.next;
    else
        p.firstChild = w.next;
    if (w.next)
        W(w.next).prev = w.prev;
    else
        p.lastChild = w.prev;
    w.prev = w.next = nullptr;
    w.linked = false;
}

bool IsChildStyle(const Window& w) {
    return (w.style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
}

// Windows tells the parent of a child window when the child is created or destroyed, unless the child has
// WS_EX_NOPARENTNOTIFY; a top-level window tells no one, and the ancestors above the parent hear nothing
// (Wine's windows behave so in the folder view's sequence tables). wParam carries the event and the
// child's identifier, lParam the child.
void SendParentNotify(HWND child, UINT event) {
    WindowState& s = S();
    Window* c = s.Find(child);
    if (!c || !IsChildStyle(*c) || (c->exStyle & WS_EX_NOPARENTNOTIFY)) return;
    const HWND parent = c->parent;
    if (!parent || parent == s.desktop) return;
    SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, static_cast<WORD>(c->id)),
                 reinterpret_cast<LPARAM>(child));
}

DWORD FixExStyle(DWORD style, DWORD exStyle) {
    if ((exStyle & WS_EX_DLGMODALFRAME) ||
        (!(exStyle & WS_EX_STATICEDGE) && (style & (WS_DLGFRAME | WS_THICKFRAME))))
        return exStyle | WS_EX_WINDOWEDGE;
    return exStyle & ~WS_EX_WINDOWEDGE;
}

// The last step of destruction: children first, then the window itself gets WM_NCDESTROY and goes.
void FinalDestroy(HWND hwnd) {
    for (HWND c : ChildrenOf(hwnd))
        if (S().Find(c)) FinalDestroy(c);
    WindowState& s = S();
    if (!s.Find(hwnd)) return;
    KillWindowTimers(hwnd);
    PurgeQueue(hwnd);
    ForgetInput(hwnd);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    Window* w = s.Find(hwnd);
    if (!w) return;
    // Children created while the window was being destroyed go with it.
    while (w->firstChild) {
        FinalDestroy(w->firstChild);
        w = s.Find(hwnd);
    }
    Unlink(*w);
    MarkValid(*w);
    if (w->owned)
        for (auto& [h, other] : s.windows)
            if (other->owner == hwnd) other->owner = nullptr;
    if (Window* o = w->owner ? s.Find(w->owner) : nullptr) o->owned--;
    w->cls->windows--;
    s.Drop(hwnd);
}

// WM_DESTROY goes to the window first, then to its children (each before its own children).
void SendDestroy(HWND hwnd) {
    if (Window* w = S().Find(hwnd)) w->destroying = true;
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND c : ChildrenOf(hwnd))
        if (Window* cw = S().Find(c)) {
            if (!cw->destroying) SendDestroy(c);
        }
}

} // namespace

namespace emu {

bool IsSelfOrDescendant(HWND ancestor, HWND child) {
    WindowState& s = S();
    for (Window* w = s.Find(child); w; w = w->parent ? s.Find(w->parent) : nullptr)
        if (w->hwnd == ancestor) return true;
    return false;
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
    WindowState& s = S();
    std::vector<HWND> out;
    Window* w = s.Find(hwnd);
    if (!w) return out;
    for (HWND c = w->firstChild; c; c = s.Find(c)->next)
        out.push_back(c);
    return out;
}

} // namespace emu

// ---- Classes ------------------------------------------------------------------------------------------

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
    WindowState& s = S();
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName || wc->cbClsExtra < 0 ||
        wc->cbWndExtra < 0) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (s.classes.count(std::string_view(wc->lpszClassName))) {
        SetError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_unique<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->atom = s.nextAtom++;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->clsExtra = wc->cbClsExtra;
    cls->wndExtra = wc->cbWndExtra;
    cls->instance = wc->hInstance;
    cls->icon = wc->hIcon;
    cls->iconSmall = wc->hIconSm;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) cls->menuName = wc->lpszMenuName;
    ATOM atom = cls->atom;
    s.classes.emplace(cls->name, std::move(cls));
    return atom;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
    if (!wc) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style,        wc->lpfnWndProc,   wc->cbClsExtra,
                   wc->cbWndExtra,      wc->hInstance,    wc->hIcon,         wc->hCursor,
                   wc->hbrBackground,   wc->lpszMenuName, wc->lpszClassName, nullptr};
    return RegisterClassExA(&ex);
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
    WindowClass* cls = FindClass(name);
    if (!cls || cls->system) {
        SetError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (cls->windows) {
        SetError(1412); // ERROR_CLASS_HAS_WINDOWS
        return FALSE;
    }
    S().classes.erase(cls->name);
    return TRUE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR name, LPWNDCLASSEXA wc) {
    WindowClass* cls = FindClass(name);
    if (!cls || !wc) {
        SetError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    wc->style = cls->style;
    wc->lpfnWndProc = cls->proc;
    wc->cbClsExtra = cls->clsExtra;
    wc->cbWndExtra = cls->wndExtra;
    wc->hInstance = cls->instance;
    wc->hIcon = cls->icon;
    wc->hCursor = cls->cursor;
    wc->hbrBackground = cls->background;
    wc->lpszMenuName = cls->menuName.empty() ? nullptr : cls->menuName.c_str();
    wc->lpszClassName = name; // Windows hands back the caller's own pointer
    wc->hIconSm = cls->iconSmall;
    // The result is the class atom, which callers test as a BOOL.
    return cls->atom;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buf, int max) {
    Window* w = S().Get(hwnd);
    if (!w || !buf || max <= 0) return 0;
    size_t n = std::min<size_t>(w->cls->name.size(), size_t(max - 1));
    std::memcpy(buf, w->cls->name.data(), n);
    buf[n] = 0;
    return static_cast<int>(n);
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index) {
    Window* w = S().Get(hwnd);
    if (!w) return 0;
    switch (index) {
    case GCLP_HICON:
        return reinterpret_cast<ULONG_PTR>(w->cls->icon);
    case GCLP_HICONSM:
        return reinterpret_cast<ULONG_PTR>(w->cls->iconSmall);
    case GCL_STYLE:
        return w->cls->style;
    case GCL_CBWNDEXTRA:
        return static_cast<ULONG_PTR>(w->cls->wndExtra);
    default:
        SetError(1413);
        return 0; // ERROR_INVALID_INDEX
    }
}

// ---- Creation and destruction -------------------------------------------------------------------------

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param) {
    WindowState& s = S();
    WindowClass* cls = FindClass(className);
    if (!cls) {
        SetError(1407); // ERROR_CANNOT_FIND_WND_CLASS
        return nullptr;
    }
    const bool child = (style & (WS_CHILD | WS_POPUP)) == WS_CHILD;
    HWND owner = nullptr;
    if (parent == HWND_MESSAGE) parent = nullptr;
    if (child) {
        if (!parent) {
            SetError(1406); // ERROR_TLW_WITH_WSCHILD
            return nullptr;
        }
        if (!s.Get(parent)) return nullptr;
    } else if (parent) {
        // A top-level window's "parent" argument is its owner, which is always a top-level window.
        if (!s.Get(parent)) return nullptr;
        owner = GetAncestor(parent, GA_ROOT);
        parent = nullptr;
    }

    // Default positions: the top-left corner for both kinds (Windows cascades top-level windows; nothing
    // here depends on where they land) and three quarters of the screen for a top-level window's size.
    if (x == CW_USEDEFAULT) x = y = 0;
    if (y == CW_USEDEFAULT) y = 0;
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : GetSystemMetrics(SM_CXSCREEN) * 3 / 4;
        height = child ? 0 : GetSystemMetrics(SM_CYSCREEN) * 3 / 4;
    }
    if (height == CW_USEDEFAULT) height = 0;
    if (width < 0) width = 0;
    if (height < 0) height = 0;

    auto owned = std::make_unique<Window>();
    Window& w = *owned;
    w.cls = cls;
    w.owner = owner;
    w.parent = child ? parent : s.desktop;
    // The window starts hidden; WS_VISIBLE is honoured by showing it once it is created.
    w.style = style & ~WS_VISIBLE;
    if (!(style & (WS_CHILD | WS_POPUP))) w.style |= WS_CAPTION | WS_CLIPSIBLINGS;
    w.exStyle = FixExStyle(w.style, exStyle);
    w.id = child ? reinterpret_cast<LONG_PTR>(menu) : 0;
    w.menu = child ? nullptr : menu;
    w.instance = instance;
    w.proc = cls->proc;
    w.rect = RECT{x, y, x + width, y + height};
    w.extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    w.spied = s.spiedClasses.count(cls->name) != 0;
    cls->windows++;
    if (owner) s.Find(owner)->owned++;
    HWND hwnd = s.Adopt(std::move(owned));

    CREATESTRUCTA cs{param,     instance, menu, child ? parent : owner,   height,
                     width,     y,        x,    static_cast<LONG>(style), windowName,
                     className, exStyle};

    auto fail = [&]() -> HWND {
        // Windows tells a window whose creation failed only WM_NCDESTROY.
        FinalDestroy(hwnd);
        return nullptr;
    };

    if ((w.style & WS_THICKFRAME) || !(w.style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mmi{};
        mmi.ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        mmi.ptMaxTrackSize = mmi.ptMaxSize;
        SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!s.Find(hwnd)) return nullptr;
    }
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return fail();
    if (!s.Find(hwnd)) return nullptr;
    // Children go to the bottom of their siblings (so creation order is tab order); top-level windows on top.
    Link(W(hwnd), W(hwnd).parent, !child);
    RECT rc = W(hwnd).rect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rc));
    if (!s.Find(hwnd)) return nullptr;
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return fail();
    if (!s.Find(hwnd)) return nullptr;
    {
        RECT r = W(hwnd).rect;
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right - r.left, r.bottom - r.top));
        if (Window* again = s.Find(hwnd)) {
            r = again->rect;
            SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
        }
    }
    SendParentNotify(hwnd, WM_CREATE);
    if (!s.Find(hwnd)) return nullptr;
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return s.Find(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return FALSE;
    if (hwnd == s.desktop) {
        SetError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (w->destroying) return FALSE;
    w->destroying = true;
    const bool child = IsChildStyle(*w);

    if (child) SendParentNotify(hwnd, WM_DESTROY);
    if (!s.Find(hwnd)) return TRUE;
    if (s.Find(hwnd)->style & WS_VISIBLE) {
        if (child)
            ShowWindow(hwnd, SW_HIDE);
        else
            SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    if (!s.Find(hwnd)) return TRUE;
    FocusLeaves(hwnd);
    if (s.capture && IsSelfOrDescendant(hwnd, s.capture)) ReleaseCapture();

    // Windows owned by this one go first.
    std::vector<HWND> ownedWindows;
    if (w->owned)
        for (auto& [h, other] : s.windows)
            if (other->owner == hwnd && !other->destroying) ownedWindows.push_back(other->hwnd);
    for (HWND o : ownedWindows)
        if (s.Find(o)) DestroyWindow(o);

    if (!s.Find(hwnd)) return TRUE;
    SendDestroy(hwnd);
    if (s.Find(hwnd)) FinalDestroy(hwnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) {
    return hwnd && S().Find(hwnd) != nullptr;
}

HWND WINAPI GetDesktopWindow(void) {
    return S().desktop;
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    while (w && IsChildStyle(*w)) {
        if (w->parent == parent) return TRUE;
        w = s.Find(w->parent);
    }
    return FALSE;
}

// ---- The tree -------------------------------------------------------------------------------------------

HWND WINAPI GetParent(HWND hwnd) {
    Window* w = S().Get(hwnd);
    if (!w) return nullptr;
    if (w->style & WS_CHILD) return w->parent == S().desktop ? nullptr : w->parent;
    if (w->style & WS_POPUP) return w->owner;
    return nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w || hwnd == s.desktop) return nullptr;
    switch (flags) {
    case GA_PARENT:
        return w->parent;
    case GA_ROOT:
    case GA_ROOTOWNER: {
        while (w->parent && w->parent != s.desktop)
            w = s.Find(w->parent);
        if (flags == GA_ROOTOWNER)
            while (w->owner && s.Find(w->owner))
                w = s.Find(w->owner);
        return w->hwnd;
    }
    default:
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI SetParent(HWND hwnd, HWND newParent) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w || hwnd == s.desktop) return nullptr;
    if (!newParent) newParent = s.desktop;
    if (!s.Get(newParent)) return nullptr;
    if (IsSelfOrDescendant(hwnd, newParent)) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HWND old = w->parent;
    // Windows hides the window, moves it to the top of its new siblings at the same relative position,
    // and shows it again.
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (wasVisible) ShowWindow(hwnd, SW_HIDE);
    if (!(w = s.Find(hwnd))) return nullptr;
    Unlink(*w);
    Link(*w, newParent, true);
    SetWindowPos(hwnd, HWND_TOP, w->rect.left, w->rect.top, 0, 0,
                 SWP_NOSIZE | (wasVisible ? SWP_SHOWWINDOW : 0));
    return old == s.desktop ? s.desktop : old;
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return nullptr;
    switch (cmd) {
    case GW_HWNDFIRST:
        return w->parent ? s.Find(w->parent)->firstChild : hwnd;
    case GW_HWNDLAST:
        return w->parent ? s.Find(w->parent)->lastChild : hwnd;
    case GW_HWNDNEXT:
        return w->next;
    case GW_HWNDPREV:
        return w->prev;
    case GW_OWNER:
        return w->owner;
    case GW_CHILD:
        return w->firstChild;
    case GW_ENABLEDPOPUP:
        return nullptr;
    default:
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hwnd) {
    return GetWindow(hwnd ? hwnd : S().desktop, GW_CHILD);
}

HWND WINAPI FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR title) {
    WindowState& s = S();
    if (!parent) parent = s.desktop;
    Window* p = s.Get(parent);
    if (!p) return nullptr;
    HWND start = p->firstChild;
    if (after) {
        Window* a = s.Get(after);
        if (!a || a->parent != parent) {
            SetError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        start = a->next;
    }
    WindowClass* cls = nullptr;
    if (className) {
        cls = FindClass(className);
        if (!cls) {
            SetError(1407); // ERROR_CANNOT_FIND_WND_CLASS
            return nullptr;
        }
    }
    for (HWND c = start; c; c = s.Find(c)->next) {
        Window* w = s.Find(c);
        if (cls && w->cls != cls) continue;
        // The title is the window's own stored text, compared without regard to case; no message is sent.
        if (title && !cp1252::EqualNoCase(w->text, title)) continue;
        return c;
    }
    SetError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

HWND WINAPI FindWindowA(LPCSTR className, LPCSTR title) {
    return FindWindowExA(nullptr, nullptr, className, title);
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
    WindowState& s = S();
    if (!parent) parent = s.desktop;
    // Every descendant, depth first in z-order, from a snapshot taken before the first call.
    std::vector<HWND> list;
    std::vector<HWND> stack;
    for (HWND c : ChildrenOf(parent))
        stack.insert(stack.begin(), c);
    while (!stack.empty()) {
        HWND h = stack.back();
        stack.pop_back();
        list.push_back(h);
        std::vector<HWND> kids = ChildrenOf(h);
        for (auto it = kids.rbegin(); it != kids.rend(); ++it)
            stack.push_back(*it);
    }
    for (HWND h : list) {
        if (!s.Find(h)) continue;
        if (!proc(h, lParam)) return FALSE;
    }
    return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
    for (HWND h : ChildrenOf(S().desktop))
        if (S().Find(h) && !proc(h, lParam)) return FALSE;
    return TRUE;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD pid) {
    if (!S().Get(hwnd)) return 0;
    // One process with one user-interface thread.
    if (pid) *pid = 1;
    return 1;
}

HWND WINAPI GetDlgItem(HWND dlg, int id) {
    WindowState& s = S();
    Window* d = s.Get(dlg);
    if (!d) return nullptr;
    for (HWND c = d->firstChild; c; c = s.Find(c)->next)
        if (static_cast<int>(s.Find(c)->id) == id) return c;
    SetError(1421); // ERROR_CONTROL_ID_NOT_FOUND
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    Window* w = S().Get(hwnd);
    return w ? static_cast<int>(w->id) : 0;
}
