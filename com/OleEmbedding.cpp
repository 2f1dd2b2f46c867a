// The OLE side of the control: the container gives it a client site, activates it in place in the site's
// window, moves it, asks it to draw, and closes it. Until it is in place, the control's window waits
// hidden under the container's parking window.
#include "com/Guids.h"
#include "com/Registration.h"
#include "com/VireoControl.h"

namespace vireo::com {

HRESULT VireoControl::SetClientSite(IOleClientSite* site) {
    if (!site) InPlaceDeactivate();
    m_site = ComPtr<IOleClientSite>(site);
    m_control->Site().SetSite(site);
    return S_OK;
}

HRESULT VireoControl::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>(m_site).detach();
    return S_OK;
}

HRESULT VireoControl::SetHostNames(LPCOLESTR, LPCOLESTR) {
    return S_OK;
}

HRESULT VireoControl::Close(DWORD saveOption) {
    InPlaceDeactivate();
    if (m_site && m_dirty && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
        m_site->SaveObject();
    if (m_adviseHolder) m_adviseHolder->SendOnClose();
    return S_OK;
}

HRESULT VireoControl::SetMoniker(DWORD, IMoniker*) {
    return E_NOTIMPL;
}
HRESULT VireoControl::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}
HRESULT VireoControl::InitFromData(IDataObject*, BOOL, DWORD) {
    return E_NOTIMPL;
}
HRESULT VireoControl::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

HRESULT VireoControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT rect) {
    if (site && !m_site) SetClientSite(site);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(true, parent, rect);
    case OLEIVERB_INPLACEACTIVATE:
        return InPlaceActivate(false, parent, rect);
    case OLEIVERB_HIDE:
        ShowWindow(m_control->Window(), SW_HIDE);
        return S_OK;
    default:
        // An unknown positive verb runs the primary one; the negative ones are the container's.
        if (verb > 0) {
            HRESULT hr = InPlaceActivate(true, parent, rect);
            return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
}

HRESULT VireoControl::InPlaceActivate(bool uiActivate, HWND parent, LPCRECT rect) {
    if (!m_site) return E_UNEXPECTED;
    const HWND window = m_control->Window();
    if (!m_inPlace) {
        m_inPlaceSite = m_site.query<IOleInPlaceSite>(IID_IOleInPlaceSite);
        if (!m_inPlaceSite) return E_NOINTERFACE;
        if (m_inPlaceSite->CanInPlaceActivate() != S_OK) {
            m_inPlaceSite.reset();
            return E_FAIL;
        }
        m_inPlaceSite->OnInPlaceActivate();
        m_inPlace = true;
    }
    HWND siteWindow = nullptr;
    if (FAILED(m_inPlaceSite->GetWindow(&siteWindow)) || !siteWindow) siteWindow = parent;
    RECT position = rect ? *rect : RECT{0, 0, 0, 0}, clip = position;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    m_inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip, &frameInfo);
    m_control->Site().SetSiteWindow(siteWindow);
    SetParent(window, siteWindow);
    MoveWindow(window, position.left, position.top, position.right - position.left,
               position.bottom - position.top, TRUE);
    ShowWindow(window, SW_SHOWNA);
    if (uiActivate) {
        m_inPlaceSite->OnUIActivate();
        if (frame) frame->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
        if (document) document->SetActiveObject(static_cast<IOleInPlaceActiveObject*>(this), nullptr);
    }
    m_site->ShowObject();
    return S_OK;
}

HRESULT VireoControl::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) return E_POINTER;
    return OleRegEnumVerbs(CLSID_VireoBrowser, verbs);
}

HRESULT VireoControl::Update() {
    return S_OK;
}
HRESULT VireoControl::IsUpToDate() {
    return S_OK;
}

HRESULT VireoControl::GetUserClassID(CLSID* clsid) {
    return GetClassID(clsid);
}

HRESULT VireoControl::GetUserType(DWORD form, LPOLESTR* name) {
    if (!name) return E_POINTER;
    return OleRegGetUserType(CLSID_VireoBrowser, form, name);
}

