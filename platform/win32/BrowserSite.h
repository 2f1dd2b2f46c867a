// The site the WebBrowser control is placed on: its client site, in-place site and (minimal) frame, the
// parent window it lives in, and the sink of its DWebBrowserEvents2, which turns each of the seven events
// the control handles into a call on the web view's WebViewEvents. The browser holds references to the
// site; Detach cuts it off from the web view that goes away first.
#pragma once
#include "com/SiteDefaults.h"
#include "platform/WebView.h"
#include <atomic>
#include <ole2.h>

namespace vireo {

class BrowserSite final : public ClientSiteDefaults,
                          public InPlaceSiteDefaults,
                          public IOleInPlaceFrame,
                          public IDispatch {
public:
    explicit BrowserSite(HWND parent) : m_parent(parent) {}
    BrowserSite(const BrowserSite&) = delete;
    BrowserSite& operator=(const BrowserSite&) = delete;

    void SetEvents(WebViewEvents* events) { m_events = events; }
    // The browser's in-place object, told of position changes it asks for (not counted).
    void SetInPlaceObject(IOleInPlaceObject* object) { m_inPlace = object; }
    void Detach() {
        m_events = nullptr;
        m_inPlace = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_refs); }
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleWindow (the site's and the frame's)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite (the rest as every site answers)
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceUIWindow, IOleInPlaceFrame: the control has no frame tools, menus or status of its own.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the browser's events; its ambient property requests find nothing and take their defaults.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    ~BrowserSite() = default;
    // Raises event id with its arguments (last first, as DISPPARAMS holds them) to the events.
    void Raise(DISPID id, const DISPPARAMS& params);

    std::atomic<long> m_refs{1};
    HWND m_parent;
    WebViewEvents* m_events = nullptr;
    IOleInPlaceObject* m_inPlace = nullptr;
};

} // namespace vireo
