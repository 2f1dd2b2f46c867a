#include "com/container/EventPrinter.h"
#include "com/container/MemberName.h"
#include <cstdio>

namespace vireo::container {

std::string TextOf(const VARIANT& v) {
    if (V_VT(&v) == VT_EMPTY) return "Empty";
    if (V_VT(&v) == VT_BOOL) return V_BOOL(&v) ? "True" : "False";
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&v), 0, VT_BSTR)))
        return "<vt " + std::to_string(V_VT(&v)) + ">";
    std::string s;
    if (V_VT(&v) == VT_BSTR) s += '"';
    s += Narrow(V_BSTR(&text));
    if (V_VT(&v) == VT_BSTR) s += '"';
    VariantClear(&text);
    return s;
}

EventPrinter::EventPrinter(ITypeInfo* events, const IID& iid) : m_events(events), m_iid(iid) {
    if (m_events) m_events->AddRef();
}

EventPrinter::~EventPrinter() {
    if (m_events) m_events->Release();
}

HRESULT EventPrinter::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) && !IsEqualIID(riid, m_iid))
        return E_NOINTERFACE;
    *ppv = static_cast<IDispatch*>(this);
    return S_OK;
}

HRESULT EventPrinter::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT EventPrinter::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    std::string line = "event ";
    line += MemberName(m_events, id, "event");
    line += '(';
    for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
        if (i != params->cArgs) line += ", ";
        line += TextOf(params->rgvarg[i - 1]);
    }
    line += ')';
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    return S_OK;
}

} // namespace vireo::container
