// The list view's items and sub-items: insertion, texts in both character sets, cut buffers, deletion and
// the notifications they send, LVM_FINDITEM and the columns with their header.
#include "emu/comctl32/ListViewTest.h"
#include "platform/emu/kernel32/CodePage.h"
#include <cstring>

namespace {

using lvtest::ListViewTest;

class ListViewItemsTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        ASSERT_TRUE(Create(LVS_REPORT | LVS_EDITLABELS));
        AddColumn(0, "Name", 150);
        AddColumn(1, "Size", 60);
        AddColumn(2, "Type", 80);
    }
};

TEST_F(ListViewItemsTest, InsertionPlacesItemsAndClampsTheIndex) {
    struct Step {
        const char* text;
        int at;
        int index; // what LVM_INSERTITEM answers
    } steps[] = {{"b", 0, 0}, {"d", 5, 1}, {"a", 0, 0}, {"c", 2, 2}, {"e", -3, 0}};
    for (const Step& s : steps)
        EXPECT_EQ(Insert(s.text, s.at), s.index) << s.text;
    const char* order[] = {"e", "a", "b", "c", "d"};
    ASSERT_EQ(Send(LVM_GETITEMCOUNT), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Text(i), order[i]);
    std::vector<UINT> expected(5, LVN_INSERTITEM);
    EXPECT_EQ(Codes(), expected);
}

TEST_F(ListViewItemsTest, TextsAreCutToTheCallersBufferAndTheLengthCopiedIsReturned) {
    std::string longName(300, 'x');
    longName[299] = 'y';
    Insert(longName.c_str());
    Insert("caf\xe9"); // é in the ANSI code page
    struct Case {
        int item;
        int max;
        std::string text;
        LRESULT length;
    } cases[] = {
        {0, MAX_PATH, std::string(259, 'x'), 259},
        {0, 1, "", 0},
        {0, 0, "", 0},
        {1, MAX_PATH, "caf\xe9", 4},
        {1, 3, "ca", 2},
    };
    for (const Case& c : cases) {
        char buf[400];
        std::memset(buf, '#', sizeof buf);
        LVITEMA it{};
        it.pszText = buf;
        it.cchTextMax = c.max;
        EXPECT_EQ(Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(c.item), &it), c.length) << c.max;
        if (c.max > 0) {
            EXPECT_EQ(std::string(buf), c.text);
        }
        EXPECT_EQ(buf[c.max], '#') << "written past the buffer";
    }
    WCHAR wide[MAX_PATH] = {};
    LVITEMW w{};
    w.pszText = wide;
    w.cchTextMax = MAX_PATH;
    EXPECT_EQ(Send(LVM_GETITEMTEXTW, 1, &w), 4);
    EXPECT_EQ(std::u16string(wide), u"caf\u00e9");
}

TEST_F(ListViewItemsTest, SubItemsNeedTheirColumnAndGoWithIt) {
    Insert("notes");
    auto setSub = [&](int sub, const char* text) {
        LVITEMA it{};
        it.iSubItem = sub;
        it.pszText = const_cast<LPSTR>(text);
        return Send(LVM_SETITEMTEXTA, 0, &it);
    };
    EXPECT_TRUE(setSub(1, "1 KB"));
    EXPECT_TRUE(setSub(2, "Text Document"));
    EXPECT_FALSE(setSub(3, "no such column"));
    LVITEMW w{};
    WCHAR wtext[] = u"2 KB";
    w.iSubItem = 1;
    w.pszText = wtext;
    EXPECT_TRUE(Send(LVM_SETITEMTEXTW, 0, &w));
    EXPECT_EQ(Text(0, 1), "2 KB");
    EXPECT_EQ(Text(0, 2), "Text Document");
    EXPECT_TRUE(Send(LVM_DELETECOLUMN, 1));
    EXPECT_EQ(Text(0, 1), "Text Document"); // the later column's texts move down with it
    EXPECT_EQ(Text(0, 0), "notes");
}