HRESULT VireoControl::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    m_extent = *size;
    return S_OK;
}

HRESULT VireoControl::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = m_extent;
    return S_OK;
}

HRESULT VireoControl::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!m_adviseHolder && FAILED(CreateOleAdviseHolder(m_adviseHolder.put()))) return E_OUTOFMEMORY;
    return m_adviseHolder->Advise(sink, connection);
}

HRESULT VireoControl::Unadvise(DWORD connection) {
    return m_adviseHolder ? m_adviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

HRESULT VireoControl::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    return m_adviseHolder ? m_adviseHolder->EnumAdvise(advise) : S_OK;
}

HRESULT VireoControl::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

HRESULT VireoControl::SetColorScheme(LOGPALETTE*) {
    return E_NOTIMPL;
}

// IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject.
HRESULT VireoControl::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = m_control->Window();
    return *hwnd ? S_OK : E_FAIL;
}

HRESULT VireoControl::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

HRESULT VireoControl::InPlaceDeactivate() {
    if (!m_inPlace) return S_OK;
    m_inPlace = false;
    const HWND window = m_control->Window();
    ShowWindow(window, SW_HIDE);
    SiteContainer& site = m_control->Site();
    site.SetSiteWindow(nullptr);
    SetParent(window, site.ParkingWindow());
    if (ComPtr<IOleInPlaceSite> inPlaceSite = std::move(m_inPlaceSite)) inPlaceSite->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT VireoControl::UIDeactivate() {
    if (m_inPlaceSite) m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT VireoControl::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    MoveWindow(m_control->Window(), position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
    return S_OK;
}

HRESULT VireoControl::ReactivateAndUndo() {
    return E_NOTIMPL;
}

HRESULT VireoControl::TranslateAccelerator(LPMSG) {
    return S_FALSE;
}
HRESULT VireoControl::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
HRESULT VireoControl::OnDocWindowActivate(BOOL) {
    return S_OK;
}
HRESULT VireoControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
HRESULT VireoControl::EnableModeless(BOOL) {
    return S_OK;
}

// IOleControl.
HRESULT VireoControl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT VireoControl::OnMnemonic(MSG*) {
    return E_NOTIMPL;
}

HRESULT VireoControl::OnAmbientPropertyChange(DISPID) {
    // The control reads UserMode and Font when it needs them.
    return S_OK;
}

HRESULT VireoControl::FreezeEvents(BOOL freeze) {
    freeze ? ++m_frozen : --m_frozen;
    return S_OK;
}

// IViewObject, IViewObject2: the control draws itself by printing its window into the container's DC.
HRESULT VireoControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw, LPCRECTL bounds,
                           LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!draw) return E_INVALIDARG;
    const int saved = SaveDC(draw);
    if (bounds) OffsetViewportOrgEx(draw, bounds->left, bounds->top, nullptr);
    SendMessageA(m_control->Window(), WM_PRINT, reinterpret_cast<WPARAM>(draw),
                 PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND | PRF_NONCLIENT);
    RestoreDC(draw, saved);
    return S_OK;
}

HRESULT VireoControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) *colors = nullptr;
    return S_FALSE; // no particular palette
}

HRESULT VireoControl::Freeze(DWORD, LONG, void*, DWORD*) {
    return E_NOTIMPL;
}
HRESULT VireoControl::Unfreeze(DWORD) {
    return E_NOTIMPL;
}

HRESULT VireoControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    m_viewAspects = aspects;
    m_viewFlags = flags;
    m_viewSink = ComPtr<IAdviseSink>(sink);
    return S_OK;
}

HRESULT VireoControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = m_viewAspects;
    if (flags) *flags = m_viewFlags;
    if (sink) *sink = ComPtr<IAdviseSink>(m_viewSink).detach();
    return S_OK;
}

HRESULT VireoControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

} // namespace vireo::com
