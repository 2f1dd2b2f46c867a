// The user at the list view: clicks with and without Shift and Ctrl, double and right clicks, keys, focus,
// label editing, hit testing over each view's layout and the view type switched through the style.
#include "emu/comctl32/ListViewTest.h"

namespace {

using lvtest::ListViewTest;
using lvtest::Note;

class ListViewInputTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        ASSERT_TRUE(Create(LVS_REPORT | LVS_EDITLABELS));
        AddColumn(0, "Name", 150);
        AddColumn(1, "Size", 60);
        for (const char* t : {"a", "b", "c", "d", "e", "f"})
            Insert(t);
        Codes();
    }
    void Key(int vk) { d.Windows().PressKey(lv, vk); }
    void Hold(int vk, bool down) { d.Windows().SetKeyState(vk, down); }
    void Click(int item) { d.Windows().Click(lv, LabelPoint(item)); }
    POINT Empty() { return POINT{200, 180}; } // below the last row
    // The notification codes other than the state changes.
    std::vector<UINT> Events() {
        std::vector<UINT> out;
        for (const Note& n : Take())
            if (n.code != LVN_ITEMCHANGING && n.code != LVN_ITEMCHANGED) out.push_back(n.code);
        return out;
    }
};

TEST_F(ListViewInputTest, ClicksSelectAsTheModifierKeysSay) {
    struct Step {
        int item; // -1: empty space
        bool shift, ctrl;
        std::vector<int> selected;
        int focused;
    } steps[] = {
        {1, false, false, {1}, 1},
        {3, true, false, {1, 2, 3}, 3},    // Shift: from the mark to the item
        {5, false, true, {1, 2, 3, 5}, 5}, // Ctrl: toggles the item
        {2, false, true, {1, 3, 5}, 2},
        {0, true, false, {0, 1, 2}, 0}, // the Ctrl click made item 2 the mark
        {4, false, false, {4}, 4},
        {-1, true, false, {4}, 4}, // empty space with Shift keeps the selection
        {-1, false, false, {}, 4},
    };
    for (const Step& s : steps) {
        Hold(VK_SHIFT, s.shift);
        Hold(VK_CONTROL, s.ctrl);
        if (s.item >= 0)
            Click(s.item);
        else
            d.Windows().Click(lv, Empty());
        EXPECT_EQ(Selected(), s.selected) << s.item;
        EXPECT_EQ(Focused(), s.focused) << s.item;
    }
    Hold(VK_SHIFT, false);
    Hold(VK_CONTROL, false);
}

TEST_F(ListViewInputTest, AClickTakesTheFocusAndEndsWithNmClick) {
    SetFocus(parent);
    Codes();
    Click(2);
    auto notes = Take();
    std::vector<UINT> codes;
    for (const Note& n : notes)
        codes.push_back(n.code);
    EXPECT_EQ(codes, (std::vector<UINT>{NM_SETFOCUS, LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK}));
    EXPECT_EQ(notes[3].item, 2);
    EXPECT_EQ(GetFocus(), lv);
    d.Windows().Click(lv, Empty());
    notes = Take();
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.back().code, static_cast<UINT>(NM_CLICK));
    EXPECT_EQ(notes.back().item, -1);
    SetFocus(parent);
    EXPECT_EQ(Events(), std::vector<UINT>{NM_KILLFOCUS});
}

TEST_F(ListViewInputTest, DoubleClicksActivateOnlyItems) {
    d.Windows().DoubleClick(lv, LabelPoint(1));
    EXPECT_EQ(Events(), (std::vector<UINT>{NM_SETFOCUS, NM_CLICK, NM_DBLCLK, LVN_ITEMACTIVATE}));
    d.Windows().DoubleClick(lv, Empty());
    EXPECT_EQ(Events(), (std::vector<UINT>{NM_CLICK, NM_DBLCLK}));
}

