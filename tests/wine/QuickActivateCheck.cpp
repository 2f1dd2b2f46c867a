// Property change notices through the IPropertyNotifySink connection point, and quick activation: the
// container's site and sinks taken in one call, the structure sizes checked, the content extent shared
// with IOleObject. Every sink counts its references, so a sink the control keeps shows.
#include "tests/wine/TestSite.h"
#include <cstddef>
#include <functional>
#include <ocidl.h>
#include <olectl.h>
#include <vector>

namespace winecheck {

namespace {

// Reference counting for the sinks below, which live on the stack.
#define COUNTED                                                                                              \
    ULONG refs = 0;                                                                                          \
    ULONG STDMETHODCALLTYPE AddRef() override {                                                              \
        return ++refs;                                                                                       \
    }                                                                                                        \
    ULONG STDMETHODCALLTYPE Release() override {                                                             \
        return --refs;                                                                                       \
    }

class PropertySink : public IPropertyNotifySink {
public:
    std::vector<DISPID> changed;
    HRESULT answer = S_OK;
    std::function<void()> during;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IPropertyNotifySink))
            return E_NOINTERFACE;
        *ppv = static_cast<IPropertyNotifySink*>(this);
        AddRef();
        return S_OK;
    }
    COUNTED
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        changed.push_back(id);
        if (during) during();
        return answer;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

// An event sink that records the events' ids; also a sink without IPropertyNotifySink.
class EventSink : public IDispatch {
public:
    std::vector<DISPID> heard;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, kEventsIid))
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    COUNTED
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        heard.push_back(id);
        return S_OK;
    }
};

// The container's view sink.
class ViewSink : public IAdviseSinkEx {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IAdviseSink) &&
            !IsEqualIID(riid, IID_IAdviseSinkEx))
            return E_NOINTERFACE;
        *ppv = static_cast<IAdviseSinkEx*>(this);
        AddRef();
        return S_OK;
    }
    COUNTED
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override {}
    void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}
};

// A client site whose ambient font is Tahoma.
// The control with the interfaces a check asks for; released in the destructor.
struct Control {
    IDispatch* c = nullptr;
    IConnectionPointContainer* cpc = nullptr;
    Control() {
        CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&c));
        cpc = Query<IConnectionPointContainer>(c, IID_IConnectionPointContainer);
    }
    Control(const Control&) = delete;
    ~Control() { Release(); }
    void Release() {
        if (cpc) cpc->Release(), cpc = nullptr;
        if (c) c->Release(), c = nullptr;
    }
    IConnectionPoint* Point(REFIID iid) {
        IConnectionPoint* cp = nullptr;
        if (cpc) cpc->FindConnectionPoint(iid, &cp);
        return cp;
    }
};

std::string Ids(const std::vector<DISPID>& ids) {
    std::string s;
    for (DISPID id : ids) {
        if (!s.empty()) s += ',';
        s += std::to_string(id);
    }
    return s.empty() ? "none" : s;
}

void CheckPoints(Control& control) {
    IEnumConnectionPoints* points = nullptr;
    if (control.cpc) control.cpc->EnumConnectionPoints(&points);
    IConnectionPoint* p[3] = {};
    ULONG fetched = 0;
    HRESULT hr = points ? points->Next(3, p, &fetched) : E_FAIL;
    IID iids[2] = {};
    bool owned = true;
    for (ULONG i = 0; i < fetched && i < 2; ++i) {
        p[i]->GetConnectionInterface(&iids[i]);
        IConnectionPointContainer* back = nullptr;
        p[i]->GetConnectionPointContainer(&back);
        owned = owned && back == control.cpc;
        if (back) back->Release();
    }
    Check("EnumConnectionPoints gives the events' point, then the property notices' one",
          hr == S_FALSE && fetched == 2 && IsEqualIID(iids[0], kEventsIid) &&
              IsEqualIID(iids[1], IID_IPropertyNotifySink) && owned,
          Hex(hr) + " " + std::to_string(fetched));
    for (ULONG i = 0; i < fetched; ++i)
        p[i]->Release();
    if (points) points->Release();
}

