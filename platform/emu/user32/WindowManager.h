// emu::WindowManager: the window side of the emulated desktop (user32, with the common controls and gdi32
// objects it owns). The Windows functions work on it through Desktop::Current(); tests and the host use the
// methods below to drive the clock and the user's input, spy on messages and check for leaks.
//
// Time is virtual: nothing happens by itself. Advance(ms) moves the clock through the due times of the
// timers in order and lets every queued message run at its exact virtual time; PumpOnce() runs what is
// queued now, exactly as a PeekMessageA(PM_REMOVE) / TranslateMessage / DispatchMessageA loop does.
#pragma once
#include "platform/emu/api/types.h"
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace emu {

class Desktop;
class Gdi;
struct WindowState;

// One message delivered to a spied window's procedure by the system. wParam and lParam are kept as they
// were: a pointer they carried is only valid during the call.
struct SpiedMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool posted = false; // retrieved from the queue and dispatched, rather than sent
};

class WindowManager {
public:
    explicit WindowManager(Desktop& desktop);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // ---- The virtual clock ----
    // Milliseconds since the desktop "booted"; GetTickCount() is its low 32 bits. Starts at StartTime.
    static constexpr uint64_t StartTime = 10000;
    uint64_t Now() const;
    // Moves the clock forward by ms, firing each timer at its due time (WM_TIMER, coalesced per timer)
    // and pumping the queue after every step.
    void Advance(uint64_t ms);
    // Time passes while the thread does not look at its queue: the timers that come due are signalled,
    // each once however many periods passed, and nothing runs until the next pump.
    void Elapse(uint64_t ms);
    // Dispatches every queued message (posted, paint, due timers) until the queue is empty. Returns false
    // when a WM_QUIT was retrieved (the pump stops there; QuitCode() tells its exit code).
    bool PumpOnce();
    int QuitCode() const;

    // ---- The user ----
    void SetKeyState(int vk, bool down);
    POINT CursorPosition() const;
    void SetCursorPosition(POINT screen);
    // A left click at a client point of the window: the cursor moves there, then WM_LBUTTONDOWN and
    // WM_LBUTTONUP are posted (to the capture window, if any) and the queue is pumped.
    void Click(HWND hwnd, POINT client);
    // The same with the right button (whose release makes DefWindowProc send WM_CONTEXTMENU).
    void RightClick(HWND hwnd, POINT client);
    // Two left clicks; the second press is WM_LBUTTONDBLCLK when the class has CS_DBLCLKS.
    void DoubleClick(HWND hwnd, POINT client);
    // Characters typed into the window (the focus window when hwnd is NULL): one posted WM_CHAR per byte,
    // then the queue is pumped.
    void TypeText(HWND hwnd, std::string_view text);
    // A key pressed and released in the window (the focus window when hwnd is NULL): WM_KEYDOWN and
    // WM_KEYUP posted and pumped, the key state following; TranslateMessage adds the WM_CHAR.
    void PressKey(HWND hwnd, int vk);

    // ---- Watching ----
    // Records every message the system delivers to the window's procedure, until SpyOff or destruction.
    void Spy(HWND hwnd);
    void SpyOff(HWND hwnd);
    // Spies on every window of the class created from now on, from its first message.
    void SpyClass(std::string_view className);
    const std::vector<SpiedMessage>& Spied() const;
    std::vector<SpiedMessage> TakeSpied();
    void ClearSpied();

    // ---- Leak checks and lookups ----
    size_t LiveWindowCount() const; // not counting the desktop window
    size_t LiveGdiObjectCount() const;
    size_t LiveIconCount() const;
    size_t LiveMenuCount() const;
    size_t LiveImageListCount() const;
    std::vector<HWND> FindByClass(std::string_view className) const;

    // ---- Icons for the other areas of the desktop (the shell's file icons and the like) ----
    // A new icon handle whose identity is the given text; DestroyIcon frees it.
    HICON NewIcon(std::string identity);
    // The identity of an icon ("" for an unknown handle).
    std::string IconIdentity(HICON icon) const;

    Gdi& Graphics();
    Desktop& Owner() { return m_desktop; }
    WindowState& State() { return *m_state; }

private:
    Desktop& m_desktop;
    std::unique_ptr<WindowState> m_state;
};

} // namespace emu
