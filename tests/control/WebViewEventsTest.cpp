#include "ControlFixture.h"
#include "support/ThreadState.h"
#include "shellview/mWndProc.h"
#include "support/mmShellMacro.h"
#include "platform/emu/kernel32/SystemInfo.h"

using fakes::Log;
using vireo::Folder;
using vireo::Variant;

namespace {

LRESULT CALLBACK PassOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return vireo::CallOldWndProc(hwnd, msg, wParam, lParam);
}

class WebViewEventsTest : public ControlFixture {
protected:
    WebViewEventsTest() {
        desk.Files().MakeDir("C:\\Windows");
        desk.Files().MakeDir("C:\\Temp");
        desk.Files().WriteFile("C:\\notes.TXT", "hello");
        desk.Files().WriteFile("C:\\page.htm", "<html></html>");
        desk.Files().WriteFile("C:\\report.doc", "doc");
        desk.Files().WriteFile("C:\\Temp\\a.txt", "a");
        SetCurrentDirectoryA("C:\\");
        pidls[1] = vireo::PidlFromPath(nullptr, "C:\\Windows");
        pidls[2] = vireo::PidlFromPath(nullptr, "C:\\Temp");
    }
    ~WebViewEventsTest() override {
        vireo::FreePidl(pidls[1]);
        vireo::FreePidl(pidls[2]);
    }
    // Two real item-ID lists, 1 and 2 in the tables below (0 is none); lines name them as {1} and {2}.
    LONG_PTR pidls[3] = {0, 0, 0};
    std::string Named(std::string line) const {
        for (int i = 1; i <= 2; ++i)
            for (size_t at; (at = line.find("{" + std::to_string(i) + "}")) != std::string::npos;)
                line.replace(at, 3, std::to_string(pidls[i]));
        return line;
    }
    Log Named(const Log& lines) const {
        Log out;
        for (const auto& line : lines)
            out.push_back(Named(line));
        return out;
    }

    vireo::WebViewEvents& Web() { return *container.web->events; }
    HWND Progress() const { return FindWindowExA(control->Window(), nullptr, PROGRESS_CLASSA, nullptr); }
    bool ProgressVisible() const { return (GetWindowLongA(Progress(), GWL_STYLE) & WS_VISIBLE) != 0; }
    std::string CurrentDir() const {
        char buf[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, buf);
        return buf;
    }
    // A pending location as NavigateWB leaves it, without its calls in the log.
    void Pending(const Variant& where) {
        control->NavigateWB(where);
        log.clear();
    }
    // Log lines, where an expected line ending in '*' matches any line starting with what comes before.
    static void ExpectLog(const Log& actual, const Log& expected) {
        ASSERT_EQ(actual.size(), expected.size()) << testing::PrintToString(actual);
        for (size_t i = 0; i < expected.size(); ++i) {
            const std::string& e = expected[i];
            if (!e.empty() && e.back() == '*')
                EXPECT_EQ(actual[i].rfind(e.substr(0, e.size() - 1), 0), 0u) << actual[i];
            else
                EXPECT_EQ(actual[i], e);
        }
    }
};

