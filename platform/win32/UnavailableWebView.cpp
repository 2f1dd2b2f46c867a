#include "platform/win32/UnavailableWebView.h"
#include "platform/RuntimeError.h"

namespace vireo {

namespace {

// Run-time error 445, "Object doesn't support this action", the error a missing web view gives the host.
constexpr int32_t kErrNoSuchAction = 445;

[[noreturn]] void Refuse(const char* member) {
    throw RuntimeError(kErrNoSuchAction, "VireoBR",
                       std::string("The web view is not available (") + member + ")");
}

class UnavailableWebView : public WebView {
public:
    void SetEvents(WebViewEvents*) override {}
    HWND Window() override { return nullptr; }
    void Navigate(const std::string&) override { Refuse("Navigate"); }
    void Navigate2(const Variant&) override { Refuse("Navigate2"); }
    void Stop() override {}
    bool Busy() override { return false; }
    void GoBack() override { Refuse("GoBack"); }
    void GoForward() override { Refuse("GoForward"); }
    void Refresh() override { Refuse("Refresh"); }
    void Refresh2(int32_t) override { Refuse("Refresh2"); }
    void ExecWB(int32_t, int32_t) override { Refuse("ExecWB"); }
    std::string LocationName() override { return {}; }
    std::string LocationURL() override { return {}; }
};

} // namespace

RefPtr<WebView> CreateUnavailableWebView() {
    return RefPtr<WebView>::Adopt(new UnavailableWebView);
}

} // namespace vireo
