// Sending, posting and retrieving messages; the default window procedure; the spy that records what the
// system delivers to a window's procedure.
#include "platform/emu/user32/WindowState.h"
#include <algorithm>
#include <cstring>

using namespace emu;

namespace emu {

LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool posted) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    if (!w) return 0;
    if (w->spied) s.spied.push_back(SpiedMessage{hwnd, msg, wParam, lParam, posted});
    WNDPROC proc = w->proc;
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

void PurgeQueue(HWND hwnd) {
    auto& q = S().posted;
    q.erase(std::remove_if(q.begin(), q.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }), q.end());
}

} // namespace emu

namespace {

bool InRange(UINT msg, UINT min, UINT max) {
    return (min == 0 && max == 0) || (msg >= min && msg <= max);
}

bool ForWindow(HWND msgWnd, HWND filter) {
    if (filter == reinterpret_cast<HWND>(-1)) return msgWnd == nullptr; // thread messages only
    return !filter || msgWnd == filter;
}

MSG MakeMsg(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowState& s = S();
    return MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(s.now), s.cursor};
}

// The first visible window with an update region, parents before children, in z-order.
HWND FindPaintWindow(HWND filter) {
    WindowState& s = S();
    if (!s.invalidWindows) return nullptr;
    std::vector<HWND> stack{s.desktop};
    while (!stack.empty()) {
        Window* w = s.Find(stack.back());
        stack.pop_back();
        if (!w || !(w->style & WS_VISIBLE)) continue;
        if (w->invalid && ForWindow(w->hwnd, filter)) return w->hwnd;
        for (HWND c = w->lastChild; c; c = s.Find(c)->prev)
            stack.push_back(c);
    }
    return nullptr;
}

// Retrieves the next message in Windows' order: posted messages, then WM_QUIT once the queue is empty,
// then WM_PAINT for a window that needs it, then WM_TIMER for a timer that is due.
bool Retrieve(MSG& out, HWND filter, UINT min, UINT max, bool remove) {
    WindowState& s = S();
    for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
        if (!ForWindow(it->hwnd, filter) || !InRange(it->message, min, max)) continue;
        out = *it;
        if (remove) s.posted.erase(it);
        return true;
    }
    if (s.quitPosted && s.posted.empty() && InRange(WM_QUIT, min, max)) {
        out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0);
        if (remove) s.quitPosted = false;
        return true;
    }
    if (InRange(WM_PAINT, min, max))
        if (HWND h = FindPaintWindow(filter)) {
            out = MakeMsg(h, WM_PAINT, 0, 0); // stays until the window is validated
            return true;
        }
    if (InRange(WM_TIMER, min, max)) {
        Timer* best = nullptr;
        for (Timer& t : s.timers)
            if (t.signaled && ForWindow(t.hwnd, filter) &&
                (!best || t.due < best->due || (t.due == best->due && t.order < best->order)))
                best = &t;
        if (best) {
            out = MakeMsg(best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc));
            if (remove) best->signaled = false;
            return true;
        }
    }
    return false;
}

// A thread that waits on an empty queue while one of its windows is active waits for the user, whom the
// desktop's script plays (dialoginput.cpp). Otherwise virtual time passes: the clock moves to the next
// timer's due time. Returns false when nothing the caller waits for can ever come (no message, no user
// action, and no timer it would retrieve).
bool WaitForSomething(HWND filter, UINT min, UINT max) {
    WindowState& s = S();
    MSG m;
    if (Retrieve(m, filter, min, max, false)) return true;
    if (PlayScriptedInput()) return true;
    if (!InRange(WM_TIMER, min, max)) return false;
    const Timer* next = nullptr;
    for (const Timer& t : s.timers)
        if (ForWindow(t.hwnd, filter) && (!next || t.due < next->due)) next = &t;
    if (!next) return false;
    s.manager.Elapse(next->due - s.now);
    return true;
}

} // namespace

// ---- Sending
// -----------------------------------------------------------------------------------------------

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowState& s = S();
    if (hwnd == HWND_BROADCAST) {
        for (HWND top : ChildrenOf(s.desktop))
            Deliver(top, msg, wParam, lParam, false);
        return TRUE;
    }
    if (!s.Get(hwnd)) return 0;
    return Deliver(hwnd, msg, wParam, lParam, false);
}

