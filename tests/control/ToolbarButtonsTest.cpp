// The two toolbar buttons: "Select Folder..." drops down the drive and folder menu and acts on the chosen
// entry; "Tree" shows and hides the folder tree.
#include "commands/mPopMenu.h"
#include "control/ControlFixture.h"
#include "platform/emu/comctl32/Controls.h"

namespace {

constexpr int kButton = 1;

bool Pressed(HWND toolbar) {
    return SendMessageA(toolbar, TB_ISBUTTONCHECKED, kButton, 0) > 0;
}

int WebTop(vireo::VireoBrowser& control) {
    RECT r{};
    GetWindowRect(control.Browser()->Window(), &r);
    MapWindowPoints(HWND_DESKTOP, control.Window(), reinterpret_cast<POINT*>(&r), 2);
    return r.top;
}

int WebHeight(vireo::VireoBrowser& control) {
    RECT r{};
    GetWindowRect(control.Browser()->Window(), &r);
    return r.bottom - r.top;
}

class ToolbarButtonsTest : public ControlFixture {
protected:
    ToolbarButtonsTest() {
        desk.Files().MountScratch('D', DRIVE_REMOVABLE);
        desk.Files().SetMedia('D', false);
        desk.Files().MountScratch('E', DRIVE_CDROM, "AUDIO");
        desk.Files().MakeDir("C:\\work");
        SetCurrentDirectoryA("C:\\work");
        char favorites[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, favorites);
        container.makeIconMenu = true;
        MoveWindow(control->Window(), 0, 0, 600, 400, TRUE);
    }
    ~ToolbarButtonsTest() override { vireo::ClearDriveList(); }
    fakes::FakeIconMenu& Menu() { return *container.menus.back(); }
    // The first activation builds the menu; the click's own lines are what follows.
    fakes::Log ClickSelectFolder(int32_t choice) {
        control->ThisGotFocus();
        log.clear();
        desk.Log().Clear();
        Menu().choices.push_back(choice);
        EXPECT_TRUE(emu::comctl32::ClickToolbarButton(control->ToolBar1(), kButton));
        return log;
    }
};

TEST_F(ToolbarButtonsTest, TheChosenEntryDecidesWhatHappens) {
    const std::string popup = "Menu.PopupAt 0 " + std::to_string(WebTop(*control) * 15) + " 0 0 0 0 1";
    control->ThisGotFocus();
    auto index = [&](const std::string& key) { return Menu().IndexOfKey(key); };
    auto itemKey = [&](const std::string& key) { return "Menu.ItemKey " + std::to_string(index(key)); };
    const std::string favorites = Menu().items.at(size_t(index("Bar1"))).key; // the entry after the separator
    struct Case {
        const char* what;
        int32_t choice;
        fakes::Log expected;
        const char* record; // the desktop's last record, "" for none
    } cases[] = {
        {"dismissed", 0, {popup}, ""},
        {"closed another way", -1, {popup}, ""},
        {"open door",
         index(std::string("Open Door\0E:\\", 13)),
         {popup, "Container.MousePointer 11", itemKey(std::string("Open Door\0E:\\", 13)),
          "Container.MousePointer 0"},
         "DeviceIoControl: E: | 2967560"},
        {"close door",
         index(std::string("Close Door\0E:\\", 14)),
         {popup, "Container.MousePointer 11", itemKey(std::string("Close Door\0E:\\", 14)),
          "Container.MousePointer 0"},
         "DeviceIoControl: E: | 2967564"},
        {"drive C at its current directory",
         index("C:\\"),
         {popup, "Container.MousePointer 11", itemKey("C:\\"), "Tree.SelectFolder C:\\work\\",
          "Container.MousePointer 0"},
         ""},
        {"explore E",
         index("E:\\"),
         {popup, "Container.MousePointer 11", itemKey("E:\\"), "Tree.SelectFolder E:\\",
          "Container.MousePointer 0"},
         ""},
        {"a drive without a medium",
         index("D:\\"),
         {popup, "Container.MousePointer 11", itemKey("D:\\"), "Container.MousePointer 0"},
         nullptr},
        {"a favourite",
         index(favorites),
         {popup, "Container.MousePointer 11", itemKey(favorites), "Tree.SelectMenuFolder " + favorites,
          "Container.MousePointer 0"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        control->SetCurrentFolder(vireo::Folder{"C:\\", "", "", 0, 0});
        bool pressedWhileShown = false;
        Menu().whileShown = [&] { pressedWhileShown = Pressed(control->ToolBar1()); };
        EXPECT_EQ(ClickSelectFolder(c.choice), c.expected);
        EXPECT_TRUE(pressedWhileShown);
        EXPECT_FALSE(Pressed(control->ToolBar1()));
        EXPECT_EQ(control->SelFolder().sURL, "C:\\") << "the location changes only through the tree";
        if (c.record && *c.record) {
            ASSERT_FALSE(desk.Log().All().empty());
            EXPECT_EQ(desk.Log().All().back().Text(), c.record);
        } else if (c.record) {
            EXPECT_EQ(desk.Log().Count("DeviceIoControl"), 0u);
        }
    }
}

TEST_F(ToolbarButtonsTest, WithoutAMenuObjectTheButtonIsOnlyPressedAndReleased) {
    container.makeIconMenu = false;
    control->ThisGotFocus();
    log.clear();
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(control->ToolBar1(), kButton));
    EXPECT_EQ(log, fakes::Log{});
    EXPECT_FALSE(Pressed(control->ToolBar1()));
    // The drive list is built all the same: the next drive is found.
    EXPECT_EQ(vireo::DriveList().size(), 3u);
}

TEST_F(ToolbarButtonsTest, AFailingMenuLeavesTheButtonReleasedAndThePointerReset) {
    control->ThisGotFocus();
    Menu().choices.push_back(1);
    Menu().failAll = true;
    log.clear();
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(control->ToolBar1(), kButton));
    EXPECT_EQ(log, (fakes::Log{"Menu.PopupAt 0 " + std::to_string(WebTop(*control) * 15) + " 0 0 0 0 1"}));
    EXPECT_FALSE(Pressed(control->ToolBar1()));
}

TEST_F(ToolbarButtonsTest, TheMenuIsMadeAtTheFirstActivationAndRebuiltWhenTheTreeSaysSo) {
    control->ThisGotFocus();
    ASSERT_EQ(container.menus.size(), 1u);
    const fakes::Log setup = {"Container.CreateIconMenu", "Menu.MenuImages", "Menu.OwnerHwnd",
                              "Menu.FontName Tahoma",     "Menu.FontSize 8", "Menu.RefreshMenu"};
    ASSERT_GE(log.size(), setup.size() + 1);
    EXPECT_EQ(fakes::Log(log.begin() + 1, log.begin() + 1 + long(setup.size())), setup);
    EXPECT_EQ(log.front(), "Container.MousePointer 11");
    EXPECT_EQ(Menu().images, control->PopMenuImages().Handle());
    EXPECT_EQ(Menu().owner, control->Window());
    const size_t items = Menu().items.size();

    log.clear();
    container.tree->events->MenusChanged();
    ASSERT_EQ(container.menus.size(), 2u);
    EXPECT_EQ(fakes::Log(log.begin(), log.begin() + 2),
              (fakes::Log{"Menu.RefreshMenu", "Container.CreateIconMenu"}));
    EXPECT_EQ(Menu().items.size(), items);
    EXPECT_EQ(container.menus[0]->items.size(), items) << "the old menu is let go, not refilled";

    // The host's font reaches the menu; Terminate empties it before letting it go.
    LONG_PTR font = 0;
    control->SetFontColor("Arial", font, font);
    EXPECT_EQ(Menu().fontName, "Arial");
    log.clear();
    control->Terminate();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Menu.RefreshMenu"), 1);
}

TEST_F(ToolbarButtonsTest, TheTreeButtonHidesAndShowsTheTree) {
    // The tree starts hidden, as the control's activation leaves it.
    container.tree->visible = false;
    control->UserControl_Resize();
    const int fullHeight = WebHeight(*control);
    const int treeButtonImage = int(SendMessageA(control->ToolBar2(), TB_GETBITMAP, kButton, 0));
    EXPECT_EQ(treeButtonImage + 1, control->ToolBarImages().IndexOf("Tree"));
    EXPECT_EQ(control->ToolBarImages().Tag(treeButtonImage + 1), "Show or Hide Folder Treeview");
    for (bool visible : {true, false, true}) {
        EXPECT_TRUE(emu::comctl32::ClickToolbarButton(control->ToolBar2(), kButton));
        EXPECT_EQ(container.tree->visible, visible);
        EXPECT_EQ(Pressed(control->ToolBar2()), visible) << "pressed exactly while the tree shows";
        if (visible)
            EXPECT_LT(WebHeight(*control), fullHeight) << "the web view makes room for the tree";
        else
            EXPECT_EQ(WebHeight(*control), fullHeight) << "the web view takes the tree's room back";
    }
}

} // namespace
