// vireo-container's event sink: prints each event of the control as one line, "event Name(arg, arg)",
// with the names the control's type library gives the event interface.
#pragma once
#include "com/WideText.h"
#include <ole2.h>
#include <string>

namespace vireo::container {

class EventPrinter : public IDispatch {
public:
    // events: the type information of the control's default source interface (a reference is taken).
    explicit EventPrinter(ITypeInfo* events, const IID& iid);
    ~EventPrinter();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

private:
    ITypeInfo* m_events;
    IID m_iid;
};

// The text of a value as the container prints it.
std::string TextOf(const VARIANT& v);
using vireo::Narrow;

} // namespace vireo::container
