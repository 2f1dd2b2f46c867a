// A connection point of the control: the event interface __VireoBrowser, or IPropertyNotifySink. It
// lives inside the control object and counts its references there. Cookies start at 1; a call goes to
// every sink connected when it starts, in the order they connected, and a sink's failure or its Unadvise
// during the call does not stop the others.
#pragma once
#include "com/Owners.h"
#include <functional>
#include <ocidl.h>
#include <vector>

namespace vireo::com {

class ConnectionPoint : public IConnectionPoint {
public:
    // Sinks connect with the interface iid; a point of a dispatch interface also takes a sink that only
    // has IDispatch (script engines' sinks do).
    enum class Sinks { Interface, OrDispatch };
    ConnectionPoint(IConnectionPointContainer* owner, const IID& iid, Sinks accepted)
        : m_owner(owner), m_iid(iid), m_accepted(accepted) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_owner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_owner->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override;

    // Calls call with every sink (the interface it connected with), from a snapshot of the connections:
    // a sink disconnected by an earlier call is skipped, one connected meanwhile waits for the next time.
    void ForEachSink(const std::function<void(IUnknown* sink)>& call);
    // Calls dispatch event id on every sink with args in declared order (they are passed last to first).
    void Fire(DISPID id, std::vector<VARIANT>& args);
    // Drops every sink (the object is going away).
    void Clear() { m_sinks.clear(); }

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };
    bool Connected(DWORD cookie) const;

    IConnectionPointContainer* m_owner;
    const IID& m_iid;
    Sinks m_accepted;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

} // namespace vireo::com