void CheckNotices(Control& control, IConnectionPoint* cp) {
    EventSink notASink;
    DWORD cookie = 0;
    HRESULT hr = cp->Advise(&notASink, &cookie);
    Check("a sink without IPropertyNotifySink cannot connect",
          hr == CONNECT_E_CANNOTCONNECT && cookie == 0 && notASink.refs == 0, Hex(hr));

    PropertySink a, b;
    DWORD ca = 0, cb = 0;
    cp->Advise(&a, &ca);
    cp->Advise(&b, &cb);
    Check("property sinks' cookies start at 1", ca == 1 && cb == 2,
          std::to_string(ca) + " " + std::to_string(cb));
    IEnumConnections* e = nullptr;
    cp->EnumConnections(&e);
    CONNECTDATA data[2] = {};
    ULONG fetched = 0;
    if (e) e->Next(2, data, &fetched), e->Release();
    Check("EnumConnections gives both property sinks",
          fetched == 2 && data[0].dwCookie == 1 && data[1].dwCookie == 2, std::to_string(fetched));
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();

    // The colours tell the container; Style does not.
    struct {
        const wchar_t* name;
        long value;
        bool notice;
    } const puts[] = {{L"ForeColor", 0xFF, true}, {L"BackColor", 0xFFFFFF, true}, {L"Style", 1, false}};
    for (const auto& row : puts) {
        a.changed.clear(), b.changed.clear();
        hr = Put(control.c, row.name, Long(row.value));
        const std::vector<DISPID> want =
            row.notice ? std::vector<DISPID>{IdOf(control.c, row.name)} : std::vector<DISPID>{};
        Check("put " + Narrow(row.name) + (row.notice ? ": both sinks hear its id" : ": no notice"),
              hr == S_OK && a.changed == want && b.changed == want, Hex(hr) + " " + Ids(a.changed));
    }
    IPersistStreamInit* persist = Query<IPersistStreamInit>(control.c, IID_IPersistStreamInit);
    hr = persist ? persist->IsDirty() : E_FAIL;
    Check("a changed colour makes the control dirty", hr == S_OK, Hex(hr));
    if (persist) persist->Release();

    // The first sink fails, and then disconnects itself inside its notice: the second hears both.
    a.changed.clear(), b.changed.clear();
    a.answer = E_FAIL;
    Put(control.c, L"ForeColor", Long(1));
    a.answer = S_OK;
    a.during = [&] { cp->Unadvise(ca); };
    Put(control.c, L"BackColor", Long(2));
    Put(control.c, L"ForeColor", Long(3));
    const DISPID fore = IdOf(control.c, L"ForeColor"), back = IdOf(control.c, L"BackColor");
    Check("a sink that fails or unadvises itself does not keep the notice from the next",
          a.changed == std::vector<DISPID>{fore, back} && b.changed == std::vector<DISPID>{fore, back, fore},
          Ids(a.changed) + " / " + Ids(b.changed));
    hr = cp->Unadvise(ca);
    Check("the property sink that unadvised itself is gone and released",
          hr == CONNECT_E_NOCONNECTION && a.refs == 0, Hex(hr) + " " + std::to_string(a.refs));

    // The sink still connected goes with the control.
    cp->Release();
    control.Release();
    Check("a property sink still connected is released with the control", b.refs == 0,
          std::to_string(b.refs));
}

void CheckPropertyNotices() {
    Control control;
    IConnectionPoint* cp = control.Point(IID_IPropertyNotifySink);
    IID iid{};
    if (cp) cp->GetConnectionInterface(&iid);
    Check("FindConnectionPoint for IPropertyNotifySink", cp && IsEqualIID(iid, IID_IPropertyNotifySink));
    if (!cp) return;
    CheckPoints(control);
    CheckNotices(control, cp);
}

constexpr DWORD kUntouched = 0xCDCDCDCD;

