#include "ShellViewFixture.h"
#include "platform/emu/Desktop.h"
#include "support/mEnumExt.h"
#include "support/mmShellMacro.h"

using vireo::Folder;

namespace {

class mmListViewTest : public ShellViewFixture {
protected:
    // A list view under the control's window, with the name, size, type and modified columns.
    HWND Files(const std::vector<Row>& rows) {
        HWND lv = MakeListView(control->Window(), {"Name", "Size", "Type", "Modified"}, rows);
        control->m_hwndLV = lv;
        return lv;
    }
    ~mmListViewTest() override { vireo::ClearExtensionIndex(); }
};

// A list view that answers only some of the text messages, as an older comctl32 or a foreign view does.
thread_local bool t_wide = true;
thread_local bool t_narrow = true;
thread_local WNDPROC t_listProc = nullptr;
LRESULT CALLBACK Picky(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const bool wide = msg == LVM_GETITEMTEXTW || msg == LVM_GETCOLUMNW;
    const bool narrow = msg == LVM_GETITEMTEXTA || msg == LVM_GETCOLUMNA;
    if ((wide && !t_wide) || (narrow && !t_narrow)) return 0;
    return CallWindowProcA(t_listProc, hwnd, msg, wParam, lParam);
}

TEST_F(mmListViewTest, TextsComeWideFirstThenNarrow) {
    const std::string longName(300, 'n');
    HWND lv = Files({{{"caf\xE9.txt", "1 KB", "", "5/12/2026"}}, {{longName}}});
    t_listProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(lv, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Picky)));
    struct Case {
        bool wide, narrow;
        std::string item0, size, header1, item1;
    };
    const std::string cut(259, 'n');
    const Case cases[] = {
        {true, true, "caf\xE9.txt", "1 KB", "Size", cut},
        {false, true, "caf\xE9.txt", "1 KB", "Size", cut},
        {true, false, "caf\xE9.txt", "1 KB", "Size", cut},
        {false, false, "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.wide) + std::to_string(c.narrow));
        t_wide = c.wide;
        t_narrow = c.narrow;
        EXPECT_EQ(vireo::ItemText(lv, 0, 0), c.item0);
        EXPECT_EQ(vireo::ItemText(lv, 0, 1), c.size);
        EXPECT_EQ(vireo::ItemText(lv, 0, 2), "");
        EXPECT_EQ(vireo::ColumnText(lv, 1), c.header1);
        EXPECT_EQ(vireo::ItemText(lv, 1, 0), c.item1);
    }
    t_wide = t_narrow = true;
    EXPECT_EQ(vireo::ItemText(nullptr, 0, 0), "");
    EXPECT_EQ(vireo::ColumnText(nullptr, 0), "");
}

TEST_F(mmListViewTest, ItemNamePutsBackTheHiddenExtension) {
    desk.Files().MakeDir("C:\\dir\\data.txt");
    desk.Files().WriteFile("C:\\dir\\notes.txt", "x");
    desk.Files().WriteFile("C:\\dir\\page.html", "x");
    desk.Files().WriteFile("C:\\dir\\odd.xyz", "x");
    desk.Files().WriteFile("C:\\dir\\plain", "x");
    vireo::ClearExtensionIndex();
    vireo::AddExtension("Text Document", ".txt");
    vireo::AddExtension("Text Document", ".log");
    vireo::AddExtension("HTML Document", ".htm");
    vireo::AddExtension("HTML Document", ".html");
    control->SetCurrentFolder(Folder{"C:\\dir\\", "", "", 0, 0});
    struct Case {
        const char* shown;
        const char* type;
        const char* expected;
    };
    const Case cases[] = {
        {"notes", "Text Document", "notes.txt"}, // first listed extension that exists
        {"page", "HTML Document", "page.html"},  // the second one, the first being absent
        {"data.txt", "File Folder", "data.txt"}, // a folder keeps its name
        {"odd.xyz", "XYZ File", "odd.xyz"},      // the name already carries its extension
        {"plain", "", "plain"},                  // no type
        {"gone", "Text Document", "gone"},       // no file with any of the extensions
        {"notes", "Unknown Type", "notes"},      // a type the index does not know
        {"notes", "text document", "notes.txt"}, // the index compares types without case
    };
    std::vector<Row> rows;
    for (const Case& c : cases)
        rows.push_back({{c.shown, "", c.type}});
    Files(rows);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].shown + std::string(" / ") + cases[i].type);
        EXPECT_EQ(vireo::ItemName(*control, static_cast<LONG>(i)), cases[i].expected);
    }
}

