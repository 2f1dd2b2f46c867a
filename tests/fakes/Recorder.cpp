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
    if (!makeWebView) return {};
    HWND window = CreateWindowExA(0, "Static", "Shell Embedding", WS_CHILD, 0, 0, 0, 0, parent, nullptr,
                                  nullptr, nullptr);
    web = vireo::RefPtr<FakeWebView>::Make(log, window);
    return web;
}

namespace {
std::string Visible(std::string key) {
    for (char& c : key)
        if (c == '\0') c = '|';
    return key;
}
} // namespace

int32_t FakeIconMenu::IndexOfKey(const std::string& key) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].key == key) return static_cast<int32_t>(i + 1);
    return 0;
}

std::vector<std::string> FakeIconMenu::ItemLines() const {
    std::vector<std::string> lines;
    for (const Item& item : items)
        lines.push_back(item.caption + " | " + std::to_string(item.parent) + " | " +
                        std::to_string(item.picture) + " | " + Visible(item.key));
    return lines;
}

int32_t FakeIconMenu::AddMenuItem(const std::string& caption, const std::string& text2, int32_t a,
                                  int32_t parentId, int32_t picture, int32_t b, bool flag,
                                  const std::string& key) {
    const std::string args = caption + " [" + text2 + "] " + std::to_string(a) + " " +
                             std::to_string(parentId) + " " + std::to_string(picture) + " " +
                             std::to_string(b) + " " + std::to_string(flag) + " " + Visible(key);
    Call("AddMenuItem " + args, [&] { items.push_back(Item{caption, parentId, picture, key}); });
    return static_cast<int32_t>(items.size());
}

int32_t FakeIconMenu::PopupAt(int32_t x, int32_t y, int32_t n1, int32_t n2, int32_t n3, int32_t n4,
                              bool flag) {
    int32_t chosen = 0;
    Call("PopupAt " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(n1) + " " +
             std::to_string(n2) + " " + std::to_string(n3) + " " + std::to_string(n4) + " " +
             std::to_string(flag),
         [&] {
             if (whileShown) whileShown();
             if (choices.empty()) return;
             chosen = choices.front();
             choices.pop_front();
         });
    return chosen;
}

std::string FakeIconMenu::ItemKey(int32_t index) {
    std::string key;
    Call("ItemKey " + std::to_string(index), [&] {
        if (index >= 1 && index <= static_cast<int32_t>(items.size())) key = items[size_t(index - 1)].key;
    });
    return key;
}

vireo::RefPtr<vireo::IconMenu> FakeContainer::CreateIconMenu() {
    if (!makeIconMenu) return {};
    log.push_back("Container.CreateIconMenu");
    menus.push_back(vireo::RefPtr<FakeIconMenu>::Make(log));
    return menus.back();
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
