// The tree view control: item links and fields, and the notifications its parent receives, in order.
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/comctl32/TreeView.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// One notification as the parent saw it.
struct Note {
    UINT code;
    UINT action = 0;
    std::string oldItem; // the items' texts; "" for none
    std::string newItem;
    bool operator==(const Note&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
    return os << "{" << static_cast<int>(n.code) << " action " << n.action << " old '" << n.oldItem
              << "' new '" << n.newItem << "'}";
}

class TreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        hook = [this](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT* result) {
            if (msg != WM_NOTIFY) return false;
            *result = OnNotify(reinterpret_cast<NMHDR*>(lParam));
            return true;
        };
        parent = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
        tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                               0, 0, 200, 100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)),
                               nullptr, nullptr);
        ASSERT_TRUE(tree);
    }
    void TearDown() override {
        if (IsWindow(parent)) DestroyWindow(parent);
        EXPECT_EQ(d.Windows().LiveWindowCount(), 0u);
    }

    LRESULT OnNotify(NMHDR* hdr) {
        EXPECT_EQ(hdr->hwndFrom, tree);
        EXPECT_EQ(hdr->idFrom, 7u);
        Note note{hdr->code, 0, "", ""};
        switch (hdr->code) {
        case TVN_SELCHANGINGA:
        case TVN_SELCHANGEDA:
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDEDA:
        case TVN_DELETEITEMA: {
            auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
            note.action = nm->action;
            note.oldItem = Name(nm->itemOld.hItem);
            note.newItem = Name(nm->itemNew.hItem);
            for (const TVITEMA* item : {&nm->itemOld, &nm->itemNew})
                if (item->hItem && Param(item->hItem) >= 0) {
                    EXPECT_EQ(item->lParam, Param(item->hItem));
                }
            break;
        }
        case TVN_GETDISPINFOA:
            note.newItem = Name(reinterpret_cast<NMTVDISPINFOA*>(hdr)->item.hItem);
            break;
        default:
            break;
        }
        notes.push_back(note);
        return answer ? answer(hdr) : 0;
    }

    // Items are named by their lParam, an index into names, so a deleted item still has a name.
    HTREEITEM Add(HTREEITEM under, const std::string& text, HTREEITEM after = TVI_LAST, int children = -2) {
        TVINSERTSTRUCTA is{};
        is.hParent = under;
        is.hInsertAfter = after;
        is.item.mask = TVIF_TEXT | TVIF_PARAM | (children != -2 ? TVIF_CHILDREN : 0);
        is.item.pszText = const_cast<LPSTR>(text.c_str());
        is.item.lParam = static_cast<LPARAM>(names.size());
        is.item.cChildren = children;
        names.push_back(text);
        auto item = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
        if (item) byName[text] = item;
        return item;
    }
    LPARAM Param(HTREEITEM item) {
        for (const auto& [name, h] : byName)
            if (h == item)
                return static_cast<LPARAM>(std::find(names.begin(), names.end(), name) - names.begin());
        return -1;
    }
    std::string Name(HTREEITEM item) {
        if (!item) return "";
        for (const auto& [name, h] : byName)
            if (h == item) return name;
        return "?";
    }
    HTREEITEM operator[](const std::string& name) { return byName.at(name); }

    HTREEITEM Next(HTREEITEM item, WPARAM which) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
    }
    std::vector<std::string> Children(HTREEITEM under) {
        std::vector<std::string> texts;
        for (HTREEITEM c = Next(under, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            texts.push_back(Text(c));
        return texts;
    }
    std::string Text(HTREEITEM item) {
        char buf[64] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buf;
        tv.cchTextMax = sizeof buf;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return "<failed>";
        return buf;
    }
    UINT State(HTREEITEM item, UINT mask = 0xFFFF) {
        return static_cast<UINT>(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    BOOL Select(HTREEITEM item) {
        return static_cast<BOOL>(
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
    }
    BOOL Expand(HTREEITEM item, UINT action) {
        return static_cast<BOOL>(SendMessageA(tree, TVM_EXPAND, action, reinterpret_cast<LPARAM>(item)));
    }
    BOOL Delete(HTREEITEM item) {
        return static_cast<BOOL>(SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)));
    }
    std::vector<Note> Take() { return std::exchange(notes, {}); }
    // The notes of the given codes only.
    std::vector<Note> Take(std::initializer_list<UINT> codes) {
        std::vector<Note> kept;
        for (const Note& n : Take())
            if (std::find(codes.begin(), codes.end(), n.code) != codes.end()) kept.push_back(n);
        return kept;
    }

    // A: A1 (A1a), A2; B.
    void Build() {
        Add(TVI_ROOT, "A");
        Add((*this)["A"], "A1");
        Add((*this)["A1"], "A1a");
        Add((*this)["A"], "A2");
        Add(TVI_ROOT, "B");
        Take();
    }

    emu::Desktop d;
    testwin::Hook hook;
    HWND parent = nullptr;
    HWND tree = nullptr;
    std::vector<Note> notes;
    std::function<LRESULT(NMHDR*)> answer;
    std::vector<std::string> names;
    std::map<std::string, HTREEITEM> byName;
};

constexpr UINT kSelChanging = TVN_SELCHANGINGA, kSelChanged = TVN_SELCHANGEDA;
constexpr UINT kExpanding = TVN_ITEMEXPANDINGA, kExpanded = TVN_ITEMEXPANDEDA, kDeleted = TVN_DELETEITEMA;

TEST_F(TreeViewTest, InsertPlacesItemsAmongTheirSiblings) {
    struct Case {
        const char* text;
        const char* after; // a sibling's text, or "first", "last", "sort"
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"m", "last", {"m"}},
        {"c", "last", {"m", "c"}},
        {"a", "first", {"a", "m", "c"}},
        {"k", "a", {"a", "k", "m", "c"}},
        {"z", "c", {"a", "k", "m", "c", "z"}},
        // Sorted insertion goes after the first run of smaller or equal texts, without regard to case.
        {"L", "sort", {"a", "k", "L", "m", "c", "z"}},
        {"K", "sort", {"a", "k", "K", "L", "m", "c", "z"}},
    };
    for (const Case& c : cases) {
        std::string after = c.after;
        HTREEITEM where = after == "first"  ? TVI_FIRST
                          : after == "last" ? TVI_LAST
                          : after == "sort" ? TVI_SORT
                                            : (*this)[after];
        ASSERT_TRUE(Add(TVI_ROOT, c.text, where)) << c.text;
        EXPECT_EQ(Children(nullptr), c.want) << c.text;
    }
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 7);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), (*this)["a"]);
    EXPECT_EQ(Next((*this)["a"], TVGN_PREVIOUS), nullptr);
    EXPECT_EQ(Next((*this)["z"], TVGN_NEXT), nullptr);
    EXPECT_EQ(Next((*this)["z"], TVGN_PARENT), nullptr);
    EXPECT_TRUE(Take().empty()) << "inserting notifies nothing";
}

