// The extended combo box: entries with images, the inner combo box and edit field, and its notices.
#include "emu/comctl32/Controls.h"

namespace {

class ComboBoxExTest : public ctl::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        box = Create(WC_COMBOBOXEXA, CBS_DROPDOWN, 8, 300, 200);
        ASSERT_TRUE(box);
        combo = reinterpret_cast<HWND>(SendMessageA(box, CBEM_GETCOMBOCONTROL, 0, 0));
        edit = reinterpret_cast<HWND>(SendMessageA(box, CBEM_GETEDITCONTROL, 0, 0));
        Insert(-1, "C:\\", 3);
        Insert(-1, "Control Panel", 5);
        Insert(0, "Desktop", 1);
        d.Windows().ClearSpied();
    }
    LRESULT Insert(int at, const char* text, int image) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = at;
        item.pszText = const_cast<LPSTR>(text);
        item.iImage = item.iSelectedImage = image;
        return SendMessageA(box, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    HWND box = nullptr, combo = nullptr, edit = nullptr;
};

TEST_F(ComboBoxExTest, TheInnerWindowsAreAComboBoxAndItsEdit) {
    char cls[32];
    GetClassNameA(combo, cls, sizeof cls);
    EXPECT_STREQ(cls, "ComboBox");
    EXPECT_EQ(GetParent(combo), box);
    EXPECT_EQ(GetParent(edit), combo);
    EXPECT_EQ(FindWindowExA(combo, nullptr, "Edit", nullptr), edit);
}

TEST_F(ComboBoxExTest, EntriesCarryTheirImagesAndValues) {
    struct Case {
        int index;
        const char* text;
        int image;
    } cases[] = {{0, "Desktop", 1}, {1, "C:\\", 3}, {2, "Control Panel", 5}};
    EXPECT_EQ(SendMessageA(box, CB_SETITEMDATA, 1, 0x1234), TRUE);
    for (const Case& c : cases) {
        char buf[32] = {};
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_LPARAM;
        item.iItem = c.index;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        EXPECT_TRUE(SendMessageA(box, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        EXPECT_STREQ(buf, c.text);
        EXPECT_EQ(item.iImage, c.image);
        EXPECT_EQ(item.lParam, c.index == 1 ? 0x1234 : 0);
    }
    EXPECT_EQ(SendMessageA(box, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(
        SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("c:\\")), 1);
    EXPECT_EQ(SendMessageA(box, CBEM_DELETEITEM, 0, 0), 2);
    EXPECT_EQ(SendMessageA(box, CB_GETITEMDATA, 0, 0), 0x1234);
    EXPECT_EQ(Insert(7, "far", 0), -1);
}

TEST_F(ComboBoxExTest, NoticesComeFromTheBoxAndEnterEndsTheEdit) {
    std::vector<int> codes;
    std::string endText;
    int why = 0;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
        if (msg == WM_COMMAND && reinterpret_cast<HWND>(lParam) == box) codes.push_back(HIWORD(wParam));
        if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CBEN_ENDEDITA) {
            auto* nm = reinterpret_cast<NMCBEENDEDITA*>(lParam);
            endText = nm->szText;
            why = nm->iWhy;
        }
        return false;
    };
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    SetFocus(box);
    EXPECT_EQ(GetFocus(), edit);
    d.Windows().TypeText(nullptr, "D:");
    d.Windows().PressKey(nullptr, VK_RETURN);
    EXPECT_EQ(endText, "D:");
    EXPECT_EQ(why, CBENF_RETURN);
    EXPECT_EQ(codes, (std::vector<int>{CBN_SETFOCUS, CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE,
                                       CBN_EDITCHANGE}));
    codes.clear();
    ASSERT_TRUE(emu::comctl32::PickComboItem(box, 1));
    EXPECT_EQ(codes, (std::vector<int>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(Text(box), "C:\\");
    SetWindowLongPtrA(parent, GWLP_USERDATA, 0);
}

} // namespace