TEST_F(WebViewEventsTest, BeforeNavigate2CancelsRedirectsOrLetsThrough) {
    const std::string unavailable = "THE PAGE YOU ARE LOOKING FOR IS CURRENTLY UNAVAILABLE !!!";
    struct Case {
        const char* url;
        const char* pendingURL; // "" : a pending item-ID list instead when pendingPidl is set
        bool pendingPidl;
        const char* treePath;
        bool cancel;
        Log calls;
        std::string status;
        size_t opened; // documents the shell opened
    };
    const Case cases[] = {
        {"res://shdoclc.dll/dnserror.htm", "", false, "", true, {}, unavailable, 0},
        {"RES://shdoclc.dll/http_404.htm",
         "http://gone.example/",
         false,
         "",
         true,
         {},
         "'HTTP://GONE.EXAMPLE/' IS CURRENTLY UNAVAILABLE !!!",
         0},
        {"C:\\Windows", "", false, "C:\\Windows\\", false, {}, "", 0},
        {"C:\\Windows\\", "", false, "C:\\Windows\\", false, {}, "", 0},
        {"C:\\Windows", "", false, "C:\\Temp\\", true, {"Tree.SelectFolder C:\\Windows\\"}, "", 0},
        {"c:\\windows", "", false, "C:\\Windows\\", true, {"Tree.SelectFolder c:\\windows\\"}, "", 0},
        {"C:\\notes.TXT", "", false, "", false, {}, "", 0},
        {"C:\\page.htm", "", false, "", false, {}, "", 0},
        {"C:\\report.doc", "", false, "", true, {}, "", 1},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", false, "", true, {"Tree.SelectFolder #*"}, "", 0},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", true, "", false, {}, "", 0},
        {"http://example.org/", "http://example.org/", false, "", false, {}, "", 0},
        {"C:\\NoSuchFolder\\", "", false, "", false, {}, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        container.tree->selected.sPath = c.treePath;
        control->SetCurrentFolder(Folder{"C:\\Temp\\", "Temp", "", 0, 0});
        if (c.pendingPidl)
            Pending(Variant::Long(pidls[1]));
        else
            Pending(Variant(c.pendingURL));
        control->SetStatusText("");
        control->SetAddressText("typed");
        ShowWindow(Progress(), SW_HIDE);
        // The old folder view's windows, subclassed as the control holds them.
        HWND views[3];
        for (HWND& w : views) {
            w = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 0, 0, control->Window(), nullptr, nullptr,
                                nullptr);
            ASSERT_TRUE(vireo::SubclassWindow(w, PassOn, control.get()));
        }
        control->m_hwndLV2 = views[0];
        control->m_hwndLV = views[1];
        control->m_hwndSV = views[2];
        const size_t openedBefore = desk.Log().Count("ShellExecute");

        bool cancel = false;
        Web().BeforeNavigate2(Variant(c.url), cancel);

        EXPECT_EQ(cancel, c.cancel);
        ExpectLog(log, c.calls);
        EXPECT_EQ(control->StatusText(), c.status);
        EXPECT_EQ(control->AddressText(), c.status.empty() ? "typed" : "C:\\Temp\\");
        EXPECT_EQ(ProgressVisible(), !c.cancel);
        EXPECT_EQ(desk.Log().Count("ShellExecute") - openedBefore, c.opened);
        // Released only when the navigation goes on.
        EXPECT_EQ(control->m_hwndLV2, c.cancel ? views[0] : nullptr);
        EXPECT_EQ(control->m_hwndLV, c.cancel ? views[1] : nullptr);
        EXPECT_EQ(control->m_hwndSV, c.cancel ? views[2] : nullptr);
        for (HWND w : views) {
            EXPECT_EQ(GetPropA(w, "OldWndProc") != nullptr, c.cancel);
            if (c.cancel) vireo::UnsubclassWindow(w);
            DestroyWindow(w);
        }
        control->m_hwndLV2 = control->m_hwndLV = control->m_hwndSV = nullptr;
    }
}

