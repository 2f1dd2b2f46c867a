// The folder view's operations against a real shell view: the folder's items, selecting by names, the
// selected list, inverting, columns and view modes, colours, run on Wine's comctl32 list view and shell32
// view with the control's list-view members.
#include "tests/wine/ListViewScene.h"

namespace winecheck {

namespace {

// Selecting by a list of names, then the selected file list, in both ways Explorer shows file names. The
// list view's order is folders first, then files by name.
struct Selection {
    const char* list;
    const char* selected; // the selected list that results
};

void CheckSelectionTable(Scene& scene, bool hidden, const std::vector<Selection>& table) {
    vireo::VireoBrowser& c = *scene.control;
    for (const Selection& s : table) {
        ClearSelection(c.m_hwndLV);
        c.SetSelectedFiles(s.list);
        std::string list = "unchanged";
        const LONG count = c.GetSelectedFileList(list);
        LONG lines = 0;
        for (size_t p = list.find("\r\n"); p != std::string::npos; p = list.find("\r\n", p + 2))
            ++lines;
        Check(std::string("list view") + (hidden ? " (extensions hidden)" : "") + ": SetSelectedFiles \"" +
                  Shown(s.list) + "\" selects \"" + Shown(s.selected) + "\"",
              list == s.selected && count == lines, Shown(list) + " count " + std::to_string(count));
    }
}

void CheckStructure(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND view = scene.view->View();
    Check("shell view: the folder's IShellView makes its window", view != nullptr, Hex(scene.view->Result()));
    Check("shell view: a SHELLDLL_DefView child of the document-view host",
          ClassOf(view) == "SHELLDLL_DefView" && GetParent(view) == scene.docView, ClassOf(view));
    // The embedding window's procedure took the document-view host as it was created; the view's list view
    // lies one level further down, under SHELLDLL_DefView, where the document view's procedure finds it
    // when the view window is created.
    Check("shell view: the embedding window's procedure took the document-view host",
          c.m_hwndWB == scene.embedding && c.m_hwndSV == scene.docView);
    Check("shell view: the document view's procedure found the SysListView32 under the view window",
          c.m_hwndLV2 != nullptr && c.m_hwndLV2 == scene.view->ListView() &&
              ClassOf(c.m_hwndLV2) == "SysListView32",
          ClassOf(c.m_hwndLV2));
}

void CheckFolderContents(Scene& scene, bool hidden) {
    vireo::VireoBrowser& c = *scene.control;
    const std::string mode = hidden ? " (extensions hidden)" : "";
    Check("list view" + mode + ": one item per entry", vireo::ItemCount(c.m_hwndLV) == kEntryCount,
          std::to_string(vireo::ItemCount(c.m_hwndLV)));
    const std::vector<std::string> names = AllNames(c);
    std::string seen;
    for (const std::string& n : names)
        seen += n + "|";
    Check("list view" + mode + ": ItemName gives every entry's real file name", names == EntryNames(hidden),
          seen);
    // Column 0 shows the name the shell displays: without a known extension when Explorer hides them.
    struct Display {
        const char* file;
        const char* plain;
        const char* hidden;
        const char* restored; // ItemName when hidden
    } displays[] = {{"notes.txt", "notes.txt", "notes", "notes.txt"},
                    {"data.txt", "data.txt", "data.txt", "data.txt"},
                    {"readme", "readme", "readme", "readme"},
                    {"Case.TXT", "Case.TXT", "Case", "Case.txt"}};
    for (const Display& s : displays) {
        bool found = false;
        for (LONG i = 0; i < vireo::ItemCount(c.m_hwndLV); ++i)
            found = found || (vireo::ItemName(c, i) == (hidden ? s.restored : s.file) &&
                              vireo::ItemText(c.m_hwndLV, i, 0) == (hidden ? s.hidden : s.plain));
        Check("list view" + mode + ": " + s.file + " is shown as " + (hidden ? s.hidden : s.plain), found);
    }
}

void CheckSelection(Scene& scene, bool hidden) {
    if (!hidden) {
        CheckSelectionTable(scene, false,
                            {{"", ""},
                             {"notes.txt", ""},
                             {"a.txt\r\n", "a.txt\r\n"},
                             {"xa.txt\r\n", "a.txt\r\nxa.txt\r\n"},
                             {"data.txt\r\n", "data.txt\r\na.txt\r\n"},
                             {"A.TXT\r\ncase.txt\r\n", ""},
                             {"Case.TXT\r\n", "Case.TXT\r\n"},
                             {"note\r\n", "note\r\n"},
                             {"My File.txt\r\nsub\r\n", "sub\r\nMy File.txt\r\n"},
                             {"readme\r\nsub two\r\nnotes.txt\r\n", "sub two\r\nnotes.txt\r\nreadme\r\n"}});
    } else {
        // Shown without extensions, the files are matched by what the list shows, and their names come
        // back with the extension put back.
        CheckSelectionTable(scene, true,
                            {{"a.txt\r\n", ""},
                             {"xa\r\n", "a.txt\r\nxa.txt\r\n"},
                             {"notes\r\n", "notes.txt\r\n"},
                             {"data.txt\r\n", "data.txt\r\n"},
                             {"Case\r\nMy File\r\n", "Case.txt\r\nMy File.txt\r\n"}});
    }
}

void CheckSelectionMembers(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV;

    // GetSelectedCount names the one selected item and leaves the text alone otherwise.
    struct Count {
        const char* list;
        LONG count;
        const char* file;
    } counts[] = {{"", 0, "kept"}, {"notes.txt\r\n", 1, "notes.txt"}, {"sub\r\nreadme\r\n", 2, "kept"}};
    for (const Count& k : counts) {
        ClearSelection(lv);
        c.SetSelectedFiles(k.list);
        std::string file = "kept";
        const LONG n = c.GetSelectedCount(file);
        Check("list view: GetSelectedCount after selecting \"" + Shown(k.list) + "\"",
              n == k.count && file == k.file, std::to_string(n) + " " + file);
    }

    // SetSelectedFiles adds to the selection; InvertSelection turns it over, twice gives it back.
    ClearSelection(lv);
    c.SetSelectedFiles("sub\r\n");
    c.SetSelectedFiles("readme\r\n");
    std::string list;
    c.GetSelectedFileList(list);
    Check("list view: SetSelectedFiles keeps what was selected", list == "sub\r\nreadme\r\n", Shown(list));
    c.InvertSelection();
    const LONG inverted = c.GetSelectedFileList(list);
    Check("list view: InvertSelection selects the others only",
          inverted == kEntryCount - 2 && list.find("sub\r\n") == std::string::npos &&
              list.find("readme") == std::string::npos && list.find("sub two\r\n") != std::string::npos,
          Shown(list));
    c.InvertSelection();
    c.GetSelectedFileList(list);
    Check("list view: InvertSelection twice gives the selection back", list == "sub\r\nreadme\r\n",
          Shown(list));

    struct ByName {
        const char* name;
        bool result;
        const char* selected;
    } byName[] = {
        {"sub", true, "sub\r\n"}, {"Sub", false, ""}, {"", false, ""}, {"notes.txt", true, "notes.txt\r\n"}};
    for (const ByName& b : byName) {
        ClearSelection(lv);
        const bool r = vireo::SelectItemByName(lv, b.name);
        c.GetSelectedFileList(list);
        Check(std::string("list view: SelectItemByName \"") + b.name + "\"",
              r == b.result && list == b.selected, Shown(list));
    }

    // The first selected item and the state of one item.
    ClearSelection(lv);
    c.SetSelectedFiles("readme\r\nnote\r\n");
    const LONG first = vireo::FirstSelectedItem(lv);
    Check("list view: FirstSelectedItem is the first selected in list order",
          first >= 0 && vireo::ItemName(c, first) == "note" && vireo::IsItemSelected(lv, first) &&
              !vireo::IsItemSelected(lv, 0),
          std::to_string(first));
    ClearSelection(lv);
    Check("list view: nothing selected gives -1 and an empty list",
          vireo::FirstSelectedItem(lv) == -1 && c.GetSelectedFileList(list) == 0 && list.empty());
}

void CheckColumnsAndViews(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV;
    // ItemName reads the type from column 2. Windows heads the first column "Name"; Wine's shell32 heads it
    // "File".
    const std::string first = vireo::ColumnText(lv, 0);
    Check("list view: the column headers Name and Type",
          (first == "Name" || first == "File") && vireo::ColumnText(lv, 2) == "Type",
          vireo::ColumnText(lv, 0) + "|" + vireo::ColumnText(lv, 2));

    // View commands sent to the document-view host reach the shell view; the list view's new type comes
    // back to the control as its Style, except while a new list view is being set up. A view number
    // without a command leaves the view as it is.
    struct View {
        LONG view;
        bool ready;
        LONG type;
        LONG style;
    } views[] = {{0, true, LVS_ICON, 0},   {2, true, LVS_SMALLICON, 2}, {3, true, LVS_LIST, 3},
                 {0, false, LVS_ICON, 3},  {1, false, LVS_REPORT, 3},   {2, true, LVS_SMALLICON, 2},
                 {1, true, LVS_REPORT, 1}, {5, true, LVS_REPORT, 1}};
    for (const View& v : views) {
        vireo::Shared().g_bViewReady = v.ready;
        c.SwitchView(v.view);
        vireo::Shared().g_bViewReady = true;
        const LONG type = static_cast<LONG>(GetWindowLongPtrA(lv, GWL_STYLE) & LVS_TYPEMASK);
        Check("list view: SwitchView " + std::to_string(v.view) + (v.ready ? "" : " during setup") +
                  " shows view type " + std::to_string(v.type) + ", Style " + std::to_string(v.style),
              type == v.type && c.Style() == v.style,
              "type " + std::to_string(type) + ", Style " + std::to_string(c.Style()));
    }

    // In details the first column's width is remembered and put back.
    struct Width {
        LONG set;
    } widths[] = {{150}, {80}, {300}};
    for (const Width& w : widths) {
        vireo::SetColumnWidth(lv, 0, w.set);
        c.GetColWidth();
        vireo::SetColumnWidth(lv, 0, 40);
        c.SetColWidth();
        Check("list view: column 0 width " + std::to_string(w.set) + " is remembered and restored",
              vireo::ColumnWidth(lv, 0) == w.set, std::to_string(vireo::ColumnWidth(lv, 0)));
    }

    // The item under the cursor: on an item's label, and below the last item.
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(lv, LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    POINT on{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    RECT client{};
    GetClientRect(lv, &client);
    POINT below{client.right / 2, client.bottom - 5};
    struct Under {
        const char* where;
        POINT pt;
        LONG index;
    } unders[] = {{"an item's label", on, 3}, {"empty space", below, -1}};
    for (Under& u : unders) {
        ClientToScreen(lv, &u.pt);
        SetCursorPos(u.pt.x, u.pt.y);
        Check(std::string("list view: the item under the cursor on ") + u.where,
              vireo::ItemUnderCursor(lv) == u.index, std::to_string(vireo::ItemUnderCursor(lv)));
    }
}

// An empty folder: nothing to count, list or invert.
void CheckEmptyFolder(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    if (!scene.Show(std::string(kDir) + "\\sub", FVM_DETAILS)) return;
    const HWND lv = scene.TakeListView();
    std::string list = "kept", file = "kept";
    const LONG listed = c.GetSelectedFileList(list);
    c.InvertSelection();
    c.SetSelectedFiles("sub\r\n");
    Check("list view: an empty folder has no items, no selection and an empty list",
          lv != nullptr && vireo::ItemCount(lv) == 0 && listed == 0 && list.empty() &&
              c.GetSelectedCount(file) == 0 && file == "kept" && vireo::FirstSelectedItem(lv) == -1,
          std::to_string(vireo::ItemCount(lv)) + " items, list " + Shown(list));
}

// The first move of a document-view host gives the list view the control's colours; later moves of the
// same host leave the list view as it is.
void CheckColours(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV;
    vireo::Shared().lastDocView = nullptr;
    struct Move {
        LONG back;
        LONG fore;
        COLORREF shownBack;
        COLORREF shownFore;
    } moves[] = {{0xE0F0FF, 0x203040, 0xE0F0FF, 0x203040}, {0x000000, 0xFFFFFF, 0xE0F0FF, 0x203040}};
    int x = 0;
    for (const Move& m : moves) {
        c.SetBackColor(m.back);
        c.SetForeColor(m.fore);
        SetWindowPos(scene.docView, nullptr, ++x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const auto bk = static_cast<COLORREF>(SendMessageA(lv, LVM_GETBKCOLOR, 0, 0));
        const auto textBk = static_cast<COLORREF>(SendMessageA(lv, LVM_GETTEXTBKCOLOR, 0, 0));
        const auto text = static_cast<COLORREF>(SendMessageA(lv, LVM_GETTEXTCOLOR, 0, 0));
        Check("list view: colours after move " + std::to_string(x) + " of the document-view host",
              bk == m.shownBack && textBk == m.shownBack && text == m.shownFore,
              Hex(static_cast<long>(bk)) + " " + Hex(static_cast<long>(textBk)) + " " +
                  Hex(static_cast<long>(text)));
    }
}

} // namespace

void CheckListView() {
    const std::vector<Entry> entries(std::begin(kEntries), std::end(kEntries));
    auto tree = MakeTree(kDir, entries);
    {
        TextExtension txt;
        Scene scene;
        for (bool hidden : {false, true}) {
            HideExtensions hide(hidden);
            if (!scene.Show(kDir, FVM_DETAILS)) {
                Check("shell view: the folder's IShellView makes its window", false,
                      Hex(scene.view->Result()));
                break;
            }
            if (!hidden) CheckStructure(scene);
            scene.TakeListView();
            CheckFolderContents(scene, hidden);
            CheckSelection(scene, hidden);
            if (hidden) continue;
            CheckSelectionMembers(scene);
            CheckSelectionNotice(scene);
            CheckColumnsAndViews(scene);
            CheckColours(scene);
            CheckContextMenu(scene);
            CheckSubclassing(scene);
            CheckLabelEditing(scene);
        }
        {
            HideExtensions shown(false);
            for (int files : {100, 5000})
                TimeLargeFolder(scene, files);
        }
        CheckEmptyFolder(scene);
        CheckTermination(scene);
    }
    tree.reset();
    Check("list view: the scratch folder is removed", GetFileAttributesA(kDir) == INVALID_FILE_ATTRIBUTES);
}

} // namespace winecheck
