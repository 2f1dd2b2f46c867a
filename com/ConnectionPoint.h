// The connection point of the event interface __VireoBrowser. It lives inside the control object and
// counts its references there. Cookies start at 1; an event goes to every sink connected when it is
// raised, in the order they connected, and a sink's failure or its Unadvise during the event does not
// stop the others.
#pragma once
#include "com/Owners.h"
#include <ocidl.h>
#include <vector>

namespace vireo::com {

class ConnectionPoint : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* owner, const IID& iid) : m_owner(owner), m_iid(iid) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // Calls event id on every sink with args in declared order (they are passed last to first).
    void Fire(DISPID id, std::vector<VARIANT>& args);
    // Drops every sink (the object is going away).
    void Clear() { m_sinks.clear(); }

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IDispatch> sink;
    };
    bool Connected(DWORD cookie) const;

    IConnectionPointContainer* m_owner;
    const IID& m_iid;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

} // namespace vireo::com
