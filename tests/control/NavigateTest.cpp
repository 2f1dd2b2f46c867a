#include "ControlFixture.h"
#include "platform/emu/core/Script.h"
#include "control/Dispatch.h"
#include "platform/RuntimeError.h"
#include "support/mmShellMacro.h"
#include <cstring>
#include <optional>

using fakes::Log;
using vireo::Variant;

namespace {

class NavigateTest : public ControlFixture {
protected:
    NavigateTest() {
        desk.Files().MakeDir("C:\\Windows\\System");
        desk.Files().MakeDir("C:\\pages");
        desk.Files().WriteFile("C:\\pages\\page.HTML", "<html></html>");
        desk.Files().WriteFile("C:\\pages\\page.htm", "<html></html>");
        desk.Files().WriteFile("C:\\data.tar.gz", "x");
        desk.Files().WriteFile("C:\\backup.Z", "x");
        desk.Files().WriteFile("C:\\backup.z", "x");
        desk.Files().WriteFile("C:\\site.url", "[InternetShortcut]\r\nURL=http://example.org/\r\n");
        desk.Files().WriteFile("C:\\broken.url", "this is not an ini file");
        desk.Files().WriteFile("C:\\notes.TXT", "hello");
        desk.Files().WriteFile("C:\\thing.xyz", "?");
        auto share = desk.ScratchDir() / "share";
        std::filesystem::create_directories(share / "docs");
        desk.Files().AddShare("server", "share", share);
        SetCurrentDirectoryA("C:\\");
    }

    struct Outcome {
        LONG_PTR result;
        std::optional<bool> success; // none: the caller's value was left alone
    };

    // Runs NavigateTV twice, with the caller's flag first False then True, to tell "left alone" from "set".
    Outcome Navigate(const Variant& url) {
        bool flag = false;
        LONG_PTR r = control->NavigateTV(url, &flag);
        const Log first = log;
        log.clear();
        bool flag2 = true;
        container.tree->selectResults = savedResults;
        control->NavigateTV(url, &flag2);
        log = first;
        return Outcome{r, flag == flag2 ? std::optional<bool>(flag) : std::nullopt};
    }
    std::deque<LONG_PTR> savedResults;

