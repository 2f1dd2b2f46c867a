// The icon menu on the emulated desktop: the menu tree built from the entries, what RefreshMenu keeps and
// clears, the popup answered by caption or identifier, the pictures measured and drawn by the menu's
// window, the point in twips, and nothing left behind.
#include "components/PipitIconMenu/IconMenu.h"
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using vireo::pipit::PipitIconMenu;

struct Item {
    const char* caption;
    int32_t picture;
    int32_t parent;
    std::string key = "";
};

// "id caption" per item, "*" after a picture drawn by the owner, a submenu's items in brackets.
std::string Dump(HMENU menu) {
    std::string out;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi)) return out + "?";
        if (i) out += " | ";
        if (mi.fType & MFT_SEPARATOR) {
            out += std::to_string(mi.wID) + " -";
            continue;
        }
        out += std::to_string(mi.wID) + " " + text;
        if (mi.dwItemData != mi.wID) out += " (data " + std::to_string(mi.dwItemData) + ")";
        if (mi.hbmpItem == HBMMENU_CALLBACK) out += "*";
        if (mi.hSubMenu) out += " [" + Dump(mi.hSubMenu) + "]";
    }
    return out;
}

class IconMenuTest : public ::testing::Test {
protected:
    IconMenuTest() {
        testwin::Register();
        owner = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 3);
        for (const char* name : {"drive", "folder", "desktop"}) {
            HICON icon = desk.Windows().NewIcon(name);
            ImageList_ReplaceIcon(images, -1, icon);
            DestroyIcon(icon);
        }
        windowsBefore = desk.Windows().LiveWindowCount();
        gdiBefore = desk.Windows().LiveGdiObjectCount();
    }
    ~IconMenuTest() override {
        ImageList_Destroy(images);
        DestroyWindow(owner);
    }

    vireo::RefPtr<PipitIconMenu> Make(const std::vector<Item>& items, bool refresh = true) {
        auto menu = vireo::RefPtr<PipitIconMenu>::Make();
        menu->SetMenuImages(images);
        menu->SetOwnerHwnd(owner);
        menu->RefreshMenu();
        for (const Item& it : items)
            menu->AddMenuItem(it.caption, "", 0, it.parent, it.picture, 0, true, it.key);
        if (refresh) menu->RefreshMenu();
        return menu;
    }

    emu::Desktop desk;
    HWND owner = nullptr;
    HIMAGELIST images = nullptr;
    size_t windowsBefore = 0, gdiBefore = 0;
};

