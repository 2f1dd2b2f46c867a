// The container the host places the control in: a form window on the emulated desktop, and the outside
// components: the real folder tree, and until the emulated web view is built, a stand-in web view that
// records what it is asked in the desktop's journal ("WebView") and shows nothing.
#pragma once
#include "platform/Container.h"

namespace host {

class HostContainer : public vireo::Container {
public:
    HostContainer();
    ~HostContainer() override;

    HWND ParentWindow() override { return m_form; }
    bool UserMode() override { return true; }
    vireo::RefPtr<vireo::StdFont> AmbientFont() override;
    void PropertyChanged(const std::string& name) override;
    void SetMousePointer(int32_t pointer) override;
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND parent) override;
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND parent) override;
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override;

private:
    HWND m_form = nullptr;
};

} // namespace host
