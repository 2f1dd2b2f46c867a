// Events through the connection point: cookies, enumerators, and sinks that fail, disconnect or release
// the control while an event runs.
#include "tests/wine/Checker.h"
#include <functional>
#include <ocidl.h>
#include <olectl.h>
#include <vector>

namespace winecheck {

namespace {

// A sink that records each event as "id:arg,arg" and may act inside the handler.
class Sink : public IDispatch {
public:
    std::vector<std::string> heard;
    HRESULT answer = S_OK;
    std::function<void()> during;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
            IsEqualIID(riid, kEventsIid)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; } // lives on the stack
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        std::string line = std::to_string(id) + ":";
        for (UINT i = p->cArgs; i > 0; --i) {
            if (i != p->cArgs) line += ',';
            line += Text(p->rgvarg[i - 1]);
        }
        heard.push_back(line);
        if (during) during();
        return answer;
    }
    ULONG refs = 0;
};

void CheckCookiesAndEnumerators(IConnectionPoint* cp, IConnectionPointContainer* cpc, Sink& a, Sink& b) {
    DWORD ca = 0, cb = 0;
    HRESULT hr1 = cp->Advise(&a, &ca), hr2 = cp->Advise(&b, &cb);
    Check("cookies start at 1", hr1 == S_OK && hr2 == S_OK && ca == 1 && cb == 2,
          std::to_string(ca) + " " + std::to_string(cb));
    DWORD none = 0;
    HRESULT hr = cp->Advise(nullptr, &none);
    Check("Advise without a sink fails", FAILED(hr) && none == 0, Hex(hr));

    IEnumConnections* e = nullptr;
    cp->EnumConnections(&e);
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    hr = e ? e->Next(3, data, &fetched) : E_FAIL;
    Check("EnumConnections gives both sinks",
          hr == S_FALSE && fetched == 2 && data[0].dwCookie == 1 && data[1].dwCookie == 2 && data[0].pUnk &&
              data[1].pUnk,
          Hex(hr) + " " + std::to_string(fetched));
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();
    if (e) {
        e->Reset();
        hr = e->Skip(1);
        IEnumConnections* clone = nullptr;
        e->Clone(&clone);
        CONNECTDATA one{};
        HRESULT hc = clone ? clone->Next(1, &one, nullptr) : E_FAIL;
        Check("Skip and Clone keep the position", hr == S_OK && hc == S_OK && one.dwCookie == 2);
        if (one.pUnk) one.pUnk->Release();
        hr = e->Skip(5);
        Check("Skip past the end is S_FALSE", hr == S_FALSE, Hex(hr));
        if (clone) clone->Release();
        e->Release();
    }

    IConnectionPoint* other = nullptr;
    hr = cpc->FindConnectionPoint(IID_IAdviseSink, &other);
    Check("no connection point for another interface", hr == CONNECT_E_NOCONNECTION && !other, Hex(hr));
    IConnectionPointContainer* back = nullptr;
    cp->GetConnectionPointContainer(&back);
    Check("the point's container is the control", back == cpc);
    if (back) back->Release();
}

void Raise(IDispatch* c, const wchar_t* member, const wchar_t* text) {
    VARIANT arg = Str(text);
    CallResult r;
    Call(r, c, IdOf(c, member), DISPATCH_METHOD, &arg, 1);
    VariantClear(&arg);
}

} // namespace

void CheckEvents() {
    IDispatch* c = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&c));
    IConnectionPointContainer* cpc = nullptr;
    if (c) c->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc));
    IConnectionPoint* cp = nullptr;
    if (cpc) cpc->FindConnectionPoint(kEventsIid, &cp);
    Check("FindConnectionPoint for __VireoBrowser", cp != nullptr);
    if (!cp) {
        if (cpc) cpc->Release();
        if (c) c->Release();
        return;
    }
    Sink a, b;
    CheckCookiesAndEnumerators(cp, cpc, a, b);

    Raise(c, L"OpenArchiveEx", L"C:\\a.zip");
    Check("OpenArchive (3) reaches both sinks",
          a.heard == std::vector<std::string>{"3:C:\\a.zip"} &&
              b.heard == std::vector<std::string>{"3:C:\\a.zip"},
          a.heard.empty() ? "none" : a.heard.back());

    VARIANT ftp = Str(L"ftp://example.com/pub");
    CallResult nav;
    Call(nav, c, IdOf(c, L"NavigateTV"), DISPATCH_METHOD, &ftp, 1);
    VariantClear(&ftp);
    Check("NavigateTV of an FTP address raises OpenFTP (4)",
          nav.hr == S_OK && !a.heard.empty() && a.heard.back() == "4:ftp://example.com/pub",
          Hex(nav.hr) + " " + (a.heard.empty() ? "" : a.heard.back()));

    // A failing sink does not keep the event from the next one.
    a.heard.clear(), b.heard.clear();
    a.answer = E_FAIL;
    Raise(c, L"OpenArchiveEx", L"x");
    Check("a failing sink: the next sink still hears the event", a.heard.size() == 1 && b.heard.size() == 1);
    a.answer = S_OK;

    // A sink that disconnects the next one: that one is not called.
    a.heard.clear(), b.heard.clear();
    a.during = [&] { cp->Unadvise(2); };
    Raise(c, L"OpenArchiveEx", L"y");
    Check("a sink disconnecting the next during the event", a.heard.size() == 1 && b.heard.empty());
    a.during = [&] { cp->Unadvise(1); };
    Raise(c, L"OpenArchiveEx", L"z");
    HRESULT hr = cp->Unadvise(1);
    Check("a sink disconnecting itself during the event", a.heard.size() == 2 && hr == CONNECT_E_NOCONNECTION,
          Hex(hr));
    hr = cp->Unadvise(99);
    Check("Unadvise of an unknown cookie", hr == CONNECT_E_NOCONNECTION, Hex(hr));
    Check("sinks released after Unadvise", a.refs == 0 && b.refs == 0,
          std::to_string(a.refs) + " " + std::to_string(b.refs));

    // The container releases the control from inside an event handler.
    Sink last;
    DWORD cookie = 0;
    cp->Advise(&last, &cookie);
    Check("the next cookie after two", cookie == 3, std::to_string(cookie));
    cp->Release();
    cpc->Release();
    IDispatch* held = c;
    last.during = [&] {
        if (held) held->Release();
        held = nullptr;
    };
    Raise(c, L"OpenArchiveEx", L"last");
    Check("the control released inside its event handler goes after the event",
          last.heard.size() == 1 && held == nullptr && last.refs == 0, std::to_string(last.refs));
}

} // namespace winecheck
