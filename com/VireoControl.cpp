#include "com/VireoControl.h"
#include "com/DispatchCall.h"
#include "com/Enumerator.h"
#include "com/Guids.h"
#include "com/VariantConv.h"
#include "control/Dispatch.h"

namespace vireo::com {

VireoControl::VireoControl()
    : m_control(RefPtr<HostedBrowser>::Make()),
      m_events(this, DIID___VireoBrowser, ConnectionPoint::Sinks::OrDispatch),
      m_properties(this, IID_IPropertyNotifySink, ConnectionPoint::Sinks::Interface) {
    m_control->SetEvents(this);
    m_control->Site().OnPropertyChanged([this](const std::string& name) { PropertyChanged(name); });
}

VireoControl::~VireoControl() {
    m_events.Clear();
    m_properties.Clear();
    m_control->SetEvents(nullptr);
    m_control->Site().OnPropertyChanged(nullptr);
    // The container's last reference: the control shuts down as its form's control does when unloaded.
    try {
        m_control->UserControl_Terminate();
    } catch (...) {}
    m_control->Site().SetSite(nullptr);
}

HRESULT VireoControl::QueryInterface(REFIID riid, void** ppv) {
    auto* dual = static_cast<_VireoBrowser*>(this);
    return QueryFrom(dual, riid, ppv,
                     {{IID_IUnknown, static_cast<IUnknown*>(dual)},
                      {IID_IDispatch, static_cast<IDispatch*>(dual)},
                      {IID__VireoBrowser, dual},
                      {IID_IProvideClassInfo, static_cast<IProvideClassInfo*>(this)},
                      {IID_IProvideClassInfo2, static_cast<IProvideClassInfo2*>(this)},
                      {IID_IConnectionPointContainer, static_cast<IConnectionPointContainer*>(this)},
                      {IID_IPersist, static_cast<IPersist*>(static_cast<IPersistPropertyBag*>(this))},
                      {IID_IPersistPropertyBag, static_cast<IPersistPropertyBag*>(this)},
                      {IID_IPersistStreamInit, static_cast<IPersistStreamInit*>(this)},
                      {IID_IOleObject, static_cast<IOleObject*>(this)},
                      {IID_IOleWindow, static_cast<IOleWindow*>(static_cast<IOleInPlaceObject*>(this))},
                      {IID_IOleInPlaceObject, static_cast<IOleInPlaceObject*>(this)},
                      {IID_IOleInPlaceActiveObject, static_cast<IOleInPlaceActiveObject*>(this)},
                      {IID_IOleControl, static_cast<IOleControl*>(this)},
                      {IID_IViewObject, static_cast<IViewObject*>(this)},
                      {IID_IViewObject2, static_cast<IViewObject2*>(this)},
                      {IID_IQuickActivate, static_cast<IQuickActivate*>(this)},
                      {IID_ISupportErrorInfo, static_cast<ISupportErrorInfo*>(this)}});
}

// IDispatch: the names and calls go through the control's dispatch table, the type information comes
// from the embedded library.
HRESULT VireoControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT VireoControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ComPtr<ITypeInfo> type = TypeInfoOf(IID__VireoBrowser);
    if (!type) return TYPE_E_CANTLOADLIBRARY;
    *info = type.detach();
    return S_OK;
}

HRESULT VireoControl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return IdsOfNames(names, count, ids);
}

HRESULT VireoControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excepInfo, UINT* argErr) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    // A sink may release the control while the member runs.
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));
    // Font gives the one font object kept in m_font; a font written becomes that object.
    constexpr DISPID kFont = 0x680302FB;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    if (id == kFont && (flags & DISPATCH_PROPERTYGET) && !put && (!params || params->cArgs == 0)) {
        IDispatch* font = nullptr;
        const HRESULT hr = get_Font(&font);
        if (!result) {
            if (font) font->Release();
        } else {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = font;
        }
        return hr;
    }
    const HRESULT hr = InvokeMember(*m_control, id, flags, params, result, excepInfo, argErr);
    if (SUCCEEDED(hr) && id == kFont && put && params && params->cArgs == 1) {
        const VARIANT* given = &params->rgvarg[0];
        while (V_VT(given) == (VT_BYREF | VT_VARIANT))
            given = V_VARIANTREF(given);
        const VARTYPE vt = V_VT(given);
        IUnknown* object = vt & VT_BYREF ? *V_UNKNOWNREF(given) : V_UNKNOWN(given);
        m_font.Link(m_control->Font(), object);
    }
    return hr;
}

