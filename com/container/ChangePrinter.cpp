#include "com/container/ChangePrinter.h"
#include "com/container/MemberName.h"
#include <cstdio>

namespace vireo::container {

DWORD ChangePrinter::Connect(IUnknown* control) {
    Disconnect();
    IConnectionPointContainer* points = nullptr;
    if (FAILED(control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))))
        return 0;
    if (SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, &m_point)) &&
        FAILED(m_point->Advise(this, &m_cookie))) {
        m_point->Release();
        m_point = nullptr;
    }
    points->Release();
    IDispatch* dispatch = nullptr;
    if (m_point && SUCCEEDED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &m_type);
        dispatch->Release();
    }
    return m_cookie;
}

void ChangePrinter::Disconnect() {
    if (m_point) {
        m_point->Unadvise(m_cookie);
        m_point->Release();
        m_point = nullptr;
    }
    if (m_type) m_type->Release(), m_type = nullptr;
    m_cookie = 0;
}

HRESULT ChangePrinter::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyNotifySink)) return E_NOINTERFACE;
    *ppv = static_cast<IPropertyNotifySink*>(this);
    return S_OK;
}

HRESULT ChangePrinter::OnChanged(DISPID id) {
    std::printf("changed %s\n", MemberName(m_type, id, "property").c_str());
    std::fflush(stdout);
    return S_OK;
}

} // namespace vireo::container