TEST_F(ListViewInputTest, RightClicksSelectAndAskTheParentForAContextMenu) {
    Click(1);
    Hold(VK_CONTROL, true);
    Click(2);
    Hold(VK_CONTROL, false);
    Take();
    d.Windows().RightClick(lv, LabelPoint(2)); // inside the selection: it stays
    EXPECT_EQ(Selected(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Events(), std::vector<UINT>{NM_RCLICK});
    ASSERT_EQ(contextMenus.size(), 1u);
    EXPECT_EQ(contextMenus[0].first, lv);
    POINT screen = LabelPoint(2);
    ClientToScreen(lv, &screen);
    EXPECT_EQ(contextMenus[0].second, MAKELPARAM(screen.x, screen.y));
    d.Windows().RightClick(lv, LabelPoint(4)); // outside it: the item alone
    EXPECT_EQ(Selected(), std::vector<int>{4});
    d.Windows().RightClick(lv, Empty());
    EXPECT_EQ(Selected(), std::vector<int>{});
    EXPECT_EQ(contextMenus.size(), 3u);
}

TEST_F(ListViewInputTest, KeysMoveTheFocusAndTheSelection) {
    SetFocus(lv);
    Take();
    struct Step {
        int vk;
        bool shift, ctrl;
        std::vector<int> selected;
        int focused;
    } steps[] = {
        {VK_DOWN, false, false, {0}, 0}, // nothing focused yet: the first item
        {VK_DOWN, false, false, {1}, 1},
        {VK_DOWN, true, false, {1, 2}, 2},
        {VK_END, true, false, {1, 2, 3, 4, 5}, 5},
        {VK_UP, false, true, {1, 2, 3, 4, 5}, 4}, // Ctrl moves only the focus
        {VK_SPACE, false, true, {1, 2, 3, 5}, 4},
        {VK_HOME, false, false, {0}, 0},
        {VK_UP, false, false, {0}, 0},
        {'A', false, true, {0, 1, 2, 3, 4, 5}, 0},
        {VK_RIGHT, false, false, {0, 1, 2, 3, 4, 5}, 0}, // nothing to the right in report view
        {VK_SPACE, false, false, {0}, 0},
    };
    for (const Step& s : steps) {
        Hold(VK_SHIFT, s.shift);
        Hold(VK_CONTROL, s.ctrl);
        Key(s.vk);
        EXPECT_EQ(Selected(), s.selected) << s.vk;
        EXPECT_EQ(Focused(), s.focused) << s.vk;
        auto notes = Take();
        ASSERT_FALSE(notes.empty());
        EXPECT_EQ(notes[0].code, static_cast<UINT>(LVN_KEYDOWN));
        EXPECT_EQ(notes[0].vk, s.vk);
    }
    Hold(VK_SHIFT, false);
    Hold(VK_CONTROL, false);
}

TEST_F(ListViewInputTest, EnterActivatesAndOtherKeysOnlyTellTheParent) {
    SetFocus(lv);
    Take();
    Key(VK_RETURN); // nothing selected
    EXPECT_EQ(Events(), (std::vector<UINT>{LVN_KEYDOWN, NM_RETURN}));
    Click(3);
    Take();
    Key(VK_RETURN);
    auto notes = Take();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[2].code, static_cast<UINT>(LVN_ITEMACTIVATE));
    EXPECT_EQ(notes[2].item, 3);
    for (int vk : {VK_BACK, VK_DELETE, VK_F2}) {
        Key(vk);
        EXPECT_EQ(Events(), std::vector<UINT>{LVN_KEYDOWN}) << vk;
        EXPECT_EQ(Selected(), std::vector<int>{3});
    }
}