TEST_F(IconMenuTest, EntriesBecomeTheMenuTree) {
    struct Case {
        const char* name;
        std::vector<Item> items;
        std::string menu;
    };
    const Case cases[] = {
        {"flat, with a separator", {{"&A", -1, 0}, {"-", -1, 0}, {"&B", 0, 0}}, "1 &A | 2 - | 3 &B*"},
        {"a drive with its CD entries",
         {{"&D DISC", 0, 0}, {"&Explore", -1, 1}, {"&Open Door", -1, 1}, {"-", -1, 0}, {"&Favorites", 1, 0}},
         "1 &D DISC* [2 &Explore | 3 &Open Door] | 4 - | 5 &Favorites*"},
        {"nested submenus", {{"&A", -1, 0}, {"&B", 1, 1}, {"&C", 2, 2}}, "1 &A [2 &B* [3 &C*]]"},
        {"children added apart",
         {{"&S", 2, 0}, {"&T", -1, 0}, {"&x", -1, 1}, {"&y", -1, 2}, {"&z", 0, 1}},
         "1 &S* [3 &x | 5 &z*] | 2 &T [4 &y]"},
        {"parents that are no parents go to the top",
         {{"-", -1, 0},
          {"&under a separator", -1, 1},
          {"&under a later entry", -1, 9},
          {"&negative", -1, -4}},
         "1 - | 2 &under a separator | 3 &under a later entry | 4 &negative"},
        {"no entries", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto menu = Make(c.items);
        EXPECT_EQ(menu->Menu() ? Dump(menu->Menu()) : "", c.menu);
        EXPECT_EQ(menu->Menu() != nullptr, !c.items.empty());
    }
    EXPECT_EQ(desk.Windows().LiveMenuCount(), 0u);
}

TEST_F(IconMenuTest, AddMenuItemNumbersTheEntriesFromOne) {
    auto menu = Make({}, false);
    EXPECT_EQ(menu->AddMenuItem("&A", "", 0, 0, -1, 0, true, "a"), 1);
    EXPECT_EQ(menu->AddMenuItem("-", "", 0, 0, -1, 0, true, "Bar1"), 2);
    EXPECT_EQ(menu->AddMenuItem("&B", "", 0, 1, -1, 0, true, "b"), 3);
    const std::pair<int32_t, const char*> keys[] = {{1, "a"}, {2, "Bar1"}, {3, "b"},
                                                    {0, ""},  {4, ""},     {-1, ""}};
    for (const auto& [index, key] : keys)
        EXPECT_EQ(menu->ItemKey(index), key) << index;
}

TEST_F(IconMenuTest, RefreshMenuBuildsWhatWasAddedAndStartsOverWhenNothingWas) {
    struct Case {
        const char* steps; // R: RefreshMenu; a letter: an entry with that caption and key
        std::string menu;
        size_t menus; // live menus
        const char* key1;
    };
    const Case cases[] = {
        {"RabR", "1 a | 2 b", 1, "a"}, {"RaRbR", "1 a | 2 b", 1, "a"},
        {"RaRR", "", 0, ""},           {"RaRRbR", "1 b", 1, "b"},
        {"Rab", "", 0, "a"},           {"RaRb", "1 a", 1, "a"},
        {"RaRRR", "", 0, ""},          {"R", "", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        auto menu = vireo::RefPtr<PipitIconMenu>::Make();
        for (const char* s = c.steps; *s; ++s)
            if (*s == 'R')
                menu->RefreshMenu();
            else
                menu->AddMenuItem(std::string(1, *s), "", 0, 0, -1, 0, true, std::string(1, *s));
        EXPECT_EQ(menu->Menu() ? Dump(menu->Menu()) : "", c.menu);
        EXPECT_EQ(desk.Windows().LiveMenuCount(), c.menus);
        EXPECT_EQ(menu->ItemKey(1), c.key1);
    }
    EXPECT_EQ(desk.Windows().LiveMenuCount(), 0u);
}

// The drive menu the control builds, answered by the script's user.
const std::vector<Item> kDrives = {
    {"&C SYSTEM", 0, 0, "C:\\"},                               // 1
    {"&D DISC", 0, 0, "D:\\"},                                 // 2
    {"&Explore", -1, 2, "D:\\"},                               // 3
    {"&Open Door", -1, 2, std::string("Open Door\0D:\\", 13)}, // 4
    {"-", -1, 0, "Bar1"},                                      // 5
    {"&System Folder", 2, 0, "System Folder"},                 // 6
    {"&Desktop", 2, 6, "Desktop\\"},                           // 7
    {"&Broken", 9, 6, "Broken\\"},                             // 8: a picture the list does not have
};

TEST_F(IconMenuTest, PopupAtAnswersTheChosenEntry) {
    struct Case {
        const char* name;
        bool answered;
        emu::Answer answer;
        int32_t index;
        const char* key;
    };
    const Case cases[] = {
        {"top entry by caption", true, {0, "C SYSTEM"}, 1, "C:\\"},
        {"submenu entry by caption", true, {0, "Explore"}, 3, "D:\\"},
        {"submenu entry by identifier", true, {7, ""}, 7, "Desktop\\"},
        {"a submenu's own entry opens it, nothing more", true, {6, ""}, 0, ""},
        {"a separator", true, {5, ""}, 0, ""},
        {"no such entry", true, {0, "Nothing"}, 0, ""},
        {"dismissed", false, {}, 0, ""},
    };
    auto menu = Make(kDrives);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk.Log().Clear();
        if (c.answered) desk.Answers().Push("PopupMenu", c.answer);
        const int32_t index = menu->PopupAt(0, 450, 0, 0, 0, 0, true);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(menu->ItemKey(index), c.key);
        ASSERT_EQ(desk.Log().Count("PopupMenu"), 1u);
        EXPECT_EQ(desk.Log().OfKind("PopupMenu")[0].fields.front(), "C SYSTEM");
    }
    EXPECT_EQ(menu->ItemKey(4), std::string("Open Door\0D:\\", 13)) << "keys keep their NUL";
}

TEST_F(IconMenuTest, PopupWithoutABuiltMenuShowsNothing) {
    auto menu = Make(kDrives, false);
    desk.Answers().Push("PopupMenu", {1, ""});
    EXPECT_EQ(menu->PopupAt(0, 0, 0, 0, 0, 0, true), 0);
    EXPECT_EQ(desk.Log().Count("PopupMenu"), 0u);
}

// The drawing window's owner-drawn messages, with what its procedure answered.
thread_local std::vector<std::string>* t_drawn = nullptr;
thread_local WNDPROC t_drawingProc = nullptr;

LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT r = CallWindowProcA(t_drawingProc, hwnd, msg, wParam, lParam);
    if (msg == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        t_drawn->push_back("measure " + std::to_string(m->itemData) + ": " + std::to_string(m->itemWidth) +
                           " x " + std::to_string(m->itemHeight));
    } else if (msg == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        t_drawn->push_back("draw " + std::to_string(d->itemData) + " at " + std::to_string(d->rcItem.top) +
                           (r ? ": drawn" : ": not drawn"));
    }
    return r;
}

