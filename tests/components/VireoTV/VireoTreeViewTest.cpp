// The folder tree component on the emulated desktop: selecting by path, list and display path, moving up
// and down, refreshing after the file system changes, and releasing every list it holds.
#include "components/VireoTV/ShellFolders.h"
#include "components/VireoTV/VireoTreeView.h"
#include "emu/shell32/ListBytes.h"
#include "emu/user32/TestWindows.h"
#include "platform/ShellNotices.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/comctl32/TreeView.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mmShellMacro.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace vireo;

class Events : public vireo::FolderTreeEvents {
public:
    void FolderChanged() override {
        ++changed;
        // A handler reads the selection back, as the control does.
        if (tree) seen.push_back(tree->SelectedFolder().sPath);
    }
    void MenusChanged() override { ++menus; }
    void GotFocus() override { ++focus; }

    vireo::FolderTree* tree = nullptr;
    int changed = 0, menus = 0, focus = 0;
    std::vector<std::string> seen;
};

class VireoTreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        before = emu::TaskAllocator::LiveBlocks();
        desk.Files().MountScratch('C');
        for (const char* dir : {"C:\\dir\\sub\\deep", "C:\\dir\\gone", "C:\\other", "C:\\Program Files"})
            desk.Files().MakeDir(dir);
        desk.Files().WriteFile("C:\\dir\\readme.txt", "text");
        testwin::Register();
        parent = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        tree = vireo::CreateVireoTreeView(parent);
        ASSERT_TRUE(tree);
        events.tree = tree.get();
        tree->SetEvents(&events);
    }
    void TearDown() override {
        if (tree) tree->Terminate();
        tree.reset();
        DestroyWindow(parent);
        EXPECT_EQ(desk.Windows().LiveWindowCount(), 0u);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "a list was not freed";
    }

    LONG_PTR Select(const std::string& path) {
        Variant v(path);
        return tree->SelectFolder(v);
    }
    LONG_PTR SelectList(LONG_PTR pidl) {
        Variant v = Variant::Long(pidl);
        return tree->SelectFolder(v);
    }
    // The display path of what is selected.
    std::string Selected() { return PidlDisplayPath(tree->SelectedFolder().nPidl); }
    int TakeChanged() { return std::exchange(events.changed, 0); }

    HWND Control() { return FindWindowExA(tree->Window(), nullptr, WC_TREEVIEWA, nullptr); }
    HTREEITEM Next(HTREEITEM item, WPARAM which) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(Control(), TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
    }
    std::string Text(HTREEITEM item) {
        char buf[MAX_PATH] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buf;
        tv.cchTextMax = MAX_PATH;
        SendMessageA(Control(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return buf;
    }
    // The texts of the items below the one whose display path is given, as the tree has them.
    std::vector<std::string> ChildrenOf(HTREEITEM item) {
        std::vector<std::string> texts;
        for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            texts.push_back(Text(c));
        return texts;
    }
    HTREEITEM Caret() { return Next(nullptr, TVGN_CARET); }

    emu::Desktop desk;
    long before = 0;
    HWND parent = nullptr;
    vireo::RefPtr<vireo::FolderTree> tree;
    Events events;
};

const std::string kC = "Desktop\\My Computer\\Local Disk (C:)\\";

TEST_F(VireoTreeViewTest, StartsOnTheComputerWithTheDesktopAtTheRoot) {
    TreeFolder start = tree->StartFolder();
    EXPECT_EQ(start.sName, "My Computer");
    EXPECT_EQ(start.sPath, "");
    EXPECT_EQ(start.nAttr & (SFGAO_FOLDER | SFGAO_FILESYSTEM), static_cast<LONG>(SFGAO_FOLDER));
    EXPECT_EQ(tree->SelectedFolder().nPidl, start.nPidl);
    EXPECT_EQ(Text(Next(nullptr, TVGN_ROOT)), "Desktop");
    EXPECT_EQ(ChildrenOf(Caret()), (std::vector<std::string>{"Local Disk (C:)", "Control Panel"}));
    EXPECT_EQ(events.changed, 0);
}

TEST_F(VireoTreeViewTest, APathAndAListOfOneFolderGiveTheSameRecordAndOneChange) {
    struct Case {
        const char* path;
    };
    const Case cases[] = {{"C:\\dir"}, {"C:\\dir\\"}, {"c:\\DIR"}};
    LONG_PTR own = 0;
    for (const Case& c : cases) {
        Select("C:\\other");
        TakeChanged();
        LONG_PTR got = Select(c.path);
        ASSERT_NE(got, 0) << c.path;
        EXPECT_EQ(TakeChanged(), 1) << c.path;
        EXPECT_EQ(events.seen.back(), "C:\\dir\\") << "the handler sees the new selection";
        if (own) {
            EXPECT_EQ(got, own) << "the same item keeps its list";
        }
        own = got;
    }
    TreeFolder byPath = tree->SelectedFolder();
    EXPECT_EQ(byPath.sName, "dir");
    EXPECT_EQ(byPath.sPath, "C:\\dir\\");
    EXPECT_EQ(byPath.nPidl, own);
    EXPECT_EQ(byPath.nAttr & (SFGAO_FOLDER | SFGAO_FILESYSTEM),
              static_cast<LONG>(SFGAO_FOLDER | SFGAO_FILESYSTEM));
    EXPECT_EQ(PidlDisplayPath(own), kC + "dir\\");

    LONG_PTR list = PidlFromPath(nullptr, "C:\\dir");
    EXPECT_EQ(SelectList(list), own) << "already selected";
    EXPECT_EQ(TakeChanged(), 0);
    Select("C:\\other");
    TakeChanged();
    EXPECT_EQ(SelectList(list), own) << "the tree answers with its own list, not the one given";
    EXPECT_EQ(TakeChanged(), 1);
    TreeFolder byList = tree->SelectedFolder();
    EXPECT_EQ(byList.sPath, byPath.sPath);
    EXPECT_EQ(byList.sName, byPath.sName);
    EXPECT_EQ(byList.nAttr, byPath.nAttr);
    FreePidl(list);
}

TEST_F(VireoTreeViewTest, WhatCannotBeSelectedLeavesTheSelection) {
    Select("C:\\dir");
    TakeChanged();
    LPITEMIDLIST unknown = testlists::Make({20, 14});
    Variant empty;
    const std::vector<std::function<LONG_PTR()>> attempts = {
        [&] { return Select("C:\\missing"); },
        [&] { return Select("C:\\dir\\sub\\missing"); },
        [&] { return Select("Q:\\"); },
        [&] { return Select("C:\\dir\\readme.txt"); },
        [&] { return Select(""); },
        [&] { return tree->SelectFolder(empty); },
        [&] { return SelectList(reinterpret_cast<LONG_PTR>(unknown)); },
    };
    for (size_t i = 0; i < attempts.size(); ++i) {
        EXPECT_EQ(attempts[i](), 0) << "attempt " << i;
        EXPECT_EQ(tree->SelectedFolder().sPath, "C:\\dir\\") << "attempt " << i;
    }
    EXPECT_EQ(TakeChanged(), 0);
    CoTaskMemFree(unknown);
}

TEST_F(VireoTreeViewTest, GoToParentClimbsToTheDesktopAndStopsThere) {
    struct Step {
        bool result;
        std::string selected; // display path afterwards
        bool root;
    };
    Select("C:\\dir\\sub");
    TakeChanged();
    const Step steps[] = {
        {true, kC + "dir\\", false},
        {true, kC, false},
        {true, "Desktop\\My Computer\\", false}, // from a drive root to the computer
        {true, "Desktop\\", true},
        {false, "Desktop\\", true},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        LONG_PTR parentList = tree->ParentPidl();
        EXPECT_EQ(tree->GoToParent(), steps[i].result) << "step " << i;
        EXPECT_EQ(Selected(), steps[i].selected) << "step " << i;
        EXPECT_EQ(tree->IsRootFolder(), steps[i].root) << "step " << i;
        EXPECT_EQ(TakeChanged(), steps[i].result ? 1 : 0) << "step " << i;
        if (steps[i].result) {
            EXPECT_EQ(parentList, tree->SelectedFolder().nPidl) << "step " << i;
        }
    }
    EXPECT_EQ(tree->ParentPidl(), 0);
}

TEST_F(VireoTreeViewTest, SharesAreReachedThroughTheNetwork) {
    desk.Files().MountScratchShare("server", "docs");
    desk.Files().MakeDir("\\\\server\\docs\\letters");
    ASSERT_NE(Select("\\\\server\\docs\\letters"), 0);
    struct Step {
        std::string selected;
        std::string path;
    };
    const Step steps[] = {
        {"Desktop\\My Network Places\\server\\docs\\letters\\", "\\\\server\\docs\\letters\\"},
        {"Desktop\\My Network Places\\server\\docs\\", "\\\\server\\docs\\"},
        {"Desktop\\My Network Places\\server\\", ""}, // a server is no file-system folder
        {"Desktop\\My Network Places\\", ""},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(Selected(), s.selected);
        EXPECT_EQ(tree->SelectedFolder().sPath, s.path);
        tree->GoToParent();
    }
}

TEST_F(VireoTreeViewTest, GoToChildFindsTheDisplayNameInAnyCase) {
    Select("C:\\");
    TakeChanged();
    struct Step {
        const char* name;
        bool result;
        std::string selected;
    };
    const Step steps[] = {
        {"DIR", true, kC + "dir\\"},
        {"Sub", true, kC + "dir\\sub\\"},
        {"nothing", false, kC + "dir\\sub\\"},
        {"readme", false, kC + "dir\\sub\\"},
        {"deep", true, kC + "dir\\sub\\deep\\"},
    };
    for (const Step& s : steps) {
        std::string name = s.name;
        EXPECT_EQ(tree->GoToChild(name), s.result) << s.name;
        EXPECT_EQ(Selected(), s.selected) << s.name;
        EXPECT_EQ(TakeChanged(), s.result ? 1 : 0) << s.name;
    }
}

TEST_F(VireoTreeViewTest, SelectMenuFolderTakesDisplayPathsAndDriveRoots) {
    LONG_PTR favorites = SpecialFolderPidl(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE);
    ASSERT_NE(favorites, 0);
    struct Case {
        std::string key;
        std::string selected; // display path afterwards
        std::string path;
    };
    const Case cases[] = {
        {kC + "dir\\sub\\", kC + "dir\\sub\\", "C:\\dir\\sub\\"},
        {"desktop\\my computer\\", "Desktop\\My Computer\\", ""},
        {"Desktop\\My Computer\\Control Panel\\", "Desktop\\My Computer\\Control Panel\\", ""},
        {"Desktop\\", "Desktop\\", ""},
        {"C:\\", kC, "C:\\"},
        {PidlDisplayPath(favorites), PidlDisplayPath(favorites),
         emu::ShellNamespace::SpecialFolderPath(CSIDL_FAVORITES) + "\\"},
        // Not a place of the tree: nothing changes.
        {"Desktop\\Nowhere\\", PidlDisplayPath(favorites),
         emu::ShellNamespace::SpecialFolderPath(CSIDL_FAVORITES) + "\\"},
        {"Elsewhere\\My Computer\\", PidlDisplayPath(favorites),
         emu::ShellNamespace::SpecialFolderPath(CSIDL_FAVORITES) + "\\"},
    };
    for (const Case& c : cases) {
        std::string key = c.key;
        tree->SelectMenuFolder(key);
        EXPECT_EQ(Selected(), c.selected) << c.key;
        EXPECT_EQ(tree->SelectedFolder().sPath, c.path) << c.key;
    }
    EXPECT_TRUE(ILIsEqual(reinterpret_cast<LPCITEMIDLIST>(tree->SelectedFolder().nPidl),
                          reinterpret_cast<LPCITEMIDLIST>(favorites)));
    FreePidl(favorites);
}

TEST_F(VireoTreeViewTest, ShellNotifyFollowsFoldersMadeAndDeleted) {
    Select("C:\\dir\\sub");
    HTREEITEM dir = Next(Caret(), TVGN_PARENT);
    ASSERT_EQ(ChildrenOf(dir), (std::vector<std::string>{"gone", "sub"}));
    LONG_PTR dirList = tree->ParentPidl();
    TakeChanged();

    desk.Files().MakeDir("C:\\dir\\added");
    desk.Files().MakeDir("C:\\dir\\zzz");
    std::filesystem::remove_all(*desk.Files().Resolve("C:\\dir\\gone"));
    tree->ShellNotify(dirList);
    EXPECT_EQ(ChildrenOf(dir), (std::vector<std::string>{"added", "sub", "zzz"}));
    EXPECT_EQ(Selected(), kC + "dir\\sub\\") << "the selection stays";
    EXPECT_EQ(TakeChanged(), 0);

    // The selected folder goes: the selection moves up to the folder refreshed.
    std::filesystem::remove_all(*desk.Files().Resolve("C:\\dir\\sub"));
    tree->ShellNotify(dirList);
    EXPECT_EQ(ChildrenOf(dir), (std::vector<std::string>{"added", "zzz"}));
    EXPECT_EQ(Selected(), kC + "dir\\");
    EXPECT_EQ(TakeChanged(), 1);

    // The folder notified is gone itself: its parent drops it.
    std::filesystem::remove_all(*desk.Files().Resolve("C:\\dir"));
    tree->ShellNotify(tree->SelectedFolder().nPidl);
    EXPECT_EQ(Selected(), kC);
    EXPECT_EQ(ChildrenOf(Caret()), (std::vector<std::string>{"other", "Program Files", "WINDOWS"}));
    EXPECT_EQ(TakeChanged(), 1);
}

// A list the tree has handed out (the selection's, a parent's) is the control's location or an entry of
// its address box: when its folder leaves the tree, the list stays readable until the tree goes, and no
// later folder is given the same number. A list never handed out goes with its item.
TEST_F(VireoTreeViewTest, AListHandedOutOutlivesItsItemUntilTheTreeGoes) {
    const LONG_PTR sub = Select("C:\\dir\\sub");
    const LONG_PTR dir = tree->ParentPidl();
    ASSERT_NE(sub, 0);
    const std::string bytes = vtv::ListBytes(sub);
    HTREEITEM dirItem = Next(Caret(), TVGN_PARENT);
    ASSERT_EQ(ChildrenOf(dirItem), (std::vector<std::string>{"gone", "sub"}));
    const long live = emu::TaskAllocator::LiveBlocks();

    std::filesystem::remove_all(*desk.Files().Resolve("C:\\dir\\sub"));
    std::filesystem::remove_all(*desk.Files().Resolve("C:\\dir\\gone"));
    tree->ShellNotify(dir);
    EXPECT_TRUE(ChildrenOf(dirItem).empty());
    ASSERT_TRUE(IsAllocatedPidl(sub)) << "the selection's list was freed with its item";
    EXPECT_EQ(vtv::ListBytes(sub), bytes);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), live - 1)
        << "only the list of gone, never handed out, is freed";

    desk.Files().MakeDir("C:\\dir\\sub");
    tree->ShellNotify(dir);
    const LONG_PTR again = SelectList(sub);
    EXPECT_NE(again, 0) << "the old list still names the folder made again";
    EXPECT_NE(again, sub) << "the new item has a list of its own";
    // The same folder by its path; its item's bytes differ, as they carry the new folder's write time.
    char path[MAX_PATH] = "";
    EXPECT_TRUE(SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(again), path));
    EXPECT_STREQ(path, "C:\\dir\\sub");
    tree->Terminate();
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "the withdrawn list goes with the tree";
}

