// The single-line edit: typing, selection, limits and styles, with EN_ notifications to the parent.
#include "emu/comctl32/Controls.h"

namespace {

class EditTest : public ctl::ControlTest {
protected:
    HWND Edit(DWORD style = 0, const char* text = "") {
        HWND h = Create("Edit", style, 100, 200, 20, text);
        SetFocus(h);
        d.Windows().ClearSpied();
        return h;
    }
    static std::pair<DWORD, DWORD> Sel(HWND h) {
        DWORD a = 0, b = 0;
        SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        return {a, b};
    }
};

TEST_F(EditTest, TypingReplacesTheSelectionAndNotifiesUpdateThenChange) {
    HWND e = Edit(0, "hello world");
    EXPECT_EQ(Sel(e), std::make_pair(0u, 0u)) << "the caret starts at the beginning";
    SendMessageA(e, EM_SETSEL, 6, -1);
    EXPECT_EQ(Sel(e), std::make_pair(6u, 11u));
    d.Windows().TypeText(e, "X");
    EXPECT_EQ(Text(e), "hello X");
    EXPECT_EQ(Commands(e), (std::vector<int>{EN_UPDATE, EN_CHANGE}));
    d.Windows().TypeText(e, "\b\b");
    EXPECT_EQ(Text(e), "hello");
    EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    SetWindowTextA(e, "set");
    EXPECT_FALSE(SendMessageA(e, EM_GETMODIFY, 0, 0));
    Commands(e);
    d.Windows().PressKey(e, VK_HOME);
    d.Windows().PressKey(e, VK_DELETE);
    EXPECT_EQ(Text(e), "et");
    SendMessageA(e, EM_SETSEL, 0, -1);
    SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("replaced"));
    EXPECT_EQ(Text(e), "replaced");
    EXPECT_EQ(Sel(e), std::make_pair(8u, 8u));
}

TEST_F(EditTest, StylesFilterWhatIsTyped) {
    struct Case {
        DWORD style;
        const char* typed;
        const char* result;
        size_t beeps;
    } cases[] = {
        {ES_UPPERCASE, "c:\\temp \xe0", "C:\\TEMP \xc0", 0},
        {ES_LOWERCASE, "ABC", "abc", 0},
        {ES_NUMBER, "1a2", "12", 1},
        {ES_READONLY, "xy", "", 2},
    };
    for (const Case& c : cases) {
        HWND e = Edit(c.style);
        size_t before = d.Log().Count("MessageBeep");
        d.Windows().TypeText(e, c.typed);
        EXPECT_EQ(Text(e), c.result) << c.style;
        EXPECT_EQ(d.Log().Count("MessageBeep") - before, c.beeps) << c.style;
        DestroyWindow(e);
    }
}

TEST_F(EditTest, TheLimitStopsTypingButNotSetText) {
    HWND e = Edit();
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFF);
    SendMessageA(e, EM_LIMITTEXT, 4, 0);
    d.Windows().TypeText(e, "abcdef");
    EXPECT_EQ(Text(e), "abcd");
    std::vector<int> codes = Commands(e);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_MAXTEXT), 2);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), EN_CHANGE), 4);
    SetWindowTextA(e, "much longer");
    EXPECT_EQ(Text(e), "much longer");
    SendMessageA(e, EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditTest, FocusChangesAreNotified) {
    HWND e = Edit();
    SetFocus(parent);
    SetFocus(e);
    EXPECT_EQ(Commands(e), (std::vector<int>{EN_KILLFOCUS, EN_SETFOCUS}));
}

TEST_F(EditTest, AutomaticRadioButtonsClearTheOthersOfTheirGroup) {
    HWND r1 = Create("Button", BS_AUTORADIOBUTTON | WS_GROUP, 1);
    HWND r2 = Create("Button", BS_AUTORADIOBUTTON, 2);
    HWND r3 = Create("Button", BS_AUTORADIOBUTTON | WS_GROUP, 3); // the next group
    SendMessageA(r1, BM_CLICK, 0, 0);
    SendMessageA(r3, BM_CLICK, 0, 0);
    SendMessageA(r2, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(r3, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(EditTest, ButtonsAndLabels) {
    HWND ok = Create("Button", BS_PUSHBUTTON, 1, 75, 23, "OK");
    HWND check = Create("Button", BS_AUTOCHECKBOX, 2, 75, 23, "Check");
    HWND label = Create("Static", SS_LEFT, 3, 75, 23, "Name:");
    d.Windows().ClearSpied();
    SendMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(Commands(ok), (std::vector<int>{BN_CLICKED}));
    EXPECT_EQ(GetFocus(), ok) << "a click gives the button the focus";
    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    d.Windows().Click(check, POINT{5, 5});
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(Commands(check), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
    SendMessageA(ok, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(ok, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a push button has no check";
    EnableWindow(ok, FALSE);
    SendMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_TRUE(Commands(ok).empty());
    EXPECT_EQ(Text(label), "Name:");
    EXPECT_EQ(SendMessageA(label, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

} // namespace
