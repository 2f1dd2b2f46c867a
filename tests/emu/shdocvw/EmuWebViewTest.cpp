#include "emu/shdocvw/WebViewFixture.h"
#include "platform/RuntimeError.h"

namespace {

using webtest::Lines;

class EmuWebViewTest : public webtest::WebViewTest {
protected:
    EmuWebViewTest() {
        desk.Files().WriteFile("C:\\docs\\a.txt", std::string(1500, 'x'));
        desk.Files().WriteFile("C:\\docs\\sub\\b.txt", "bb");
        desk.Web().AddPage("http://example.com/", "Example", {"Connecting", "Done"}, {3000, 9000});
        desk.Web().AddPage("http://example.com/two.htm", "Two");
    }
};

TEST_F(EmuWebViewTest, FolderRaisesTheEventsOfANavigationWhenTheQueueIsPumped) {
    web->Navigate("C:\\docs");
    EXPECT_EQ(events.lines, Lines{"Before C:\\docs"}) << "only BeforeNavigate2 is raised at once";
    EXPECT_TRUE(web->Busy());
    EXPECT_EQ(web->DocumentWindow(), nullptr);
    Pump();
    EXPECT_FALSE(web->Busy());
    const Lines expected = {"Before C:\\docs",    "Progress 5000/10000", "NavComplete C:\\docs",
                            "Status 2 object(s)", "Status 1.46 KB",      "Title docs",
                            "Command 2 off",      "Command 1 off",       "DocComplete C:\\docs",
                            "Progress -1/10000"};
    EXPECT_EQ(events.lines, expected);
}

TEST_F(EmuWebViewTest, PageReportsItsRegisteredStepsAndTitle) {
    const Lines expected = {"Before http://example.com/",
                            "Status Connecting",
                            "Progress 3000/10000",
                            "Status Done",
                            "Progress 9000/10000",
                            "NavComplete http://example.com/",
                            "Title Example",
                            "Command 2 off",
                            "Command 1 off",
                            "DocComplete http://example.com/",
                            "Progress -1/10000"};
    EXPECT_EQ(Go("http://example.com/"), expected);
}

struct ErrorCase {
    const char* target;
    const char* asked; // the URL of the first BeforeNavigate2
    const char* errorPage;
    const char* title;
};

TEST_F(EmuWebViewTest, UnreachableAddressesGoOnToTheErrorPage) {
    const ErrorCase cases[] = {
        {"http://nowhere.test/", "http://nowhere.test/",
         "res://shdoclc.dll/dnserror.htm#http://nowhere.test/", "Cannot find server"},
        {"http://EXAMPLE.com/missing.htm", "http://EXAMPLE.com/missing.htm",
         "res://shdoclc.dll/http_404.htm#http://EXAMPLE.com/missing.htm", "The page cannot be found"},
        {"https://example.com/", "https://example.com/",
         "res://shdoclc.dll/dnserror.htm#https://example.com/", "Cannot find server"},
        {"C:\\missing", "C:\\missing", "res://shdoclc.dll/dnserror.htm#C:\\missing", "Cannot find server"},
        {"C:\\docs\\gone.txt", "C:\\docs\\gone.txt", "res://shdoclc.dll/dnserror.htm#C:\\docs\\gone.txt",
         "Cannot find server"},
        {"nowhere.test", "http://nowhere.test", "res://shdoclc.dll/dnserror.htm#http://nowhere.test",
         "Cannot find server"},
    };
    for (const auto& c : cases) {
        std::string page = c.errorPage;
        const Lines expected = {std::string("Before ") + c.asked,
                                "Before " + page,
                                "Progress 5000/10000",
                                "NavComplete " + page,
                                std::string("Title ") + c.title,
                                std::string("Command 2 ") + (&c == &cases[0] ? "off" : "on"),
                                "Command 1 off",
                                "DocComplete " + page,
                                "Progress -1/10000"};
        EXPECT_EQ(Go(c.target), expected) << c.target;
        EXPECT_EQ(web->LocationURL(), page) << c.target;
        EXPECT_EQ(web->LocationName(), c.title) << c.target;
        EXPECT_EQ(FindWindowExA(web->DocumentWindow(), nullptr, "SysListView32", nullptr), nullptr);
    }
}

TEST_F(EmuWebViewTest, CancelledNavigationChangesNothing) {
    Go("C:\\docs");
    HWND document = web->DocumentWindow();
    events.cancel = {"http://example.com/"};
    EXPECT_EQ(Go("http://example.com/"), Lines{"Before http://example.com/"});
    EXPECT_FALSE(web->Busy());
    EXPECT_EQ(web->LocationURL(), "C:\\docs");
    EXPECT_EQ(web->DocumentWindow(), document);
    EXPECT_TRUE(IsWindow(document));
}

TEST_F(EmuWebViewTest, CancellingTheErrorPageKeepsTheDocument) {
    Go("C:\\docs");
    events.cancel = {"res://shdoclc.dll/dnserror.htm#http://nowhere.test/"};
    const Lines expected = {"Before http://nowhere.test/",
                            "Before res://shdoclc.dll/dnserror.htm#http://nowhere.test/"};
    EXPECT_EQ(Go("http://nowhere.test/"), expected);
    EXPECT_FALSE(web->Busy());
    EXPECT_EQ(web->LocationURL(), "C:\\docs");
}

TEST_F(EmuWebViewTest, CancellingANewNavigationLeavesThePendingOneToRun) {
    web->Navigate("C:\\docs");
    events.cancel = {"http://example.com/"};
    web->Navigate("http://example.com/");
    EXPECT_TRUE(web->Busy());
    Pump();
    EXPECT_EQ(web->LocationURL(), "C:\\docs");
}

TEST_F(EmuWebViewTest, ANewerNavigationOrStopDropsThePendingOne) {
    web->Navigate("C:\\docs");
    web->Navigate("http://example.com/two.htm");
    Pump();
    EXPECT_EQ(web->LocationURL(), "http://example.com/two.htm");
    EXPECT_EQ(std::count(events.lines.begin(), events.lines.end(), "DocComplete C:\\docs"), 0);

    events.lines.clear();
    web->Navigate("C:\\docs");
    EXPECT_TRUE(web->Busy());
    web->Stop();
    EXPECT_FALSE(web->Busy());
    Pump();
    EXPECT_EQ(events.lines, Lines{"Before C:\\docs"});
    EXPECT_EQ(web->LocationURL(), "http://example.com/two.htm");
}

TEST_F(EmuWebViewTest, AHandlerThatNavigatesEndsTheRunningSequence) {
    events.onEvent = [this](const std::string& line) {
        if (line == "DocComplete C:\\docs") web->Navigate("http://example.com/two.htm");
    };
    Lines lines = Go("C:\\docs");
    events.onEvent = nullptr;
    auto done = std::find(lines.begin(), lines.end(), "DocComplete C:\\docs");
    ASSERT_NE(done, lines.end());
    const Lines after = {"DocComplete C:\\docs",
                         "Before http://example.com/two.htm",
                         "NavComplete http://example.com/two.htm",
                         "Title Two",
                         "Command 2 on",
                         "Command 1 off",
                         "DocComplete http://example.com/two.htm",
                         "Progress -1/10000"};
    EXPECT_EQ(Lines(done, lines.end()), after) << "the first load's ProgressChange(-1) is dropped";
    EXPECT_EQ(web->LocationURL(), "http://example.com/two.htm");
    EXPECT_FALSE(web->Busy());
}

struct HistoryStep {
    const char* action; // "go <target>", "back", "forward"
    bool throws;
    const char* location; // after pumping
    bool canBack, canForward;
};

TEST_F(EmuWebViewTest, HistoryMovesBackAndForwardAndReportsItsState) {
    const HistoryStep steps[] = {
        {"back", true, "", false, false},
        {"go C:\\docs", false, "C:\\docs", false, false},
        {"go http://example.com/", false, "http://example.com/", true, false},
        {"go C:\\docs\\sub", false, "C:\\docs\\sub", true, false},
        {"forward", true, "C:\\docs\\sub", true, false},
        {"back", false, "http://example.com/", true, true},
        {"back", false, "C:\\docs", false, true},
        {"back", true, "C:\\docs", false, true},
        {"forward", false, "http://example.com/", true, true},
        {"go http://example.com/two.htm", false, "http://example.com/two.htm", true, false},
        {"forward", true, "http://example.com/two.htm", true, false},
        {"back", false, "http://example.com/", true, true},
    };
    bool knownBack = false, knownForward = false;
    for (const auto& s : steps) {
        std::string action = s.action;
        events.lines.clear();
        bool threw = false;
        try {
            if (action == "back")
                web->GoBack();
            else if (action == "forward")
                web->GoForward();
            else
                web->Navigate(action.substr(3));
        } catch (const vireo::RuntimeError& e) {
            threw = true;
            EXPECT_NE(e.Description().find("failed"), std::string::npos);
        }
        EXPECT_EQ(threw, s.throws) << action;
        Pump();
        EXPECT_EQ(web->LocationURL(), s.location) << action;
        for (const auto& line : events.lines) {
            if (line.rfind("Command 2 ", 0) == 0) knownBack = line.back() == 'n';
            if (line.rfind("Command 1 ", 0) == 0) knownForward = line.back() == 'n';
        }
        EXPECT_EQ(knownBack, s.canBack) << action;
        EXPECT_EQ(knownForward, s.canForward) << action;
        if (!s.throws && action.rfind("go ", 0) != 0) {
            EXPECT_EQ(events.lines.front(), "Before " + std::string(s.location))
                << "the history's navigations ask too";
        }
    }
}

struct LocationCase {
    const char* target;
    const char* name;
    const char* url;
};

TEST_F(EmuWebViewTest, LocationNameAndUrlOfEachKindOfPlace) {
    desk.Files().MountScratchShare("srv", "pub");
    const LocationCase cases[] = {
        {"C:\\docs", "docs", "C:\\docs"},
        {"C:\\docs\\", "docs", "C:\\docs"},
        {"C:\\", "Local Disk (C:)", "C:\\"},
        {"\\\\srv\\pub", "pub", "\\\\srv\\pub"},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "My Computer",
         "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
        {"C:\\docs\\a.txt", "a.txt", "C:\\docs\\a.txt"},
        {"http://example.com/", "Example", "http://example.com/"},
        {"about:blank", "about:blank", "about:blank"},
    };
    for (const auto& c : cases) {
        Lines lines = Go(c.target);
        EXPECT_EQ(web->LocationName(), c.name) << c.target;
        EXPECT_EQ(web->LocationURL(), c.url) << c.target;
        EXPECT_EQ(lines.back(), "Progress -1/10000") << c.target;
    }
}

TEST_F(EmuWebViewTest, Navigate2TakesAnItemIdListOrText) {
    const LocationCase cases[] = {
        {"C:\\docs\\sub", "sub", "C:\\docs\\sub"},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "My Computer",
         "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    };
    for (const auto& c : cases) {
        events.lines.clear();
        web->Navigate2(PidlOf(c.target));
        EXPECT_EQ(events.lines, Lines{"Before " + std::string(c.url)}) << c.target;
        Pump();
        EXPECT_EQ(web->LocationName(), c.name) << c.target;
        EXPECT_EQ(web->LocationURL(), c.url) << c.target;
    }
    web->Navigate2(vireo::Variant("http://example.com/two.htm"));
    Pump();
    EXPECT_EQ(web->LocationName(), "Two");
    EXPECT_THROW(web->Navigate2(vireo::Variant()), vireo::RuntimeError);
    EXPECT_THROW(web->Navigate2(vireo::Variant::Bytes({5, 0, 1})), vireo::RuntimeError);
}

TEST_F(EmuWebViewTest, OtherFilesAreOpenedByTheShell) {
    desk.Files().WriteFile("C:\\docs\\report.doc", "doc");
    Go("C:\\docs");
    EXPECT_EQ(Go("C:\\docs\\report.doc"), Lines{"Before C:\\docs\\report.doc"});
    EXPECT_FALSE(web->Busy());
    EXPECT_EQ(web->LocationURL(), "C:\\docs");
    auto started = desk.Log().OfKind("ShellExecute");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].fields.at(1), "C:\\docs\\report.doc");
}

