// vireo-container's property sink: connected to the control's IPropertyNotifySink point, it prints each
// change notice as one line, "changed Name", with the name the control's type information gives the id.
#pragma once
#include <ocidl.h>
#include <string>

namespace vireo::container {

class ChangePrinter : public IPropertyNotifySink {
public:
    ChangePrinter() = default;
    ChangePrinter(const ChangePrinter&) = delete;
    ChangePrinter& operator=(const ChangePrinter&) = delete;
    ~ChangePrinter() { Disconnect(); }

    // Connects to control's point; the cookie, 0 when the control has no such point.
    DWORD Connect(IUnknown* control);
    // Disconnects and lets the control go; before the control's last release.
    void Disconnect();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    // The printer lives on the container's stack: its count does not free it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    IConnectionPoint* m_point = nullptr;
    ITypeInfo* m_type = nullptr;
    DWORD m_cookie = 0;
};

} // namespace vireo::container