void CheckQuickActivate() {
    Control control;
    TestSite site;
    EventSink events;
    PropertySink properties;
    ViewSink view;
    IQuickActivate* quick = Query<IQuickActivate>(control.c, IID_IQuickActivate);
    IOleObject* ole = Query<IOleObject>(control.c, IID_IOleObject);
    Check("the control has IQuickActivate", quick && ole);
    if (!quick || !ole) {
        if (quick) quick->Release();
        if (ole) ole->Release();
        return;
    }
    QACONTAINER qc{};
    qc.cbSize = sizeof qc;
    qc.pClientSite = &site;
    qc.pPropertyNotifySink = &properties;
    qc.pUnkEventSink = &events;
    qc.pAdviseSink = &view;
    qc.dwAmbientFlags = QACONTAINER_USERMODE;
    QACONTROL qa;
    FillMemory(&qa, sizeof qa, 0xCD);
    qa.cbSize = sizeof qa;
    HRESULT hr = quick->QuickActivate(&qc, &qa);
    DWORD misc = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    Check("QuickActivate reports the cookies, the miscellaneous and view status",
          hr == S_OK && qa.dwEventCookie == 1 && qa.dwPropNotifyCookie == 1 && qa.dwMiscStatus == misc &&
              qa.dwViewStatus == VIEWSTATUS_OPAQUE && qa.dwPointerActivationPolicy == 0,
          Hex(hr) + " " + std::to_string(qa.dwEventCookie) + " " + std::to_string(qa.dwPropNotifyCookie) +
              " " + Hex(static_cast<long>(qa.dwMiscStatus)));
    IOleClientSite* given = nullptr;
    ole->GetClientSite(&given);
    Check("QuickActivate takes the client site", given == &site);
    if (given) given->Release();
    IViewObject2* viewObject = Query<IViewObject2>(control.c, IID_IViewObject2);
    DWORD aspects = 0;
    IAdviseSink* advised = nullptr;
    if (viewObject) viewObject->GetAdvise(&aspects, nullptr, &advised), viewObject->Release();
    Check("QuickActivate gives the view sink to IViewObject for the content",
          aspects == DVASPECT_CONTENT && advised == static_cast<IAdviseSink*>(&view));
    if (advised) advised->Release();
    IPersistPropertyBag* persist = Query<IPersistPropertyBag>(control.c, IID_IPersistPropertyBag);
    if (persist) persist->InitNew(), persist->Release();
    Check("after QuickActivate, InitNew takes the site's ambient font",
          FaceOf(control.c) == RealisedFace(L"Tahoma"), FaceOf(control.c));

    VARIANT url = Str(L"C:\\q.zip");
    CallResult r;
    Call(r, control.c, IdOf(control.c, L"OpenArchiveEx"), DISPATCH_METHOD, &url, 1);
    VariantClear(&url);
    Check("the event sink given to QuickActivate hears OpenArchive (3)",
          r.hr == S_OK && events.heard == std::vector<DISPID>{3}, Ids(events.heard));
    Put(control.c, L"BackColor", Long(0x00FF00));
    Check("the property sink given to QuickActivate hears BackColor",
          properties.changed == std::vector<DISPID>{IdOf(control.c, L"BackColor")}, Ids(properties.changed));

    // The content extent is the object's extent, whichever interface sets it.
    SIZEL set{1000, 2000}, content{}, extent{};
    quick->SetContentExtent(&set);
    quick->GetContentExtent(&content);
    ole->GetExtent(DVASPECT_CONTENT, &extent);
    SIZEL set2{300, 400}, content2{};
    ole->SetExtent(DVASPECT_CONTENT, &set2);
    quick->GetContentExtent(&content2);
    Check("the content extent is IOleObject's extent",
          content.cx == 1000 && content.cy == 2000 && extent.cx == 1000 && extent.cy == 2000 &&
              content2.cx == 300 && content2.cy == 400,
          std::to_string(extent.cx) + "x" + std::to_string(extent.cy) + " " + std::to_string(content2.cx) +
              "x" + std::to_string(content2.cy));
    hr = quick->GetContentExtent(nullptr);
    Check("GetContentExtent without a place for it", hr == E_POINTER, Hex(hr));

    ole->SetClientSite(nullptr);
    ole->Release();
    quick->Release();
    control.Release();
    Check("the site and the sinks given to QuickActivate are released with the control",
          site.refs == 0 && events.refs == 0 && properties.refs == 0 && view.refs == 0,
          std::to_string(site.refs) + " " + std::to_string(events.refs) + " " +
              std::to_string(properties.refs) + " " + std::to_string(view.refs));
}

