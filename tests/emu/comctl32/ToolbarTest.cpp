// The toolbar: buttons and their states, their rectangles, and what a click sends.
#include "emu/comctl32/Controls.h"

namespace {

class ToolbarTest : public ctl::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        tb = Create(TOOLBARCLASSNAMEA, TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN, 7, 300, 30);
        ASSERT_TRUE(tb);
        SendMessageA(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON buttons[] = {
            {0, 10, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
            {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
            {1, 11, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0},
            {2, 12, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, 0},
            {3, 13, 0, BTNS_BUTTON, {}, 0, 0},
        };
        EXPECT_TRUE(SendMessageA(tb, TB_ADDBUTTONSA, 5, reinterpret_cast<LPARAM>(buttons)));
        d.Windows().ClearSpied();
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(tb, msg, w, l); }
    // The commands the parent received from the toolbar by WM_COMMAND.
    std::vector<int> Clicked() {
        std::vector<int> ids;
        for (const auto& m : d.Windows().TakeSpied())
            if (m.hwnd == parent && m.message == WM_COMMAND && m.lParam == reinterpret_cast<LPARAM>(tb)) {
                EXPECT_EQ(HIWORD(m.wParam), BN_CLICKED);
                ids.push_back(LOWORD(m.wParam));
            }
        return ids;
    }
    HWND tb = nullptr;
};

TEST_F(ToolbarTest, ButtonsAreLaidOutFromTheLeft) {
    EXPECT_EQ(Send(TB_BUTTONCOUNT), 5);
    RECT a, b, c;
    ASSERT_TRUE(Send(TB_GETRECT, 10, reinterpret_cast<LPARAM>(&a)));
    ASSERT_TRUE(Send(TB_GETRECT, 11, reinterpret_cast<LPARAM>(&b)));
    ASSERT_TRUE(Send(TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&c)));
    EXPECT_EQ(a.left, 0);
    EXPECT_EQ(b.left, a.right + 8) << "a separator between them";
    EXPECT_EQ(c.left, b.right);
    EXPECT_EQ(LOWORD(Send(TB_GETBUTTONSIZE)), a.right - a.left);
    EXPECT_FALSE(Send(TB_GETRECT, 99, reinterpret_cast<LPARAM>(&a)));
    TBBUTTON got{};
    EXPECT_TRUE(Send(TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.idCommand, 12);
    EXPECT_EQ(got.iBitmap, 2);
    EXPECT_EQ(Send(TB_COMMANDTOINDEX, 13), 4);
}

TEST_F(ToolbarTest, StatesChangeByCommand) {
    struct Case {
        UINT set, query;
        BYTE flag;
    } cases[] = {{TB_PRESSBUTTON, TB_ISBUTTONPRESSED, TBSTATE_PRESSED},
                 {TB_CHECKBUTTON, TB_ISBUTTONCHECKED, TBSTATE_CHECKED},
                 {TB_HIDEBUTTON, TB_ISBUTTONHIDDEN, TBSTATE_HIDDEN}};
    for (const Case& c : cases) {
        EXPECT_FALSE(Send(c.query, 10));
        EXPECT_TRUE(Send(c.set, 10, TRUE));
        EXPECT_TRUE(Send(c.query, 10));
        EXPECT_EQ(Send(TB_GETSTATE, 10) & c.flag, c.flag);
        EXPECT_TRUE(Send(c.set, 10, FALSE));
        EXPECT_FALSE(Send(c.query, 10));
        EXPECT_EQ(Send(c.query, 99), -1);
    }
    EXPECT_TRUE(Send(TB_SETSTATE, 13, MAKELONG(TBSTATE_ENABLED | TBSTATE_CHECKED, 0)));
    EXPECT_EQ(Send(TB_GETSTATE, 13), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_TRUE(Send(TB_CHANGEBITMAP, 10, MAKELPARAM(6, 0)));
    EXPECT_EQ(Send(TB_GETBITMAP, 10), 6);
}

TEST_F(ToolbarTest, ClicksSendTheCommandToTheParentAndCheckCheckButtons) {
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 10));
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 11));
    EXPECT_TRUE(Send(TB_ISBUTTONCHECKED, 11));
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 11));
    EXPECT_FALSE(Send(TB_ISBUTTONCHECKED, 11));
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 13)); // disabled: nothing
    EXPECT_EQ(Clicked(), (std::vector<int>{10, 11, 11}));
    EXPECT_FALSE(Send(TB_ISBUTTONPRESSED, 10)) << "released after the click";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarTest, ADropDownButtonAsksItsParentForTheMenu) {
    int dropped = -1;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
        auto* nm = reinterpret_cast<NMTOOLBARA*>(lParam);
        if (msg == WM_NOTIFY && nm->hdr.code == TBN_DROPDOWN && nm->hdr.hwndFrom == tb) dropped = nm->iItem;
        return false;
    };
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 12));
    EXPECT_EQ(dropped, 12);
    EXPECT_TRUE(Clicked().empty()) << "the whole button drops down without TBSTYLE_EX_DRAWDDARROWS";
    // With drawn arrows only the arrow drops down; the button part is an ordinary button.
    Send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    dropped = -1;
    EXPECT_TRUE(emu::comctl32::ClickToolbarButton(tb, 12));
    EXPECT_EQ(dropped, -1);
    EXPECT_EQ(Clicked(), (std::vector<int>{12}));
    RECT r;
    Send(TB_GETRECT, 12, reinterpret_cast<LPARAM>(&r));
    d.Windows().Click(tb, POINT{r.right - 3, (r.top + r.bottom) / 2});
    EXPECT_EQ(dropped, 12);
    SetWindowLongPtrA(parent, GWLP_USERDATA, 0);
}

TEST_F(ToolbarTest, ImageListsAndButtonInfo) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    EXPECT_EQ(Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)), 0);
    EXPECT_EQ(Send(TB_GETIMAGELIST), reinterpret_cast<LRESULT>(list));
    EXPECT_EQ(LOWORD(Send(TB_GETBUTTONSIZE)), 23);
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE | TBIF_STATE;
    info.iImage = 4;
    info.fsState = TBSTATE_ENABLED | TBSTATE_CHECKED;
    EXPECT_TRUE(Send(TB_SETBUTTONINFOA, 10, reinterpret_cast<LPARAM>(&info)));
    TBBUTTONINFOA back{};
    back.cbSize = sizeof back;
    back.dwMask = TBIF_IMAGE | TBIF_COMMAND | TBIF_BYINDEX;
    EXPECT_EQ(Send(TB_GETBUTTONINFOA, 0, reinterpret_cast<LPARAM>(&back)), 0);
    EXPECT_EQ(back.iImage, 4);
    EXPECT_EQ(back.idCommand, 10);
    EXPECT_TRUE(Send(TB_ISBUTTONCHECKED, 10));
    ImageList_Destroy(list);
}

} // namespace
