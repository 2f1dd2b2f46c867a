#include "ControlFixture.h"

using fakes::Log;
using vireo::Folder;
using vireo::Variant;

namespace {

class MovementTest : public ControlFixture {
protected:
    MovementTest() {
        desk.Files().MakeDir("C:\\Windows\\System");
        desk.Files().MakeDir("C:\\dir");
        desk.Files().WriteFile("C:\\dir\\a.htm", "<html></html>");
    }
    void At(const char* url, LONG_PTR pidl = 0) {
        control->SetCurrentFolder(Folder{url, "", "", pidl, 0});
        log.clear();
    }
};

TEST_F(MovementTest, EveryCommandStopsABusyViewFirst) {
    using Command = void (vireo::VireoBrowser::*)();
    const std::pair<const char*, Command> commands[] = {
        {"GoBack", &vireo::VireoBrowser::GoBack},   {"GoForward", &vireo::VireoBrowser::GoForward},
        {"GoUp", &vireo::VireoBrowser::GoUp},       {"GoToDriveRoot", &vireo::VireoBrowser::GoToDriveRoot},
        {"Refresh", &vireo::VireoBrowser::Refresh}, {"Reload", &vireo::VireoBrowser::Reload},
        {"StopEx", &vireo::VireoBrowser::StopEx},
    };
    for (auto [name, command] : commands) {
        SCOPED_TRACE(name);
        At("http://site/");
        container.web->busy = true;
        (control.get()->*command)();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), "Web.Stop");
        log.clear();
        (control.get()->*command)(); // no longer busy: no second stop
        EXPECT_TRUE(log.empty() || log.front() != "Web.Stop");
    }
}

TEST_F(MovementTest, CommandsActOnTheCurrentLocation) {
    struct Case {
        const char* name;
        void (vireo::VireoBrowser::*command)();
        const char* url;
        std::vector<std::string> calls;
        const char* status = "";
    };
    const Case cases[] = {
        {"root of a deep folder",
         &vireo::VireoBrowser::GoToDriveRoot,
         "C:\\Windows\\System\\",
         {"Tree.SelectFolder C:\\"}},
        {"root of a web page", &vireo::VireoBrowser::GoToDriveRoot, "http://site/", {}},
        {"root of a UNC path", &vireo::VireoBrowser::GoToDriveRoot, "\\\\srv\\share\\", {}},
        {"refresh a page", &vireo::VireoBrowser::Refresh, "HTTP://site/", {"Web.Refresh2 3"}},
        {"refresh a folder", &vireo::VireoBrowser::Refresh, "C:\\dir\\", {"Web.Refresh"}},
        {"reload by text", &vireo::VireoBrowser::Reload, "http://site/", {"Web.Navigate http://site/"}},
        {"reload nothing", &vireo::VireoBrowser::Reload, "", {}},
        {"back", &vireo::VireoBrowser::GoBack, "", {"Web.GoBack"}},
        {"forward", &vireo::VireoBrowser::GoForward, "", {"Web.GoForward"}},
        {"up from a file", &vireo::VireoBrowser::GoUp, "C:\\dir\\a.htm", {"Tree.SelectFolder C:\\dir\\"}},
        {"up from an FTP folder",
         &vireo::VireoBrowser::GoUp,
         "ftp://host/dir/",
         {"Event.OpenFTP ftp://host"}},
        // ftp://host/ comes down to "ftp:/", which no rule claims: the user is asked what it is.
        {"up from an FTP root",
         &vireo::VireoBrowser::GoUp,
         "ftp://host/",
         {"Choice.Ask Select URL Type of 'ftp:/' | Linnet | &HTTP URL | &FTP URL | &Cancel |  | "}},
        {"up from a UNC folder",
         &vireo::VireoBrowser::GoUp,
         "\\\\srv\\share\\dir\\",
         {},
         "'\\\\SRV\\SHARE' IS CURRENTLY UNAVAILABLE !!!"},
        {"up from a share", &vireo::VireoBrowser::GoUp, "\\\\srv\\share\\", {"Web.Navigate \\\\srv"}},
        {"up from a web page", &vireo::VireoBrowser::GoUp, "http://site/a/", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        At(c.url);
        control->SetStatusText("");
        (control.get()->*c.command)();
        EXPECT_EQ(log, c.calls);
        EXPECT_EQ(control->StatusText(), c.status);
    }
}

TEST_F(MovementTest, UpOneLevelReportsWhetherItStartedANavigation) {
    struct Case {
        const char* url;
        LONG_PTR pidl;
        bool treeMoves;
        bool started;
    };
    const Case cases[] = {
        {"ftp://host/dir/", 0, false, true}, {"C:\\Windows\\", 5, true, true},
        {"C:\\", 5, false, false},           {"\\\\srv\\share\\", 0, false, false},
        {"C:\\dir\\a.htm", 0, false, true},  {"http://site/", 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        At(c.url, c.pidl);
        container.tree->goResult = c.treeMoves;
        EXPECT_EQ(control->UpOneLevel(), c.started);
    }
    At("C:\\Windows\\", 5);
    control->UpOneLevel();
    EXPECT_EQ(log, (Log{"Tree.GoToParent"})) << "a location with a list asks the tree, not the path";
}

TEST_F(MovementTest, GoingBackWithAnEmptyHistoryIsSilent) {
    container.web->failAll = true;
    At("http://site/");
    EXPECT_NO_THROW(control->GoBack());
    EXPECT_NO_THROW(control->GoForward());
    EXPECT_NO_THROW(control->Refresh());
}

} // namespace
