// The window manager's state and the few internal calls the user32 files share. One WindowState per
// emu::Desktop; the Windows functions reach it through S() (the state of this thread's desktop).
#pragma once
#include "platform/emu/user32/Atoms.h"
#include "platform/emu/user32/Cp1252.h"
#include "platform/emu/user32/WindowManager.h"
#include "platform/win32.h"
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace emu {

class Gdi;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    bool system = false; // a class of the desktop itself (Edit, Button, ...): never unregistered
    size_t windows = 0;  // live windows of the class
};

struct Window {
    HWND hwnd = nullptr;
    WindowClass* cls = nullptr;
    HWND parent = nullptr; // the desktop window for top-level windows
    HWND owner = nullptr;
    // Siblings in z-order: the parent's firstChild is the top of its children.
    HWND firstChild = nullptr;
    HWND lastChild = nullptr;
    HWND prev = nullptr;
    HWND next = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    WNDPROC proc = nullptr;
    std::string text;
    RECT rect{}; // in the parent's client coordinates (screen coordinates for top-level windows)
    std::vector<BYTE> extra;
    std::vector<std::pair<ATOM, HANDLE>> props; // by atom, in the order they were set
    HMENU menu = nullptr;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    bool invalid = false;    // has an update region
    RECT update{};           // its bounding rectangle in client coordinates (regions are not modelled)
    bool erase = false;      // set and cleared through MarkInvalid / MarkValid only
    size_t owned = 0;        // windows this one owns
    bool linked = false;     // in its parent's child list
    bool destroying = false; // DestroyWindow has started on it
    bool spied = false;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    uint64_t due = 0;
    bool signaled = false; // a WM_TIMER is pending for it (at most one, as Windows coalesces them)
    uint64_t order = 0;    // creation order, to break ties between equal due times
};

struct MenuItem {
    UINT type = MFT_STRING;
    UINT state = 0;
    UINT id = 0;
    HMENU sub = nullptr;
    std::string text;
    ULONG_PTR data = 0;
    HBITMAP bitmap = nullptr;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

struct Icon {
    std::string identity;
    bool shared = false; // a stock icon or cursor: DestroyIcon leaves it alone
};

struct WindowState {
    explicit WindowState(WindowManager& manager);
    ~WindowState();

    WindowManager& manager;

    // Classes, by name without regard to case.
    std::map<std::string, std::unique_ptr<WindowClass>, NoCaseLess> classes;
    ATOM nextAtom = 0xC000;

    // Windows. Handles are numbered from kFirstWindow in steps of 4 and never reused; Find reaches a
    // window through its handle's slot, as Windows reaches it through the handle table's index.
    static constexpr uintptr_t kFirstWindow = 0x10010;
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
    std::vector<Window*> slots; // by (handle - kFirstWindow) / 4; null once destroyed
    uintptr_t nextWindow = kFirstWindow;
    HWND desktop = nullptr;
    size_t invalidWindows = 0; // windows with an update region, so the queue skips the search when none

    // The thread's message queue.
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    DWORD lastMessageTime = 0;

    // The virtual clock and the timers.
    uint64_t now = WindowManager::StartTime;
    std::vector<Timer> timers;
    uint64_t timerOrder = 0;
    UINT_PTR nextThreadTimer = 1;

    // Input.
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    POINT cursor{0, 0};
    HCURSOR cursorShape = nullptr;
    int cursorCount = 0; // ShowCursor's display count
    BYTE keys[256] = {};
    HWND scriptClosed = nullptr; // the window the script's user last closed for want of actions

    std::vector<SpiedMessage> spied;
    std::map<std::string, bool, NoCaseLess> spiedClasses;

    std::unordered_map<uintptr_t, Menu> menus;
    uintptr_t nextMenu = 0x01000010;
    std::unordered_map<uintptr_t, Icon> icons;
    uintptr_t nextIcon = 0x02000010;
    std::map<std::string, UINT, NoCaseLess> registeredMessages;

    std::unique_ptr<Gdi> gdi;
    // The common controls' own per-desktop state (image lists), owned here so it dies with the desktop.
    std::shared_ptr<void> comctl32;
    // The shell's change-notice registrations and undelivered notices (they name windows of this desktop).
    std::shared_ptr<void> shellNotices;

    Window* Find(HWND hwnd) {
        const uintptr_t h = reinterpret_cast<uintptr_t>(hwnd) - kFirstWindow;
        return h % 4 == 0 && h / 4 < slots.size() ? slots[h / 4] : nullptr; // below the first wraps around
    }
    // The window, or nullptr with ERROR_INVALID_WINDOW_HANDLE.
    Window* Get(HWND hwnd);
    // Gives a new window its handle and takes it in; drops a destroyed one.
    HWND Adopt(std::unique_ptr<Window> w);
    void Drop(HWND hwnd);
};

// The state of the current thread's desktop; aborts when there is none. Every user32 call starts here,
// so it is inline.
extern constinit thread_local WindowState* t_state;
[[noreturn]] void NoDesktop();
inline WindowState& S() {
    if (!t_state) [[unlikely]]
        NoDesktop();
    return *t_state;
}

// Sets the thread's last error (kernel32's SetLastError).
void SetError(DWORD code);

// ---- Shared internals, each defined in the file of its area ----
// messages.cpp: calls the window's current procedure as the system does (spy included).
LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool posted);
// messages.cpp: drops the queued messages of a window that goes away.
void PurgeQueue(HWND hwnd);
// timers.cpp: kills the timers of a window that goes away.
void KillWindowTimers(HWND hwnd);
// geometry.cpp: the window's origin in screen coordinates.
POINT ScreenOrigin(const Window& w);
bool IsVisibleTree(const Window& w);
// focus.cpp: moves the focus to the parent when it is inside a window that is hidden or destroyed.
void FocusLeaves(HWND hwnd);
// focus.cpp: forgets a window that goes away (focus, active window, capture).
void ForgetInput(HWND hwnd);
// windows.cpp: true when child is hwnd or below it.
bool IsSelfOrDescendant(HWND ancestor, HWND child);
// windows.cpp: the children of a window in z-order (a snapshot).
std::vector<HWND> ChildrenOf(HWND hwnd);
// paint.cpp: marks a window (and its visible children) as needing a paint.
void InvalidateTree(HWND hwnd, bool erase);
// paint.cpp: the update state of one window; area (client coordinates, inside the client area) is added
// to the update rectangle, the whole client area when it is null.
void MarkInvalid(Window& w, bool erase, const RECT* area = nullptr);
void MarkValid(Window& w);
// dialoginput.cpp: the script's user acts on the active window when a thread would wait on an empty
// queue; false when there is no active window to act on.
bool PlayScriptedInput();
// icons.cpp: the stock icons and cursors of LoadIconA / LoadCursorA.
HICON StockIcon(uintptr_t resourceId, bool cursor);

} // namespace emu
