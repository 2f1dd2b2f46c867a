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

} // namespace vireo
