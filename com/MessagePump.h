// The message loop of the programs that drive the control from outside (the container and the Wine
// checks): what is queued is dispatched, and for a given time the loop waits for more.
#pragma once
#include <windows.h>

namespace vireo {

// Dispatches the queued messages; with milliseconds, goes on doing so until that time has passed.
inline void PumpMessages(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (milliseconds) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

} // namespace vireo
