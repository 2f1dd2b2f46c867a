// The web view the control embeds (WebBrowser1): on Windows it hosts the WebBrowser control and sinks its
// events; on the emulated desktop it is platform/emu's web view. Failures of a call are thrown as
// RuntimeError.
#pragma once
#include "platform/RefCounted.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include <string>

namespace vireo {

// The seven web-view events the control handles, with the arguments it reads.
class WebViewEvents {
public:
    virtual ~WebViewEvents() = default;
    virtual void BeforeNavigate2(const Variant& url, bool& cancel) = 0;
    virtual void NavigateComplete2(const Variant& url) = 0;
    virtual void DocumentComplete(const Variant& url) = 0;
    virtual void StatusTextChange(const std::string& text) = 0;
    virtual void ProgressChange(int32_t progress, int32_t progressMax) = 0;
    virtual void CommandStateChange(int32_t command, bool enable) = 0;
    virtual void TitleChange(const std::string& text) = 0;
};

// CommandStateChange's command numbers, and Refresh2's full-refresh level.
enum : int32_t { kCscUpdateCommands = -1, kCscNavigateForward = 1, kCscNavigateBack = 2 };
constexpr int32_t kRefreshCompletely = 3;

class WebView : public RefCounted {
public:
    // The sink that receives the events; null detaches it.
    virtual void SetEvents(WebViewEvents* events) = 0;
    // The web view's top window (class "Shell Embedding"), 0 before it has one.
    virtual HWND Window() = 0;

    virtual void Navigate(const std::string& url) = 0;
    // Navigates to what the Variant holds: text, or an item-ID list as a byte array.
    virtual void Navigate2(const Variant& target) = 0;
    virtual void Stop() = 0;
    virtual bool Busy() = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Refresh2(int32_t level) = 0;
    virtual void ExecWB(int32_t cmd, int32_t options) = 0;
    virtual std::string LocationName() = 0;
    virtual std::string LocationURL() = 0;
};

// Throws the run-time error a failed web-view call gives: the call's HRESULT as its number, and
// "Method 'Navigate' of object 'IWebBrowser2' failed" as its text.
[[noreturn]] void WebViewCallFailed(const char* method, int32_t hr);

} // namespace vireo
