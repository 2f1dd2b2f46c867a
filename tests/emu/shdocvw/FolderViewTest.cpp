#include "emu/shdocvw/WebViewFixture.h"
#include "platform/emu/shdocvw/FolderView.h"

namespace {

using webtest::Lines;

class FolderViewTest : public webtest::WebViewTest {
protected:
    FolderViewTest() {
        desk.Files().WriteFile("C:\\docs\\a.txt", std::string(1500, 'x'));
        desk.Files().WriteFile("C:\\docs\\b.xyz");
        desk.Files().WriteFile("C:\\docs\\Zeta\\z.txt", "z");
        desk.Files().WriteFile("C:\\docs\\sub\\s.txt", "s");
    }

    static std::string Header(HWND list, int column) {
        char buf[64] = {};
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT;
        c.pszText = buf;
        c.cchTextMax = sizeof buf;
        SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
        return buf;
    }
    static void Select(HWND list, int item) {
        LVITEMA it{};
        it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        it.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
    }
};

TEST_F(FolderViewTest, EachFolderGetsANewDocumentWindowHoldingItsListView) {
    HWND embedding = web->Window();
    ASSERT_NE(embedding, nullptr);
    EXPECT_EQ(ClassOf(embedding), "Shell Embedding");
    EXPECT_EQ(GetParent(embedding), form);
    EXPECT_EQ(FindWindowExA(form, nullptr, "Shell Embedding", nullptr), embedding);

    Go("C:\\docs");
    HWND first = web->DocumentWindow();
    EXPECT_EQ(ClassOf(first), "Shell DocObject View");
    EXPECT_EQ(GetParent(first), embedding);
    HWND list = web->FolderList();
    EXPECT_EQ(ClassOf(list), "SysListView32");
    EXPECT_EQ(GetParent(list), first);

    Go("C:\\docs\\sub");
    EXPECT_FALSE(IsWindow(first)) << "the previous document window is destroyed";
    EXPECT_FALSE(IsWindow(list));
    EXPECT_NE(web->DocumentWindow(), nullptr);
    EXPECT_EQ(FindWindowExA(embedding, nullptr, "Shell DocObject View", nullptr), web->DocumentWindow());
    EXPECT_EQ(FindWindowExA(embedding, web->DocumentWindow(), "Shell DocObject View", nullptr), nullptr);

    Go("http://nowhere.test/");
    EXPECT_EQ(web->FolderList(), nullptr);
    EXPECT_EQ(ClassOf(GetWindow(web->DocumentWindow(), GW_CHILD)), "Internet Explorer_Server");
}

// What the embedding window saw of each WM_PARENTNOTIFY(WM_CREATE): the new window's class, and whether
// a list view was already under it.
thread_local std::vector<std::string>* t_notices = nullptr;
thread_local WNDPROC t_embeddingProc = nullptr;

LRESULT CALLBACK WatchEmbedding(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && t_notices) {
        HWND child = reinterpret_cast<HWND>(lParam);
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        HWND list = FindWindowExA(child, nullptr, "SysListView32", nullptr);
        t_notices->push_back(
            std::string(name) +
            (list ? " with " + std::to_string(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) + " items" : ""));
    }
    return CallWindowProcA(t_embeddingProc, hwnd, msg, wParam, lParam);
}

TEST_F(FolderViewTest, TheListViewIsThereWhenTheEmbeddingWindowHearsOfTheDocumentWindow) {
    std::vector<std::string> notices;
    t_notices = &notices;
    t_embeddingProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(web->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchEmbedding)));
    Go("C:\\docs");
    t_notices = nullptr;
    // The list view's creation notice goes to its parent, the document window, not further up: the
    // embedding window hears of the document window alone, with the list view already filled under it.
    EXPECT_EQ(notices, (std::vector<std::string>{"Shell DocObject View with 4 items"}));
    SetWindowLongPtrA(web->Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(t_embeddingProc));
}

TEST_F(FolderViewTest, ListsFoldersFirstWithTheDetailsColumns) {
    Go("C:\\docs");
    HWND list = web->FolderList();
    const char* headers[] = {"Name", "Size", "Type", "Modified"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Header(list, i), headers[i]);
    struct Row {
        const char *name, *size, *type;
    };
    const Row rows[] = {
        {"sub", "", "File Folder"},
        {"Zeta", "", "File Folder"},
        {"a", "2 KB", "Text Document"},
        {"b.xyz", "0 KB", "XYZ File"},
    };
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Text(list, i, 0), rows[i].name) << i;
        EXPECT_EQ(Text(list, i, 1), rows[i].size) << i;
        EXPECT_EQ(Text(list, i, 2), rows[i].type) << i;
        std::string modified = Text(list, i, 3);
        EXPECT_TRUE(modified.find(" AM") != std::string::npos || modified.find(" PM") != std::string::npos)
            << modified;
    }
}

struct ViewCase {
    WORD command;
    DWORD view;
};

