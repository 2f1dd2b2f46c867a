// The folder view's operations against a real shell view: a scratch folder on C: shown by its own
// IShellView inside the window tree the control looks for, with the control's window procedures on the
// windows and its list-view members run on Wine's comctl32 list view and shell32 view.
#include "control/VireoBrowser.h"
#include "commands/fRename.h"
#include "control/Globals.h"
#include "shellview/mWndProc.h"
#include "shellview/mmListView.h"
#include "support/mEnumExt.h"
#include "support/mmShellMacro.h"
#include "tests/wine/Checker.h"
#include "tests/wine/ShellViewHost.h"
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace winecheck {

namespace {

// The control's container for this program: a plain parent window, run-time mode, no components (the
// control skips what it would ask of them).
class CheckContainer : public vireo::Container {
public:
    void SetParent(HWND parent) { m_parent = parent; }
    HWND ParentWindow() override { return m_parent; }
    bool UserMode() override { return true; }
    void PropertyChanged(const std::string&) override {}
    vireo::RefPtr<vireo::StdFont> AmbientFont() override { return {}; }
    void SetMousePointer(int32_t) override {}
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND) override { return {}; }
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND) override { return {}; }
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override { return {}; }

private:
    HWND m_parent = nullptr;
};

void PumpFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

std::string Lines(const std::vector<std::string>& names) {
    std::string s;
    for (const std::string& n : names)
        s += n + "\r\n";
    return s;
}

// A list on one line: CR LF shown as "|".
std::string Shown(const std::string& list) {
    std::string s;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list.compare(i, 2, "\r\n") == 0) {
            s.push_back('|');
            ++i;
        } else {
            s.push_back(list[i]);
        }
    }
    return s;
}

// The folder the checks look at. Its names test the matching: case (Case.TXT), a space, a name that is a
// prefix of another (note, notes.txt), one that ends another (a.txt, xa.txt), a file without extension
// and a folder with one.
const char kDir[] = "C:\\vireo-lv";
struct Entry {
    const char* name;
    bool folder;
    // The name ItemName gives when the extension is hidden: the extension comes back as registered (a
    // case-blind file system takes Case.txt for Case.TXT); null for the name itself.
    const char* restored = nullptr;
};
const Entry kEntries[] = {{"data.txt", true},
                          {"sub", true},
                          {"sub two", true},
                          {"a.txt", false},
                          {"Case.TXT", false, "Case.txt"},
                          {"My File.txt", false},
                          {"note", false},
                          {"notes.txt", false},
                          {"readme", false},
                          {"xa.txt", false}};
constexpr LONG kEntryCount = sizeof kEntries / sizeof kEntries[0];

void MakeTree(const std::string& dir, const std::vector<Entry>& entries) {
    CreateDirectoryA(dir.c_str(), nullptr);
    for (const Entry& e : entries) {
        const std::string path = dir + "\\" + e.name;
        if (e.folder) {
            CreateDirectoryA(path.c_str(), nullptr);
        } else {
            HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
    }
}

void RemoveTree(const std::string& dir, const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        const std::string path = dir + "\\" + e.name;
        if (e.folder)
            RemoveDirectoryA(path.c_str());
        else
            DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(dir.c_str());
}

// Explorer's "hide extensions for known file types", set for the life of the object and put back after.
// Windows hides only the extensions of registered types; Wine's shell32 hides every extension, so the
// folder holds no file of an unregistered type (ItemName could not give its extension back under Wine).
class HideExtensions {
public:
    explicit HideExtensions(bool hide) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                        nullptr);
        DWORD size = sizeof m_old;
        m_had = RegQueryValueExA(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&m_old), &size) ==
                ERROR_SUCCESS;
        const DWORD value = hide ? 1 : 0;
        RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    HideExtensions(const HideExtensions&) = delete;
    HideExtensions& operator=(const HideExtensions&) = delete;
    ~HideExtensions() {
        if (m_had)
            RegSetValueExA(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_old), sizeof m_old);
        else
            RegDeleteValueA(m_key, kValue);
        RegCloseKey(m_key);
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    static constexpr const char* kValue = "HideFileExt";
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_had = false;
};