HRESULT VireoControl::Call(DISPID id, unsigned kind, std::vector<Variant>& args, Variant* result) {
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));
    return CallMember(*m_control, id, kind, args, result);
}

// IProvideClassInfo2
HRESULT VireoControl::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    ComPtr<ITypeInfo> type = TypeInfoOf(CLSID_VireoBrowser);
    *info = type.detach();
    return *info ? S_OK : TYPE_E_CANTLOADLIBRARY;
}

HRESULT VireoControl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID___VireoBrowser;
    return S_OK;
}

// IConnectionPointContainer: the events' point, then the property change notices' one.
HRESULT VireoControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = new ConnectionPointEnumerator(IID_IEnumConnectionPoints, {&m_events, &m_properties});
    return S_OK;
}

HRESULT VireoControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (IsEqualIID(riid, DIID___VireoBrowser))
        *point = &m_events;
    else if (IsEqualIID(riid, IID_IPropertyNotifySink))
        *point = &m_properties;
    else
        return CONNECT_E_NOCONNECTION;
    (*point)->AddRef();
    return S_OK;
}

HRESULT VireoControl::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID__VireoBrowser) ? S_OK : S_FALSE;
}

// Events.
void VireoControl::Raise(DISPID id, std::vector<Variant> args) {
    if (m_frozen > 0) return; // the container asked not to hear events (IOleControl::FreezeEvents)
    // A handler may release the container's last reference; the object stays until the event returns.
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));
    std::vector<VARIANT> values(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        ToVariant(args[i], &values[i]);
    m_events.Fire(id, values);
    for (VARIANT& v : values)
        VariantClear(&v);
}

void VireoControl::PropertyChanged(const std::string& name) {
    m_dirty = true;
    const DispMember* member = FindMember(name);
    if (!member) return;
    // A sink may release the container's last reference while it is told.
    ComPtr<IUnknown> hold(static_cast<_VireoBrowser*>(this));
    // A sink's failure does not concern the control.
    m_properties.ForEachSink(
        [&](IUnknown* sink) { static_cast<IPropertyNotifySink*>(sink)->OnChanged(member->id); });
}

void VireoControl::PanelProperty(const std::string& sTitle, bool bBack, bool bForward, bool bUp) {
    Raise(1, {Variant(sTitle), Variant::Boolean(bBack), Variant::Boolean(bForward), Variant::Boolean(bUp)});
}
void VireoControl::OpenURL(const std::string& sURL) {
    Raise(2, {Variant(sURL)});
}
void VireoControl::OpenArchive(const std::string& sURL) {
    Raise(3, {Variant(sURL)});
}
void VireoControl::OpenFTP(const std::string& sURL) {
    Raise(4, {Variant(sURL)});
}
void VireoControl::CombUrlGotFocus() {
    Raise(5, {});
}
void VireoControl::CombUrlLostFocus() {
    Raise(6, {});
}
void VireoControl::NotifyURL(const std::string& sURL, const std::string& sLocName, const std::string& sLocURL,
                             LONG_PTR nPidl, LONG nAttr) {
    Raise(7,
          {Variant(sURL), Variant(sLocName), Variant(sLocURL), Variant::Long(nPidl), Variant::Long(nAttr)});
}
void VireoControl::NotifySelection(LONG nCnt, const std::string& sFile) {
    Raise(8, {Variant::Long(nCnt), Variant(sFile)});
}

} // namespace vireo::com
