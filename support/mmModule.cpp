#include "support/mmModule.h"
#include <atomic>

namespace vireo {

namespace {
// One module handle for the whole process, not one per thread: the library's entry point runs on the
// thread that loads it, which need not be the user-interface thread.
std::atomic<HINSTANCE> g_hInstance{nullptr};
} // namespace

HINSTANCE ComponentInstance() {
    HINSTANCE hInstance = g_hInstance.load();
    return hInstance ? hInstance : GetModuleHandleA(nullptr);
}

void SetComponentInstance(HINSTANCE hInstance) {
    g_hInstance.store(hInstance);
}

void RegisterComponentClass(const char* sClassName, WNDPROC proc, int nBackground) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(ComponentInstance(), sClassName, &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = ComponentInstance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (nBackground >= 0) wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(nBackground + 1));
    wc.lpszClassName = sClassName;
    RegisterClassExA(&wc);
}

} // namespace vireo