// The tree follows the shell's change notices for folders by itself: made, removed, renamed (within a
// folder or to another one) and changed folders show once the queue is pumped.
TEST_F(VireoTreeViewTest, TheShellsChangeNoticesUpdateTheTree) {
    Select("C:\\dir\\sub");
    HTREEITEM dir = Next(Caret(), TVGN_PARENT);
    ASSERT_EQ(ChildrenOf(dir), (std::vector<std::string>{"gone", "sub"}));
    TakeChanged();
    auto host = [&](const char* path) { return *desk.Files().Resolve(path); };
    const struct {
        const char* what;
        std::function<void()> change;
        LONG event;
        const char *item1, *item2;
        std::vector<std::string> want;
    } cases[] = {
        {"made",
         [&] { desk.Files().MakeDir("C:\\dir\\added"); },
         SHCNE_MKDIR,
         "C:\\dir\\added",
         nullptr,
         {"added", "gone", "sub"}},
        {"removed",
         [&] { std::filesystem::remove_all(host("C:\\dir\\gone")); },
         SHCNE_RMDIR,
         "C:\\dir\\gone",
         nullptr,
         {"added", "sub"}},
        {"renamed",
         [&] { std::filesystem::rename(host("C:\\dir\\added"), host("C:\\dir") / "Zed"); },
         SHCNE_RENAMEFOLDER,
         "C:\\dir\\added",
         "C:\\dir\\Zed",
         {"sub", "Zed"}},
        {"moved away",
         [&] { std::filesystem::rename(host("C:\\dir\\Zed"), host("C:\\other") / "Zed"); },
         SHCNE_RENAMEFOLDER,
         "C:\\dir\\Zed",
         "C:\\other\\Zed",
         {"sub"}},
        {"changed",
         [&] { desk.Files().MakeDir("C:\\dir\\quiet"); },
         SHCNE_UPDATEDIR,
         "C:\\dir",
         nullptr,
         {"quiet", "sub"}},
    };
    for (const auto& c : cases) {
        c.change();
        SHChangeNotify(c.event, SHCNF_PATHA, c.item1, c.item2);
        desk.Windows().PumpOnce();
        EXPECT_EQ(ChildrenOf(dir), c.want) << c.what;
        EXPECT_EQ(Selected(), kC + "dir\\sub\\") << c.what << ": the selection stays";
    }
    EXPECT_EQ(TakeChanged(), 0);
}