TEST_F(EmuWebViewTest, RefreshListsAFolderAgainAtOnceAndReloadsAPageWithoutNavigating) {
    Go("C:\\docs");
    HWND list = web->FolderList();
    desk.Files().WriteFile("C:\\docs\\c.txt", std::string(2048, 'c'));
    events.lines.clear();
    web->Refresh();
    const Lines folder = {"Status 3 object(s)", "Status 3.46 KB"};
    EXPECT_EQ(events.lines, folder);
    EXPECT_EQ(web->FolderList(), list);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_FALSE(web->Busy());

    Go("http://example.com/");
    events.lines.clear();
    web->Refresh2(vireo::kRefreshCompletely);
    EXPECT_TRUE(web->Busy());
    Pump();
    const Lines page = {"Status Connecting",   "Progress 3000/10000", "Status Done",
                        "Progress 9000/10000", "Title Example",       "Progress -1/10000"};
    EXPECT_EQ(events.lines, page);
    EXPECT_FALSE(web->Busy());
    auto records = desk.Log().OfKind("WebView");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Text(), "WebView: Refresh | C:\\docs");
    EXPECT_EQ(records[1].Text(), "WebView: Refresh2 | 3 | http://example.com/");
}

TEST_F(EmuWebViewTest, ExecWBReachesDocumentsOnly) {
    EXPECT_THROW(web->ExecWB(6, 1), vireo::RuntimeError) << "no document yet";
    Go("C:\\docs");
    EXPECT_THROW(web->ExecWB(6, 1), vireo::RuntimeError) << "the folder view prints nothing";
    Go("http://example.com/");
    web->ExecWB(6, 1);
    Go("C:\\docs\\a.txt");
    web->ExecWB(4, 1);
    auto records = desk.Log().OfKind("WebView");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Text(), "WebView: ExecWB | 6 | 1 | http://example.com/");
    EXPECT_EQ(records[1].Text(), "WebView: ExecWB | 4 | 1 | C:\\docs\\a.txt");
}

TEST_F(EmuWebViewTest, TheWebViewOutlivingItsParentFailsCleanly) {
    Go("C:\\docs");
    DestroyWindow(form);
    form = nullptr;
    EXPECT_EQ(web->Window(), nullptr);
    EXPECT_THROW(web->Navigate("C:\\docs"), vireo::RuntimeError);
    EXPECT_FALSE(web->Busy());
}

} // namespace
