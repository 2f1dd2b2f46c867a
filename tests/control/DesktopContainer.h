// The recording container with the emulated desktop's real web view and the real folder tree, for the
// scenarios that run whole flows.
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
