// The item-ID lists the control borrows from the folder tree: its location, its pending location and the
// address box's entries hold the tree's lists as numbers. Whatever the tree does to its items (a folder
// removed or made outside it and listed again, a node collapsed and listed again) and whatever the user
// does to the entries, no number the control can still use or hand out names freed memory or another
// folder's list, and at the end every list is freed once. Run under ASan, a use after free fails here too.
#include "control/ControlFixture.h"
#include "control/DesktopContainer.h"
#include "platform/ShellNotices.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mmShellMacro.h"
#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

using vireo::Variant;

class BorrowedListTest : public ::testing::Test {
protected:
    BorrowedListTest() {
        desk.Files().MountScratch('C', DRIVE_FIXED, "SYSTEM");
        for (const char* dir : {"C:\\Temp\\Old", "C:\\Temp\\Keep"})
            desk.Files().MakeDir(dir);
        control = PlaceActivatedControl(container, events);
        combo = GetDlgItem(control->Window(), 102);
    }
    ~BorrowedListTest() override {
        control->Terminate(Variant::Boolean(true));
        control.reset();
        container.webView.reset();
        DestroyWindow(container.parent);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "a list was leaked";
        EXPECT_EQ(emu::TaskAllocator::RefusedFrees(), refused) << "a list was freed twice";
    }
    void Settle() {
        for (int i = 0; i < 1000 && desk.Windows().PumpOnce(); ++i) {}
    }
    void Go(const char* path) {
        control->NavigateTV(Variant(path));
        Settle();
    }
    // The user picks a listed location again: its text in the box, then Enter.
    void Choose(const char* text) {
        control->SetAddressText(text);
        desk.Windows().PressKey(FindWindowExA(combo, nullptr, "Edit", nullptr), VK_RETURN);
        Settle();
    }
    void Remove(const char* path) { std::filesystem::remove_all(*desk.Files().Resolve(path)); }
    HTREEITEM TreeItem(UINT which, HTREEITEM from = nullptr) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(TreeControl(), TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(from)));
    }
    HWND TreeControl() { return FindWindowExA(control->Tree()->Window(), nullptr, WC_TREEVIEWA, nullptr); }
    LONG_PTR EntryList(int index) {
        return static_cast<LONG_PTR>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    // Every number the control may still use or hand out: the location, the pending location and each
    // address-box entry's list. Each must be 0 or a whole list the allocator still holds.
    void ExpectEveryNumberLive(const std::string& when) {
        std::vector<LONG_PTR> numbers{control->SelFolder().nPidl, control->PendingPidl()};
        const LRESULT entries = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < entries; ++i)
            numbers.push_back(EntryList(i));
        for (LONG_PTR n : numbers)
            EXPECT_TRUE(n == 0 || vireo::IsAllocatedPidl(n)) << when << ": " << n << " was freed";
    }
    size_t Notices() const {
        return static_cast<size_t>(std::count_if(
            log.begin(), log.end(), [](const std::string& l) { return l.rfind("Event.NotifyURL", 0) == 0; }));
    }

    emu::Desktop desk;
    const long before = emu::TaskAllocator::LiveBlocks();
    const long refused = emu::TaskAllocator::RefusedFrees();
    fakes::Log log;
    DesktopContainer container{log};
    fakes::EventLog events{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
    HWND combo = nullptr;
};

// The folder of an entry goes, and the tree hears of it in either way; choosing the entry afterwards finds
// no folder and changes nothing. A folder made since, whose list is the same size as the gone one's, is not
// what the old entry names.
TEST_F(BorrowedListTest, AnEntryWhoseFolderWentOutsideTheTreeIsChosenSafely) {
    const struct {
        const char* told;
        std::function<void()> tell;
    } ways[] = {
        {"ShellNotify", [&] { control->ShellNotify(); }},
        {"a change notice",
         [&] {
             SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, "C:\\Temp\\Old", nullptr);
             Settle();
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.told);
        desk.Files().MakeDir("C:\\Temp\\Old");
        Go("C:\\Temp\\Old");
        ASSERT_EQ(control->SelFolder().sURL, "C:\\Temp\\Old\\");
        Go("C:\\Temp");
        Remove("C:\\Temp\\Old");
        way.tell();
        ExpectEveryNumberLive("after the tree listed C:\\Temp again");

        desk.Files().MakeDir("C:\\Temp\\Olx");
        SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, "C:\\Temp\\Olx", nullptr);
        Settle();
        log.clear();
        Choose("C:\\Temp\\Old\\");
        EXPECT_EQ(control->Tree()->SelectedFolder().sPath, "C:\\Temp\\");
        EXPECT_EQ(control->SelFolder().sURL, "C:\\Temp\\");
        EXPECT_EQ(Notices(), 0u) << "no navigation";
        ExpectEveryNumberLive("after choosing the old entry");
        Remove("C:\\Temp\\Olx");
        control->ShellNotify();
    }
}

