// The class factory of VireoBrowser: CreateInstance makes a new control object, LockServer keeps the
// module loaded.
#pragma once
#include "com/ComObject.h"

namespace vireo::com {

class ClassFactory final : public IClassFactory, public RefCount<ClassFactory> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    VIREO_COM_REFCOUNT
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

} // namespace vireo::com
