// The recording container with the real components of the emulated desktop: the web view, which builds
// the folder view's windows, and the folder tree.
#pragma once
#include "components/VireoTV/VireoTreeView.h"
#include "control/VireoBrowser.h"
#include "fakes/Recorder.h"
#include "platform/emu/shdocvw/EmuWebView.h"

class DesktopContainer : public fakes::FakeContainer {
public:
    using FakeContainer::FakeContainer;
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND parent) override {
        webView = emu::EmuWebView::Create(parent);
        return webView;
    }
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND parent) override {
        return vireo::CreateVireoTreeView(parent);
    }
    vireo::RefPtr<emu::EmuWebView> webView;
};

// A visible 640 x 480 form filled by a new control that tells events what happens, activated as a host
// activates it at run time.
inline vireo::RefPtr<vireo::VireoBrowser> PlaceActivatedControl(DesktopContainer& container,
                                                                fakes::EventLog& events) {
    container.parent = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                       nullptr, nullptr, nullptr, nullptr);
    auto control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
    control->SetEvents(&events);
    MoveWindow(control->Window(), 0, 0, 640, 480, TRUE);
    control->Activate();
    return control;
}