TEST_F(IconMenuTest, PicturesAreMeasuredAndDrawnByTheMenuWindow) {
    struct Case {
        const char* choice;
        int32_t fontSize;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {nullptr,
         8,
         {"measure 1: 16 x 20", "measure 2: 16 x 20", "measure 6: 16 x 20", "draw 1 at 0: drawn",
          "draw 2 at 20: drawn", "draw 6 at 40: drawn"}},
        {"Desktop",
         8,
         {"measure 1: 16 x 20", "measure 2: 16 x 20", "measure 6: 16 x 20", "draw 1 at 0: drawn",
          "draw 2 at 20: drawn", "draw 6 at 40: drawn", "measure 7: 16 x 20", "measure 8: 16 x 20",
          "draw 7 at 0: drawn", "draw 8 at 20: not drawn"}},
        {"Explore",
         8,
         {"measure 1: 16 x 20", "measure 2: 16 x 20", "measure 6: 16 x 20", "draw 1 at 0: drawn",
          "draw 2 at 20: drawn", "draw 6 at 40: drawn"}},
        // A large font makes the lines taller than the pictures.
        {nullptr,
         24,
         {"measure 1: 16 x 34", "measure 2: 16 x 34", "measure 6: 16 x 34", "draw 1 at 0: drawn",
          "draw 2 at 34: drawn", "draw 6 at 68: drawn"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.choice ? c.choice : "dismissed") + " " + std::to_string(c.fontSize));
        auto menu = Make(kDrives);
        menu->SetFontName("Tahoma");
        menu->SetFontSize(c.fontSize);
        std::vector<std::string> drawn;
        t_drawn = &drawn;
        HWND window = menu->DrawingWindow();
        ASSERT_TRUE(window);
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
        EXPECT_FALSE(IsWindowVisible(window));
        t_drawingProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder)));
        if (c.choice) desk.Answers().Push("PopupMenu", {0, c.choice});
        menu->PopupAt(0, 0, 0, 0, 0, 0, true);
        EXPECT_EQ(drawn, c.drawn);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(t_drawingProc));
        t_drawn = nullptr;
    }
}

TEST_F(IconMenuTest, TwipsCountFromTheOwnersClientArea) {
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    struct Case {
        HWND owner;
        int32_t x, y;
        POINT want; // from the origin
    };
    const Case cases[] = {
        {owner, 0, 0, {0, 0}},       {owner, 1440, 720, {96, 48}},
        {owner, 15, 30, {1, 2}},     {owner, 7, 8, {0, 1}},
        {owner, -1440, 0, {-96, 0}}, {nullptr, 1440, 720, {96 - origin.x, 48 - origin.y}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        POINT at = PipitIconMenu::ScreenPoint(c.owner, c.x, c.y);
        EXPECT_EQ(at.x, origin.x + c.want.x);
        EXPECT_EQ(at.y, origin.y + c.want.y);
    }
}

TEST_F(IconMenuTest, ReleasingTheMenuLeavesNothingBehind) {
    {
        auto menu = Make(kDrives);
        menu->SetOwnerHwnd(owner); // a second owner setting replaces the window
        EXPECT_EQ(desk.Windows().FindByClass(vireo::pipit::kMenuWindowClass).size(), 1u);
        menu->SetFontSize(12);
        desk.Answers().Push("PopupMenu", {0, "Desktop"});
        EXPECT_EQ(menu->PopupAt(0, 0, 0, 0, 0, 0, true), 7);
        EXPECT_GT(desk.Windows().LiveMenuCount(), 0u);
        menu->RefreshMenu();
    }
    EXPECT_EQ(desk.Windows().LiveMenuCount(), 0u);
    EXPECT_EQ(desk.Windows().LiveWindowCount(), windowsBefore);
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), gdiBefore);
}

TEST_F(IconMenuTest, AnOwnerDestroyedFirstTakesTheDrawingWindowWithIt) {
    auto menu = Make(kDrives);
    desk.Answers().Push("PopupMenu", {0, "Desktop"});
    EXPECT_EQ(menu->PopupAt(0, 0, 0, 0, 0, 0, true), 7);
    DestroyWindow(owner);
    owner = nullptr;
    EXPECT_EQ(menu->DrawingWindow(), nullptr);
    menu.reset();
    EXPECT_EQ(desk.Windows().FindByClass(vireo::pipit::kMenuWindowClass).size(), 0u);
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), gdiBefore);
}

} // namespace
