// Test doubles of the outside components. Each call is logged as one line ("Tree.SelectFolder C:\dir\")
// in a shared log, so a test compares the whole sequence with a table.
#pragma once
#include "control/VireoBrowserEvents.h"
#include "platform/Container.h"
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
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND parent) override;
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND) override { return tree; }
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override { return {}; }
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
