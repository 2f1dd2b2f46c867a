#include "platform/win32/BrowserWebView.h"
#include "com/Owners.h"
#include "com/WideText.h"
#include "platform/win32/BrowserSite.h"
#include <exdisp.h>

namespace vireo {

namespace {

using com::ComPtr;

class BrowserWebView final : public WebView {
public:
    // Creates the browser, places it in parent and connects its events; false when any step fails.
    bool Open(HWND parent);
    ~BrowserWebView() override;

    void SetEvents(WebViewEvents* events) override { m_site->SetEvents(events); }
    HWND Window() override;
    void Navigate(const std::string& url) override;
    void Navigate2(const Variant& target) override;
    void Stop() override { Check("Stop", m_browser->Stop()); }
    bool Busy() override;
    void GoBack() override { Check("GoBack", m_browser->GoBack()); }
    void GoForward() override { Check("GoForward", m_browser->GoForward()); }
    void Refresh() override { Check("Refresh", m_browser->Refresh()); }
    void Refresh2(int32_t level) override;
    void ExecWB(int32_t cmd, int32_t options) override;
    std::string LocationName() override { return Text("LocationName", &IWebBrowser2::get_LocationName); }
    std::string LocationURL() override { return Text("LocationURL", &IWebBrowser2::get_LocationURL); }

private:
    static void Check(const char* method, HRESULT hr) {
        if (FAILED(hr)) WebViewCallFailed(method, hr);
    }
    std::string Text(const char* method, HRESULT (STDMETHODCALLTYPE IWebBrowser2::*get)(BSTR*));

    BrowserSite* m_site = nullptr; // a reference held
    ComPtr<IOleObject> m_object;
    ComPtr<IOleInPlaceObject> m_inPlace;
    ComPtr<IWebBrowser2> m_browser;
    ComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};

bool BrowserWebView::Open(HWND parent) {
    m_site = new BrowserSite(parent);
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(m_object.put()))))
        return false;
    if (FAILED(m_object->SetClientSite(m_site))) return false;
    RECT rect{};
    GetClientRect(parent, &rect);
    if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site, 0, parent, &rect))) return false;
    if (FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(m_browser.put()))))
        return false;
    if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(m_inPlace.put()))))
        m_site->SetInPlaceObject(m_inPlace.get());
    // Pages show no dialogs of their own: the control reports unavailable pages on its status bar.
    m_browser->put_Silent(VARIANT_TRUE);
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(m_object->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(points.put()))) ||
        FAILED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, m_point.put())) ||
        FAILED(m_point->Advise(static_cast<IDispatch*>(m_site), &m_cookie)))
        return false;
    return true;
}

BrowserWebView::~BrowserWebView() {
    m_site->Detach();
    if (m_point && m_cookie) m_point->Unadvise(m_cookie);
    m_point.reset();
    m_browser.reset();
    if (m_inPlace) m_inPlace->InPlaceDeactivate();
    m_inPlace.reset();
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
    }
    m_object.reset();
    m_site->Release();
}

HWND BrowserWebView::Window() {
    HWND hwnd = nullptr;
    if (m_inPlace && SUCCEEDED(m_inPlace->GetWindow(&hwnd))) return hwnd;
    return nullptr;
}

void BrowserWebView::Navigate(const std::string& url) {
    const com::Bstr wide = com::Bstr::Adopt(AllocWide(url));
    VARIANT none;
    VariantInit(&none);
    Check("Navigate", m_browser->Navigate(wide.get(), &none, &none, &none, &none));
}

void BrowserWebView::Navigate2(const Variant& target) {
    VARIANT where, none;
    VariantInit(&where);
    VariantInit(&none);
    if (target.Type() == VarType::Bytes) {
        // An item-ID list goes over as a byte array.
        const std::vector<uint8_t>& bytes = target.BytesValue();
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        if (!array) WebViewCallFailed("Navigate2", E_OUTOFMEMORY);
        void* data = nullptr;
        if (SUCCEEDED(SafeArrayAccessData(array, &data))) {
            std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(data));
            SafeArrayUnaccessData(array);
        }
        V_VT(&where) = VT_ARRAY | VT_UI1;
        V_ARRAY(&where) = array;
    } else if (target.HoldsText()) {
        V_VT(&where) = VT_BSTR;
        V_BSTR(&where) = AllocWide(target.Text());
    } else {
        WebViewCallFailed("Navigate2", E_INVALIDARG);
    }
    const HRESULT hr = m_browser->Navigate2(&where, &none, &none, &none, &none);
    VariantClear(&where);
    Check("Navigate2", hr);
}

bool BrowserWebView::Busy() {
    VARIANT_BOOL busy = VARIANT_FALSE;
    Check("Busy", m_browser->get_Busy(&busy));
    return busy != VARIANT_FALSE;
}

void BrowserWebView::Refresh2(int32_t level) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = level;
    Check("Refresh2", m_browser->Refresh2(&v));
}

void BrowserWebView::ExecWB(int32_t cmd, int32_t options) {
    Check("ExecWB", m_browser->ExecWB(static_cast<OLECMDID>(cmd), static_cast<OLECMDEXECOPT>(options),
                                      nullptr, nullptr));
}

std::string BrowserWebView::Text(const char* method, HRESULT (STDMETHODCALLTYPE IWebBrowser2::*get)(BSTR*)) {
    BSTR text = nullptr;
    Check(method, (m_browser.get()->*get)(&text));
    std::string s = Narrow(text);
    SysFreeString(text);
    return s;
}

} // namespace

RefPtr<WebView> CreateBrowserWebView(HWND parent) {
    auto view = RefPtr<BrowserWebView>::Adopt(new BrowserWebView);
    if (!view->Open(parent)) return {};
    return view;
}

} // namespace vireo