    // A member called as a host calls it, through the dispatch table.
    Variant HostCall(const char* name, std::vector<Variant>& args) {
        return vireo::Invoke(*control, vireo::FindMember(name)->id, vireo::kDispMethod, args);
    }
};

struct DestinationCase {
    const char* url;
    std::vector<std::string> calls; // log lines of the first run
    std::optional<bool> success;
    const char* status = ""; // the status bar afterwards
};

TEST_F(NavigateTest, EachKindOfLocationGoesToItsDestination) {
    const std::string unavailable = " IS CURRENTLY UNAVAILABLE !!!";
    const DestinationCase cases[] = {
        {"", {}, std::nullopt},
        {"about:blank", {}, std::nullopt},
        {"ABOUT:Blank", {}, std::nullopt},
        {"C:\\Windows", {"Tree.SelectFolder C:\\Windows"}, false},
        {"c:\\WINDOWS\\system", {"Tree.SelectFolder c:\\WINDOWS\\system"}, false},
        {"C:\\NoSuchDir", {}, true, "'C:\\NOSUCHDIR' IS CURRENTLY UNAVAILABLE !!!"},
        {"Windows", {}, std::nullopt},
        {"Windows\\nosuchfile", {}, std::nullopt},
        {"\\\\server", {"Web.Navigate \\\\server"}, true},
        {"\\\\server\\", {"Web.Navigate \\\\server\\"}, true},
        {"\\\\", {"Web.Navigate \\\\"}, true},
        {"\\\\server\\share", {"Web.Navigate \\\\server\\share"}, true},
        {"\\\\SERVER\\Share\\docs", {"Web.Navigate \\\\SERVER\\Share\\docs"}, true},
        {"\\\\server\\missing", {}, true, "'\\\\SERVER\\MISSING' IS CURRENTLY UNAVAILABLE !!!"},
        {"C:\\pages\\page.HTML", {"Web.Navigate C:\\pages\\page.HTML"}, true},
        {"c:\\PAGES\\page.htm", {"Web.Navigate c:\\PAGES\\page.htm"}, true},
        {"C:\\data.tar.gz", {"Event.OpenArchive C:\\data.tar.gz"}, true},
        {"C:\\backup.Z", {"Event.OpenArchive C:\\backup.Z"}, true},
        {"C:\\backup.z", {"Event.OpenArchive C:\\backup.z"}, true},
        {"C:\\site.url", {"Event.OpenURL http://example.org/"}, true},
        {"C:\\broken.url", {"Event.OpenURL "}, true},
        {"C:\\thing.xyz", {}, std::nullopt},
        {"ftp://host", {"Event.OpenFTP ftp://host"}, true},
        {"FTP://HOST/dir", {"Event.OpenFTP FTP://HOST/dir"}, true},
        {"ftp.example.org", {"Event.OpenFTP ftp.example.org"}, true},
        {"http://example.org/a", {"Web.Navigate http://example.org/a"}, true},
        {"HTTP://EXAMPLE.ORG", {"Web.Navigate HTTP://EXAMPLE.ORG"}, true},
        {"www.example.org", {"Web.Navigate http://www.example.org"}, true},
        {"WWW.Example.org", {"Web.Navigate http://WWW.Example.org"}, true},
        {"gopher://hole", {"Web.Navigate gopher://hole"}, true},
        {"https://secure", {"Web.Navigate https://secure"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        log.clear();
        control->SetStatusText("");
        control->SetAddressText("typed");
        Outcome o = Navigate(Variant(c.url));
        EXPECT_EQ(log, c.calls);
        EXPECT_EQ(o.success, c.success);
        EXPECT_EQ(o.result, 0);
        EXPECT_EQ(control->StatusText(), c.status);
        // A refused or handed-off location does not stay typed in the box.
        const bool restored = std::string(c.status).find(unavailable) != std::string::npos ||
                              (!c.calls.empty() && c.calls[0].rfind("Event.OpenFTP", 0) == 0);
        EXPECT_EQ(control->AddressText(), restored ? "" : "typed");
    }
}

TEST_F(NavigateTest, TheTreeAnswersForDriveFoldersAndItemLists) {
    savedResults = {4242, 4242};
    container.tree->selectResults = savedResults;
    Outcome byPath = Navigate(Variant("C:\\Windows"));
    EXPECT_EQ(byPath.result, 4242);
    EXPECT_EQ(byPath.success, true);

    savedResults = {777, 777};
    container.tree->selectResults = savedResults;
    log.clear();
    Outcome byList = Navigate(Variant::Long(777));
    EXPECT_EQ(log, (Log{"Tree.SelectFolder #777"}));
    EXPECT_EQ(byList.result, 777);
    EXPECT_EQ(byList.success, true);

    savedResults = {};
    container.tree->selectResults = {};
    Outcome refused = Navigate(Variant::Long(778));
    EXPECT_EQ(refused.result, 0);
    EXPECT_EQ(refused.success, false);
}

// A host's number that is not a list of the shell allocator is never read: both members raise run-time
// error 5 and leave the tree, the web view and the caller's flag alone.
TEST_F(NavigateTest, ANumberThatIsNoListIsRefused) {
    void* bytes = CoTaskMemAlloc(4);
    std::memcpy(bytes, "\x09\x00\x01\x02", 4); // an item running past its block
    const void* freed = CoTaskMemAlloc(2);
    CoTaskMemFree(const_cast<void*>(freed));
    const int64_t numbers[] = {12,
                               -1,
                               0xFFFFFFFF,
                               reinterpret_cast<LONG_PTR>(bytes) + 2,
                               reinterpret_cast<LONG_PTR>(bytes),
                               reinterpret_cast<LONG_PTR>(freed)};
    for (int64_t n : numbers) {
        SCOPED_TRACE(n);
        log.clear();
        std::vector<Variant> args = {Variant::Long(n), Variant::Boolean(true)};
        try {
            HostCall("NavigateTV", args);
            ADD_FAILURE() << "NavigateTV took the number";
        } catch (const vireo::RuntimeError& e) {
            EXPECT_EQ(e.Number(), 5);
            EXPECT_EQ(e.Description(), "NavigateTV: " + std::to_string(n) + " is not an item-ID list");
        }
        EXPECT_EQ(args[1], Variant::Boolean(true));
        args.resize(1);
        EXPECT_THROW(HostCall("NavigateWB", args), vireo::RuntimeError);
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(control->PendingPidl(), 0);
    }
    CoTaskMemFree(bytes);

    // A list the caller built with the shell allocator goes through.
    void* own = CoTaskMemAlloc(6);
    std::memcpy(own, "\x04\x00\x07\x07\x00\x00", 6);
    const auto ownNumber = reinterpret_cast<LONG_PTR>(own);
    std::vector<Variant> args = {Variant::Long(ownNumber)};
    HostCall("NavigateWB", args);
    EXPECT_EQ(control->PendingPidl(), ownNumber);
    EXPECT_EQ(log, (Log{"Web.Navigate2 bytes=6"}));
    CoTaskMemFree(own);
}

TEST_F(NavigateTest, DocumentsOpenThroughTheirAssociation) {
    Outcome o = Navigate(Variant("C:\\notes.TXT"));
    EXPECT_EQ(o.success, true);
    EXPECT_TRUE(log.empty());
    ASSERT_GE(desk.Log().Count("ShellExecute"), 1u);
    const auto rec = desk.Log().OfKind("ShellExecute").front();
    EXPECT_NE(rec.Text().find("C:\\notes.TXT"), std::string::npos) << rec.Text();
}

TEST_F(NavigateTest, UnknownTextAsksWhatKindOfAddressItIs) {
    const std::string ask =
        "Choice.Ask Select URL Type of 'foo' | Linnet | &HTTP URL | &FTP URL | &Cancel |  | ";
    struct Case {
        const char* answer;
        std::vector<std::string> after;
        std::optional<bool> success;
        const char* address;
    };
    const Case cases[] = {
        {"press &HTTP URL", {"Web.Navigate foo"}, true, "typed"},
        {"press &FTP URL", {"Event.OpenFTP foo"}, true, ""},
        {"press &Cancel", {}, true, ""},
        {"close", {}, std::nullopt, "typed"},
        {"escape", {}, std::nullopt, "typed"},
        {nullptr, {}, std::nullopt, "typed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "unanswered");
        log.clear();
        control->SetAddressText("typed");
        AnswerChoices({c.answer, c.answer});
        Outcome o = Navigate(Variant("foo"));
        Log want{ask};
        want.insert(want.end(), c.after.begin(), c.after.end());
        EXPECT_EQ(log, want);
        EXPECT_EQ(o.success, c.success);
        EXPECT_EQ(control->AddressText(), c.address);
    }
}

TEST_F(NavigateTest, OddVariantsAndHugeTextsAreTakenAsText) {
    AnswerChoices({"press &Cancel", "press &Cancel", "press &Cancel", "press &Cancel"});
    Navigate(Variant::Integer(5));
    EXPECT_EQ(log.at(0), "Choice.Ask Select URL Type of '5' | Linnet | &HTTP URL | &FTP URL | &Cancel |  | ");
    log.clear();
    const std::string huge(10000, 'a');
    Outcome o = Navigate(Variant(huge));
    EXPECT_EQ(o.success, true);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].size(), std::string("Choice.Ask Select URL Type of '").size() + huge.size() +
                                 std::string("' | Linnet | &HTTP URL | &FTP URL | &Cancel |  | ").size());
}

TEST_F(NavigateTest, NavigateWBStopsABusyViewAndRemembersThePendingLocation) {
    container.web->busy = true;
    control->NavigateWB(Variant("http://a/"));
    EXPECT_EQ(log, (Log{"Web.Stop", "Web.Navigate http://a/"}));
    EXPECT_EQ(control->PendingURL(), "http://a/");
    EXPECT_EQ(control->PendingPidl(), 0);

    log.clear();
    control->NavigateWB(Variant::Double(1.5));
    control->NavigateWB(Variant());
    EXPECT_TRUE(log.empty()) << "only a busy view is stopped; other types do nothing";
    EXPECT_EQ(control->PendingURL(), "http://a/");

    control->NavigateWB(Variant::Long(0));
    EXPECT_EQ(log, (Log{"Web.Navigate2 (empty)"}));
    EXPECT_EQ(control->PendingURL(), "");
}

TEST_F(NavigateTest, AFailingWebViewIsIgnored) {
    container.web->failAll = true;
    Outcome o = Navigate(Variant("http://example.org/"));
    EXPECT_EQ(o.success, true);
    EXPECT_EQ(control->PendingURL(), "http://example.org/");
    EXPECT_FALSE(control->IsBusy());
}

TEST_F(NavigateTest, URLPropertyDropsResultAndFlag) {
    control->SetURL("ftp.example.org");
    EXPECT_EQ(log, (Log{"Event.OpenFTP ftp.example.org"}));
}

TEST_F(NavigateTest, AHandlerMayCallBackIntoTheControl) {
    events.onEvent = [this] {
        events.onEvent = nullptr;
        control->NavigateTV(Variant("C:\\data.tar.gz"));
    };
    control->NavigateTV(Variant("ftp.example.org"));
    EXPECT_EQ(log, (Log{"Event.OpenFTP ftp.example.org", "Event.OpenArchive C:\\data.tar.gz"}));
}

} // namespace