TEST_F(TreeViewTest, InsertRejectsAParentThatIsNotAnItem) {
    Build();
    HTREEITEM a1a = (*this)["A1a"];
    Delete((*this)["A"]);
    TVINSERTSTRUCTA is{};
    is.hParent = a1a;
    is.hInsertAfter = TVI_LAST;
    EXPECT_EQ(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)), 0);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
}

TEST_F(TreeViewTest, SelectionNotifiesChangingThenChangedWithItsCause) {
    Build();
    EXPECT_TRUE(Select((*this)["B"]));
    EXPECT_EQ(Take(),
              (std::vector<Note>{{kSelChanging, TVC_UNKNOWN, "", "B"}, {kSelChanged, TVC_UNKNOWN, "", "B"}}));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), (*this)["B"]);
    EXPECT_EQ(State((*this)["B"], TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));

    // The same item again changes nothing.
    EXPECT_TRUE(Select((*this)["B"]));
    EXPECT_TRUE(Take().empty());

    // A hidden item is brought into view: its collapsed ancestors expand between the two notifications.
    EXPECT_TRUE(Select((*this)["A1a"]));
    EXPECT_EQ(Take({kSelChanging, kSelChanged, kExpanding, kExpanded}),
              (std::vector<Note>{{kSelChanging, TVC_UNKNOWN, "B", "A1a"},
                                 {kExpanding, TVE_EXPAND, "", "A"},
                                 {kExpanded, TVE_EXPAND, "", "A"},
                                 {kExpanding, TVE_EXPAND, "", "A1"},
                                 {kExpanded, TVE_EXPAND, "", "A1"},
                                 {kSelChanged, TVC_UNKNOWN, "B", "A1a"}}));
    EXPECT_EQ(State((*this)["B"], TVIS_SELECTED), 0u);

    // The user's click and keys say so in the action.
    ASSERT_TRUE(emu::comctl32::ClickTreeItem(tree, (*this)["A2"]));
    EXPECT_EQ(Take({kSelChanging, kSelChanged}),
              (std::vector<Note>{{kSelChanging, TVC_BYMOUSE, "A1a", "A2"},
                                 {kSelChanged, TVC_BYMOUSE, "A1a", "A2"}}));
    d.Windows().PressKey(tree, VK_DOWN);
    EXPECT_EQ(Take({kSelChanging, kSelChanged}),
              (std::vector<Note>{{kSelChanging, TVC_BYKEYBOARD, "A2", "B"},
                                 {kSelChanged, TVC_BYKEYBOARD, "A2", "B"}}));
}

