// TrackPopupMenu and the callback bitmaps of menu items: the window given to it measures and then draws
// each such item of the popup, and of each submenu opened on the way to the chosen command.
#include "TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class MenuOwnerDrawTest : public ::testing::Test {
protected:
    MenuOwnerDrawTest() {
        testwin::Register();
        owner = testwin::Top("owner");
        SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
        // 1 "plain" | 2 "pictured"* | "sub" [3 "inner"* | 4 "inner plain"] | 5 "last"*
        menu = CreatePopupMenu();
        sub = CreatePopupMenu();
        Add(menu, 1, "plain", false);
        Add(menu, 2, "pictured", true);
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA;
        mi.dwTypeData = const_cast<LPSTR>("sub");
        mi.hSubMenu = sub;
        mi.hbmpItem = HBMMENU_CALLBACK;
        mi.dwItemData = 60;
        InsertMenuItemA(menu, 2, TRUE, &mi);
        Add(sub, 3, "inner", true);
        Add(sub, 4, "inner plain", false);
        Add(menu, 5, "last", true);
    }
    ~MenuOwnerDrawTest() override {
        DestroyMenu(menu);
        DestroyWindow(owner);
    }
    static void Add(HMENU m, UINT id, const char* text, bool picture) {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA | (picture ? MIIM_BITMAP : 0);
        mi.wID = id;
        mi.dwTypeData = const_cast<LPSTR>(text);
        mi.dwItemData = id * 10;
        mi.hbmpItem = HBMMENU_CALLBACK;
        InsertMenuItemA(m, static_cast<UINT>(GetMenuItemCount(m)), TRUE, &mi);
    }

    emu::Desktop desk;
    HWND owner = nullptr;
    HMENU menu = nullptr, sub = nullptr;
    std::vector<std::string> got;
    testwin::Hook hook = [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        if (msg == WM_MEASUREITEM) {
            auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            got.push_back("measure w" + std::to_string(wParam) + " type " + std::to_string(m->CtlType) +
                          " id " + std::to_string(m->itemID) + " data " + std::to_string(m->itemData));
            m->itemWidth = 16;
            m->itemHeight = static_cast<UINT>(m->itemData / 10 + 18); // a different height for each
            *result = TRUE;
            return true;
        }
        if (msg == WM_DRAWITEM) {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            const RECT& r = d->rcItem;
            got.push_back(
                "draw w" + std::to_string(wParam) + " type " + std::to_string(d->CtlType) + " data " +
                std::to_string(d->itemData) + " action " + std::to_string(d->itemAction) +
                (d->hwndItem == reinterpret_cast<HWND>(d->itemData == 30 ? sub : menu) ? " menu" : " ?") +
                (d->hDC ? " dc" : " no dc") + " rect " + std::to_string(r.left) + "," +
                std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom));
            *result = TRUE;
            return true;
        }
        return false;
    };
};

TEST_F(MenuOwnerDrawTest, CallbackItemsAreMeasuredThenDrawnAsTheirMenusOpen) {
    const std::vector<std::string> top = {
        "measure w0 type 1 id 2 data 20",
        "measure w0 type 1 id 0 data 60",
        "measure w0 type 1 id 5 data 50",
        "draw w0 type 1 data 20 action 1 menu dc rect 0,0,16,20",
        "draw w0 type 1 data 60 action 1 menu dc rect 0,20,16,44",
        "draw w0 type 1 data 50 action 1 menu dc rect 0,44,16,67",
    };
    std::vector<std::string> inner = top;
    inner.push_back("measure w0 type 1 id 3 data 30");
    inner.push_back("draw w0 type 1 data 30 action 1 menu dc rect 0,0,16,21");
    struct Case {
        const char* name;
        bool answered;
        emu::Answer answer;
        UINT result;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"dismissed", false, {}, 0, top},
        {"a top item", true, {5, ""}, 5, top},
        {"an item of the submenu by caption", true, {0, "inner plain"}, 4, inner},
        {"an item of the submenu by identifier", true, {3, ""}, 3, inner},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        got.clear();
        if (c.answered) desk.Answers().Push("PopupMenu", c.answer);
        const UINT result = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(got, c.messages);
    }
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), 0u) << "the menu's device context is released";
}

} // namespace
