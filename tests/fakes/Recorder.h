// Test doubles of the outside components. Each call is logged as one line ("Tree.SelectFolder C:\dir\")
// in a shared log, so a test compares the whole sequence with a table.
#pragma once
#include "control/VireoBrowserEvents.h"
#include "platform/Container.h"
#include "platform/RuntimeError.h"
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace fakes {

using Log = std::vector<std::string>;

class FakeWebView : public vireo::WebView {
public:
    explicit FakeWebView(Log& log, HWND window) : m_log(log), m_window(window) {}
    bool busy = false;
    bool failAll = false; // every call throws, as a web view without a document does
    vireo::WebViewEvents* events = nullptr;

    void SetEvents(vireo::WebViewEvents* e) override { events = e; }
    HWND Window() override { return m_window; }
    void Navigate(const std::string& url) override { Call("Navigate " + url); }
    void Navigate2(const vireo::Variant& target) override;
    void Stop() override {
        Call("Stop");
        busy = false;
    }
    bool Busy() override {
        Fail();
        return busy;
    }
    void GoBack() override { Call("GoBack"); }
    void GoForward() override { Call("GoForward"); }
    void Refresh() override { Call("Refresh"); }
    void Refresh2(int32_t level) override { Call("Refresh2 " + std::to_string(level)); }
    void ExecWB(int32_t cmd, int32_t options) override {
        Call("ExecWB " + std::to_string(cmd) + " " + std::to_string(options));
    }
    std::string locationName, locationURL; // what the page reports as its name and address
    std::string LocationName() override { return locationName; }
    std::string LocationURL() override { return locationURL; }

private:
    void Fail();
    void Call(const std::string& what) {
        m_log.push_back("Web." + what);
        Fail();
    }
    Log& m_log;
    HWND m_window;
};

class FakeTree : public vireo::FolderTree {
public:
    explicit FakeTree(Log& log) : m_log(log) {}
    // What SelectFolder returns for the next calls (0 when the queue is empty), and what the tree
    // reports as selected afterwards.
    std::deque<LONG_PTR> selectResults;
    vireo::TreeFolder selected;
    bool isRoot = false, goResult = true, failAll = false;
    LONG_PTR parentPidl = 0;
    vireo::FolderTreeEvents* events = nullptr;

    void SetEvents(vireo::FolderTreeEvents* e) override { events = e; }
    HWND Window() override { return nullptr; }
    LONG_PTR SelectFolder(vireo::Variant& folder) override;
    vireo::TreeFolder SelectedFolder() override { return selected; }
    vireo::TreeFolder StartFolder() override { return selected; }
    LONG_PTR ParentPidl() override {
        Call("ParentPidl");
        return parentPidl;
    }
    void SetFont(std::string& face, LONG_PTR&) override { Call("SetFont " + face); }
    bool GoToParent() override {
        Call("GoToParent");
        return goResult;
    }
    bool GoToChild(std::string& name) override {
        Call("GoToChild " + name);
        return goResult;
    }
    bool IsRootFolder() override {
        Call("IsRootFolder");
        return isRoot;
    }
    void SelectMenuFolder(std::string& key) override { Call("SelectMenuFolder " + key); }
    void ShellNotify(LONG_PTR pidl) override { Call("ShellNotify " + std::to_string(pidl)); }
    void Terminate() override { Call("Terminate"); }
    bool Visible() override { return visible; }
    void SetVisible(bool v) override { visible = v; }
    void Move(float l, float t, float w, float h) override {
        moved = {l, t, w, h};
        ++moves;
    }
    std::array<float, 4> moved{}; // the last Move's left, top, width, height
    int moves = 0;
    bool visible = true;

private:
    void Call(const std::string& what);
    Log& m_log;
};

// The icon menu: every call goes to the log as "Menu.Member args" (a NUL in a key shows as "|"); item IDs
// and the indexes PopupAt returns are the 1-based positions in items.
class FakeIconMenu : public vireo::IconMenu {
public:
    explicit FakeIconMenu(Log& log) : m_log(log) {}
    struct Item {
        std::string caption;
        int32_t parent = 0, picture = 0;
        std::string key;
    };
    std::vector<Item> items;          // every item added, in order
    std::deque<int32_t> choices;      // what the next PopupAt calls return (0, dismissed, when none is left)
    bool failAll = false;             // every call throws, as a broken component does
    std::function<void()> whileShown; // runs inside PopupAt, while the menu is open
    HIMAGELIST images = nullptr;
    HWND owner = nullptr;
    std::string fontName;
    int32_t fontSize = 0;

    // The index of the first item with this key; 0 when there is none.
    int32_t IndexOfKey(const std::string& key) const;
    // The items as "caption | parent | picture | key" lines.
    std::vector<std::string> ItemLines() const;

    void SetMenuImages(HIMAGELIST h) override {
        Call("MenuImages", [&] { images = h; });
    }
    void SetOwnerHwnd(HWND h) override {
        Call("OwnerHwnd", [&] { owner = h; });
    }
    void SetFontName(const std::string& face) override {
        Call("FontName " + face, [&] { fontName = face; });
    }
    void SetFontSize(int32_t size) override {
        Call("FontSize " + std::to_string(size), [&] { fontSize = size; });
    }
    int32_t AddMenuItem(const std::string& caption, const std::string& text2, int32_t a, int32_t parentId,
                        int32_t picture, int32_t b, bool flag, const std::string& key) override;
    void RefreshMenu() override {
        Call("RefreshMenu", [] {});
    }
    int32_t PopupAt(int32_t x, int32_t y, int32_t n1, int32_t n2, int32_t n3, int32_t n4, bool flag) override;
    std::string ItemKey(int32_t index) override;

private:
    template <class F> void Call(const std::string& what, F&& then) {
        m_log.push_back("Menu." + what);
        if (failAll) throw vireo::RuntimeError(5, "PipitIconMenu", "Invalid procedure call");
        then();
    }
    Log& m_log;
};

class FakeContainer : public vireo::Container {
public:
    explicit FakeContainer(Log& log);
    Log& log;
    HWND parent = nullptr;
    vireo::RefPtr<FakeWebView> web;
    vireo::RefPtr<FakeTree> tree;
    bool userMode = true;

    HWND ParentWindow() override { return parent; }
    bool UserMode() override { return userMode; }
    vireo::RefPtr<vireo::StdFont> ambientFont = vireo::RefPtr<vireo::StdFont>::Make();
    vireo::RefPtr<vireo::StdFont> AmbientFont() override { return ambientFont; }
    void PropertyChanged(const std::string& name) override {
        log.push_back("Container.PropertyChanged " + name);
    }
    void SetMousePointer(int32_t p) override { log.push_back("Container.MousePointer " + std::to_string(p)); }
    bool makeWebView = true; // false: the container has no web view to give
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND parent) override;
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND) override { return tree; }
    // With makeIconMenu set, each CreateIconMenu gives a new recording menu (kept in menus); else none.
    bool makeIconMenu = false;
    std::vector<vireo::RefPtr<FakeIconMenu>> menus;
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override;
};

// Logs every event as "Event.Name args".
class EventLog : public vireo::VireoBrowserEvents {
public:
    explicit EventLog(Log& log) : m_log(log) {}
    std::function<void()> onEvent; // runs inside each event, after logging it (re-entrancy tests)
    void PanelProperty(const std::string& t, bool b, bool f, bool u) override;
    void OpenURL(const std::string& s) override { Add("OpenURL " + s); }
    void OpenArchive(const std::string& s) override { Add("OpenArchive " + s); }
    void OpenFTP(const std::string& s) override { Add("OpenFTP " + s); }
    void CombUrlGotFocus() override { Add("CombUrlGotFocus"); }
    void CombUrlLostFocus() override { Add("CombUrlLostFocus"); }
    void NotifyURL(const std::string& u, const std::string& n, const std::string& l, LONG_PTR p,
                   LONG a) override;
    void NotifySelection(LONG n, const std::string& f) override;

private:
    void Add(const std::string& s);
    Log& m_log;
};

} // namespace fakes