TEST_F(TreeViewTest, AVetoedSelectionStaysWhereItWas) {
    Build();
    Select((*this)["A"]);
    Take();
    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_SELCHANGINGA; };
    EXPECT_FALSE(Select((*this)["B"]));
    EXPECT_EQ(Take(), (std::vector<Note>{{kSelChanging, TVC_UNKNOWN, "A", "B"}}));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), (*this)["A"]);
    EXPECT_EQ(State((*this)["B"], TVIS_SELECTED), 0u);
}

TEST_F(TreeViewTest, OnlyTheFirstExpansionByMessageNotifies) {
    Build();
    HTREEITEM a = (*this)["A"];
    struct Step {
        UINT action;
        BOOL result;
        std::vector<Note> want;
        UINT state; // TVIS_EXPANDED | TVIS_EXPANDEDONCE afterwards
    };
    const Step steps[] = {
        {TVE_EXPAND,
         TRUE,
         {{kExpanding, TVE_EXPAND, "", "A"}, {kExpanded, TVE_EXPAND, "", "A"}},
         TVIS_EXPANDED | TVIS_EXPANDEDONCE},
        {TVE_EXPAND, TRUE, {}, TVIS_EXPANDED | TVIS_EXPANDEDONCE},
        {TVE_COLLAPSE, TRUE, {}, TVIS_EXPANDEDONCE},
        {TVE_TOGGLE, TRUE, {}, TVIS_EXPANDED | TVIS_EXPANDEDONCE},
        {TVE_TOGGLE, TRUE, {}, TVIS_EXPANDEDONCE},
        // A reset deletes the children and forgets the first expansion.
        {TVE_COLLAPSE | TVE_COLLAPSERESET,
         TRUE,
         {{kDeleted, 0, "A1a", ""}, {kDeleted, 0, "A1", ""}, {kDeleted, 0, "A2", ""}},
         0},
        // Nothing left to show.
        {TVE_EXPAND, FALSE, {}, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(Expand(a, steps[i].action), steps[i].result) << "step " << i;
        EXPECT_EQ(Take(), steps[i].want) << "step " << i;
        EXPECT_EQ(State(a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), steps[i].state) << "step " << i;
    }
}

TEST_F(TreeViewTest, TheUsersButtonAlwaysNotifiesAndMayBeVetoed) {
    Build();
    HTREEITEM a = (*this)["A"];
    Expand(a, TVE_EXPAND);
    Expand(a, TVE_COLLAPSE);
    Take();
    ASSERT_TRUE(emu::comctl32::ClickTreeButton(tree, a));
    EXPECT_EQ(Take({kExpanding, kExpanded}),
              (std::vector<Note>{{kExpanding, TVE_EXPAND, "", "A"}, {kExpanded, TVE_EXPAND, "", "A"}}));
    ASSERT_TRUE(emu::comctl32::ClickTreeButton(tree, a));
    EXPECT_EQ(Take({kExpanding, kExpanded}),
              (std::vector<Note>{{kExpanding, TVE_COLLAPSE, "", "A"}, {kExpanded, TVE_COLLAPSE, "", "A"}}));

    answer = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_ITEMEXPANDINGA; };
    ASSERT_TRUE(emu::comctl32::ClickTreeButton(tree, a));
    EXPECT_EQ(Take({kExpanding, kExpanded}), (std::vector<Note>{{kExpanding, TVE_EXPAND, "", "A"}}));
    EXPECT_EQ(State(a, TVIS_EXPANDED), 0u);
}

