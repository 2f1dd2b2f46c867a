// A window class for the user32 tests: its procedure is DefWindowProcA unless a test gives the window's
// GWLP_USERDATA a hook that answers first.
#pragma once
#include "platform/win32.h"
#include <functional>

namespace testwin {

// Optional per-window behaviour: returns true when it answered the message (result in *result).
using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

inline Hook*& PendingHook() {
    static thread_local Hook* hook = nullptr;
    return hook;
}

inline LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Hook* hook = reinterpret_cast<Hook*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!hook && PendingHook()) hook = PendingHook(); // during creation, before the hook is stored
    LRESULT r = 0;
    if (hook && (*hook)(hwnd, msg, wParam, lParam, &r)) return r;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline void Register(const char* name = "TestWindow") {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

inline HWND Top(const char* title = "top", DWORD style = WS_OVERLAPPEDWINDOW) {
    return CreateWindowExA(0, "TestWindow", title, style, 10, 20, 400, 300, nullptr, nullptr, nullptr,
                           nullptr);
}

inline HWND Child(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = 0,
                  const char* title = "") {
    return CreateWindowExA(exStyle, "TestWindow", title, style, 5, 6, 100, 50, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

} // namespace testwin