// Windows always associates .txt with its "Text Document" class; a fresh Wine prefix has the class but
// not the extension's key. The key is added for the checks (and removed after), so that the shell names
// the type of a .txt file as Windows does and the extension index lists .txt under that name.
class TextExtension {
public:
    TextExtension() {
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, nullptr, 0, KEY_WRITE, nullptr, &m_key,
                            &disposition) != ERROR_SUCCESS)
            return;
        m_created = disposition == REG_CREATED_NEW_KEY;
        if (m_created) RegSetValueExA(m_key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("txtfile"), 8);
        vireo::ClearExtensionIndex();
        vireo::BuildExtensionIndex();
    }
    TextExtension(const TextExtension&) = delete;
    TextExtension& operator=(const TextExtension&) = delete;
    ~TextExtension() {
        if (m_key) RegCloseKey(m_key);
        if (m_created) RegDeleteKeyA(HKEY_CLASSES_ROOT, ".txt");
        vireo::ClearExtensionIndex();
    }

private:
    HKEY m_key = nullptr;
    bool m_created = false;
};

// The control on a form, activated on a "Shell Embedding" child, with the document-view host created in
// it; Show puts a folder's shell view in the host and makes the folder the control's current location.
class Scene {
public:
    Scene() {
        RegisterShellHostClasses();
        m_form = CreateWindowExA(0, "Static", "form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 560,
                                 nullptr, nullptr, nullptr, nullptr);
        m_container.SetParent(m_form);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(m_container);
        embedding = CreateWindowExA(0, "Shell Embedding", "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480,
                                    control->Window(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowPos(control->Window(), HWND_TOP, 0, 0, 660, 500, SWP_SHOWWINDOW);
        control->Activate();
        docView = CreateWindowExA(0, "Shell DocObject View", "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480,
                                  embedding, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene() {
        Close();
        control.reset();
        DestroyWindow(m_form);
    }

    // The shell view of dir in the given mode; true when it was made.
    bool Show(const std::string& dir, UINT mode) {
        Close();
        control->m_hwndLV = control->m_hwndLV2 = nullptr;
        view = std::make_unique<ShellViewHost>(docView, Wide(dir), mode);
        PumpFor(100); // a view that fills its list in the background has done so
        m_pidl = ILCreateFromPathA(dir.c_str());
        vireo::Folder folder;
        folder.sURL = dir + "\\";
        folder.nPidl = reinterpret_cast<LONG_PTR>(m_pidl);
        control->SetCurrentFolder(folder);
        return SUCCEEDED(view->Result());
    }
    // The list view the document view's procedure found, made the control's list view as the embedding
    // window's procedure makes the one it finds: the setup is over, style changes are recorded. (The
    // embedding window's procedure takes only a list view lying directly in the document-view host; a real
    // shell view puts it one level down, in SHELLDLL_DefView.)
    HWND TakeListView() {
        control->m_hwndLV = control->m_hwndLV2;
        vireo::g_bViewReady = true;
        return control->m_hwndLV;
    }
    void Close() {
        if (view) view->Close();
        view.reset();
        if (control) control->SetCurrentFolder(vireo::Folder());
        ILFree(m_pidl);
        m_pidl = nullptr;
    }

    vireo::RefPtr<vireo::VireoBrowser> control;
    HWND embedding = nullptr;
    HWND docView = nullptr;
    std::unique_ptr<ShellViewHost> view;

private:
    HWND m_form = nullptr;
    CheckContainer m_container;
    LPITEMIDLIST m_pidl = nullptr;
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

LONG_PTR Prop(HWND hwnd, const char* name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name));
}

LONG_PTR Proc(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

void ClearSelection(HWND lv) {
    vireo::SetItemSelected(lv, -1, false); // index -1: every item
}

// The real names of all items, sorted.
std::vector<std::string> AllNames(vireo::VireoBrowser& control) {
    std::vector<std::string> names;
    for (LONG i = 0; i < vireo::ItemCount(control.m_hwndLV); ++i)
        names.push_back(vireo::ItemName(control, i));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> EntryNames(bool hidden) {
    std::vector<std::string> names;
    for (const Entry& e : kEntries)
        names.push_back(hidden && e.restored ? e.restored : e.name);
    std::sort(names.begin(), names.end());
    return names;
}

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
        vireo::g_bViewReady = v.ready;
        c.SwitchView(v.view);
        vireo::g_bViewReady = true;
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
    vireo::lastDocView = nullptr;
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

// The popup menu as the user meets it: a thread timer notes how many entries it holds and closes it.
int t_menuEntries = -1;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    const auto hmenu = reinterpret_cast<HMENU>(SendMessageA(menu, 0x01E1 /* MN_GETHMENU */, 0, 0));
    t_menuEntries = hmenu ? GetMenuItemCount(hmenu) : 0;
    EndMenu();
}

// On NT 5.x, right-clicking an item outside a directory shows the control's menu: the shell's own menu
// for the selected items, from the folder's IContextMenu; with nothing selected no menu comes up.
void CheckContextMenu(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV;
    const vireo::Folder folder = c.SelFolder();
    vireo::Folder virtualLocation = folder;
    virtualLocation.sURL.clear();
    c.SetCurrentFolder(virtualLocation);
    const bool win2000 = vireo::g_bWin2000;
    vireo::g_bWin2000 = true;
    struct Click {
        const char* what;
        const char* selected;
        bool menu;
    } clicks[] = {{"on a selected item", "readme\r\nnote\r\n", true}, {"with nothing selected", "", false}};
    for (const Click& k : clicks) {
        ClearSelection(lv);
        c.SetSelectedFiles(k.selected);
        LONG index = 0;
        while (index < vireo::ItemCount(lv) && vireo::ItemText(lv, index, 0) != "readme")
            ++index;
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        POINT pt{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(lv, &pt);
        SetCursorPos(pt.x, pt.y);
        t_menuEntries = -1;
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseMenu);
        SendMessageA(lv, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(lv), MAKELPARAM(pt.x, pt.y));
        KillTimer(nullptr, timer);
        Check(std::string("context menu ") + k.what +
                  (k.menu ? ": the shell's menu for the items" : ": none"),
              k.menu ? t_menuEntries > 0 : t_menuEntries == -1, std::to_string(t_menuEntries) + " entries");
    }
    vireo::g_bWin2000 = win2000;
    c.SetCurrentFolder(folder);
    ClearSelection(lv);
}

// A procedure put in front of the control's on a list view, to see what the control's procedure leaves
// after WM_DESTROY: the list view's own procedure back and no properties.
struct DestroySpy {
    HWND hwnd = nullptr;
    LONG_PTR next = 0; // the control's procedure
    LONG_PTR own = 0;  // the list view's own procedure
    bool seen = false;
    bool restored = false;
};
DestroySpy t_destroy;

LRESULT CALLBACK SpyOnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = CallWindowProcA(reinterpret_cast<WNDPROC>(t_destroy.next), hwnd, msg, wParam, lParam);
    if (msg == WM_DESTROY && hwnd == t_destroy.hwnd) {
        t_destroy.seen = true;
        t_destroy.restored =
            Proc(hwnd) == t_destroy.own && Prop(hwnd, "OldWndProc") == 0 && Prop(hwnd, "ObjectPtr") == 0;
    }
    return r;
}

void CheckSubclassing(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const auto self = reinterpret_cast<LONG_PTR>(scene.control.get());
    struct Window {
        const char* what;
        HWND hwnd;
        WNDPROC proc;
    } windows[] = {{"the embedding window", scene.embedding, vireo::EmbeddingWndProc},
                   {"the document-view host", scene.docView, vireo::DocViewWndProc},
                   {"the shell view's list view", c.m_hwndLV2, vireo::ListViewWndProc}};
    for (const Window& w : windows) {
        Check(std::string("subclassing: ") + w.what + " runs the control's procedure",
              Proc(w.hwnd) == reinterpret_cast<LONG_PTR>(w.proc) && Prop(w.hwnd, "OldWndProc") != 0 &&
                  Prop(w.hwnd, "OldWndProc") != Proc(w.hwnd) && Prop(w.hwnd, "ObjectPtr") == self,
              Hex(static_cast<long>(Proc(w.hwnd))));
    }

    const HWND lv = c.m_hwndLV2;
    const LONG_PTR old = Prop(lv, "OldWndProc");
    Check("subclassing: a second SubclassWindow keeps the previous procedure",
          vireo::SubclassWindow(lv, vireo::ListViewWndProc, &c) && Prop(lv, "OldWndProc") == old &&
              Proc(lv) == reinterpret_cast<LONG_PTR>(vireo::ListViewWndProc));

    // Messages the procedure does not take reach the list view: the count and the texts through it.
    Check("subclassing: the list view still answers through the control's procedure",
          vireo::ItemCount(lv) == kEntryCount && vireo::ColumnText(lv, 2) == "Type");
    SendMessageA(lv, WM_KEYDOWN, VK_SHIFT, 0);
    const bool shift = vireo::shiftDown;
    SendMessageA(lv, WM_KEYUP, VK_SHIFT, 0);
    Check("subclassing: Shift held in the list view is tracked", shift && !vireo::shiftDown);

    HWND released = lv;
    const bool undone = vireo::UnsubclassWindow(released);
    Check("subclassing: UnsubclassWindow puts the previous procedure back",
          undone && released == nullptr && Proc(lv) == old && Prop(lv, "OldWndProc") == 0 &&
              Prop(lv, "ObjectPtr") == 0 && vireo::ItemCount(lv) == kEntryCount,
          Hex(static_cast<long>(Proc(lv))) + " for " + Hex(static_cast<long>(old)));
    released = lv;
    Check("subclassing: UnsubclassWindow on a window no longer subclassed changes nothing",
          !vireo::UnsubclassWindow(released) && released == lv);
    Check("subclassing: the list view is subclassed again with its own procedure kept",
          vireo::SubclassWindow(lv, vireo::ListViewWndProc, &c) && Prop(lv, "OldWndProc") == old);

    // The view window goes with its list view: the list view's procedure lets go of the control on the way
    // (seen from a procedure put in front of it), and a later UnsubclassWindow finds nothing to do.
    t_destroy = DestroySpy{lv, Proc(lv), old};
    SetWindowLongPtrA(lv, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpyOnDestroy));
    scene.view->Close();
    HWND gone = lv;
    Check("subclassing: at WM_DESTROY the list view's procedure is put back and the properties removed",
          t_destroy.seen && t_destroy.restored, t_destroy.seen ? "" : "WM_DESTROY not seen");
    Check("subclassing: a destroyed list view is released", !IsWindow(lv) && !vireo::UnsubclassWindow(gone));
    // A new view in the same host: the document view's procedure subclasses its list view too.
    scene.Show(kDir, FVM_DETAILS);
    const HWND next = scene.view->ListView();
    Check("subclassing: the next folder view's list view is found and subclassed",
          next != nullptr && c.m_hwndLV2 == next &&
              Proc(next) == reinterpret_cast<LONG_PTR>(vireo::ListViewWndProc));
}

// Terminate lets go of every window it holds, the web view's top window included; each gets its own
// procedure back.
void CheckTermination(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    scene.Show(kDir, FVM_DETAILS);
    const HWND lv = scene.view->ListView();
    struct Held {
        const char* what;
        HWND hwnd;
        LONG_PTR own;
    } held[] = {{"the embedding window", scene.embedding, Prop(scene.embedding, "OldWndProc")},
                {"the document-view host", scene.docView, Prop(scene.docView, "OldWndProc")},
                {"the list view", lv, Prop(lv, "OldWndProc")}};
    c.Terminate();
    for (const Held& h : held)
        Check(std::string("Terminate: ") + h.what + " has its own procedure back",
              h.own != 0 && Proc(h.hwnd) == h.own && Prop(h.hwnd, "OldWndProc") == 0 &&
                  Prop(h.hwnd, "ObjectPtr") == 0,
              Hex(static_cast<long>(Proc(h.hwnd))) + " for " + Hex(static_cast<long>(h.own)));
    Check("Terminate: the handles are let go",
          c.m_hwndWB == nullptr && c.m_hwndSV == nullptr && c.m_hwndLV2 == nullptr);
}

// The rename dialog as the user meets it: a thread timer finds it shown, notes the name it offers, and
// either cancels it or confirms a new name.
struct DialogUser {
    const char* newName = nullptr; // null: cancel
    bool shown = false;
    std::string offered;
};
DialogUser* t_user = nullptr;

void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD) {
    vireo::fRename& form = vireo::RenameForm();
    if (!t_user || !form.Hwnd() || !IsWindowVisible(form.Hwnd())) return;
    char text[260] = {};
    GetWindowTextA(form.TextBox(), text, sizeof text);
    t_user->shown = true;
    t_user->offered = text;
    if (t_user->newName) {
        SetWindowTextA(form.TextBox(), t_user->newName);
        SendMessageA(form.OkButton(), BM_CLICK, 0, 0);
    } else {
        SendMessageA(form.CancelButton(), BM_CLICK, 0, 0);
    }
}

// Label editing asked of the real list view: in a directory the control's rename dialog takes its place
// and the list view's own edit box never appears; elsewhere the list view edits in place.
void CheckLabelEditing(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = scene.TakeListView();
    const vireo::Folder folder = c.SelFolder();
    const std::string readme = folder.sURL + "readme", renamed = folder.sURL + "readme2";
    // The renaming row comes last: the view shows the new name once the shell has told it, and the next
    // view made shows the folder as it is again.
    struct Edit {
        const char* what;
        bool inFolder;
        const char* newName;
        bool dialog;
        bool inPlace;
        const char* fileAfter;
    } edits[] = {{"outside a directory", false, nullptr, false, true, "readme"},
                 {"in a directory, cancelled", true, nullptr, true, false, "readme"},
                 {"in a directory, renamed", true, "readme2", true, false, "readme2"}};
    for (const Edit& e : edits) {
        LONG index = -1;
        for (LONG i = 0; i < vireo::ItemCount(lv) && index < 0; ++i)
            if (vireo::ItemText(lv, i, 0) == "readme") index = i;
        vireo::Folder location = folder;
        if (!e.inFolder) location.sURL.clear();
        c.SetCurrentFolder(location);
        DialogUser user;
        user.newName = e.newName;
        t_user = &user;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, ActOnDialog);
        vireo::BeginLabelEdit(lv, index);
        KillTimer(nullptr, timer);
        t_user = nullptr;
        const HWND edit = FindWindowExA(lv, nullptr, "Edit", nullptr);
        const bool inPlace = edit != nullptr && IsWindowVisible(edit);
        if (edit) SendMessageA(lv, 0x10B3 /* LVM_CANCELEDITLABEL */, 0, 0);
        const std::string after = folder.sURL + e.fileAfter;
        Check(std::string("label editing ") + e.what,
              index >= 0 && user.shown == e.dialog && (!e.dialog || user.offered == "readme") &&
                  inPlace == e.inPlace && GetFileAttributesA(after.c_str()) != INVALID_FILE_ATTRIBUTES,
              "item " + std::to_string(index) +
                  (user.shown ? ", dialog offered " + user.offered : ", no dialog") +
                  (inPlace ? ", edited in place" : ""));
        if (GetFileAttributesA(renamed.c_str()) != INVALID_FILE_ATTRIBUTES)
            MoveFileA(renamed.c_str(), readme.c_str());
    }
    c.SetCurrentFolder(folder);
}

