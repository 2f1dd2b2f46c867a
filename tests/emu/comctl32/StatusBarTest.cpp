// The status bar: parts and their texts, simple mode, and its place at the bottom of the parent.
#include "emu/comctl32/Controls.h"

namespace {

class StatusBarTest : public ctl::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        bar = Create(STATUSCLASSNAMEA, 0, 5, 0, 0, "ready");
        ASSERT_TRUE(bar);
    }
    std::string PartText(int i, LRESULT* result = nullptr) {
        char buf[128] = {};
        LRESULT r = SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        if (result) *result = r;
        return buf;
    }
    HWND bar = nullptr;
};

TEST_F(StatusBarTest, TheWindowTextIsPartZero) {
    EXPECT_EQ(PartText(0), "ready");
    EXPECT_TRUE(SetWindowTextA(bar, "3/10 OBJECTS SELECTED"));
    EXPECT_EQ(PartText(0), "3/10 OBJECTS SELECTED");
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("by message"));
    EXPECT_EQ(Text(bar), "by message");
    EXPECT_EQ(GetWindowTextLengthA(bar), 10);
}

TEST_F(StatusBarTest, PartsKeepTheirTextsAndFlags) {
    int edges[] = {100, 250, -1};
    EXPECT_TRUE(SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    struct Case {
        int part;
        UINT flags;
        const char* text;
    } cases[] = {{0, 0, "zero"}, {1, SBT_NOBORDERS, "one"}, {2, SBT_POPOUT, "two"}};
    for (const Case& c : cases)
        EXPECT_TRUE(SendMessageA(bar, SB_SETTEXTA, c.part | c.flags, reinterpret_cast<LPARAM>(c.text)));
    for (const Case& c : cases) {
        LRESULT r = 0;
        EXPECT_EQ(PartText(c.part, &r), c.text);
        EXPECT_EQ(LOWORD(r), std::string(c.text).size());
        EXPECT_EQ(HIWORD(r), c.flags);
        EXPECT_EQ(SendMessageA(bar, SB_GETTEXTLENGTHA, c.part, 0),
                  MAKELRESULT(std::string(c.text).size(), c.flags));
    }
    EXPECT_FALSE(SendMessageA(bar, SB_SETTEXTA, 3, reinterpret_cast<LPARAM>("none")));
    int back[4] = {};
    EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(back)), 3);
    EXPECT_EQ(back[1], 250);
    EXPECT_EQ(back[2], -1);
    // Fewer parts drop the texts of the ones removed; the rest keep theirs.
    int two[] = {50, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(two));
    EXPECT_EQ(PartText(1), "one");
    SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(PartText(2), "");
}

TEST_F(StatusBarTest, SimpleModeHasItsOwnTextAndTellsTheParent) {
    int notices = 0;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == SBN_SIMPLEMODECHANGE &&
            reinterpret_cast<NMHDR*>(lParam)->hwndFrom == bar &&
            reinterpret_cast<NMHDR*>(lParam)->idFrom == 5)
            ++notices;
        return false;
    };
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    SendMessageA(bar, SB_SIMPLE, TRUE, 0);
    SendMessageA(bar, SB_SIMPLE, TRUE, 0); // no change, no notice
    EXPECT_TRUE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("loading"));
    EXPECT_EQ(PartText(SB_SIMPLEID), "loading");
    EXPECT_EQ(PartText(0), "ready");
    SendMessageA(bar, SB_SIMPLE, FALSE, 0);
    EXPECT_EQ(notices, 2);
    SetWindowLongPtrA(parent, GWLP_USERDATA, 0);
}

TEST_F(StatusBarTest, ItSitsAtTheBottomOfItsParentAndFollowsItsSize) {
    RECT pc, r;
    GetClientRect(parent, &pc);
    GetWindowRect(bar, &r);
    POINT p{r.left, r.top};
    ScreenToClient(parent, &p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y + (r.bottom - r.top), pc.bottom);
    EXPECT_EQ(r.right - r.left, pc.right);
    MoveWindow(parent, 0, 0, 600, 500, TRUE);
    SendMessageA(bar, WM_SIZE, 0, 0); // as the parent forwards it
    GetWindowRect(bar, &r);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom, 500);
    RECT part;
    int edges[] = {100, -1};
    SendMessageA(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    EXPECT_TRUE(SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part)));
    EXPECT_EQ(part.right, 600) << "the last part reaches the right side";
}

} // namespace
