#include "fakes/Recorder.h"
#include "platform/RuntimeError.h"

namespace fakes {

void FakeWebView::Fail() {
    if (failAll) throw vireo::RuntimeError(91, "WebBrowser", "Object variable not set");
}

void FakeWebView::Navigate2(const vireo::Variant& target) {
    if (target.IsEmpty()) {
        Call("Navigate2 (empty)");
        return;
    }
    Call("Navigate2 bytes=" + std::to_string(target.BytesValue().size()));
}

void FakeTree::Call(const std::string& what) {
    m_log.push_back("Tree." + what);
    if (failAll) throw vireo::RuntimeError(5, "VireoTV", "Invalid procedure call");
}

LONG_PTR FakeTree::SelectFolder(vireo::Variant& folder) {
    Call("SelectFolder " + (folder.IsLong() ? "#" + std::to_string(folder.LongValue()) : folder.Text()));
    if (selectResults.empty()) return 0;
    LONG_PTR r = selectResults.front();
    selectResults.pop_front();
    return r;
}

FakeContainer::FakeContainer(Log& l) : log(l) {
    tree = vireo::RefPtr<FakeTree>::Make(log);
}

vireo::RefPtr<vireo::WebView> FakeContainer::CreateWebView(HWND parent) {
    HWND window = CreateWindowExA(0, "Static", "Shell Embedding", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                                  nullptr, nullptr);
    web = vireo::RefPtr<FakeWebView>::Make(log, window);
    return web;
}

void EventLog::Add(const std::string& s) {
    m_log.push_back("Event." + s);
    if (onEvent) onEvent();
}

void EventLog::PanelProperty(const std::string& t, bool b, bool f, bool u) {
    Add("PanelProperty " + t + " " + std::to_string(b) + std::to_string(f) + std::to_string(u));
}

void EventLog::NotifyURL(const std::string& u, const std::string& n, const std::string& l, LONG_PTR p,
                         LONG a) {
    Add("NotifyURL " + u + " | " + n + " | " + l + " | " + std::to_string(p) + " | " + std::to_string(a));
}

void EventLog::NotifySelection(LONG n, const std::string& f) {
    Add("NotifySelection " + std::to_string(n) + " " + f);
}

} // namespace fakes
