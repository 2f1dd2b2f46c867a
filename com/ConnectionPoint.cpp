#include "com/ConnectionPoint.h"
#include "com/ComObject.h"
#include "com/Enumerator.h"
#include <olectl.h>

namespace vireo::com {

HRESULT ConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    return QueryFrom(this, riid, ppv,
                     {{IID_IUnknown, static_cast<IUnknown*>(this)}, {IID_IConnectionPoint, this}});
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = m_iid;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = m_owner;
    m_owner->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> connected;
    if (FAILED(sink->QueryInterface(m_iid, connected.put_void())) &&
        (m_accepted != Sinks::OrDispatch ||
         FAILED(sink->QueryInterface(IID_IDispatch, connected.put_void()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = m_nextCookie++;
    m_sinks.push_back({*cookie, std::move(connected)});
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it)
        if (it->cookie == cookie) {
            // Released after leaving the list: the sink's Release may call back in.
            ComPtr<IUnknown> released = std::move(it->sink);
            m_sinks.erase(it);
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    std::vector<CONNECTDATA> items;
    items.reserve(m_sinks.size());
    for (const Sink& s : m_sinks)
        items.push_back({s.sink.get(), s.cookie});
    *connections = new ConnectionEnumerator(IID_IEnumConnections, std::move(items));
    return S_OK;
}

bool ConnectionPoint::Connected(DWORD cookie) const {
    for (const Sink& s : m_sinks)
        if (s.cookie == cookie) return true;
    return false;
}

void ConnectionPoint::ForEachSink(const std::function<void(IUnknown* sink)>& call) {
    // The snapshot also holds a reference on each sink until every call has returned.
    const std::vector<Sink> sinks = m_sinks;
    for (const Sink& s : sinks)
        if (Connected(s.cookie)) call(s.sink.get());
}

void ConnectionPoint::Fire(DISPID id, std::vector<VARIANT>& args) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                      static_cast<UINT>(reversed.size()), 0};
    // The sink connected with the event interface or IDispatch: either way its vtable is IDispatch's.
    ForEachSink([&](IUnknown* sink) {
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO info{};
        UINT argErr = 0;
        // A failing sink is the host's business; the others still hear the event.
        static_cast<IDispatch*>(sink)->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                              &result, &info, &argErr);
        VariantClear(&result);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    });
}

} // namespace vireo::com