TEST_F(ListViewInputTest, LabelEditingEndsWithTheTextOrNullAndTheParentDecides) {
    struct Case {
        bool refuseBegin;
        int endKey;       // VK_RETURN keeps the text, VK_ESCAPE cancels, 0: the focus goes away
        LRESULT endReply; // TRUE takes the new text
        std::string typed;
        std::string after;
        bool endNull;
    } cases[] = {
        {false, VK_RETURN, TRUE, "renamed", "renamed", false},
        {false, VK_RETURN, FALSE, "refused", "b", false},
        {false, VK_ESCAPE, TRUE, "cancelled", "b", true},
        {false, 0, TRUE, "focus lost", "focus lost", false},
        {true, 0, TRUE, "", "b", false},
    };
    for (const Case& c : cases) {
        LVITEMA reset{};
        reset.pszText = const_cast<LPSTR>("b");
        Send(LVM_SETITEMTEXTA, 1, &reset);
        answers.clear();
        answers[LVN_BEGINLABELEDITA] = c.refuseBegin;
        answers[LVN_ENDLABELEDITA] = c.endReply;
        Take();
        HWND edit = reinterpret_cast<HWND>(Send(LVM_EDITLABELA, 1));
        const Note* begin = nullptr;
        auto notes = Take();
        for (const Note& n : notes)
            if (n.code == LVN_BEGINLABELEDITA) begin = &n;
        ASSERT_TRUE(begin);
        EXPECT_EQ(begin->item, 1);
        EXPECT_EQ(begin->text, "b");
        if (c.refuseBegin) {
            EXPECT_EQ(edit, nullptr);
            EXPECT_EQ(Send(LVM_GETEDITCONTROL), 0);
            EXPECT_EQ(Text(1), c.after);
            continue;
        }
        ASSERT_TRUE(edit);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_EQ(reinterpret_cast<HWND>(Send(LVM_GETEDITCONTROL)), edit);
        char cls[16] = {};
        GetClassNameA(edit, cls, sizeof cls);
        EXPECT_STREQ(cls, "Edit");
        EXPECT_EQ(Selected(), std::vector<int>{1});
        d.Windows().TypeText(edit, c.typed); // replaces the selected old text
        if (c.endKey)
            d.Windows().PressKey(edit, c.endKey);
        else
            SetFocus(parent);
        auto end = Take();
        ASSERT_FALSE(end.empty()) << c.typed;
        const Note* last = nullptr;
        for (const Note& n : end)
            if (n.code == LVN_ENDLABELEDITA) last = &n;
        ASSERT_TRUE(last) << c.typed;
        EXPECT_EQ(last->textNull, c.endNull) << c.typed;
        if (!c.endNull) {
            EXPECT_EQ(last->text, c.typed);
        }
        EXPECT_FALSE(IsWindow(edit));
        EXPECT_EQ(Text(1), c.after) << c.typed;
    }
    // Without LVS_EDITLABELS nothing is edited.
    SetWindowLongPtrA(lv, GWL_STYLE, GetWindowLongPtrA(lv, GWL_STYLE) & ~LVS_EDITLABELS);
    Take();
    EXPECT_EQ(Send(LVM_EDITLABELA, 1), 0);
    EXPECT_EQ(Codes(), std::vector<UINT>{});
}

