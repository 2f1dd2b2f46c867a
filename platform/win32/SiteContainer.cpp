#include "platform/win32/SiteContainer.h"
#include "components/VireoTV/VireoTreeView.h"
#include "platform/win32/FontObject.h"
#include "platform/win32/BrowserWebView.h"
#include "platform/win32/UnavailableWebView.h"
#include "support/mmModule.h"
#include <olectl.h>

namespace vireo {

SiteContainer::~SiteContainer() {
    SetSite(nullptr);
    if (m_parking && IsWindow(m_parking)) DestroyWindow(m_parking);
}

void SiteContainer::SetSite(IOleClientSite* site) {
    if (site) site->AddRef();
    if (m_site) m_site->Release();
    m_site = site;
    if (!site) m_siteWindow = nullptr;
}

HWND SiteContainer::ParkingWindow() {
    if (!m_parking || !IsWindow(m_parking))
        m_parking = CreateWindowExA(WS_EX_TOOLWINDOW, "Static", "VireoBR parking", WS_POPUP, 0, 0, 0, 0,
                                    nullptr, nullptr, ComponentInstance(), nullptr);
    return m_parking;
}

HWND SiteContainer::ParentWindow() {
    return m_siteWindow ? m_siteWindow : ParkingWindow();
}

bool SiteContainer::Ambient(DISPID id, VARIANT* value) {
    VariantInit(value);
    if (!m_site) return false;
    IDispatch* ambient = nullptr;
    if (FAILED(m_site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) return false;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    const HRESULT hr = ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value,
                                       nullptr, nullptr);
    ambient->Release();
    return SUCCEEDED(hr);
}

bool SiteContainer::UserMode() {
    // A container that does not say is running the control, not designing it.
    VARIANT value;
    if (!Ambient(DISPID_AMBIENT_USERMODE, &value)) return true;
    bool user = true;
    if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL))) user = V_BOOL(&value) != VARIANT_FALSE;
    VariantClear(&value);
    return user;
}

void SiteContainer::PropertyChanged(const std::string& name) {
    if (m_changed) m_changed(name);
}

RefPtr<StdFont> SiteContainer::AmbientFont() {
    VARIANT value;
    RefPtr<StdFont> font;
    if (Ambient(DISPID_AMBIENT_FONT, &value) && (V_VT(&value) == VT_DISPATCH || V_VT(&value) == VT_UNKNOWN))
        font = FontFromInterface(V_UNKNOWN(&value));
    VariantClear(&value);
    // Without a site font, the font forms start with.
    return font ? font : RefPtr<StdFont>::Make();
}

void SiteContainer::SetMousePointer(int32_t pointer) {
    // 11 is the hourglass; 0 gives the cursor back to the windows under it.
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(pointer == 11 ? IDC_WAIT : IDC_ARROW)));
}

RefPtr<WebView> SiteContainer::CreateWebView(HWND parent) {
    // Without a WebBrowser control on the system, a web view that refuses to navigate.
    if (RefPtr<WebView> browser = CreateBrowserWebView(parent)) return browser;
    return CreateUnavailableWebView();
}

RefPtr<FolderTree> SiteContainer::CreateFolderTree(HWND parent) {
    return CreateVireoTreeView(parent);
}

RefPtr<IconMenu> SiteContainer::CreateIconMenu() {
    return NewIconMenu();
}

} // namespace vireo
