// The combo box: its list and item data, the edit field that holds its text, and the notifications a
// parent receives, in Windows' order.
#include "emu/comctl32/Controls.h"

namespace {

class ComboBoxTest : public ctl::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        combo = Create("ComboBox", CBS_DROPDOWN | WS_TABSTOP);
        ASSERT_TRUE(combo);
        edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
        for (const char* s : {"C:\\Temp\\", "c:\\windows\\", "Control Panel", "D:\\"})
            Add(s);
        d.Windows().ClearSpied();
    }
    LRESULT Add(const char* s) { return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s)); }
    std::string Item(int i) {
        char buf[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        return buf;
    }
    HWND combo = nullptr, edit = nullptr;
};

TEST_F(ComboBoxTest, TheEditFieldIsAChildEditWithTheComboIdentifier) {
    ASSERT_TRUE(edit);
    EXPECT_EQ(GetDlgCtrlID(edit), 1001);
    RECT r;
    GetWindowRect(combo, &r);
    EXPECT_LT(r.bottom - r.top, 150) << "the window is as high as its closed field";
    SetWindowTextA(combo, "typed");
    EXPECT_EQ(Text(edit), "typed");
    EXPECT_EQ(Text(combo), "typed");
    EXPECT_EQ(GetWindowTextLengthA(combo), 5);
    EXPECT_TRUE(Commands(combo).empty()) << "setting the text by message notifies nothing";
}

TEST_F(ComboBoxTest, SearchesIgnoreCaseAndWrapAroundFromTheStart) {
    struct Case {
        UINT msg;
        int start;
        const char* text;
        int found;
    } cases[] = {
        {CB_FINDSTRINGEXACT, -1, "C:\\WINDOWS\\", 1},
        {CB_FINDSTRINGEXACT, -1, "c:\\windows", CB_ERR},
        {CB_FINDSTRING, -1, "c", 0},
        {CB_FINDSTRING, 0, "c", 1},  // the search starts after the start index
        {CB_FINDSTRING, 2, "c:", 0}, // and wraps around
        {CB_FINDSTRING, -1, "control p", 2},
        {CB_FINDSTRINGEXACT, 3, "d:\\", 3},
        {CB_FINDSTRING, -1, "E", CB_ERR},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(combo, c.msg, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)),
                  c.found)
            << c.text << " from " << c.start;
}

TEST_F(ComboBoxTest, ItemsKeepTheirDataAcrossInsertionsAndDeletions) {
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, i, 1000 + i), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, 4, 1), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("inserted")), 1);
    EXPECT_EQ(SendMessageA(combo, CB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("far")), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 1001);
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 4) << "the count left";
    EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 4, 0), CB_ERR);
    EXPECT_EQ(Item(0), "inserted");
    EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 3, 0), 1003);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 1, 0), 11);
    EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 7, 0), CB_ERR);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 4);
    SendMessageA(combo, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(SendMessageA(combo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
}

TEST_F(ComboBoxTest, SetCurSelShowsTheEntryWithoutNotifying) {
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(Text(combo), "Control Panel");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(Commands(combo).empty());
    // Deleting an entry before the selection moves it; deleting the selected one clears it.
    SendMessageA(combo, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    SendMessageA(combo, CB_DELETESTRING, 1, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(combo), "Control Panel") << "the text stays";
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0), CB_ERR);
    EXPECT_EQ(Text(combo), "");
}

TEST_F(ComboBoxTest, ASortedListPlacesEntriesByTextIgnoringCase) {
    HWND sorted = Create("ComboBox", CBS_DROPDOWNLIST | CBS_SORT, 101);
    std::vector<int> at;
    for (const char* s : {"beta", "Alpha", "gamma", "ALPHA", "Beta"})
        at.push_back(static_cast<int>(SendMessageA(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))));
    EXPECT_EQ(at, (std::vector<int>{0, 0, 2, 1, 3}));
    EXPECT_FALSE(FindWindowExA(sorted, nullptr, "Edit", nullptr)) << "a drop-down list has no edit field";
    EXPECT_TRUE(SetWindowTextA(sorted, "gamma"));
    EXPECT_EQ(SendMessageA(sorted, CB_GETCURSEL, 0, 0), 4);
    EXPECT_FALSE(SetWindowTextA(sorted, "delta")) << "only an entry's text can be shown";
}

TEST_F(ComboBoxTest, TypingNotifiesEditUpdateThenEditChangeAndDropsTheSelection) {
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    SetFocus(combo);
    EXPECT_EQ(GetFocus(), edit) << "the focus goes on to the edit field";
    EXPECT_EQ(Commands(combo), (std::vector<int>{CBN_SETFOCUS}));
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 8u) << "the text is selected when the box gets the focus";
    d.Windows().TypeText(nullptr, "E:");
    EXPECT_EQ(Text(combo), "E:");
    EXPECT_EQ(Commands(combo),
              (std::vector<int>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SetFocus(parent);
    EXPECT_EQ(Commands(combo),
              (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxTest, PickingAnEntryClosesTheListBeforeTheSelectionChangeAndUpdatesTheTextLast) {
    std::string textDuringSelChange, itemDuringSelChange;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
            textDuringSelChange = Text(combo);
            itemDuringSelChange = Item(static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)));
        }
        return false;
    };
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    SetWindowTextA(combo, "old");
    ASSERT_TRUE(emu::comctl32::PickComboItem(combo, 3));
    EXPECT_EQ(Commands(combo),
              (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(textDuringSelChange, "old");
    EXPECT_EQ(itemDuringSelChange, "D:\\");
    EXPECT_EQ(Text(combo), "D:\\");
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SetWindowLongPtrA(parent, GWLP_USERDATA, 0);
}

TEST_F(ComboBoxTest, ShowDropDownAndTheArrowKeys) {
    EXPECT_TRUE(SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0));
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0); // already down: nothing more
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(Commands(combo), (std::vector<int>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    SetFocus(edit);
    Commands(combo);
    d.Windows().PressKey(nullptr, VK_DOWN);
    d.Windows().PressKey(nullptr, VK_DOWN);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Text(combo), "c:\\windows\\");
    EXPECT_EQ(Commands(combo), (std::vector<int>{CBN_SELCHANGE, CBN_SELCHANGE}));
}

TEST_F(ComboBoxTest, TheEditFieldKeepsItsLimit) {
    SendMessageA(combo, CB_LIMITTEXT, 3, 0);
    SetFocus(edit);
    SetWindowTextA(combo, "");
    d.Windows().TypeText(nullptr, "abcdef");
    EXPECT_EQ(Text(combo), "abc");
}

} // namespace