TEST_F(ListViewInputTest, HitTestingFollowsTheLayoutOfEachView) {
    struct Case {
        DWORD view;
        POINT pt;
        UINT flags;
        int item;
    } cases[] = {
        {LVS_REPORT, {5, 20 + 16 * 2 + 3}, LVHT_ONITEMICON, 2},
        {LVS_REPORT, {60, 20 + 5}, LVHT_ONITEMLABEL, 0},
        {LVS_REPORT, {170, 20 + 5}, LVHT_NOWHERE, -1}, // beside column 0
        {LVS_REPORT, {60, 5}, LVHT_NOWHERE, -1},       // on the header
        {LVS_REPORT, {60, 20 + 16 * 6 + 1}, LVHT_NOWHERE, -1},
        {LVS_REPORT, {-1, 30}, LVHT_TOLEFT, -1},
        {LVS_LIST, {20, 16 * 5 + 2}, LVHT_ONITEMLABEL, 5},
        {LVS_SMALLICON, {120 + 20, 2}, LVHT_ONITEMLABEL, 1},
        {LVS_SMALLICON, {240 + 20, 2}, LVHT_NOWHERE, -1}, // two cells of 120 fit in 300 pixels
        {LVS_SMALLICON, {20, 16 + 2}, LVHT_ONITEMLABEL, 2},
        {LVS_ICON, {75 + 37, 20}, LVHT_ONITEMICON, 1},
        {LVS_ICON, {75 + 37, 50}, LVHT_ONITEMLABEL, 1},
        {LVS_ICON, {37, 70 + 50}, LVHT_ONITEMLABEL, 4}, // four cells of 75 fit in 300 pixels
        {LVS_ICON, {5, 20}, LVHT_NOWHERE, -1},
    };
    for (const Case& c : cases) {
        SetWindowLongPtrA(lv, GWL_STYLE, (GetWindowLongPtrA(lv, GWL_STYLE) & ~LVS_TYPEMASK) | c.view);
        LVHITTESTINFO info{};
        info.pt = c.pt;
        EXPECT_EQ(Send(LVM_HITTEST, 0, &info), c.item) << c.view << " " << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(info.flags, c.flags) << c.view << " " << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(info.iItem, c.item);
        if (c.item >= 0) {
            // The rectangle an item reports is where it is hit.
            LVHITTESTINFO back{};
            back.pt = LabelPoint(c.item);
            EXPECT_EQ(Send(LVM_HITTEST, 0, &back), c.item);
            EXPECT_EQ(back.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
        }
    }
}

TEST_F(ListViewInputTest, SubItemHitTestNamesTheColumn) {
    LVHITTESTINFO info{};
    info.pt = POINT{170, 20 + 16 + 4};
    EXPECT_EQ(Send(LVM_SUBITEMHITTEST, 0, &info), 1);
    EXPECT_EQ(info.iSubItem, 1);
    EXPECT_EQ(info.flags, static_cast<UINT>(LVHT_ONITEMLABEL));
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    info = LVHITTESTINFO{};
    info.pt = POINT{170, 20 + 4};
    EXPECT_EQ(Send(LVM_HITTEST, 0, &info), 0); // the whole row with LVS_EX_FULLROWSELECT
    d.Windows().Click(lv, POINT{170, 20 + 16 * 4 + 4});
    EXPECT_EQ(Selected(), std::vector<int>{4});
}

TEST_F(ListViewInputTest, TheViewTypeFollowsTheStyle) {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    d.Windows().Spy(lv);
    struct Step {
        DWORD view;
        int listWidth; // LVM_GETCOLUMNWIDTH of column 0
        bool header;
    } steps[] = {
        {LVS_LIST, 120, false}, {LVS_ICON, 0, false}, {LVS_SMALLICON, 0, false}, {LVS_REPORT, 150, true}};
    for (const Step& s : steps) {
        d.Windows().ClearSpied();
        SetWindowLongPtrA(lv, GWL_STYLE, (GetWindowLongPtrA(lv, GWL_STYLE) & ~LVS_TYPEMASK) | s.view);
        std::vector<UINT> msgs;
        for (const auto& m : d.Windows().TakeSpied())
            if (m.message == WM_STYLECHANGING || m.message == WM_STYLECHANGED) msgs.push_back(m.message);
        EXPECT_EQ(msgs, (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
        EXPECT_EQ(Send(LVM_GETVIEW), static_cast<LRESULT>(s.view));
        EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 0), s.listWidth);
        EXPECT_EQ(IsWindowVisible(header) != 0, s.header) << s.view;
    }
    EXPECT_EQ(Send(LVM_SETVIEW, LV_VIEW_LIST), 1);
    EXPECT_EQ(GetWindowLongPtrA(lv, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
    EXPECT_EQ(Send(LVM_SETVIEW, 7), -1);
}

TEST_F(ListViewInputTest, ScrollingKeepsTheFocusedItemVisible) {
    for (int i = 0; i < 30; ++i)
        Insert("more");
    // 200 pixels: the header and eleven whole rows.
    EXPECT_EQ(Send(LVM_GETCOUNTPERPAGE), 11);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 0);
    EXPECT_TRUE(Send(LVM_ENSUREVISIBLE, 20, FALSE));
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 10);
    EXPECT_TRUE(Send(LVM_ENSUREVISIBLE, 3, FALSE));
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 3);
    EXPECT_EQ(ItemRect(3).top, 20);
    SetFocus(lv);
    Key(VK_END);
    EXPECT_EQ(Send(LVM_GETTOPINDEX), 35 - 10);
    LVHITTESTINFO info{};
    info.pt = LabelPoint(35);
    EXPECT_EQ(Send(LVM_HITTEST, 0, &info), 35);
    EXPECT_FALSE(Send(LVM_ENSUREVISIBLE, 36, FALSE));
}

} // namespace
