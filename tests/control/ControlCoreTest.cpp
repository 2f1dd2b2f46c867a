#include "ControlFixture.h"
#include "support/ThreadState.h"
#include "platform/RuntimeError.h"

using fakes::Log;
using vireo::Folder;
using vireo::Variant;

namespace {

class ControlCoreTest : public ControlFixture {};

TEST_F(ControlCoreTest, ShellNotifyWaitsForALocation) {
    control->ShellNotify();
    EXPECT_TRUE(log.empty());
    control->SetCurrentFolder(Folder{"C:\\x\\", "x", "file:///C:/x", 1234, 0});
    control->ShellNotify();
    EXPECT_EQ(log, (Log{"Tree.ShellNotify 1234"}));
}

TEST_F(ControlCoreTest, OpenArchiveExPassesTheTextUnchanged) {
    control->OpenArchiveEx("");
    control->OpenArchiveEx("C:\\a b\\c.ZIP");
    EXPECT_EQ(log, (Log{"Event.OpenArchive ", "Event.OpenArchive C:\\a b\\c.ZIP"}));
}

TEST_F(ControlCoreTest, TreeMembersPassThroughAndTheirFailuresReachTheHost) {
    container.tree->parentPidl = 99;
    std::string name = "Sub";
    EXPECT_TRUE(control->GoToParent());
    EXPECT_TRUE(control->GoToChild(name));
    EXPECT_EQ(control->ParentPidl(), 99);
    EXPECT_EQ(log, (Log{"Tree.GoToParent", "Tree.GoToChild Sub", "Tree.ParentPidl"}));

    container.tree->failAll = true;
    control->SetCurrentFolder(Folder{"C:\\", "C:", "", 5, 0});
    EXPECT_THROW(control->GoToParent(), vireo::RuntimeError);
    EXPECT_THROW(control->GoToChild(name), vireo::RuntimeError);
    EXPECT_THROW(control->ParentPidl(), vireo::RuntimeError);
    EXPECT_THROW(control->ShellNotify(), vireo::RuntimeError);
}

TEST_F(ControlCoreTest, VirtualLocationsShowTheirDisplayName) {
    struct Case {
        bool win2000, winMe;
        LONG attr;
        bool isVirtual;
    };
    const Case cases[] = {
        {false, false, 0, false},               // attributes not read
        {false, false, 0x21, false},            // can copy and delete: a plain folder on NT 4 and 98
        {false, false, 0x20, true},             // cannot copy
        {false, false, LONG(0xA0000000), true}, // the desktop: folder bits only
        {true, false, 0x21, true},              // NT 5 also wants file-system-ancestor
        {true, false, 0x10000021, false},       //
        {false, true, LONG(0x70000021), false}, // Windows Me, with more bits set
        {false, true, 0x10000001, true},        //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attr);
        vireo::Shared().g_bWin2000 = c.win2000;
        vireo::Shared().g_bWinMe = c.winMe;
        control->SetCurrentFolder(Folder{"C:\\dir\\", "dir name", "", 1, c.attr});
        EXPECT_EQ(control->IsVirtualLocation(), c.isVirtual);
        EXPECT_EQ(control->LocationDisplayText(), c.isVirtual ? "dir name" : "C:\\dir\\");
    }
}

TEST_F(ControlCoreTest, CanGoUpAsksTheTreeOrLooksAtTheUNCPath) {
    struct Case {
        const char* url;
        LONG_PTR pidl;
        bool root;
        bool up;
    };
    const Case cases[] = {
        {"C:\\", 7, true, false},       {"C:\\dir\\", 7, false, true},  {"\\\\srv\\share\\", 0, false, true},
        {"\\\\srv\\", 0, false, false}, {"http://a/", 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        container.tree->isRoot = c.root;
        control->SetCurrentFolder(Folder{c.url, "", "", c.pidl, 0});
        EXPECT_EQ(control->CanGoUp(), c.up);
    }
}

TEST_F(ControlCoreTest, StatusTextIsShownInCapitals) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc xyz !!!", "ABC XYZ !!!"},
        {"'c:\\temp' is currently unavailable !!!", "'C:\\TEMP' IS CURRENTLY UNAVAILABLE !!!"},
        {"caf\xe9 \xe0 la cr\xe8me", "CAF\xc9 \xc0 LA CR\xc8ME"},
        {"", ""},
    };
    for (auto [in, want] : cases) {
        control->SetStatusText(in);
        EXPECT_EQ(control->StatusText(), want);
    }
}

TEST_F(ControlCoreTest, StatusAndAddressTextsOfAnyLengthReadBackWhole) {
    // Lengths around the 16-bit boundary of the status bar's SB_GETTEXTLENGTH answer.
    for (size_t length : {65535u, 65536u, 65547u, 131072u}) {
        SCOPED_TRACE(length);
        control->SetStatusText(std::string(length, 'z'));
        EXPECT_EQ(control->StatusText(), std::string(length, 'Z'));
        control->SetAddressText(std::string(length, 'a'));
        EXPECT_EQ(control->AddressText(), std::string(length, 'a'));
    }
}

TEST_F(ControlCoreTest, TheWebViewFollowsTheTreeUntilTheEchoEnds) {
    container.tree->selected = vireo::TreeFolder{"Temp", "C:\\Temp\\", 0, 0};
    control->SetCurrentFolder(Folder{"C:\\Temp\\", "", "", 0, 0});
    container.tree->events->FolderChanged(); // same list: nothing
    EXPECT_TRUE(log.empty());
    control->SetCurrentFolder(Folder{"C:\\", "", "", 12, 0});
    container.tree->events->FolderChanged(); // the tree is elsewhere: the web view follows by list
    EXPECT_EQ(log, (Log{"Web.Navigate2 (empty)"}));
    EXPECT_EQ(control->PendingPidl(), 0);
}

TEST_F(ControlCoreTest, AddressBoxFocusIsToldToTheHost) {
    HWND combo = FindWindowExA(control->Window(), nullptr, "ComboBox", nullptr);
    ASSERT_NE(combo, nullptr);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    SetFocus(edit ? edit : combo);
    SetFocus(control->Window());
    EXPECT_EQ(log, (Log{"Event.CombUrlGotFocus", "Event.CombUrlLostFocus"}));
}

TEST_F(ControlCoreTest, StartUpSetsThePlatformFlagsAndHidesTheProgressBar) {
    HWND progress = FindWindowExA(control->Window(), nullptr, "msctls_progress32", nullptr);
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(container.tree->visible);
    EXPECT_TRUE(vireo::Shared().g_bWinNT); // the emulated desktop starts as Windows XP
    EXPECT_TRUE(vireo::Shared().g_bWin2000);
    EXPECT_FALSE(vireo::Shared().g_bWinMe);
}

} // namespace