TEST_F(ListViewItemsTest, GetAndSetItemCarryTheFieldsOfTheMask) {
    Insert("a", 0, 42);
    LVITEMA set{};
    set.mask = LVIF_IMAGE | LVIF_STATE;
    set.iItem = 0;
    set.iImage = 3;
    set.state = LVIS_SELECTED;
    set.stateMask = LVIS_SELECTED;
    EXPECT_TRUE(Send(LVM_SETITEMA, 0, &set));
    char buf[8] = {};
    LVITEMA get{};
    get.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
    get.stateMask = 0xFFFF;
    get.pszText = buf;
    get.cchTextMax = 8;
    EXPECT_TRUE(Send(LVM_GETITEMA, 0, &get));
    EXPECT_EQ(get.iImage, 3);
    EXPECT_EQ(get.lParam, 42);
    EXPECT_EQ(get.state, static_cast<UINT>(LVIS_SELECTED));
    EXPECT_STREQ(buf, "a");
    get.iItem = 1;
    EXPECT_FALSE(Send(LVM_GETITEMA, 0, &get));
}

TEST_F(ListViewItemsTest, DeletingSendsTheNoticesAndKeepsTheSelectionCount) {
    for (const char* t : {"a", "b", "c", "d"})
        Insert(t);
    SetState(1, LVIS_SELECTED, LVIS_SELECTED);
    SetState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Codes();
    EXPECT_TRUE(Send(LVM_DELETEITEM, 1));
    EXPECT_FALSE(Send(LVM_DELETEITEM, 9));
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_DELETEITEM});
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 1);
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(Focused(), 2);
    EXPECT_TRUE(Send(LVM_DELETEALLITEMS));
    std::vector<std::pair<UINT, int>> deleted;
    for (const lvtest::Note& n : Take())
        deleted.emplace_back(n.code, n.item);
    EXPECT_EQ(deleted,
              (std::vector<std::pair<UINT, int>>{
                  {LVN_DELETEALLITEMS, -1}, {LVN_DELETEITEM, 2}, {LVN_DELETEITEM, 1}, {LVN_DELETEITEM, 0}}));
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 0);
    EXPECT_EQ(Focused(), -1);
    // A parent answering TRUE to LVN_DELETEALLITEMS wants no notice per item.
    Insert("x");
    Insert("y");
    Codes();
    answers[LVN_DELETEALLITEMS] = TRUE;
    Send(LVM_DELETEALLITEMS);
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_DELETEALLITEMS});
}

TEST_F(ListViewItemsTest, FindItemMatchesWithoutRegardToCaseFromAfterTheStart) {
    for (const char* t : {"Alpha", "beta", "ALPHABET", "Gamma", "alpha"})
        Insert(t);
    struct Case {
        UINT flags;
        const char* text;
        int start;
        LRESULT found;
    } cases[] = {
        {LVFI_STRING, "alpha", -1, 0},
        {LVFI_STRING, "alpha", 0, 4},
        {LVFI_STRING, "alpha", 4, -1},
        {LVFI_STRING | LVFI_WRAP, "alpha", 4, 0},
        {LVFI_STRING | LVFI_WRAP, "BETA", 1, 1}, // wrapping comes back to the start item itself
        {LVFI_PARTIAL, "alph", 0, 2},
        {LVFI_STRING | LVFI_PARTIAL, "GAM", -1, 3},
        {LVFI_STRING, "gam", -1, -1},
        {LVFI_STRING, "delta", -1, -1},
    };
    for (const Case& c : cases) {
        LVFINDINFOA fi{};
        fi.flags = c.flags;
        fi.psz = c.text;
        EXPECT_EQ(Send(LVM_FINDITEMA, static_cast<WPARAM>(c.start), &fi), c.found)
            << c.text << " " << c.start;
    }
    LVFINDINFOW wfi{};
    wfi.flags = LVFI_STRING;
    wfi.psz = u"GAMMA";
    EXPECT_EQ(Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), &wfi), 3);
}