// The structures' sizes: one too small is refused before anything is taken or written; a QACONTROL of the
// size before dwPointerActivationPolicy is filled up to its end.
void CheckSizes() {
    constexpr ULONG kFull = sizeof(QACONTAINER), kOlder = offsetof(QACONTAINER, pUndoMgr);
    constexpr ULONG kNoSinks = offsetof(QACONTAINER, pUnkEventSink);
    constexpr ULONG kControl = sizeof(QACONTROL), kNoPolicy = offsetof(QACONTROL, dwPointerActivationPolicy);
    struct {
        const char* name;
        ULONG container, control;
        HRESULT hr;
    } const rows[] = {
        {"a QACONTAINER of size 0", 0, kControl, E_INVALIDARG},
        {"a QACONTAINER that ends before pUnkEventSink", kNoSinks, kControl, E_INVALIDARG},
        {"a QACONTROL that ends before dwPropNotifyCookie", kFull, offsetof(QACONTROL, dwPropNotifyCookie),
         E_INVALIDARG},
        {"an older QACONTAINER that ends at pFont", kOlder, kControl, S_OK},
        {"a QACONTROL without dwPointerActivationPolicy", kFull, kNoPolicy, S_OK},
    };
    for (const auto& row : rows) {
        TestSite site;
        EventSink events;
        PropertySink properties;
        HRESULT hr = E_FAIL;
        bool kept = false; // the site or a sink held while the control lives
        QACONTROL qa;
        FillMemory(&qa, sizeof qa, 0xCD);
        qa.cbSize = row.control;
        {
            Control control;
            IQuickActivate* quick = Query<IQuickActivate>(control.c, IID_IQuickActivate);
            QACONTAINER qc{};
            qc.cbSize = row.container;
            qc.pClientSite = &site;
            qc.pPropertyNotifySink = &properties;
            qc.pUnkEventSink = &events;
            if (quick) {
                hr = quick->QuickActivate(&qc, &qa);
                kept = site.refs + events.refs + properties.refs != 0;
                if (IOleObject* ole = Query<IOleObject>(control.c, IID_IOleObject))
                    ole->SetClientSite(nullptr), ole->Release();
                quick->Release();
            }
        }
        const bool written = qa.dwEventCookie == 1 && qa.dwPropNotifyCookie == 1;
        const bool policy = qa.dwPointerActivationPolicy == (row.control >= kControl ? 0 : kUntouched);
        const bool ok = hr == row.hr &&
                        (SUCCEEDED(hr) ? written && policy && kept : !kept && qa.dwEventCookie == kUntouched);
        Check(std::string(row.name) + (SUCCEEDED(row.hr) ? " is taken" : " is refused"),
              ok && site.refs == 0 && events.refs == 0 && properties.refs == 0,
              Hex(hr) + " policy " + Hex(static_cast<long>(qa.dwPointerActivationPolicy)));
    }
    Control control;
    IQuickActivate* quick = Query<IQuickActivate>(control.c, IID_IQuickActivate);
    QACONTROL qa{sizeof(QACONTROL), 0, 0, 0, 0, 0};
    HRESULT hr = quick ? quick->QuickActivate(nullptr, &qa) : E_FAIL;
    Check("QuickActivate without a QACONTAINER", hr == E_POINTER, Hex(hr));
    if (quick) quick->Release();
}

#undef COUNTED

} // namespace

void CheckQuickActivation() {
    CheckPropertyNotices();
    CheckQuickActivate();
    CheckSizes();
}

} // namespace winecheck
