// The user's keyboard and mouse as the desktop plays them: the key state, the cursor, and the clicks and
// keys tests and the host send, which go through the queue like real input.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace emu {

void WindowManager::SetKeyState(int vk, bool down) {
    WindowState& s = *m_state;
    BYTE& k = s.keys[vk & 0xFF];
    if (down && !(k & 0x80)) k ^= 0x01; // each press toggles (Caps Lock and the like)
    k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
    // The left and right keys also drive the generic one.
    auto generic = [&](int l, int r, int g) {
        if (vk == l || vk == r) {
            bool any = (s.keys[l] & 0x80) || (s.keys[r] & 0x80);
            s.keys[g] = static_cast<BYTE>(any ? (s.keys[g] | 0x80) : (s.keys[g] & ~0x80));
        }
    };
    generic(VK_LSHIFT, VK_RSHIFT, VK_SHIFT);
    generic(VK_LCONTROL, VK_RCONTROL, VK_CONTROL);
    generic(VK_LMENU, VK_RMENU, VK_MENU);
}

POINT WindowManager::CursorPosition() const {
    return m_state->cursor;
}
void WindowManager::SetCursorPosition(POINT screen) {
    m_state->cursor = screen;
}

namespace {
WPARAM MouseKeys(const WindowState& s, WPARAM buttons) {
    if (s.keys[VK_SHIFT] & 0x80) buttons |= MK_SHIFT;
    if (s.keys[VK_CONTROL] & 0x80) buttons |= MK_CONTROL;
    return buttons;
}

// Posts a mouse message for a screen point to the capture window, or to the given window.
void PostMouse(HWND hwnd, UINT msg, WPARAM buttons) {
    WindowState& s = S();
    HWND target = s.capture ? s.capture : hwnd;
    if (!s.Find(target)) return;
    POINT pt = s.cursor;
    ScreenToClient(target, &pt);
    PostMessageA(target, msg, MouseKeys(s, buttons), MAKELPARAM(pt.x, pt.y));
}

void ClickSequence(WindowManager& wm, HWND hwnd, POINT client, UINT down, UINT up, WPARAM button,
                   bool twice) {
    WindowState& s = S();
    if (!s.Find(hwnd)) return;
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    s.cursor = screen;
    // A click activates the window's top-level window first.
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root && root != s.active) SetActiveWindow(root);
    PostMouse(hwnd, down, button);
    wm.PumpOnce();
    PostMouse(hwnd, up, 0);
    wm.PumpOnce();
    if (!twice || !s.Find(hwnd)) return;
    // The second press of a double click is a DBLCLK message for classes with CS_DBLCLKS.
    UINT again = (s.Find(hwnd)->cls->style & CS_DBLCLKS) ? down + 2 : down;
    PostMouse(hwnd, again, button);
    wm.PumpOnce();
    PostMouse(hwnd, up, 0);
    wm.PumpOnce();
}
} // namespace

void WindowManager::Click(HWND hwnd, POINT client) {
    ClickSequence(*this, hwnd, client, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, false);
}

void WindowManager::RightClick(HWND hwnd, POINT client) {
    ClickSequence(*this, hwnd, client, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, false);
}

void WindowManager::DoubleClick(HWND hwnd, POINT client) {
    ClickSequence(*this, hwnd, client, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, true);
}

void WindowManager::TypeText(HWND hwnd, std::string_view text) {
    WindowState& s = *m_state;
    if (!hwnd) hwnd = s.focus;
    for (char c : text)
        PostMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpOnce();
}

void WindowManager::PressKey(HWND hwnd, int vk) {
    WindowState& s = *m_state;
    if (!hwnd) hwnd = s.focus;
    if (!hwnd) return;
    SetKeyState(vk, true);
    PostMessageA(hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PumpOnce();
    SetKeyState(vk, false);
    if (!s.Find(hwnd)) return;
    PostMessageA(hwnd, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
    PumpOnce();
}

} // namespace emu

// The high bit tells whether the key is down, the low bit whether it is toggled.
SHORT WINAPI GetKeyState(int vk) {
    BYTE k = S().keys[vk & 0xFF];
    return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int vk) {
    return static_cast<SHORT>((S().keys[vk & 0xFF] & 0x80) ? 0x8000 : 0);
}

BOOL WINAPI GetCursorPos(LPPOINT pt) {
    if (!pt) return FALSE;
    *pt = S().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
    S().cursor = POINT{x, y};
    return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    WindowState& s = S();
    HCURSOR old = s.cursorShape;
    s.cursorShape = cursor;
    return old;
}

HCURSOR WINAPI GetCursor(void) {
    return S().cursorShape;
}

int WINAPI ShowCursor(BOOL show) {
    int& count = S().cursorCount;
    count += show ? 1 : -1;
    return count;
}
