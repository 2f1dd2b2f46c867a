#include "com/ClassFactory.h"
#include "com/VireoControl.h"
#include <olectl.h>

namespace vireo::com {

HRESULT ClassFactory::QueryInterface(REFIID riid, void** ppv) {
    return QueryFrom(this, riid, ppv,
                     {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IClassFactory, this}});
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    VireoControl* control = nullptr;
    try {
        control = new VireoControl;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    // The new object's one reference goes to the caller's interface, or the object goes.
    HRESULT hr = control->QueryInterface(riid, ppv);
    control->Release();
    return hr;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    LockModule(lock != FALSE);
    return S_OK;
}

} // namespace vireo::com
