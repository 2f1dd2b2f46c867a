#include "shellview/ShellViewFixture.h"
#include "platform/emu/user32/WindowManager.h"

using vireo::Folder;

namespace {

class SelectionStatusTest : public ShellViewFixture {
protected:
    std::vector<std::string> Notices() const {
        std::vector<std::string> out;
        for (const std::string& line : log)
            if (line.rfind("Event.NotifySelection", 0) == 0) out.push_back(line);
        return out;
    }
};

TEST_F(SelectionStatusTest, NoticeTexts) {
    struct Case {
        const char* name;
        std::vector<std::string> headers;
        std::vector<Row> rows;
        const char* notice;
        const char* status; // "KEPT" when the bar keeps its earlier text
    };
    auto items = [](int n, std::initializer_list<int> selected) {
        std::vector<Row> rows;
        for (int i = 0; i < n; ++i)
            rows.push_back({{"f" + std::to_string(i)}, false});
        for (int i : selected)
            rows[static_cast<size_t>(i)].selected = true;
        return rows;
    };
    const std::vector<std::string> details = {"Name", "Size", "Type", "Modified"};
    const Case cases[] = {
        {"nothing selected of ten", details, items(10, {}), "Event.NotifySelection 0 ",
         "0/10 OBJECTS SELECTED"},
        {"three of ten", details, items(10, {2, 5, 9}), "Event.NotifySelection 3 f2",
         "3/10 OBJECTS SELECTED"},
        {"empty folder", details, {}, "Event.NotifySelection 0 ", "KEPT"},
        {"one item without details", details, items(3, {1}), "Event.NotifySelection 1 f1", "KEPT"},
        {"one item with details",
         details,
         {{{"notes", "1 KB", "Text Document", "5/12/2026 10:00"}, true}},
         "Event.NotifySelection 1 notes",
         "SIZE=1 KB, TYPE=TEXT DOCUMENT, MODIFIED=5/12/2026 10:00"},
        {"header-less column and an empty value",
         {"Name", "", "Type", "Modified"},
         {{{"notes", "1 KB", "", "today"}, true}},
         "Event.NotifySelection 1 notes",
         "1 KB, MODIFIED=TODAY"},
        {"only the name column", {"Name"}, {{{"notes"}, true}}, "Event.NotifySelection 1 notes", "KEPT"},
    };
    control->SetCurrentFolder(Folder{"C:\\", "", "", 0, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND lv = MakeListView(control->Window(), c.headers, c.rows);
        control->m_hwndLV = lv;
        control->SetStatusText("kept");
        log.clear();
        control->UpdateSelectionStatus();
        EXPECT_EQ(Notices(), std::vector<std::string>{c.notice});
        EXPECT_EQ(control->StatusText(), c.status);
        DestroyWindow(lv);
    }
    control->m_hwndLV = nullptr;
    control->SetStatusText("kept");
    log.clear();
    control->UpdateSelectionStatus();
    EXPECT_EQ(Notices(), std::vector<std::string>{"Event.NotifySelection 0 "});
    EXPECT_EQ(control->StatusText(), "KEPT");
}

TEST_F(SelectionStatusTest, TheFolderSizeFollowsTheCountInItsOwnCase) {
    // The size comes from the shell view's status text; one selected item shows its details instead.
    struct Case {
        const char* sizeText;
        std::vector<int> selected;
        const char* status;
    } cases[] = {
        {"12 KB", {0, 2, 4, 6, 8}, "5/9 OBJECTS SELECTED (12 KB)"},
        {"512 bytes", {}, "0/9 OBJECTS SELECTED (512 BYTES)"},
        {"3 object(s)", {1, 2}, "2/9 OBJECTS SELECTED"}, // not a size: no suffix
        {"12 KB", {3}, "KEPT"},
    };
    control->SetCurrentFolder(Folder{"C:\\", "", "", 0, 0});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeText);
        std::vector<Row> rows;
        for (int i = 0; i < 9; ++i)
            rows.push_back({{"f" + std::to_string(i)}, false});
        for (int i : c.selected)
            rows[static_cast<size_t>(i)].selected = true;
        HWND lv = MakeListView(control->Window(), {"Name"}, rows);
        control->m_hwndLV = lv;
        container.web->events->StatusTextChange(c.sizeText);
        control->SetStatusText("kept");
        control->UpdateSelectionStatus();
        EXPECT_EQ(control->StatusText(), c.status);
        DestroyWindow(lv);
    }
    control->m_hwndLV = nullptr;
}

TEST_F(SelectionStatusTest, OneBurstGivesOneNotice) {
    struct Case {
        int fires;
        uint64_t spacing; // ms between the calls
        uint64_t wait;    // ms after the last call
        size_t notices;
    };
    const Case cases[] = {{1, 0, 199, 0}, {1, 0, 200, 1}, {5, 0, 200, 1}, {4, 150, 200, 1}, {2, 250, 200, 2}};
    BuildTree({"Name"}, {{{"a"}, true}});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.fires) + " every " + std::to_string(c.spacing));
        log.clear();
        for (int i = 0; i < c.fires; ++i) {
            if (i) desk.Windows().Advance(c.spacing);
            control->FireStatus();
        }
        desk.Windows().Advance(c.wait);
        EXPECT_EQ(Notices().size(), c.notices);
        desk.Windows().Advance(1000); // nothing left pending for the next case
    }
}

TEST_F(SelectionStatusTest, ClickInTheListViewReachesTheHostOnce) {
    BuildTree({"Name"}, {{{"a"}}, {{"b"}}, {{"c"}}});
    control->SetCurrentFolder(Folder{"C:\\", "", "", 0, 0});
    log.clear();
    desk.Windows().Click(listView, {30, 25 + 16}); // item b
    desk.Windows().Advance(200);
    EXPECT_EQ(Notices(), std::vector<std::string>{"Event.NotifySelection 1 b"});
}

} // namespace