// Entries own nothing: deleting them frees no list, and the locations they named are reached again.
TEST_F(BorrowedListTest, DeletingEntriesFreesNothing) {
    for (const char* dir : {"C:\\Temp\\Old", "C:\\Temp", "C:\\Temp\\Keep"})
        Go(dir);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
    const long live = emu::TaskAllocator::LiveBlocks();
    SendMessageA(combo, CB_DELETESTRING, 1, 0);
    SendMessageA(combo, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), live);
    ExpectEveryNumberLive("after deleting two entries");
    Go("C:\\Temp\\Old");
    EXPECT_EQ(control->AddressHistory(), (std::vector<std::string>{"C:\\Temp\\Keep\\", "C:\\Temp\\Old\\"}));
    EXPECT_EQ(EntryList(1), control->SelFolder().nPidl);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    Go("C:\\Temp");
    ExpectEveryNumberLive("after emptying the list");
}

// Terminate with entries left, one of them naming a folder gone since: the tree frees each list once and
// the control keeps none of the numbers.
TEST_F(BorrowedListTest, TerminateWithEntriesLeftFreesEachListOnce) {
    for (const char* dir : {"C:\\Temp\\Old", "C:\\Temp\\Keep", "C:\\Temp"})
        Go(dir);
    Remove("C:\\Temp\\Keep");
    control->ShellNotify();
    control->Terminate(Variant::Boolean(false));
    EXPECT_EQ(control->SelFolder().nPidl, 0);
    EXPECT_EQ(control->PendingPidl(), 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(EntryList(i), 0) << i;
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
}

// The user collapses the location's parent, which selects the parent, and the tree lists the parent
// again. Choosing the old location again reaches it: by the same list when its node stayed, by the new
// node's list when the collapse deleted the children (TVE_COLLAPSERESET) and the listing made them again.
TEST_F(BorrowedListTest, ALocationWhoseNodeWasCollapsedAndListedAgainIsReachedAgain) {
    const struct {
        const char* how;
        UINT action;
        bool sameList;
    } ways[] = {
        {"collapsed", TVE_COLLAPSE, true},
        {"collapsed and reset", TVE_COLLAPSE | TVE_COLLAPSERESET, false},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        Go("C:\\Temp\\Old");
        const LONG_PTR location = control->SelFolder().nPidl;
        ASSERT_NE(location, 0);
        HTREEITEM parent = TreeItem(TVGN_PARENT, TreeItem(TVGN_CARET));
        SendMessageA(TreeControl(), TVM_EXPAND, way.action, reinterpret_cast<LPARAM>(parent));
        Settle();
        EXPECT_EQ(control->SelFolder().sURL, "C:\\Temp\\") << "the collapse selected the parent";
        SHChangeNotify(SHCNE_UPDATEDIR, SHCNF_PATHA, "C:\\Temp", nullptr);
        Settle();
        ExpectEveryNumberLive("after the parent was listed again");
        Choose("C:\\Temp\\Old\\");
        EXPECT_EQ(control->SelFolder().sURL, "C:\\Temp\\Old\\");
        EXPECT_EQ(control->SelFolder().nPidl == location, way.sameList);
        ExpectEveryNumberLive("after choosing the old location");
    }
}

// A long session: a thousand navigations between two folders, and now and then a folder that is visited,
// then removed outside the tree and noticed. The box keeps one entry per folder; nothing leaks, nothing is
// freed twice or read after it was freed (the fixture and ASan check).
TEST_F(BorrowedListTest, AThousandNavigationsFreeEveryListOnce) {
    const char* const folders[] = {"C:\\Temp\\Old", "C:\\Temp\\Keep"};
    for (int i = 0; i < 1000; ++i) {
        Go(folders[i % 2]);
        ASSERT_EQ(control->SelFolder().sURL, std::string(folders[i % 2]) + "\\") << i;
        if (i % 100 == 99) {
            desk.Files().MakeDir("C:\\Temp\\Brief");
            Go("C:\\Temp\\Brief");
            Go("C:\\Temp");
            Remove("C:\\Temp\\Brief");
            control->ShellNotify();
        }
    }
    EXPECT_EQ(control->AddressHistory().size(), 4u);
    ExpectEveryNumberLive("after the loop");
}

} // namespace