// The wide form: the window procedures of this desktop are all narrow, so the text messages are converted
// between UTF-16 and the ANSI code page on the way in and out; other messages pass unchanged.
LRESULT WINAPI SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SETTEXT: {
        if (!lParam) return SendMessageA(hwnd, msg, wParam, 0);
        std::string narrow = cp1252::FromWide(reinterpret_cast<LPCWSTR>(lParam));
        return SendMessageA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(narrow.c_str()));
    }
    case WM_GETTEXT: {
        auto* out = reinterpret_cast<LPWSTR>(lParam);
        if (!out || wParam == 0) return 0;
        std::string buf(wParam, '\0');
        LRESULT n = SendMessageA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(buf.data()));
        if (n < 0) n = 0;
        if (static_cast<size_t>(n) >= wParam) n = static_cast<LRESULT>(wParam) - 1;
        for (LRESULT i = 0; i < n; ++i)
            out[i] = cp1252::ToWide(static_cast<unsigned char>(buf[i]));
        out[n] = 0;
        return n;
    }
    default:
        return SendMessageA(hwnd, msg, wParam, lParam);
    }
}

LRESULT WINAPI SendMessageTimeoutA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT,
                                   DWORD_PTR* result) {
    if (!IsWindow(hwnd) && hwnd != HWND_BROADCAST) {
        SetError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LRESULT r = SendMessageA(hwnd, msg, wParam, lParam);
    if (result) *result = static_cast<DWORD_PTR>(r);
    return TRUE;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

// ---- Posting and retrieving
// ----------------------------------------------------------------------------------

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowState& s = S();
    if (hwnd == HWND_BROADCAST) {
        for (HWND top : ChildrenOf(s.desktop))
            s.posted.push_back(MakeMsg(top, msg, wParam, lParam));
        return TRUE;
    }
    if (hwnd && !s.Get(hwnd)) return FALSE;
    s.posted.push_back(MakeMsg(hwnd, msg, wParam, lParam));
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(nullptr, msg, wParam, lParam);
}

void WINAPI PostQuitMessage(int code) {
    WindowState& s = S();
    s.quitPosted = true;
    s.quitCode = code;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT flags) {
    MSG m;
    if (!Retrieve(m, hwnd, min, max, (flags & PM_REMOVE) != 0)) return FALSE;
    S().lastMessageTime = m.time;
    if (msg) *msg = m;
    return TRUE;
}

// Returns 0 for WM_QUIT. A thread with nothing to wait for (no message and no timer) would block for ever
// on Windows; here GetMessageA fails with -1 instead.
BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max) {
    for (;;) {
        MSG m;
        if (Retrieve(m, hwnd, min, max, true)) {
            S().lastMessageTime = m.time;
            if (msg) *msg = m;
            return m.message != WM_QUIT;
        }
        if (!WaitForSomething(hwnd, min, max)) {
            SetError(ERROR_INVALID_PARAMETER);
            return -1;
        }
    }
}

BOOL WINAPI WaitMessage(void) {
    return WaitForSomething(nullptr, 0, 0);
}

DWORD WINAPI GetMessageTime(void) {
    return S().lastMessageTime;
}

namespace {
// The character a key makes with the current keyboard state (US layout), or 0.
int KeyChar(WPARAM vk) {
    WindowState& s = S();
    const bool shift = (s.keys[VK_SHIFT] & 0x80) != 0;
    const bool ctrl = (s.keys[VK_CONTROL] & 0x80) != 0;
    const bool caps = (s.keys[VK_CAPITAL] & 0x01) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<int>(vk - 'A' + 1);
        return (shift != caps) ? static_cast<int>(vk) : static_cast<int>(vk + 0x20);
    }
    if (vk >= '0' && vk <= '9') {
        static const char shifted[] = ")!@#$%^&*(";
        return shift ? shifted[vk - '0'] : static_cast<int>(vk);
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<int>('0' + vk - VK_NUMPAD0);
    switch (vk) {
    case VK_SPACE:
        return ' ';
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return 0x09;
    case VK_RETURN:
        return ctrl ? 0x0A : 0x0D;
    case VK_ESCAPE:
        return 0x1B;
    default:
        return 0;
    }
}
} // namespace

