// COM initialisation per thread.
#include "platform/emu/ole32/Com.h"
#include "platform/emu/api/ole32.h"

namespace {
thread_local int t_initCount = 0;
}

HRESULT WINAPI CoInitialize(LPVOID) {
    return t_initCount++ == 0 ? S_OK : S_FALSE;
}

// An unbalanced call on a thread where COM is not initialised does nothing.
void WINAPI CoUninitialize() {
    if (t_initCount > 0) --t_initCount;
}

void emu::ResetThreadCom() {
    t_initCount = 0;
}

int emu::ThreadComInitCount() {
    return t_initCount;
}
