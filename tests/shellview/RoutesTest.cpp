// Every message a window procedure lists as handled gets through its mask to its handler: each one is sent
// to a window subclassed for a stand-in control that records what the handler asks of it. A message added
// to a procedure's list without a row here fails the coverage check at the end.
#include "ShellViewFixture.h"
#include "shellview/FolderViewHost.h"
#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace {

// The control as the procedures see it, recording every call.
class RecordingHost : public vireo::FolderViewHost {
public:
    mutable std::vector<std::string> calls;
    vireo::Folder SelFolder() const override {
        calls.push_back("SelFolder");
        return vireo::Folder{};
    }
    LONG Style() const override {
        calls.push_back("Style");
        return 3;
    }
    void SetStyle(LONG style) override { calls.push_back("SetStyle " + std::to_string(style)); }
    LONG_PTR hFont() const override { return 0; }
    LONG ForeColor() const override { return 0; }
    LONG BackColor() const override { return 0; }
    void SetColWidth() override { calls.push_back("SetColWidth"); }
    void FireStatus() override { calls.push_back("FireStatus"); }
    bool UpOneLevel() override {
        calls.push_back("UpOneLevel");
        return true;
    }
    bool GoToChild(std::string& name) override {
        calls.push_back("GoToChild " + name);
        return false;
    }
    LONG_PTR NavigateTV(const vireo::Variant&, bool*) override {
        calls.push_back("NavigateTV");
        return 0;
    }
    void Refresh() override { calls.push_back("Refresh"); }
    bool Called(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

class RoutesTest : public ShellViewFixture {};

TEST_F(RoutesTest, EveryHandledMessageReachesItsHandler) {
    using vireo::DocViewWndProc;
    using vireo::EmbeddingWndProc;
    using vireo::ListViewWndProc;
    struct Case {
        const char* name;
        WNDPROC proc;
        UINT msg;
        // Sends the message to w (the subclassed window); ran tells whether the handler did its work.
        std::function<void(HWND w)> send;
        std::function<bool(HWND w, const RecordingHost& host)> ran;
    };
    auto post = [](UINT msg, WPARAM wParam) {
        return [msg, wParam](HWND w) { SendMessageA(w, msg, wParam, 0); };
    };
    auto calls = [](const char* call) {
        return [call](HWND, const RecordingHost& host) { return host.Called(call); };
    };
    auto released = [](HWND w, const RecordingHost&) { return GetPropA(w, "OldWndProc") == nullptr; };
    NMHDR click{nullptr, 0, static_cast<UINT>(NM_CLICK)};
    WINDOWPOS pos{};
    HWND created = nullptr;
    const Case cases[] = {
        {"embedding: destroyed", EmbeddingWndProc, WM_DESTROY, post(WM_DESTROY, 0), released},
        {"embedding: document view created", EmbeddingWndProc, WM_PARENTNOTIFY,
         [&](HWND w) { created = MakeWindow("Shell DocObject View", w); },
         [&](HWND, const RecordingHost& host) { return created && host.m_hwndSV == created; }},
        {"document view: destroyed", DocViewWndProc, WM_DESTROY, post(WM_DESTROY, 0), released},
        {"document view: first move", DocViewWndProc, WM_WINDOWPOSCHANGING,
         [&](HWND w) { SendMessageA(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos)); },
         [](HWND w, const RecordingHost& host) {
             return vireo::Shared().lastDocView == w && host.Called("SetColWidth");
         }},
        {"document view: a click notice", DocViewWndProc, WM_NOTIFY,
         [&](HWND w) { SendMessageA(w, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click)); },
         calls("FireStatus")},
        {"document view: folder view created", DocViewWndProc, WM_PARENTNOTIFY,
         [](HWND w) { MakeWindow("SHELLDLL_DefView", w); },
         [](HWND, const RecordingHost& host) { return host.m_hwndLV2 != nullptr; }},
        {"list view: destroyed", ListViewWndProc, WM_DESTROY, post(WM_DESTROY, 0), released},
        {"list view: context menu", ListViewWndProc, WM_CONTEXTMENU, post(WM_CONTEXTMENU, 0),
         calls("SelFolder")},
        {"list view: style changed", ListViewWndProc, WM_STYLECHANGED, post(WM_STYLECHANGED, 0),
         calls("SetStyle 1")},
        {"list view: Backspace", ListViewWndProc, WM_KEYDOWN, post(WM_KEYDOWN, VK_BACK), calls("UpOneLevel")},
        {"list view: Shift let go", ListViewWndProc, WM_KEYUP,
         [](HWND w) {
             vireo::Shared().shiftDown = true;
             SendMessageA(w, WM_KEYUP, VK_SHIFT, 0);
         },
         [](HWND, const RecordingHost&) { return !vireo::Shared().shiftDown; }},
        {"list view: timer", ListViewWndProc, WM_TIMER, post(WM_TIMER, 0),
         [](HWND w, const RecordingHost&) { return !PassedOn(w, WM_TIMER); }},
        {"list view: one click on empty space", ListViewWndProc, WM_LBUTTONDOWN, post(WM_LBUTTONDOWN, 0),
         calls("UpOneLevel")},
        {"list view: double-click with nothing selected", ListViewWndProc, WM_LBUTTONDBLCLK,
         post(WM_LBUTTONDBLCLK, 0), calls("UpOneLevel")},
        {"list view: label editing (ANSI)", ListViewWndProc, LVM_EDITLABELA, post(LVM_EDITLABELA, 0),
         calls("SelFolder")},
        {"list view: label editing (UTF-16)", ListViewWndProc, LVM_EDITLABELW, post(LVM_EDITLABELW, 0),
         calls("SelFolder")},
    };
    std::map<WNDPROC, std::set<UINT>> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto host = vireo::RefPtr<RecordingHost>::Make();
        // List views are real, in details view and empty: no item is under the cursor or selected.
        HWND w = c.proc == ListViewWndProc  ? MakeListView(control->Window(), {"Name"}, {})
                 : c.proc == DocViewWndProc ? MakeWindow("Shell DocObject View", control->Window())
                                            : MakeWindow("Shell Embedding", control->Window());
        host->m_hwndLV = c.proc == ListViewWndProc ? w : nullptr;
        host->m_OpenOneClick = c.msg == WM_LBUTTONDOWN ? 1 : 0;
        vireo::Shared().lastDocView = nullptr;
        vireo::Shared().g_bViewReady = true;
        ASSERT_TRUE(vireo::SubclassWindow(w, c.proc, host.get()));
        host->calls.clear();
        Passed().clear();
        c.send(w);
        EXPECT_TRUE(c.ran(w, *host));
        covered[c.proc].insert(c.msg);
        DestroyWindow(w);
    }
    auto listed = [](const auto& messages) {
        return std::set<UINT>(std::begin(messages), std::end(messages));
    };
    EXPECT_EQ(covered[EmbeddingWndProc], listed(vireo::kEmbeddingMessages));
    EXPECT_EQ(covered[DocViewWndProc], listed(vireo::kDocViewMessages));
    EXPECT_EQ(covered[ListViewWndProc], listed(vireo::kListViewMessages));
}

} // namespace
