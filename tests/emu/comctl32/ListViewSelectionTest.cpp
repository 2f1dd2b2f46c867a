// Item states: what LVM_SETITEMSTATE changes and notifies, the walks of LVM_GETNEXTITEM, and the cost of
// walking the selection of a big list.
#include "emu/comctl32/ListViewTest.h"
#include <chrono>

namespace {

using lvtest::ListViewTest;
using lvtest::Note;

class ListViewSelectionTest : public ListViewTest {
protected:
    void SetUp() override {
        ListViewTest::SetUp();
        ASSERT_TRUE(Create(LVS_REPORT));
        for (const char* t : {"a", "b", "c", "d", "e"})
            Insert(t);
        Codes();
    }
    // The LVN_ITEMCHANGING/CHANGED records as (code, item, new, old).
    std::vector<std::tuple<UINT, int, UINT, UINT>> Changes() {
        std::vector<std::tuple<UINT, int, UINT, UINT>> out;
        for (const Note& n : Take())
            out.emplace_back(n.code, n.item, n.newState, n.oldState);
        return out;
    }
};

constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;
constexpr UINT ING = LVN_ITEMCHANGING, ED = LVN_ITEMCHANGED;

TEST_F(ListViewSelectionTest, EachChangedItemGetsItsPairOfNotifications) {
    using C = std::tuple<UINT, int, UINT, UINT>;
    struct Step {
        int item;
        UINT state, mask;
        std::vector<C> notes;
        std::vector<int> selected;
        int focused;
    } steps[] = {
        {1, S, S, {C{ING, 1, S, 0}, C{ED, 1, S, 0}}, {1}, -1},
        {1, S, S, {}, {1}, -1}, // no change, no notice
        {3, S | F, S | F, {C{ING, 3, S | F, 0}, C{ED, 3, S | F, 0}}, {1, 3}, 3},
        // The focus moves: the new item's LVN_ITEMCHANGING, then the old item loses it, then the new item's
        // LVN_ITEMCHANGED.
        {0, F, F, {C{ING, 0, F, 0}, C{ING, 3, S, S | F}, C{ED, 3, S, S | F}, C{ED, 0, F, 0}}, {1, 3}, 0},
        // Item -1: every item whose state changes, in order.
        {-1,
         S,
         S,
         {C{ING, 0, S | F, F}, C{ED, 0, S | F, F}, C{ING, 2, S, 0}, C{ED, 2, S, 0}, C{ING, 4, S, 0},
          C{ED, 4, S, 0}},
         {0, 1, 2, 3, 4},
         0},
        {-1,
         0,
         S,
         {C{ING, 0, F, S | F}, C{ED, 0, F, S | F}, C{ING, 1, 0, S}, C{ED, 1, 0, S}, C{ING, 2, 0, S},
          C{ED, 2, 0, S}, C{ING, 3, 0, S}, C{ED, 3, 0, S}, C{ING, 4, 0, S}, C{ED, 4, 0, S}},
         {},
         0},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(SetState(s.item, s.state, s.mask)) << s.item;
        EXPECT_EQ(Changes(), s.notes) << s.item;
        EXPECT_EQ(Selected(), s.selected) << s.item;
        EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), static_cast<LRESULT>(s.selected.size()));
        EXPECT_EQ(Focused(), s.focused);
    }
    EXPECT_FALSE(SetState(-1, F, F)); // the focus cannot go to every item
    EXPECT_FALSE(SetState(5, S, S));
    EXPECT_EQ(Send(LVM_GETITEMSTATE, 0, F | S), F);
}

TEST_F(ListViewSelectionTest, TheParentMayRefuseAChange) {
    answers[LVN_ITEMCHANGING] = TRUE;
    EXPECT_FALSE(SetState(2, S, S));
    EXPECT_EQ(Codes(), std::vector<UINT>{LVN_ITEMCHANGING});
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 0);
}

