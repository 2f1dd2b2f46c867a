// The recording container with the real components of the emulated desktop: the web view, which builds
// the folder view's windows, and the folder tree.
#pragma once
#include "components/VireoTV/VireoTreeView.h"
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