TEST_F(FolderViewTest, ViewCommandsChangeTheListViewsStyle) {
    Go("C:\\docs");
    HWND list = web->FolderList();
    EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK, LVS_ICON)
        << "the shell's view starts in large icons";
    const ViewCase cases[] = {
        {emu::kViewDetails, LVS_REPORT},  {emu::kViewList, LVS_LIST}, {emu::kViewSmallIcons, LVS_SMALLICON},
        {emu::kViewLargeIcons, LVS_ICON}, {emu::kViewList, LVS_LIST}, {emu::kViewThumbnails, LVS_ICON},
    };
    for (const auto& c : cases) {
        desk.Windows().Spy(list);
        desk.Windows().ClearSpied();
        SendMessageA(web->DocumentWindow(), WM_COMMAND, c.command, 0);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(list, GWL_STYLE) & LVS_TYPEMASK), c.view) << c.command;
        bool changed = false;
        for (const auto& m : desk.Windows().TakeSpied())
            if (m.message == WM_STYLECHANGED && m.wParam == static_cast<WPARAM>(GWL_STYLE)) {
                auto* ss = reinterpret_cast<const STYLESTRUCT*>(m.lParam);
                (void)ss; // only valid during the call
                changed = true;
            }
        EXPECT_TRUE(changed) << "WM_STYLECHANGED for " << c.command;
        desk.Windows().SpyOff(list);
    }
    EXPECT_EQ(Text(list, 0, 0), "sub") << "the items stay";
}

TEST_F(FolderViewTest, OpeningAFolderItemNavigatesAndAFileIsRunByTheShell) {
    Go("C:\\docs");
    HWND list = web->FolderList();
    // Double-click on the folder "Zeta" (item 1).
    SendMessageA(list, LVM_SETVIEW, LV_VIEW_DETAILS, 0);
    RECT rc{};
    rc.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rc));
    events.lines.clear();
    desk.Windows().DoubleClick(list, POINT{rc.left + 2, rc.top + 2});
    EXPECT_EQ(std::count(events.lines.begin(), events.lines.end(), "Before C:\\docs\\Zeta"), 1);
    Pump();
    EXPECT_EQ(web->LocationURL(), "C:\\docs\\Zeta");

    // Enter on the file z.txt: the shell opens it, the web view stays.
    list = web->FolderList();
    Select(list, 0);
    Pump();
    events.lines.clear();
    desk.Windows().PressKey(list, VK_RETURN);
    Pump();
    EXPECT_TRUE(events.lines.empty());
    auto started = desk.Log().OfKind("ShellExecute");
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].fields.at(1), "C:\\docs\\Zeta\\z.txt");
    EXPECT_EQ(web->LocationURL(), "C:\\docs\\Zeta");
}

struct SelectionCase {
    std::vector<int> selected; // items of C:\docs: sub, Zeta, a (1500 bytes), b.xyz (empty)
    Lines told;
};

TEST_F(FolderViewTest, SelectionChangesAreToldOncePerBurst) {
    Go("C:\\docs");
    HWND list = web->FolderList();
    const SelectionCase cases[] = {
        {{2, 3, 0}, {"Status 3 object(s) selected", "Status 1.46 KB"}},
        {{1}, {"Status 1 object(s) selected", "Status 0 bytes"}},
        {{}, {"Status 4 object(s)", "Status 1.46 KB"}},
        {{3}, {"Status 1 object(s) selected", "Status 0 bytes"}},
    };
    for (const auto& c : cases) {
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
        for (int item : c.selected)
            Select(list, item);
        events.lines.clear();
        Pump();
        EXPECT_EQ(events.lines, c.told) << c.told.front();
    }
    events.lines.clear();
    Pump();
    EXPECT_TRUE(events.lines.empty()) << "nothing changed, nothing told";
}

struct SizeCase {
    std::vector<size_t> files;
    const char* objects;
    const char* size;
};

TEST_F(FolderViewTest, StatusTextsCountTheItemsAndAddUpTheFiles) {
    const SizeCase cases[] = {
        {{}, "0 object(s)", "0 bytes"},
        {{512}, "1 object(s)", "512 bytes"},
        {{6400, 6400}, "2 object(s)", "12.5 KB"},
        {{1024 * 1024, 200 * 1024, 3}, "3 object(s)", "1.19 MB"},
    };
    int n = 0;
    for (const auto& c : cases) {
        std::string folder = "C:\\sizes" + std::to_string(n++);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (size_t i = 0; i < c.files.size(); ++i)
            desk.Files().WriteFile(folder + "\\f" + std::to_string(i) + ".bin", std::string(c.files[i], 'x'));
        Lines lines = Go(folder);
        const Lines status = {std::string("Status ") + c.objects, std::string("Status ") + c.size};
        auto at = std::find(lines.begin(), lines.end(), status[0]);
        ASSERT_NE(at, lines.end()) << folder;
        EXPECT_EQ(Lines(at, at + 2), status) << folder;
    }
    Lines lines = Go("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("Status", 0) == 0; }),
              1)
        << "a virtual folder tells no size";
}

} // namespace