TEST_F(VireoTreeViewTest, AFolderNeverOpenedOnlyAsksAgainForItsButton) {
    Select("C:\\other");
    TakeChanged();
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = Caret();
    SendMessageA(Control(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    EXPECT_EQ(tv.cChildren, 0);
    desk.Files().MakeDir("C:\\other\\inner");
    tree->ShellNotify(tree->SelectedFolder().nPidl);
    SendMessageA(Control(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    EXPECT_EQ(tv.cChildren, 1);
    EXPECT_TRUE(ChildrenOf(Caret()).empty()) << "listed only when opened";
    std::string name = "inner";
    EXPECT_TRUE(tree->GoToChild(name));
}

TEST_F(VireoTreeViewTest, ANewDriveChangesTheMenusOnce) {
    std::string key = "Desktop\\My Computer\\";
    tree->SelectMenuFolder(key);
    LONG_PTR computer = tree->SelectedFolder().nPidl;
    tree->ShellNotify(computer);
    EXPECT_EQ(events.menus, 0) << "the same drives";
    desk.Files().MountScratch('E', DRIVE_REMOVABLE);
    tree->ShellNotify(computer);
    EXPECT_EQ(events.menus, 1);
    EXPECT_EQ(ChildrenOf(Caret()),
              (std::vector<std::string>{"Local Disk (C:)", "Removable Disk (E:)", "Control Panel"}));
    tree->ShellNotify(computer);
    EXPECT_EQ(events.menus, 1);
    // A folder that is not the computer's does not look at the drives.
    desk.Files().MountScratch('F');
    Select("C:\\dir");
    tree->ShellNotify(tree->SelectedFolder().nPidl);
    EXPECT_EQ(events.menus, 1);
}

TEST_F(VireoTreeViewTest, TwentyFourDrivesAreAllReachable) {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        desk.Files().MountScratch(letter);
        desk.Files().MakeDir(std::string(1, letter) + ":\\folder");
    }
    tree->Terminate();
    tree = vireo::CreateVireoTreeView(parent);
    tree->SetEvents(&events);
    events.tree = tree.get();
    EXPECT_EQ(ChildrenOf(Caret()).size(), 25u);
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        std::string path = std::string(1, letter) + ":\\folder\\";
        if (letter == 'C') path = "C:\\dir\\";
        EXPECT_NE(Select(path), 0) << path;
        EXPECT_EQ(tree->SelectedFolder().sPath, path);
    }
}

TEST_F(VireoTreeViewTest, ADriveWithoutAMediumIsSelectedButNotOpened) {
    desk.Files().MountScratch('E', DRIVE_CDROM);
    desk.Files().MakeDir("E:\\disc");
    desk.Files().SetMedia('E', false);
    ASSERT_NE(Select("E:\\"), 0);
    EXPECT_EQ(tree->SelectedFolder().sPath, "E:\\");
    EXPECT_EQ(Select("E:\\disc"), 0);
    std::string name = "disc";
    EXPECT_FALSE(tree->GoToChild(name));
    EXPECT_FALSE(SendMessageA(Control(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Caret())));
    EXPECT_EQ(tree->SelectedFolder().sPath, "E:\\");

    desk.Files().SetMedia('E', true);
    EXPECT_TRUE(tree->GoToChild(name)) << "the medium is back";
}

TEST_F(VireoTreeViewTest, AFolderGoneSinceItsListingCannotBeOpened) {
    Select("C:\\dir");
    HTREEITEM gone = nullptr;
    for (HTREEITEM c = Next(Next(Caret(), TVGN_PARENT), TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
        if (Text(c) == "other") gone = c;
    ASSERT_TRUE(gone);
    std::filesystem::remove_all(*desk.Files().Resolve("C:\\other"));
    EXPECT_FALSE(SendMessageA(Control(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(gone)));
    SendMessageA(Control(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(gone));
    std::string name = "anything";
    EXPECT_FALSE(tree->GoToChild(name));
    EXPECT_EQ(Select("C:\\other"), 0);
}

TEST_F(VireoTreeViewTest, AHiddenFolderIsShownWhenItIsSelected) {
    desk.Files().MakeDir("C:\\dir\\.cache\\inside");
    Select("C:\\dir");
    std::string name = ".cache";
    EXPECT_FALSE(tree->GoToChild(name)) << "hidden from the listing";
    EXPECT_NE(Select("C:\\dir\\.cache\\inside"), 0);
    EXPECT_EQ(Selected(), kC + "dir\\.cache\\inside\\");
}

TEST_F(VireoTreeViewTest, TheUsersClickChangesTheFolderAndFocusIsReported) {
    Select("C:\\dir");
    TakeChanged();
    HTREEITEM sub = Next(Caret(), TVGN_CHILD);
    ASSERT_TRUE(sub == nullptr) << "not opened yet";
    ASSERT_TRUE(emu::comctl32::ClickTreeButton(Control(), Caret()));
    sub = Next(Caret(), TVGN_CHILD);
    ASSERT_EQ(Text(sub), "gone");
    EXPECT_EQ(TakeChanged(), 0);
    EXPECT_EQ(events.focus, 1);
    ASSERT_TRUE(emu::comctl32::ClickTreeItem(Control(), sub));
    EXPECT_EQ(TakeChanged(), 1);
    EXPECT_EQ(events.seen.back(), "C:\\dir\\gone\\");

    SetFocus(parent);
    SetFocus(tree->Window());
    EXPECT_EQ(events.focus, 2);
    EXPECT_EQ(GetFocus(), Control());
}

TEST_F(VireoTreeViewTest, ExtenderMembersMoveShowAndHideItsWindow) {
    tree->Move(5.4f, 6.6f, 100, 80);
    RECT r{};
    GetWindowRect(tree->Window(), &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 80);
    GetWindowRect(Control(), &r);
    EXPECT_EQ(r.right - r.left, 100) << "the control fills the component";
    EXPECT_TRUE(tree->Visible());
    tree->SetVisible(false);
    EXPECT_FALSE(tree->Visible());
    tree->SetVisible(true);
    EXPECT_TRUE(tree->Visible());
}

TEST_F(VireoTreeViewTest, SetFontGivesTheControlAFontAndTerminateDropsOnlyItsOwn) {
    size_t fonts = desk.Windows().LiveGdiObjectCount();
    HFONT mine = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    std::string face = "Tahoma";
    LONG_PTR handle = reinterpret_cast<LONG_PTR>(mine);
    tree->SetFont(face, handle);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(Control(), WM_GETFONT, 0, 0)), mine);
    LONG_PTR none = 0;
    tree->SetFont(face, none);
    HFONT made = reinterpret_cast<HFONT>(SendMessageA(Control(), WM_GETFONT, 0, 0));
    EXPECT_NE(made, mine);
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(made, sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    tree->Terminate();
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), fonts + 1) << "the caller's font stays";
    DeleteObject(mine);
}

TEST_F(VireoTreeViewTest, TerminateFreesEveryListAndEndsTheEvents) {
    Select("C:\\dir\\sub\\deep");
    std::string key = "Desktop\\My Network Places\\";
    tree->SelectMenuFolder(key);
    EXPECT_GT(emu::TaskAllocator::LiveBlocks(), before);
    HWND window = tree->Window();
    tree->Terminate();
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(tree->Window(), nullptr);
    EXPECT_EQ(Select("C:\\dir"), 0);
    EXPECT_EQ(tree->SelectedFolder().nPidl, 0);
    EXPECT_FALSE(tree->GoToParent());
    tree->Terminate();
}

TEST_F(VireoTreeViewTest, AHandlerMayDropTheTreeWhileItSelects) {
    class Dropper : public FolderTreeEvents {
    public:
        explicit Dropper(RefPtr<FolderTree>& holder) : m_holder(holder) {}
        void FolderChanged() override {
            m_holder->Terminate();
            m_holder.reset();
        }
        void MenusChanged() override {}
        void GotFocus() override {}

    private:
        RefPtr<FolderTree>& m_holder;
    };
    Dropper dropper(tree);
    tree->SetEvents(&dropper);
    FolderTree* raw = tree.get();
    Variant path("C:\\dir");
    EXPECT_EQ(raw->SelectFolder(path), 0) << "terminated before it could answer";
    EXPECT_FALSE(tree);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
}

TEST_F(VireoTreeViewTest, DestroyingTheParentFreesTheListsToo) {
    Select("C:\\dir\\sub");
    DestroyWindow(parent);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
    EXPECT_EQ(tree->Window(), nullptr);
    EXPECT_EQ(tree->SelectedFolder().nPidl, 0);
}

} // namespace