// The selection calls on folders of many files, timed; printed, not checked, except what they select.
void TimeLargeFolder(Scene& scene, int files) {
    const std::string dir = std::string(kDir) + "-" + std::to_string(files);
    std::vector<Entry> entries;
    std::vector<std::string> names(static_cast<size_t>(files));
    for (int i = 0; i < files; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "file%05d.txt", i);
        names[static_cast<size_t>(i)] = name;
    }
    for (const std::string& n : names)
        entries.push_back({n.c_str(), false});
    MakeTree(dir, entries);
    std::vector<std::string> half;
    for (size_t i = 0; i < names.size(); i += 2)
        half.push_back(names[i]);
    const std::string list = Lines(half);
    if (scene.Show(dir, FVM_DETAILS)) {
        vireo::VireoBrowser& c = *scene.control;
        scene.TakeListView();
        LARGE_INTEGER freq, t0, t1, t2, t3;
        QueryPerformanceFrequency(&freq);
        ClearSelection(c.m_hwndLV);
        QueryPerformanceCounter(&t0);
        c.SetSelectedFiles(list);
        QueryPerformanceCounter(&t1);
        std::string selected;
        const LONG count = c.GetSelectedFileList(selected);
        QueryPerformanceCounter(&t2);
        c.InvertSelection();
        QueryPerformanceCounter(&t3);
        const auto ms = [&](LARGE_INTEGER a, LARGE_INTEGER b) {
            return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
        };
        Check("list view: " + std::to_string(files) + " files, every other one selected by name",
              vireo::ItemCount(c.m_hwndLV) == files && count == static_cast<LONG>(half.size()) &&
                  selected == list,
              std::to_string(count));
        // What one selected item costs in the list: its two column texts from the list view, and the shell's
        // type name of its path (ItemName's steps), each over the first 100 items. The texts cost the same
        // in both folders; Wine's SHGetFileInfo on a path costs more the more entries its folder holds.
        const auto perItem = [&](const std::function<void(LONG)>& step) {
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            for (LONG i = 0; i < 100; ++i)
                step(i);
            QueryPerformanceCounter(&b);
            return 10.0 * ms(a, b); // microseconds per item
        };
        const double name = perItem([&](LONG i) { vireo::ItemText(c.m_hwndLV, i, 0); });
        const double type = perItem([&](LONG i) { vireo::ItemText(c.m_hwndLV, i, 2); });
        const double shell =
            perItem([&](LONG i) { vireo::GetTypeName(dir + "\\" + names[i], SHGFI_TYPENAME); });
        std::printf(
            "# list view, %d files: SetSelectedFiles(%zu names) %.1f ms, GetSelectedFileList %.1f ms, "
            "InvertSelection %.1f ms; per item: name %.0f us, type %.0f us, shell type name %.0f us\n",
            files, half.size(), ms(t0, t1), ms(t1, t2), ms(t2, t3), name, type, shell);
        std::fflush(stdout);
    }
    scene.Close();
    RemoveTree(dir, entries);
}

} // namespace

void CheckListView() {
    const std::vector<Entry> entries(std::begin(kEntries), std::end(kEntries));
    MakeTree(kDir, entries);
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
    RemoveTree(kDir, entries);
    Check("list view: the scratch folder is removed", GetFileAttributesA(kDir) == INVALID_FILE_ATTRIBUTES);
}

} // namespace winecheck