TEST_F(ListViewItemsTest, ColumnsAreMirroredInTheHeaderChild) {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    ASSERT_TRUE(header);
    char cls[32] = {};
    GetClassNameA(header, cls, sizeof cls);
    EXPECT_STREQ(cls, WC_HEADERA);
    EXPECT_EQ(GetParent(header), lv);
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);

    LVCOLUMNA c{};
    c.mask = LVCF_TEXT;
    c.pszText = const_cast<LPSTR>("Modified");
    EXPECT_TRUE(Send(LVM_SETCOLUMNA, 2, &c));
    EXPECT_TRUE(Send(LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(75, 0)));
    EXPECT_EQ(Send(LVM_GETCOLUMNWIDTH, 1), 75);

    struct Want {
        const char* text;
        int width;
    } want[] = {{"Name", 150}, {"Size", 75}, {"Modified", 80}};
    for (int i = 0; i < 3; ++i) {
        char buf[MAX_PATH] = {};
        HDITEMA hd{};
        hd.mask = HDI_TEXT | HDI_WIDTH;
        hd.pszText = buf;
        hd.cchTextMax = MAX_PATH;
        ASSERT_TRUE(
            SendMessageA(header, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&hd)));
        EXPECT_STREQ(buf, want[i].text);
        EXPECT_EQ(hd.cxy, want[i].width);

        char lbuf[MAX_PATH] = {};
        LVCOLUMNA lc{};
        lc.mask = LVCF_TEXT | LVCF_WIDTH;
        lc.pszText = lbuf;
        lc.cchTextMax = MAX_PATH;
        ASSERT_TRUE(Send(LVM_GETCOLUMNA, static_cast<WPARAM>(i), &lc));
        EXPECT_STREQ(lbuf, want[i].text);
        EXPECT_EQ(lc.cx, want[i].width);
        WCHAR wbuf[MAX_PATH] = {};
        LVCOLUMNW wc{};
        wc.mask = LVCF_TEXT;
        wc.pszText = wbuf;
        wc.cchTextMax = MAX_PATH;
        ASSERT_TRUE(Send(LVM_GETCOLUMNW, static_cast<WPARAM>(i), &wc));
        EXPECT_EQ(emu::WideToAnsi(wbuf), want[i].text);
    }
    LVCOLUMNA none{};
    none.mask = LVCF_WIDTH;
    EXPECT_FALSE(Send(LVM_GETCOLUMNA, 3, &none));
    EXPECT_TRUE(Send(LVM_DELETECOLUMN, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ListViewItemsTest, ColoursFontsImageListsAndExtendedStylesAreKept) {
    EXPECT_EQ(Send(LVM_GETBKCOLOR), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Send(LVM_GETTEXTCOLOR), static_cast<LRESULT>(GetSysColor(COLOR_WINDOWTEXT)));
    struct Case {
        UINT set, get;
        COLORREF color;
    } cases[] = {{LVM_SETBKCOLOR, LVM_GETBKCOLOR, 0x00123456},
                 {LVM_SETTEXTBKCOLOR, LVM_GETTEXTBKCOLOR, 0x80000005}, // system colours pass unchanged
                 {LVM_SETTEXTCOLOR, LVM_GETTEXTCOLOR, 0x000000FF},
                 {LVM_SETTEXTBKCOLOR, LVM_GETTEXTBKCOLOR, CLR_NONE}};
    for (const Case& c : cases) {
        EXPECT_TRUE(Send(c.set, 0, static_cast<LPARAM>(c.color)));
        EXPECT_EQ(static_cast<COLORREF>(Send(c.get)), c.color);
    }
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma");
    EXPECT_EQ(Send(WM_GETFONT), 0);
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(Send(WM_GETFONT)), font);
    EXPECT_EQ(
        reinterpret_cast<HFONT>(SendMessageA(reinterpret_cast<HWND>(Send(LVM_GETHEADER)), WM_GETFONT, 0, 0)),
        font);
    HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    EXPECT_EQ(Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(il)), 0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, LVSIL_SMALL)), il);
    EXPECT_EQ(Send(LVM_GETIMAGELIST, LVSIL_NORMAL), 0);
    EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES), 0);
    EXPECT_EQ(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, 0),
              LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(Send(LVM_GETEXTENDEDLISTVIEWSTYLE), LVS_EX_FULLROWSELECT);
    DestroyWindow(lv);
    ImageList_Destroy(il);
    DeleteObject(font);
}

} // namespace
