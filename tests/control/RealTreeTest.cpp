// The control on the real folder tree component: the tree's moves reach the web view through FolderChanged,
// the control passes the tree's answers on, and the web view is not sent again to the folder it shows.
#include "components/VireoTV/VireoTreeView.h"
#include "control/ControlFixture.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "support/mmShellMacro.h"
#include <algorithm>

namespace {

// The recording container, but with the real tree.
class TreeContainer : public fakes::FakeContainer {
public:
    using FakeContainer::FakeContainer;
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND parent) override {
        return vireo::CreateVireoTreeView(parent);
    }
};

class RealTreeTest : public ::testing::Test {
protected:
    RealTreeTest() {
        desk.Files().MountScratch('C');
        desk.Files().MakeDir("C:\\dir\\Sub");
        desk.Files().WriteFile("C:\\dir\\note.txt", "x");
        container.parent = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                           nullptr, nullptr, nullptr);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        control->SetEvents(&events);
    }
    ~RealTreeTest() override {
        control->Tree()->Terminate();
        control.reset();
        DestroyWindow(container.parent);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "a list was not freed";
    }
    // The web view finished showing what the control asked for: the tree's folder becomes current.
    void Complete() {
        const vireo::TreeFolder f = control->Tree()->SelectedFolder();
        vireo::Folder cur;
        cur.sURL = f.sPath;
        cur.nPidl = f.nPidl;
        control->SetCurrentFolder(cur);
    }
    size_t Navigations() const {
        return static_cast<size_t>(
            std::count_if(log.begin(), log.end(), [](auto& l) { return l.rfind("Web.Navigate2", 0) == 0; }));
    }

    emu::Desktop desk;
    size_t before = emu::TaskAllocator::LiveBlocks();
    fakes::Log log;
    TreeContainer container{log};
    fakes::EventLog events{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
};

TEST_F(RealTreeTest, APathAndItsListSelectTheSameFolderAndSendTheWebViewOnce) {
    bool ok = false;
    const LONG_PTR byPath = control->NavigateTV(vireo::Variant("C:\\dir"), &ok);
    ASSERT_NE(byPath, 0);
    EXPECT_TRUE(ok);
    EXPECT_EQ(control->Tree()->SelectedFolder().sPath, "C:\\dir\\");
    EXPECT_EQ(control->PendingPidl(), byPath) << "the web view is pointed at the tree's list";
    EXPECT_EQ(Navigations(), 1u);
    Complete();

    // The same folder by an item-ID list of the caller's: the tree answers with its own list and, as the
    // folder is already shown, the web view is not sent again.
    const LONG_PTR own = vireo::PidlFromPath(nullptr, "C:\\dir");
    ASSERT_NE(own, 0);
    const LONG_PTR byList = control->NavigateTV(vireo::Variant::Long(own), &ok);
    vireo::FreePidl(own);
    EXPECT_EQ(byList, byPath);
    EXPECT_EQ(Navigations(), 1u);
}

TEST_F(RealTreeTest, UpAndDownTheTreeFollowTheFolders) {
    control->NavigateTV(vireo::Variant("C:\\dir"));
    Complete();
    struct Step {
        const char* move; // "up" or a child's display name
        bool moved;
        const char* path; // the tree's folder afterwards
    } steps[] = {
        {"Sub", true, "C:\\dir\\Sub\\"},      {"up", true, "C:\\dir\\"}, {"sub", true, "C:\\dir\\Sub\\"},
        {"Missing", false, "C:\\dir\\Sub\\"}, {"up", true, "C:\\dir\\"}, {"up", true, "C:\\"},
    };
    for (const Step& s : steps) {
        std::string name = s.move;
        const size_t sent = Navigations();
        const bool moved = name == "up" ? control->GoToParent() : control->GoToChild(name);
        EXPECT_EQ(moved, s.moved) << s.move;
        EXPECT_EQ(control->Tree()->SelectedFolder().sPath, s.path) << s.move;
        EXPECT_EQ(Navigations(), sent + (s.moved ? 1u : 0u))
            << "each move sends the web view once: " << s.move;
        Complete();
    }
}

TEST_F(RealTreeTest, AtTheTopGoingUpStops) {
    control->NavigateTV(vireo::Variant("C:\\"));
    Complete();
    // From the drive root up to the computer, then to the desktop, which has no parent.
    EXPECT_TRUE(control->GoToParent());
    Complete();
    EXPECT_TRUE(control->GoToParent());
    Complete();
    EXPECT_TRUE(control->Tree()->IsRootFolder());
    const size_t sent = Navigations();
    EXPECT_FALSE(control->GoToParent());
    EXPECT_EQ(Navigations(), sent);
}

TEST_F(RealTreeTest, ShellNotifyShowsAFolderMadeOutsideTheTree) {
    control->NavigateTV(vireo::Variant("C:\\dir"));
    Complete();
    desk.Files().MakeDir("C:\\dir\\Later");
    control->ShellNotify();
    std::string name = "Later";
    EXPECT_TRUE(control->GoToChild(name)) << "the refreshed folder lists the new subfolder";
    EXPECT_NE(control->ParentPidl(), 0);
}

} // namespace