TEST_F(WebViewEventsTest, NavigateComplete2PutsOnlyWebAddressesInTheBox) {
    const struct {
        const char* url;
        const char* box;
    } cases[] = {
        {"http://example.org/a", "http://example.org/a"},
        {"HTTP://Example.ORG/", "HTTP://Example.ORG/"},
        {"https://secure.example/", "typed"}, // only http: counts as a web address here
        {"C:\\Windows\\", "typed"},
        {"res://shdoclc.dll/dnserror.htm", "typed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        control->SetAddressText("typed");
        Web().NavigateComplete2(Variant(c.url));
        EXPECT_EQ(control->AddressText(), c.box);
    }
    EXPECT_TRUE(log.empty());
}

TEST_F(WebViewEventsTest, DocumentCompleteMakesTheLocationCurrentAndReportsIt) {
    constexpr LONG kPlain = 0x50000021; // a file-system folder as the tree reports it (1342177313)
    struct Case {
        const char* url;
        int pendingPidl; // 0, 1 or 2: none or one of the two lists
        int treePidl;    // the tree's selected folder, which it also answers when asked to select one
        bool webWindow;
        int nPidl;
        const char* currentDir;
        Log calls;
    };
    const Case cases[] = {
        {"C:\\Temp", 0, 0, false, 0, "C:\\Temp", {"Event.NotifyURL C:\\Temp\\ | T | U | 0 | 0"}},
        {"C:\\Temp\\a.txt",
         0,
         0,
         true,
         0,
         "C:\\Temp",
         {"Event.NotifyURL C:\\Temp\\a.txt | T | U | 0 | 0", "Event.PanelProperty Title 000"}},
        {"C:\\Windows",
         1,
         1,
         true,
         1,
         "C:\\Windows",
         {"Event.NotifyURL C:\\Windows\\ | T | U | {1} | 1342177313", "Tree.IsRootFolder",
          "Event.PanelProperty Title 001"}},
        // The tree shows another folder: it is asked to select this one, and its echo will report.
        {"C:\\Windows", 1, 2, true, 2, "C:\\Windows", {"Tree.SelectFolder #{1}"}},
        {"http://example.org/",
         0,
         0,
         false,
         0,
         "C:\\",
         {"Event.NotifyURL http://example.org/ | T | U | 0 | 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        control->SetEvents(&events);
        SetCurrentDirectoryA("C:\\");
        container.web->locationName = "T";
        container.web->locationURL = "U";
        container.tree->selected = vireo::TreeFolder{"", "", pidls[c.treePidl], kPlain};
        container.tree->selectResults = {pidls[c.treePidl]};
        control->m_hwndWB = c.webWindow ? container.web->Window() : nullptr;
        Web().TitleChange("Title");
        if (c.pendingPidl)
            Pending(Variant::Long(pidls[c.pendingPidl]));
        else
            Pending(Variant(c.url));
        ShowWindow(Progress(), SW_SHOW);
        control->SetStatusText("loading");

        Web().DocumentComplete(Variant(c.url));

        EXPECT_EQ(log, Named(c.calls));
        EXPECT_EQ(control->SelFolder().nPidl, pidls[c.nPidl]);
        EXPECT_EQ(CurrentDir(), c.currentDir);
        EXPECT_EQ(control->PendingPidl(), 0);
        EXPECT_EQ(control->PendingURL(), "");
        EXPECT_FALSE(ProgressVisible());
        EXPECT_EQ(control->StatusText(), "");
        // Reported locations are listed in the address box.
        const bool reported = !c.calls.empty() && c.calls[0].rfind("Event.NotifyURL", 0) == 0;
        LONG_PTR listed = 0;
        EXPECT_EQ(control->FindHistoryEntry(control->SelFolder().sURL, listed), reported ? 0 : -1);
        EXPECT_EQ(listed, reported ? pidls[c.nPidl] : 0);
    }
}

TEST_F(WebViewEventsTest, ErrorAndBlankPagesChangeNothing) {
    for (const char* url : {"res://shdoclc.dll/dnserror.htm", "RES://x", "about:blank", "About:Home"}) {
        SCOPED_TRACE(url);
        Pending(Variant("http://gone.example/"));
        ShowWindow(Progress(), SW_SHOW);
        control->SetStatusText("loading");
        Web().DocumentComplete(Variant(url));
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(control->PendingURL(), "http://gone.example/");
        EXPECT_TRUE(ProgressVisible());
        EXPECT_EQ(control->StatusText(), "LOADING");
        EXPECT_EQ(control->SelFolder().sURL, "");
    }
}

TEST_F(WebViewEventsTest, ALocationTypedAgainIsFoundByItsListedPidl) {
    constexpr LONG kPlain = 0x10000021;
    container.tree->selected = vireo::TreeFolder{"", "C:\\Temp\\", pidls[2], kPlain};
    Pending(Variant::Long(pidls[2]));
    Web().DocumentComplete(Variant("C:\\Temp"));
    log.clear();

    // The same folder by its path: the list gives back its item-ID list, which the tree shows already.
    Pending(Variant("C:\\Temp"));
    Web().DocumentComplete(Variant("C:\\Temp"));
    EXPECT_EQ(log, (Log{Named("Event.NotifyURL C:\\Temp\\ |  |  | {2} | ") + std::to_string(kPlain)}));
    // Another letter case is another entry.
    log.clear();
    Pending(Variant("c:\\temp"));
    Web().DocumentComplete(Variant("c:\\temp"));
    EXPECT_EQ(log, (Log{"Event.NotifyURL c:\\temp\\ |  |  | 0 | 0"}));
    EXPECT_EQ(SendMessageA(FindWindowExA(control->Window(), nullptr, "ComboBox", nullptr), CB_GETCOUNT, 0, 0),
              2);
}

TEST_F(WebViewEventsTest, StatusTextKeepsTheFolderSizeOrShowsPageMessages) {
    const std::string unavailable = "THE PAGE YOU ARE LOOKING FOR IS CURRENTLY UNAVAILABLE !!!";
    struct Case {
        const char* text;
        const char* decimal;
        const char* thousand;
        const char* location;
        const char* sizeText;
        std::string status;
    };
    const Case cases[] = {
        {"12.5 KB", ".", ",", "C:\\Temp\\", "12.5 KB", "KEEP"},
        {"512 bytes", ".", ",", "C:\\Temp\\", "512 BYTES", "KEEP"},
        {"3 KB", ".", ",", "C:\\Temp\\", "3 KB", "KEEP"},
        {"1,024.5 MB", ".", ",", "C:\\Temp\\", "1,024.5 MB", "KEEP"},
        {"12,5 KB", ",", ".", "C:\\Temp\\", "12,5 KB", "KEEP"},
        {"1.024,5 MB", ",", ".", "C:\\Temp\\", "1.024,5 MB", "KEEP"},
        {"1 object(s) selected, 3 KB", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"KB", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"12.5  KB", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"12.5 GB", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"12;5 KB", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"", ".", ",", "C:\\Temp\\", "", "KEEP"},
        {"res://shdoclc.dll/dnserror.htm", ".", ",", "C:\\Temp\\", "", unavailable},
        {"Done", ".", ",", "http://example.org/", "", "DONE"},
        {"12 KB", ".", ",", "http://example.org/", "", "12 KB"},
        {"Res://shdoclc.dll/x", ".", ",", "http://example.org/", "", unavailable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        desk.System().SetNumberSeparators(c.decimal, c.thousand);
        control->SetCurrentFolder(Folder{c.location, "", "", 0, 0});
        Web().StatusTextChange("999 KB"); // a size known before
        control->SetStatusText("keep");
        control->SetAddressText("typed");
        ShowWindow(Progress(), SW_SHOW);

        Web().StatusTextChange(c.text);

        EXPECT_EQ(control->SizeText(), c.sizeText);
        EXPECT_EQ(control->StatusText(), c.status);
        const bool error = c.status == unavailable;
        EXPECT_EQ(control->AddressText(), error ? c.location : "typed");
        EXPECT_EQ(ProgressVisible(), !error);
    }
}

TEST_F(WebViewEventsTest, ProgressMovesAndHidesTheBar) {
    struct Case {
        bool visible;
        int32_t progress, progressMax;
        bool visibleAfter;
        int pos, max; // the bar afterwards
    };
    const Case cases[] = {
        {false, 5, 10, false, 0, 100},     {true, 5, 0, true, 0, 100},       {true, 5, -3, true, 0, 100},
        {true, 5, 10, true, 5, 10},        {true, 1, 100, true, 1, 100},     {true, 99, 100, true, 99, 100},
        {true, 10, 10, false, 10, 10},     {true, -1, 100, false, 100, 100}, {true, 0, 100, false, 100, 100},
        {true, 150, 100, false, 100, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.progress << "/" << c.progressMax << " visible " << c.visible);
        SendMessageA(Progress(), PBM_SETRANGE32, 0, 100);
        SendMessageA(Progress(), PBM_SETPOS, 0, 0);
        ShowWindow(Progress(), c.visible ? SW_SHOW : SW_HIDE);
        Web().ProgressChange(c.progress, c.progressMax);
        EXPECT_EQ(ProgressVisible(), c.visibleAfter);
        EXPECT_EQ(SendMessageA(Progress(), PBM_GETPOS, 0, 0), c.pos);
        EXPECT_EQ(SendMessageA(Progress(), PBM_GETRANGE, FALSE, 0), c.max);
    }
}

TEST_F(WebViewEventsTest, CommandStatesReachTheHostWithTheNextTitle) {
    struct Case {
        std::vector<std::pair<int32_t, bool>> changes;
        const char* flags; // back, forward, up
    };
    const Case cases[] = {
        {{{2, true}}, "100"},
        {{{1, true}}, "010"},
        {{{1, true}, {2, true}}, "110"},
        {{{2, true}, {2, false}}, "000"},
        {{{-1, true}, {3, true}, {0, true}}, "000"},
    };
    control->m_hwndWB = container.web->Window();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        Web().CommandStateChange(1, false);
        Web().CommandStateChange(2, false);
        log.clear();
        for (auto [command, enable] : c.changes)
            Web().CommandStateChange(command, enable);
        EXPECT_TRUE(log.empty());
        Web().TitleChange("Page");
        EXPECT_EQ(log, (Log{std::string("Event.PanelProperty Page ") + c.flags}));
    }
}

TEST_F(WebViewEventsTest, TitlesAreKeptButReportedOnlyOnceTheWebViewIsFound) {
    Web().TitleChange("First");
    EXPECT_TRUE(log.empty());
    control->m_hwndWB = container.web->Window();
    Web().TitleChange("");
    EXPECT_TRUE(log.empty());
    control->ThisGotFocus();
    EXPECT_EQ(log.at(0), "Event.PanelProperty First 000");
}

} // namespace