TEST_F(ListViewSelectionTest, SingleSelectionListsKeepOneSelectedItem) {
    SetWindowLongPtrA(lv, GWL_STYLE, GetWindowLongPtrA(lv, GWL_STYLE) | LVS_SINGLESEL);
    SetState(1, S, S);
    SetState(3, S, S);
    EXPECT_EQ(Selected(), std::vector<int>{3});
    EXPECT_FALSE(SetState(-1, S, S));
}

TEST_F(ListViewSelectionTest, GetNextItemStartsAfterTheStartItem) {
    SetState(1, S, S);
    SetState(4, S | F, S | F);
    struct Case {
        int start;
        UINT flags;
        LRESULT next;
    } cases[] = {
        {-1, LVNI_ALL, 0},      {0, LVNI_ALL, 1},      {4, LVNI_ALL, -1},
        {-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, 4}, {4, LVNI_SELECTED, -1},
        {-1, LVNI_FOCUSED, 4},  {4, LVNI_FOCUSED, -1}, {-1, LVNI_SELECTED | LVNI_FOCUSED, 4},
        {2, LVNI_BELOW, 3},     {0, LVNI_ABOVE, -1},   {9, LVNI_ALL, -1},
        {-2, LVNI_ALL, -1}, // a start out of range finds nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(c.start), MAKELPARAM(c.flags, 0)), c.next)
            << c.start << " " << c.flags;
}

TEST_F(ListViewSelectionTest, TheSelectionBookkeepingFollowsInsertionsAndDeletions) {
    SetState(2, S, S);
    Insert("new", 0);
    EXPECT_EQ(Selected(), std::vector<int>{3});
    Send(LVM_DELETEITEM, 0);
    Send(LVM_DELETEITEM, 0);
    EXPECT_EQ(Selected(), std::vector<int>{1});
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_STATE;
    it.iItem = 0;
    it.pszText = const_cast<LPSTR>("sel");
    it.state = it.stateMask = S;
    Send(LVM_INSERTITEMA, 0, &it);
    EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Send(LVM_GETSELECTEDCOUNT), 2);
}

// Walking the selection of 100,000 items looks at each item a bounded number of times: a selection of
// every tenth item walked from start to end, the first selected item asked for again and again, and all
// of it selected, deselected and walked, stay well inside a second.
TEST(ListViewBigTest, WalkingTheSelectionOfAHundredThousandItemsIsLinear) {
    emu::Desktop d;
    testwin::Register();
    HWND parent = testwin::Top("big", WS_OVERLAPPEDWINDOW);
    HWND lv = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, parent, nullptr,
                              nullptr, nullptr);
    const int n = 100000;
    auto start = std::chrono::steady_clock::now();
    SendMessageA(lv, LVM_SETITEMCOUNT, n, 0);
    for (int i = 0; i < n; ++i) {
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_STATE;
        it.iItem = i;
        it.pszText = const_cast<LPSTR>("file");
        it.state = (i % 10 == 9) ? LVIS_SELECTED : 0;
        it.stateMask = LVIS_SELECTED;
        SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
    }
    EXPECT_EQ(SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0), n / 10);
    int walked = 0;
    for (LRESULT i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
         i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))
        ++walked;
    EXPECT_EQ(walked, n / 10);
    // Deselect the selected items front to back, asking each time for the first selected one.
    for (LRESULT i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); i >= 0;
         i = SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) {
        LVITEMA it{};
        it.stateMask = LVIS_SELECTED;
        SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&it));
    }
    EXPECT_EQ(SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    LVITEMA all{};
    all.state = all.stateMask = LVIS_SELECTED;
    SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(SendMessageA(lv, LVM_GETSELECTEDCOUNT, 0, 0), n);
    all.state = 0;
    SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    EXPECT_EQ(SendMessageA(lv, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    auto elapsed = std::chrono::steady_clock::now() - start;
    // GCC says AddressSanitizer is on with __SANITIZE_ADDRESS__, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
    const auto limit = std::chrono::seconds(10);
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    const auto limit = std::chrono::seconds(10);
#else
    const auto limit = std::chrono::seconds(1);
#endif
#else
    const auto limit = std::chrono::seconds(1);
#endif
    EXPECT_LT(elapsed, limit);
    DestroyWindow(parent);
}

} // namespace
