#include "platform/win32/BrowserSite.h"
#include "com/WideText.h"
#include <exdisp.h>
#include <exdispid.h>
#include <exception>

namespace vireo {

HRESULT BrowserSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *ppv = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID_DWebBrowserEvents2))
        *ppv = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG BrowserSite::Release() {
    const long n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT BrowserSite::GetWindow(HWND* hwnd) {
    if (!hwnd) return E_POINTER;
    *hwnd = m_parent;
    return m_parent ? S_OK : E_FAIL;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT position,
                                      LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !position || !clip || !info) return E_POINTER;
    *frame = this;
    AddRef();
    *doc = nullptr;
    GetClientRect(m_parent, position);
    *clip = *position;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_parent;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT BrowserSite::OnPosRectChange(LPCRECT position) {
    if (m_inPlace && position) m_inPlace->SetObjectRects(position, position);
    return S_OK;
}

HRESULT BrowserSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

namespace {

// The value behind any number of VT_BYREF|VT_VARIANT steps.
const VARIANT& Deref(const VARIANT& v) {
    const VARIANT* p = &v;
    while (V_VT(p) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(p))
        p = V_VARIANTREF(p);
    return *p;
}

std::string TextOf(const VARIANT& v) {
    const VARIANT& value = Deref(v);
    if (V_VT(&value) == VT_BSTR) return Narrow(V_BSTR(&value));
    VARIANT text;
    VariantInit(&text);
    std::string s;
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        s = Narrow(V_BSTR(&text));
    VariantClear(&text);
    return s;
}

int32_t NumberOf(const VARIANT& v) {
    VARIANT number;
    VariantInit(&number);
    int32_t n = 0;
    if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&Deref(v)), 0, VT_I4))) n = V_I4(&number);
    return n;
}

} // namespace

void BrowserSite::Raise(DISPID id, const DISPPARAMS& params) {
    // rgvarg holds the arguments last first; the handlers read only some of them.
    const UINT n = params.cArgs;
    auto arg = [&](UINT declared) -> const VARIANT& { return params.rgvarg[n - 1 - declared]; };
    switch (id) {
    case DISPID_BEFORENAVIGATE2: { // (pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel)
        if (n < 7) return;
        VARIANT& cancelArg = params.rgvarg[0];
        bool cancel = V_VT(&cancelArg) == (VT_BYREF | VT_BOOL) && *V_BOOLREF(&cancelArg) != VARIANT_FALSE;
        m_events->BeforeNavigate2(Variant(TextOf(arg(1))), cancel);
        if (V_VT(&cancelArg) == (VT_BYREF | VT_BOOL))
            *V_BOOLREF(&cancelArg) = cancel ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    }
    case DISPID_NAVIGATECOMPLETE2: // (pDisp, URL)
        if (n >= 2) m_events->NavigateComplete2(Variant(TextOf(arg(1))));
        return;
    case DISPID_DOCUMENTCOMPLETE: // (pDisp, URL)
        if (n >= 2) m_events->DocumentComplete(Variant(TextOf(arg(1))));
        return;
    case DISPID_STATUSTEXTCHANGE: // (Text)
        if (n >= 1) m_events->StatusTextChange(TextOf(arg(0)));
        return;
    case DISPID_PROGRESSCHANGE: // (Progress, ProgressMax)
        if (n >= 2) m_events->ProgressChange(NumberOf(arg(0)), NumberOf(arg(1)));
        return;
    case DISPID_COMMANDSTATECHANGE: // (Command, Enable)
        if (n >= 2) m_events->CommandStateChange(NumberOf(arg(0)), NumberOf(arg(1)) != 0);
        return;
    case DISPID_TITLECHANGE: // (Text)
        if (n >= 1) m_events->TitleChange(TextOf(arg(0)));
        return;
    default:
        return;
    }
}

HRESULT BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                            UINT*) {
    if (result) VariantInit(result);
    // Negative ids are ambient properties the browser asks its site for: none is set here.
    if (id < 0) return DISP_E_MEMBERNOTFOUND;
    if (!m_events || !params) return S_OK;
    // The site outlives anything a handler does to the web view (a navigation, its release).
    AddRef();
    try {
        Raise(id, *params);
    } catch (const std::exception&) {
        // A handler's failure stays on this side of the browser.
    }
    Release();
    return S_OK;
}

} // namespace vireo