TEST_F(TreeViewTest, ChildrenCanBeAddedWhileTheItemExpands) {
    // The lazy way: the item claims children through the callback and gets them on its first expansion.
    HTREEITEM folder = Add(TVI_ROOT, "folder", TVI_LAST, I_CHILDRENCALLBACK);
    HTREEITEM empty = Add(TVI_ROOT, "empty", TVI_LAST, I_CHILDRENCALLBACK);
    int fills = 0;
    answer = [&](NMHDR* hdr) -> LRESULT {
        if (hdr->code == TVN_GETDISPINFOA) {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(hdr);
            EXPECT_EQ(info->item.mask, static_cast<UINT>(TVIF_CHILDREN));
            info->item.cChildren = info->item.hItem == folder ? 1 : 0;
        }
        if (hdr->code == TVN_ITEMEXPANDINGA && reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem == folder) {
            ++fills;
            Add(folder, "sub1");
            Add(folder, "sub2");
        }
        return 0;
    };
    EXPECT_FALSE(Expand(empty, TVE_EXPAND));
    EXPECT_EQ(Take(), (std::vector<Note>{{TVN_GETDISPINFOA, 0, "", "empty"}}));
    EXPECT_TRUE(Expand(folder, TVE_EXPAND));
    EXPECT_EQ(Take(), (std::vector<Note>{{TVN_GETDISPINFOA, 0, "", "folder"},
                                         {kExpanding, TVE_EXPAND, "", "folder"},
                                         {kExpanded, TVE_EXPAND, "", "folder"}}));
    Expand(folder, TVE_COLLAPSE);
    Expand(folder, TVE_EXPAND);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(Children(folder), (std::vector<std::string>{"sub1", "sub2"}));
}