TEST_F(mmListViewTest, SelectionOperations) {
    using Op = std::function<void(HWND)>;
    struct Case {
        const char* name;
        std::vector<bool> before;
        Op op;
        std::vector<std::string> after;
    };
    // Items a.txt, xa.txt, b, report, A.TXT.
    const Case cases[] = {
        {"by name: first exact match",
         {0, 0, 0, 0, 0},
         [](HWND lv) { vireo::SelectItemByName(lv, "A.TXT"); },
         {"A.TXT"}},
        {"by name keeps the others",
         {0, 0, 1, 0, 0},
         [](HWND lv) { vireo::SelectItemByName(lv, "a.txt"); },
         {"a.txt", "b"}},
        {"by empty name", {0, 0, 0, 0, 0}, [](HWND lv) { vireo::SelectItemByName(lv, ""); }, {}},
        {"by missing name", {0, 0, 0, 0, 0}, [](HWND lv) { vireo::SelectItemByName(lv, "a"); }, {}},
        {"list: a name inside a listed one",
         {0, 0, 0, 0, 0},
         [](HWND lv) { vireo::SelectItemsInList(lv, "xa.txt\r\n"); },
         {"a.txt", "xa.txt"}},
        {"list: a listed name inside an item's",
         {0, 0, 0, 0, 0},
         [](HWND lv) { vireo::SelectItemsInList(lv, "a.txt\r\n"); },
         {"a.txt"}},
        {"list: never clears",
         {0, 0, 1, 0, 0},
         [](HWND lv) { vireo::SelectItemsInList(lv, "report\r\n"); },
         {"b", "report"}},
        {"list: shown name only",
         {0, 0, 0, 0, 0},
         [](HWND lv) { vireo::SelectItemsInList(lv, "report.doc\r\n"); },
         {}},
        {"list: empty", {1, 0, 0, 0, 0}, [](HWND lv) { vireo::SelectItemsInList(lv, ""); }, {"a.txt"}},
        {"list: last name without CR LF",
         {0, 0, 0, 0, 0},
         [](HWND lv) { vireo::SelectItemsInList(lv, "b\r\nreport"); },
         {"b"}},
        {"invert", {1, 0, 1, 0, 1}, [](HWND lv) { vireo::InvertItemSelection(lv); }, {"xa.txt", "report"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const char* names[] = {"a.txt", "xa.txt", "b", "report", "A.TXT"};
        std::vector<Row> rows;
        for (size_t i = 0; i < 5; ++i)
            rows.push_back({{names[i]}, c.before[i]});
        HWND lv = Files(rows);
        c.op(lv);
        EXPECT_EQ(Selected(lv), c.after);
        DestroyWindow(lv);
    }
}

TEST_F(mmListViewTest, SelectedListAndCount) {
    struct Case {
        std::vector<bool> selected;
        std::string list;
        LONG count;
        std::string file; // GetSelectedCount's sFile, which starts as "was"
    };
    const Case cases[] = {
        {{0, 0, 0}, "", 0, "was"},
        {{0, 1, 0}, "b\r\n", 1, "b"},
        {{1, 1, 0}, "a\r\nb\r\n", 2, "was"},
        {{1, 1, 1}, "a\r\nb\r\nc\r\n", 3, "was"},
    };
    control->SetCurrentFolder(Folder{"C:\\", "", "", 0, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        HWND lv = Files({{{"a"}, c.selected[0]}, {{"b"}, c.selected[1]}, {{"c"}, c.selected[2]}});
        std::string list = "stale";
        EXPECT_EQ(control->GetSelectedFileList(list), c.count);
        EXPECT_EQ(list, c.list);
        std::string file = "was";
        EXPECT_EQ(control->GetSelectedCount(file), c.count);
        EXPECT_EQ(file, c.file);
        DestroyWindow(lv);
    }
    control->m_hwndLV = nullptr;
    std::string list = "kept", file = "kept";
    EXPECT_EQ(control->GetSelectedFileList(list), 0);
    EXPECT_EQ(list, "");
    EXPECT_EQ(control->GetSelectedCount(file), 0);
    EXPECT_EQ(file, "kept");
}

TEST_F(mmListViewTest, SwitchViewSendsTheViewCommand) {
    const std::pair<LONG, WPARAM> cases[] = {{0, 0x7029},     {1, 0x702C}, {2, 0x702A}, {3, 0x702B},
                                             {28721, 0x7031}, {5, 0},      {-1, 0}};
    HWND sv = MakeWindow("Shell DocObject View", control->Window());
    control->m_hwndSV = sv;
    for (auto [view, command] : cases) {
        SCOPED_TRACE(view);
        desk.Windows().Spy(sv);
        desk.Windows().ClearSpied();
        control->SwitchView(view);
        const auto spied = desk.Windows().TakeSpied();
        ASSERT_EQ(spied.size(), 1u);
        EXPECT_EQ(spied[0].message, UINT(WM_COMMAND));
        EXPECT_EQ(spied[0].wParam, command);
        EXPECT_EQ(spied[0].lParam, 0);
    }
    control->m_hwndSV = nullptr;
    desk.Windows().ClearSpied();
    control->SwitchView(1);
    EXPECT_TRUE(desk.Windows().TakeSpied().empty());
}

TEST_F(mmListViewTest, ColumnWidthIsKeptInDetailsViewOfFolders) {
    struct Case {
        const char* url;
        LONG style;
        int restored; // the width of column 0 after it was taken at 150 and set to 60 meanwhile
    };
    const Case cases[] = {{"C:\\", 1, 150}, {"C:\\", 3, 60}, {"http://site/", 1, 60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.url) + " " + std::to_string(c.style));
        vireo::RefPtr<vireo::VireoBrowser> fresh = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        HWND lv = MakeListView(fresh->Window(), {"Name"}, {});
        fresh->m_hwndLV = lv;
        fresh->SetCurrentFolder(Folder{c.url, "", "", 0, 0});
        fresh->SetStyle(c.style);
        fresh->SetColWidth(); // nothing remembered yet
        EXPECT_EQ(vireo::ColumnWidth(lv, 0), 100);
        vireo::SetColumnWidth(lv, 0, 150);
        fresh->GetColWidth();
        vireo::SetColumnWidth(lv, 0, 60);
        fresh->SetColWidth();
        EXPECT_EQ(vireo::ColumnWidth(lv, 0), c.restored);
    }
}

TEST_F(mmListViewTest, OpenListItemTriesChildThenFolderThenShell) {
    desk.Files().MakeDir("C:\\dir\\sub");
    desk.Files().WriteFile("C:\\dir\\a.xyz", "x");
    desk.Files().MountScratch('E', DRIVE_CDROM, "Disc");
    desk.Files().SetMedia('E', false);
    const LONG_PTR dirPidl = vireo::PidlFromPath(nullptr, "C:\\dir");
    struct Case {
        const char* name;
        const char* item;
        const char* url;
        LONG_PTR pidl;
        bool treeGoes; // what the tree answers to GoToChild / SelectFolder
        bool expected;
        std::vector<std::string> calls;
        size_t executed;
    };
    const Case cases[] = {
        {"drive without medium", "Disc (E:)", "C:\\dir\\", dirPidl, true, false, {}, 0},
        {"child of a listed location", "sub", "C:\\dir\\", dirPidl, true, true, {"Tree.GoToChild sub"}, 0},
        {"child refused, shell runs it", "a.xyz", "", dirPidl, false, true, {"Tree.GoToChild a.xyz"}, 1},
        {"folder path", "sub", "C:\\dir\\", 0, true, true, {"Tree.SelectFolder C:\\dir\\sub"}, 0},
        {"not found anywhere", "nothing", "", 0, false, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND lv = Files({{{c.item}, true}});
        control->SetCurrentFolder(Folder{c.url, "", "", c.pidl, 0});
        container.tree->goResult = c.treeGoes;
        if (c.treeGoes) container.tree->selectResults.push_back(1);
        log.clear();
        desk.Log().Clear();
        EXPECT_EQ(vireo::OpenListItem(*control, 0), c.expected);
        std::vector<std::string> calls;
        for (const std::string& line : log)
            if (line.rfind("Tree.GoToChild", 0) == 0 || line.rfind("Tree.SelectFolder", 0) == 0)
                calls.push_back(line);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(desk.Log().Count("ShellExecuteEx"), c.executed);
        container.tree->selectResults.clear();
        DestroyWindow(lv);
    }
    vireo::FreePidl(dirPidl);
}

TEST_F(mmListViewTest, ExecuteListItemByNameOrIndex) {
    desk.Files().WriteFile("C:\\dir\\a.xyz", "x");
    const LONG_PTR dirPidl = vireo::PidlFromPath(nullptr, "C:\\dir");
    control->SetCurrentFolder(Folder{"C:\\dir\\", "", "", dirPidl, 0});
    Files({{{"a.xyz"}}, {{"b.xyz"}}});
    struct Case {
        std::function<bool()> run;
        bool expected;
    };
    const Case cases[] = {
        {[&] { return vireo::ExecuteListItem(*control, std::string("A.XYZ")); }, true}, // names without case
        {[&] { return vireo::ExecuteListItem(*control, LONG(0)); }, true},
        {[&] { return vireo::ExecuteListItem(*control, LONG(1)); }, false},
        {[&] { return vireo::ExecuteListItem(*control, std::string("")); }, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        desk.Log().Clear();
        EXPECT_EQ(cases[i].run(), cases[i].expected);
        EXPECT_EQ(desk.Log().Count("ShellExecuteEx"), cases[i].expected ? 1u : 0u);
    }
    vireo::FreePidl(dirPidl);
}

TEST_F(mmListViewTest, ItemUnderCursorNeedsAHitOnTheItem) {
    HWND lv = Files({{{"a"}}, {{"b"}}});
    struct Case {
        POINT client;
        LONG expected;
    };
    // Details view: a 20-pixel header, then 16-pixel rows; column 0 is 100 pixels wide.
    const Case cases[] = {{{30, 25}, 0}, {{30, 41}, 1}, {{30, 60}, -1}, {{30, 5}, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.client.x) + "," + std::to_string(c.client.y));
        POINT screen = c.client;
        ClientToScreen(lv, &screen);
        SetCursorPos(screen.x, screen.y);
        EXPECT_EQ(vireo::ItemUnderCursor(lv), c.expected);
    }
}

// A list view whose LVM_GETNEXTITEM answers wrongly, as a window of another class or a broken view would.
// It stops answering after 1,000 questions so that a walk that would never end fails instead of hanging.
thread_local int t_nextMode = 0;
thread_local int t_nextAsked = 0;
thread_local WNDPROC t_walkProc = nullptr;
LRESULT CALLBACK WrongNext(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != LVM_GETNEXTITEM) return CallWindowProcA(t_walkProc, hwnd, msg, wParam, lParam);
    if (++t_nextAsked > 1000) return -1;
    const LRESULT start = static_cast<LRESULT>(static_cast<LONG_PTR>(wParam));
    switch (t_nextMode) {
    case 0:
        return 0; // a window that is not a list view
    case 1:
        return start < 0 ? 0 : start; // the start item again
    case 2:
        return start < 1 ? 1 : start - 1; // backwards
    default:
        return start + 7; // past the item count
    }
}

TEST_F(mmListViewTest, WalksEndOnAnAnswerThatDoesNotMoveOn) {
    using Op = std::function<void(HWND)>;
    const std::pair<const char*, Op> ops[] = {
        {"invert", [](HWND lv) { vireo::InvertItemSelection(lv); }},
        {"select by name", [](HWND lv) { vireo::SelectItemByName(lv, "nothing"); }},
        {"select in list", [](HWND lv) { vireo::SelectItemsInList(lv, "nothing\r\n"); }},
        {"selected list",
         [&](HWND) {
             std::string list;
             vireo::BuildSelectedList(*control, list);
         }},
    };
    for (int mode = 0; mode < 4; ++mode) {
        for (const auto& [name, op] : ops) {
            SCOPED_TRACE(std::string(name) + " mode " + std::to_string(mode));
            HWND lv = Files({{{"a"}, true}, {{"b"}, true}, {{"c"}, true}});
            t_walkProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(lv, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WrongNext)));
            t_nextMode = mode;
            t_nextAsked = 0;
            op(lv);
            EXPECT_LE(t_nextAsked, 4); // at most one question per item and one more
            DestroyWindow(lv);
        }
    }
    // A window of another class answers 0 to every list-view message.
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, control->Window(), nullptr, nullptr,
                                 nullptr);
    control->m_hwndLV = label;
    std::string list = "x";
    vireo::InvertItemSelection(label);
    vireo::SelectItemsInList(label, "a\r\n");
    EXPECT_EQ(vireo::BuildSelectedList(*control, list), 0);
    EXPECT_EQ(list, "");
    DestroyWindow(label);
}

} // namespace
