#include "host/HostContainer.h"
#include "components/VireoTV/VireoTreeView.h"
#include "platform/RuntimeError.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"

namespace host {

namespace {

void Record(const char* kind, std::vector<std::string> fields) {
    emu::Desktop::Current().Log().Add(kind, std::move(fields));
}

class WebViewStandIn : public vireo::WebView {
public:
    explicit WebViewStandIn(HWND parent) {
        m_window = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                                   nullptr, nullptr);
    }
    void SetEvents(vireo::WebViewEvents*) override {}
    HWND Window() override { return m_window; }
    void Navigate(const std::string& url) override { Record("WebView", {"Navigate", url}); }
    void Navigate2(const vireo::Variant& target) override {
        Record("WebView",
               {"Navigate2", target.IsEmpty() ? "" : std::to_string(target.BytesValue().size()) + " bytes"});
    }
    void Stop() override {}
    bool Busy() override { return false; }
    void GoBack() override { Record("WebView", {"GoBack"}); }
    void GoForward() override { Record("WebView", {"GoForward"}); }
    void Refresh() override { Record("WebView", {"Refresh"}); }
    void Refresh2(int32_t level) override { Record("WebView", {"Refresh2", std::to_string(level)}); }
    void ExecWB(int32_t cmd, int32_t opt) override {
        Record("WebView", {"ExecWB", std::to_string(cmd), std::to_string(opt)});
    }
    std::string LocationName() override { return ""; }
    std::string LocationURL() override { return ""; }

private:
    HWND m_window = nullptr;
};

} // namespace

HostContainer::HostContainer() {
    m_form = CreateWindowExA(0, "Static", "vireo-host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800, 600,
                             nullptr, nullptr, nullptr, nullptr);
}

HostContainer::~HostContainer() {
    if (IsWindow(m_form)) DestroyWindow(m_form);
}

void HostContainer::PropertyChanged(const std::string& name) {
    Record("PropertyChanged", {name});
}

vireo::RefPtr<vireo::StdFont> HostContainer::AmbientFont() {
    // The form's font: the dialog font of the desktop.
    auto font = vireo::RefPtr<vireo::StdFont>::Make();
    font->Name = "Tahoma";
    return font;
}

void HostContainer::SetMousePointer(int32_t pointer) {
    Record("MousePointer", {std::to_string(pointer)});
}

vireo::RefPtr<vireo::WebView> HostContainer::CreateWebView(HWND parent) {
    return vireo::RefPtr<WebViewStandIn>::Make(parent);
}

vireo::RefPtr<vireo::FolderTree> HostContainer::CreateFolderTree(HWND parent) {
    return vireo::CreateVireoTreeView(parent);
}

vireo::RefPtr<vireo::IconMenu> HostContainer::CreateIconMenu() {
    return {};
}

} // namespace host
