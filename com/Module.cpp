#include "com/Module.h"
#include "com/Owners.h"
#include "support/mmModule.h"
#include <atomic>

namespace vireo::com {

namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
// Loaded once and kept while the module is in use; not released by a static destructor, which would
// run at process detach when oleaut32 may be gone already.
ITypeLib* g_typeLib = nullptr;
} // namespace

HINSTANCE ModuleInstance() {
    return ComponentInstance();
}

void ObjectCreated() {
    ++g_objects;
}
void ObjectDestroyed() {
    --g_objects;
}
void LockModule(bool lock) {
    lock ? ++g_locks : --g_locks;
}
bool ModuleIdle() {
    return g_objects == 0 && g_locks == 0;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(ModuleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        // A full buffer means the name was cut: Windows XP does not even terminate it then.
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

ITypeLib* TypeLibrary() {
    if (!g_typeLib) {
        // LoadTypeLibEx with REGKIND_NONE reads the TYPELIB resource 1 of the module named by the path.
        const std::wstring path = ModulePath();
        if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_typeLib))) g_typeLib = nullptr;
    }
    return g_typeLib;
}

void ReleaseTypeLibrary() {
    if (ITypeLib* lib = std::exchange(g_typeLib, nullptr)) lib->Release();
}

ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid) {
    ComPtr<ITypeInfo> info;
    if (ITypeLib* lib = TypeLibrary()) lib->GetTypeInfoOfGuid(guid, info.put());
    return info;
}

} // namespace vireo::com