TEST_F(TreeViewTest, DeletingNotifiesChildrenFirstAndMovesTheSelection) {
    struct Case {
        const char* selected;
        const char* deleted;
        std::vector<Note> want;
        const char* selectedAfter;
    };
    const Case cases[] = {
        {"A1a",
         "A",
         {{kDeleted, 0, "A1a", ""},
          {kDeleted, 0, "A1", ""},
          {kDeleted, 0, "A2", ""},
          {kDeleted, 0, "A", ""},
          {kSelChanging, TVC_UNKNOWN, "", "B"},
          {kSelChanged, TVC_UNKNOWN, "", "B"}},
         "B"},
        // The next sibling first, then the parent, then the previous sibling.
        {"A1",
         "A1",
         {{kDeleted, 0, "A1a", ""},
          {kDeleted, 0, "A1", ""},
          {kSelChanging, TVC_UNKNOWN, "", "A2"},
          {kSelChanged, TVC_UNKNOWN, "", "A2"}},
         "A2"},
        {"A2",
         "A2",
         {{kDeleted, 0, "A2", ""}, {kSelChanging, TVC_UNKNOWN, "", "A"}, {kSelChanged, TVC_UNKNOWN, "", "A"}},
         "A"},
        {"B",
         "B",
         {{kDeleted, 0, "B", ""}, {kSelChanging, TVC_UNKNOWN, "", "A"}, {kSelChanged, TVC_UNKNOWN, "", "A"}},
         "A"},
        // A selection elsewhere stays.
        {"B", "A1", {{kDeleted, 0, "A1a", ""}, {kDeleted, 0, "A1", ""}}, "B"},
    };
    for (const Case& c : cases) {
        Delete(TVI_ROOT);
        byName.clear();
        names.clear();
        Build();
        Select((*this)[c.selected]);
        Take();
        EXPECT_TRUE(Delete((*this)[c.deleted]));
        EXPECT_EQ(Take({kDeleted, kSelChanging, kSelChanged}), c.want) << "deleting " << c.deleted;
        EXPECT_EQ(Next(nullptr, TVGN_CARET), (*this)[c.selectedAfter]) << "deleting " << c.deleted;
    }
}

TEST_F(TreeViewTest, DeletingEverythingAndDestroyingNotifyEveryItem) {
    Build();
    EXPECT_TRUE(Delete(TVI_ROOT));
    EXPECT_EQ(Take(), (std::vector<Note>{{kDeleted, 0, "A1a", ""},
                                         {kDeleted, 0, "A1", ""},
                                         {kDeleted, 0, "A2", ""},
                                         {kDeleted, 0, "A", ""},
                                         {kDeleted, 0, "B", ""}}));
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Next(nullptr, TVGN_ROOT), nullptr);

    byName.clear();
    names.clear();
    Build();
    DestroyWindow(tree);
    EXPECT_EQ(Take({kDeleted}).size(), 5u);
}

TEST_F(TreeViewTest, CollapsingOverTheSelectionSelectsTheCollapsedItem) {
    Build();
    Select((*this)["A1a"]);
    Take();
    EXPECT_TRUE(Expand((*this)["A"], TVE_COLLAPSE));
    EXPECT_EQ(Take(), (std::vector<Note>{{kSelChanging, TVC_UNKNOWN, "A1a", "A"},
                                         {kSelChanged, TVC_UNKNOWN, "A1a", "A"}}));
    EXPECT_EQ(State((*this)["A1"], TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED))
        << "inner items keep their state";
}

TEST_F(TreeViewTest, GetAndSetItemCopyTheFieldsTheMaskNames) {
    Build();
    HTREEITEM a = (*this)["A"];
    TVITEMA set{};
    set.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_TEXT;
    set.hItem = a;
    set.iImage = 4;
    set.iSelectedImage = 5;
    set.state = TVIS_BOLD | TVIS_SELECTED;
    set.stateMask = TVIS_BOLD | TVIS_SELECTED;
    set.pszText = const_cast<LPSTR>("Alpha folder");
    EXPECT_TRUE(SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&set)));
    EXPECT_EQ(Next(nullptr, TVGN_CARET), nullptr) << "the state does not move the caret";

    struct Case {
        int cchTextMax;
        const char* text;
    };
    for (const Case& c : {Case{64, "Alpha folder"}, Case{6, "Alpha"}, Case{1, ""}}) {
        char buf[64] = "untouched";
        TVITEMA get{};
        get.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM | TVIF_CHILDREN;
        get.hItem = a;
        get.pszText = buf;
        get.cchTextMax = c.cchTextMax;
        get.stateMask = 0xFF;
        ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get)));
        EXPECT_STREQ(buf, c.text);
        EXPECT_EQ(get.iImage, 4);
        EXPECT_EQ(get.iSelectedImage, 5);
        EXPECT_EQ(get.state, static_cast<UINT>(TVIS_BOLD));
        EXPECT_EQ(get.lParam, Param(a));
        EXPECT_EQ(get.cChildren, 1) << "computed from the children";
    }
    TVITEMA get{};
    get.mask = TVIF_CHILDREN;
    get.hItem = (*this)["B"];
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get));
    EXPECT_EQ(get.cChildren, 0);
    get.hItem = reinterpret_cast<HTREEITEM>(static_cast<INT_PTR>(0x1234));
    EXPECT_FALSE(SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&get))) << "not an item";
}

