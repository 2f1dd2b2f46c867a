// The web view's window classes are registered on first use in each desktop (registrations end with it).
#pragma once
#include "platform/emu/api/user32.h"

namespace emu {

// Registers className with proc and extraBytes of window data, unless the desktop has it already.
inline void RegisterClassOnce(const char* className, WNDPROC proc, int extraBytes) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(nullptr, className, &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extraBytes;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

} // namespace emu
