// The Windows web view against Wine's WebBrowser control: it is placed in place in a window of the
// class the control looks for, its events arrive decoded, a cancelled navigation goes nowhere, and failed
// calls come back as run-time errors. Wine's browser has no shell view, so folders are not shown here.
#include "com/MessagePump.h"
#include "platform/RuntimeError.h"
#include "platform/win32/BrowserWebView.h"
#include "tests/wine/Checker.h"
#include <functional>
#include <shlobj.h>
#include <vector>

namespace winecheck {

namespace {

class Recorder : public vireo::WebViewEvents {
public:
    std::vector<std::string> lines;
    bool cancel = false;
    void BeforeNavigate2(const vireo::Variant& url, bool& c) override {
        lines.push_back("BeforeNavigate2 " + url.Text());
        c = cancel;
    }
    void NavigateComplete2(const vireo::Variant& url) override {
        lines.push_back("NavigateComplete2 " + url.Text());
    }
    void DocumentComplete(const vireo::Variant& url) override {
        lines.push_back("DocumentComplete " + url.Text());
    }
    void StatusTextChange(const std::string& text) override { lines.push_back("StatusTextChange " + text); }
    void ProgressChange(int32_t p, int32_t m) override {
        lines.push_back("ProgressChange " + std::to_string(p) + " " + std::to_string(m));
    }
    void CommandStateChange(int32_t c, bool e) override {
        lines.push_back("CommandStateChange " + std::to_string(c) + (e ? " on" : " off"));
    }
    void TitleChange(const std::string& text) override { lines.push_back("TitleChange " + text); }
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines)
        s += (s.empty() ? "" : " | ") + l;
    return s;
}

} // namespace

// The item-ID list of a path as the control hands it to Navigate2: its bytes.
vireo::Variant PidlBytes(const wchar_t* path) {
    LPITEMIDLIST pidl = ILCreateFromPathW(path);
    if (!pidl) return vireo::Variant();
    const auto* bytes = reinterpret_cast<const uint8_t*>(pidl);
    vireo::Variant v = vireo::Variant::Bytes(std::vector<uint8_t>(bytes, bytes + ILGetSize(pidl)));
    ILFree(pidl);
    return v;
}

// The run-time error a call ends with: its number and text, or "" when it succeeds.
template <class F> std::string Failure(F&& call) {
    try {
        call();
    } catch (const vireo::RuntimeError& e) {
        return Hex(e.Number()) + " " + e.Description();
    }
    return "";
}

void CheckWebView() {
    HWND parent = CreateWindowExW(0, L"Static", L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
    Recorder events;
    vireo::RefPtr<vireo::WebView> web = vireo::CreateBrowserWebView(parent);
    Check("the WebBrowser control is created and placed", web != nullptr);
    if (!web) return;
    web->SetEvents(&events);
    char name[64] = {};
    GetClassNameA(web->Window(), name, sizeof name);
    Check("its window is a Shell Embedding child of the parent",
          std::string(name) == "Shell Embedding" && GetParent(web->Window()) == parent, name);

    // Each navigation starts with BeforeNavigate2 for its address, and the two commands' states follow
    // (Wine loads no document without its HTML engine, so nothing completes here).
    struct Navigation {
        const char* what;
        std::function<void()> go;
        std::string before;
    } navigations[] = {
        {"Navigate to a page", [&] { web->Navigate("about:blank"); }, "BeforeNavigate2 about:blank"},
        {"Navigate to a folder", [&] { web->Navigate("C:\\vireo"); }, "BeforeNavigate2 C:\\vireo"},
        {"Navigate2 with text", [&] { web->Navigate2(vireo::Variant("C:\\vireo")); },
         "BeforeNavigate2 C:\\vireo"},
    };
    for (const Navigation& n : navigations) {
        events.lines.clear();
        n.go();
        vireo::PumpMessages(500);
        const std::string seen = Joined(events.lines);
        const bool states = seen.find("CommandStateChange 2 off") != std::string::npos &&
                            seen.find("CommandStateChange 1 off") != std::string::npos;
        Check(std::string("web view: ") + n.what,
              !events.lines.empty() && events.lines[0] == n.before && states, seen);
    }

    // The control places the web view by moving its window; the document view the
    // navigations made inside it follows.
    MoveWindow(web->Window(), 10, 20, 300, 200, TRUE);
    vireo::PumpMessages(100);
    RECT inner{};
    HWND view = GetWindow(web->Window(), GW_CHILD);
    if (view) GetClientRect(view, &inner);
    Check("web view: moving its window resizes the view inside",
          view && inner.right == 300 && inner.bottom == 200,
          std::to_string(inner.right) + "x" + std::to_string(inner.bottom) + (view ? " child" : " none"));

    // Windows takes an item-ID list as a byte array; Wine's browser takes only text and refuses it, which
    // reaches the control as a run-time error it skips.
    events.lines.clear();
    const std::string refused = Failure([&] { web->Navigate2(PidlBytes(L"C:\\vireo")); });
    vireo::PumpMessages(500);
    Check("web view: Navigate2 with an item-ID list navigates or is refused as a run-time error",
          refused.empty()
              ? !events.lines.empty() && events.lines[0] == "BeforeNavigate2 C:\\vireo"
              : refused.find("Method 'Navigate2' of object 'IWebBrowser2' failed") != std::string::npos,
          refused + Joined(events.lines));

    const std::string before = web->LocationURL();
    events.lines.clear();
    events.cancel = true;
    web->Navigate("http://example.invalid/");
    vireo::PumpMessages(500);
    Check("web view: a navigation cancelled in BeforeNavigate2 goes no further",
          events.lines.size() == 1 && web->LocationURL() == before && !web->Busy(),
          Joined(events.lines) + " at " + web->LocationURL());

    struct Refusal {
        const char* what;
        std::function<void()> call;
        std::string error;
    } refusals[] = {
        {"GoBack without history", [&] { web->GoBack(); },
         "0x80004005 Method 'GoBack' of object 'IWebBrowser2' failed"},
        {"GoForward without history", [&] { web->GoForward(); },
         "0x80004005 Method 'GoForward' of object 'IWebBrowser2' failed"},
        {"Navigate2 with a number", [&] { web->Navigate2(vireo::Variant::Long(7)); },
         "0x80070057 Method 'Navigate2' of object 'IWebBrowser2' failed"},
    };
    for (const Refusal& r : refusals) {
        const std::string seen = Failure(r.call);
        Check(std::string("web view: ") + r.what + " is a run-time error", seen == r.error, seen);
    }

    events.lines.clear();
    web->SetEvents(nullptr);
    web->Navigate("about:blank");
    vireo::PumpMessages(300);
    Check("web view: a detached sink hears nothing", events.lines.empty(), Joined(events.lines));
    // The control's order: its window (the browser's parent) goes first, the web view after; the checks
    // that follow run only if that leaves the process standing.
    DestroyWindow(parent);
    web.reset();
}

} // namespace winecheck