// A key press makes its character: WM_CHAR goes to the head of the queue, so it is the next message.
BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    int ch = KeyChar(msg->wParam);
    if (!ch) return FALSE;
    UINT charMsg = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    S().posted.push_front(MakeMsg(msg->hwnd, charMsg, static_cast<WPARAM>(ch), msg->lParam));
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    WindowState& s = S();
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only the procedure of a live timer is called (Windows refuses forged WM_TIMER procedures).
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        for (const Timer& t : s.timers)
            if (t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc) {
                proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(s.now));
                return 0;
            }
        return 0;
    }
    if (!msg->hwnd) return 0;
    if (!s.Get(msg->hwnd)) return 0;
    LRESULT r = Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam, true);
    // A procedure that does not validate its window on WM_PAINT would get WM_PAINT for ever on Windows;
    // here the update region is dropped after one delivery so that pumping always ends.
    if (msg->message == WM_PAINT)
        if (Window* w = s.Find(msg->hwnd)) MarkValid(*w);
    return r;
}

UINT WINAPI RegisterWindowMessageA(LPCSTR name) {
    WindowState& s = S();
    if (!name || !*name) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto it = s.registeredMessages.find(std::string_view(name));
    if (it != s.registeredMessages.end()) return it->second;
    UINT id = s.nextAtom++;
    s.registeredMessages.emplace(name, id);
    return id;
}

// ---- The default window procedure
// ---------------------------------------------------------------------------

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    if (!w) return 0;
    const bool child = (w->style & WS_CHILD) != 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) &&
            static_cast<unsigned char>(cs->lpszName[0]) != 0xFF) // 0xFF starts a resource ordinal
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE:
        return 0; // no non-client area: the client rectangle is the window rectangle
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        return TRUE;
    case WM_GETTEXT: {
        auto* buf = reinterpret_cast<LPSTR>(lParam);
        if (!buf || wParam == 0) return 0;
        size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
        std::memcpy(buf, w->text.data(), n);
        buf[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!wp) return 0;
        RECT r = w->rect;
        if (!(wp->flags & 0x1000)) // SWP_NOCLIENTMOVE
            SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
        if (!(wp->flags & 0x0800) && s.Find(hwnd)) { // SWP_NOCLIENTSIZE
            WPARAM type = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                          : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                     : SIZE_RESTORED;
            SendMessageA(hwnd, WM_SIZE, type, MAKELPARAM(r.right - r.left, r.bottom - r.top));
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (child && w->parent != s.desktop) SendMessageA(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &pt);
        SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(pt.x, pt.y));
        return 0;
    }
    case WM_SETCURSOR:
        // A child asks its parent first; then the class cursor is set over the client area.
        if (child && w->parent != s.desktop && SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (Window* again = s.Find(hwnd); again && LOWORD(lParam) == HTCLIENT && again->cls->cursor) {
            SetCursor(again->cls->cursor);
            return TRUE;
        }
        return FALSE;
    case WM_MOUSEACTIVATE:
        if (child && w->parent != s.desktop) {
            LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r) return r;
        }
        return MA_ACTIVATE;
    case WM_NCHITTEST: {
        RECT r;
        GetWindowRect(hwnd, &r);
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return PtInRect(&r, pt) ? HTCLIENT : HTNOWHERE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        HBRUSH br = w->cls->background;
        if (!br) return 0;
        if (reinterpret_cast<UINT_PTR>(br) <= COLOR_MENUBAR + 1)
            br = GetSysColorBrush(static_cast<int>(reinterpret_cast<UINT_PTR>(br)) - 1);
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, br);
        return 1;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hwnd);
        return 0;
    case WM_NCACTIVATE:
        return TRUE;
    case WM_CANCELMODE:
        if (s.capture == hwnd) ReleaseCapture();
        return 0;
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
        HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_NOTIFYFORMAT:
        return lParam == NF_QUERY ? NFR_ANSI : 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

// ---- The pump and the spy ---------------------------------------------------------------------------------

namespace emu {

bool WindowManager::PumpOnce() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

int WindowManager::QuitCode() const {
    return m_state->quitCode;
}

void WindowManager::Spy(HWND hwnd) {
    if (Window* w = m_state->Find(hwnd)) w->spied = true;
}

void WindowManager::SpyOff(HWND hwnd) {
    if (Window* w = m_state->Find(hwnd)) w->spied = false;
}

void WindowManager::SpyClass(std::string_view className) {
    m_state->spiedClasses[std::string(className)] = true;
}

const std::vector<SpiedMessage>& WindowManager::Spied() const {
    return m_state->spied;
}

std::vector<SpiedMessage> WindowManager::TakeSpied() {
    std::vector<SpiedMessage> out;
    out.swap(m_state->spied);
    return out;
}

void WindowManager::ClearSpied() {
    m_state->spied.clear();
}

} // namespace emu
