// The library's entry points: DllMain records the module, and the four functions of an in-process server.
#include "com/ClassFactory.h"
#include "com/Guids.h"
#include "com/Module.h"
#include "com/Registration.h"
#include "support/mmModule.h"

using namespace vireo::com;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        vireo::SetComponentInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_VireoBrowser)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new ClassFactory;
    HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    if (!ModuleIdle()) return S_FALSE;
    ReleaseTypeLibrary();
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    return RegisterServer();
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    return UnregisterServer();
}

// regsvr32 /i:user (with /n: nothing else) registers for the current user only, /u /n /i:user removes that
// registration; an empty command line, or "machine", does what DllRegisterServer does.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
    Scope scope = Scope::Machine;
    if (!ScopeFromCommandLine(commandLine, scope)) return E_INVALIDARG;
    return install ? RegisterServer(scope) : UnregisterServer(scope);
}
