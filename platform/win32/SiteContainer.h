// The container of a control placed by a COM container: ambient properties through the client site's
// IDispatch, the parent window from the in-place site, and the components the control hosts. Until the
// control is placed in place, its window waits under a hidden parking window, as containers expect of a
// control that is created before it is shown.
#pragma once
#include "platform/Container.h"
#include <functional>
#include <ole2.h>

namespace vireo {

class SiteContainer : public Container {
public:
    SiteContainer() = default;
    SiteContainer(const SiteContainer&) = delete;
    SiteContainer& operator=(const SiteContainer&) = delete;
    ~SiteContainer() override;

    // The client site (null when the container takes it back); the site's window once in place.
    void SetSite(IOleClientSite* site);
    void SetSiteWindow(HWND window) { m_siteWindow = window; }
    // Told when a persisted property changes.
    void OnPropertyChanged(std::function<void(const std::string&)> handler) {
        m_changed = std::move(handler);
    }

    HWND ParentWindow() override;
    bool UserMode() override;
    void PropertyChanged(const std::string& name) override;
    RefPtr<StdFont> AmbientFont() override;
    void SetMousePointer(int32_t pointer) override;
    RefPtr<WebView> CreateWebView(HWND parent) override;
    RefPtr<FolderTree> CreateFolderTree(HWND parent) override;
    RefPtr<IconMenu> CreateIconMenu() override;

    // The parking window, created when first asked for.
    HWND ParkingWindow();

private:
    // The ambient property id from the site's IDispatch into value; false when the site has none.
    bool Ambient(DISPID id, VARIANT* value);

    IOleClientSite* m_site = nullptr; // a reference held
    HWND m_siteWindow = nullptr;
    HWND m_parking = nullptr;
    std::function<void(const std::string&)> m_changed;
};

} // namespace vireo