TEST_F(TreeViewTest, RectanglesAndHitTestsFollowTheRows) {
    Build();
    int h = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(h, 0);
    EXPECT_EQ(h % 2, 0);
    Expand((*this)["A"], TVE_EXPAND);
    struct Case {
        const char* item;
        BOOL shown;
        int row;
    };
    const Case cases[] = {
        {"A", TRUE, 0}, {"A1", TRUE, 1}, {"A1a", FALSE, 0}, {"A2", TRUE, 2}, {"B", TRUE, 3}};
    for (const Case& c : cases) {
        RECT r{};
        HTREEITEM item = (*this)[c.item];
        std::memcpy(&r, &item, sizeof item);
        ASSERT_EQ(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)), c.shown) << c.item;
        if (!c.shown) continue;
        EXPECT_EQ(r.top, c.row * h) << c.item;
        TVHITTESTINFO hit{{(r.left + r.right) / 2, r.top + 1}, 0, nullptr};
        EXPECT_EQ(
            reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))),
            item);
        EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMLABEL)) << c.item;
        hit.pt.x = r.right + 5;
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMRIGHT)) << c.item;
    }
    TVHITTESTINFO hit{{5, 4 * h + 1}, 0, nullptr};
    EXPECT_EQ(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_NOWHERE));
    hit.pt = {5, 500};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_BELOW));
    hit.pt = {5, 1};
    SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMBUTTON)) << "A's button column";
}

TEST_F(TreeViewTest, EnsureVisibleScrollsTheItemToTheLastRow) {
    for (int i = 0; i < 30; ++i)
        Add(TVI_ROOT, "item" + std::to_string(i));
    int rows = static_cast<int>(SendMessageA(tree, TVM_GETVISIBLECOUNT, 0, 0));
    ASSERT_GT(rows, 0);
    ASSERT_LT(rows, 30);
    EXPECT_TRUE(SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>((*this)["item20"])));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), (*this)["item" + std::to_string(21 - rows)]);
    EXPECT_FALSE(SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>((*this)["item20"])))
        << "already in view";
    EXPECT_TRUE(SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>((*this)["item0"])));
    EXPECT_EQ(Next(nullptr, TVGN_FIRSTVISIBLE), (*this)["item0"]);
}

TEST_F(TreeViewTest, FocusAndFontReachTheParent) {
    SetFocus(tree);
    EXPECT_EQ(Take(), (std::vector<Note>{{NM_SETFOCUS, 0, "", ""}}));
    HFONT font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    int before = static_cast<int>(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    SendMessageA(tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(tree, WM_GETFONT, 0, 0)), font);
    EXPECT_GT(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0), before);
    DestroyWindow(tree);
    DeleteObject(font);
}

TEST_F(TreeViewTest, AHundredThousandChildrenAreWalkedInLinearTime) {
    HTREEITEM folder = Add(TVI_ROOT, "big");
    TVINSERTSTRUCTA is{};
    is.hParent = folder;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT;
    char text[16];
    is.item.pszText = text;
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(text, sizeof text, "f%06d", i);
        ASSERT_TRUE(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    }
    Expand(folder, TVE_EXPAND);
    HTREEITEM last = Next(nullptr, TVGN_LASTVISIBLE);
    EXPECT_EQ(Text(last), "f099999");
    EXPECT_TRUE(Select(last));
    size_t count = 0;
    for (HTREEITEM c = Next(folder, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
        ++count;
    EXPECT_EQ(count, 100000u);
    Take();
    EXPECT_TRUE(Expand(folder, TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(Take({kDeleted}).size(), 100000u);
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1);
}

} // namespace
