// Timers on the virtual clock. A timer is due every "elapse" milliseconds; when it comes due it is marked
// signalled and the queue hands out one WM_TIMER for it (however many periods passed), as Windows does.
#include "platform/emu/user32/WindowState.h"
#include <algorithm>

using namespace emu;

namespace emu {

void KillWindowTimers(HWND hwnd) {
    auto& t = S().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [hwnd](const Timer& x) { return x.hwnd == hwnd; }), t.end());
}

uint64_t WindowManager::Now() const {
    return m_state->now;
}

void WindowManager::Advance(uint64_t ms) {
    WindowState& s = *m_state;
    const uint64_t target = s.now + ms;
    for (;;) {
        uint64_t next = target + 1;
        for (const Timer& t : s.timers)
            next = std::min(next, t.due);
        if (next > target) break;
        Elapse(next - s.now);
        PumpOnce();
    }
    Elapse(target - s.now);
    PumpOnce();
}

void WindowManager::Elapse(uint64_t ms) {
    WindowState& s = *m_state;
    s.now += ms;
    for (Timer& t : s.timers)
        while (t.due <= s.now) {
            t.signaled = true;
            t.due += t.elapse;
        }
}

} // namespace emu

// Elapse times below USER_TIMER_MINIMUM are raised to it, above USER_TIMER_MAXIMUM lowered, as Windows does.
// Setting an existing timer (same window and identifier) restarts it with the new elapse and procedure.
UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    WindowState& s = S();
    if (hwnd && !s.Get(hwnd)) return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (!hwnd) {
        // Thread timers: an existing identifier is replaced, otherwise the system picks one.
        bool exists = std::any_of(s.timers.begin(), s.timers.end(),
                                  [id](const Timer& t) { return !t.hwnd && t.id == id; });
        if (!id || !exists) id = s.nextThreadTimer++;
    }
    for (Timer& t : s.timers)
        if (t.hwnd == hwnd && t.id == id) {
            t.elapse = elapse;
            t.proc = proc;
            t.due = s.now + elapse;
            t.signaled = false;
            return hwnd ? (id ? id : 1) : id;
        }
    s.timers.push_back(Timer{hwnd, id, elapse, proc, s.now + elapse, false, s.timerOrder++});
    // A window timer returns a nonzero value; with identifier 0 that value is 1.
    return hwnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
    auto& t = S().timers;
    auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
    if (it == t.end()) return FALSE;
    t.erase(it); // its pending WM_TIMER goes with it
    return TRUE;
}

DWORD WINAPI GetTickCount(void) {
    return static_cast<DWORD>(S().now);
}
