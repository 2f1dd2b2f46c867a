#include "platform/emu/shdocvw/FolderView.h"
#include "platform/emu/shdocvw/WindowClass.h"
#include "platform/emu/shdocvw/FolderItems.h"
#include "platform/emu/shdocvw/ShellText.h"
#include "platform/emu/api/shlobj_notify.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include <unordered_map>
#include <vector>

namespace emu {

namespace {

constexpr const char* kDocumentClass = "Shell DocObject View";
constexpr const char* kServerClass = "Internet Explorer_Server";
constexpr int kListId = 1;
// Posted to the document window when the selection has changed; the status is told once per burst.
constexpr UINT kTellSelection = WM_USER + 0x0101;
// The shell's change notice for the folder shown, and the view's own reminder to apply those received.
constexpr UINT kChangeNotice = WM_USER + 0x0102;
constexpr UINT kApplyChanges = WM_USER + 0x0103;
// More changes than this at once and the view lists its folder again, as the shell's view does.
constexpr size_t kMostChangesOneByOne = 64;
constexpr LONG kFollowedEvents = SHCNE_CREATE | SHCNE_DELETE | SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEITEM |
                                 SHCNE_RENAMEFOLDER | SHCNE_UPDATEITEM | SHCNE_UPDATEDIR | SHCNE_ATTRIBUTES;

struct Change {
    LONG event = 0;
    std::string paths[2]; // parsing paths of the two items, "" for none
};

struct Column {
    const char* title;
    int width;
    int format;
};
constexpr Column kColumns[] = {{"Name", 180, LVCFMT_LEFT},
                               {"Size", 80, LVCFMT_RIGHT},
                               {"Type", 130, LVCFMT_LEFT},
                               {"Modified", 130, LVCFMT_LEFT}};

// One document window: what it shows, and for a folder the rows its list view was filled with (each
// list item's lParam is its row, so sorting or deleting items keeps them matched).
struct Document {
    FolderViewHost* host = nullptr;
    std::string folderPidl;
    HWND child = nullptr; // the list view, or the page's server window
    bool folder = false;
    std::vector<FolderRow> rows;
    uint64_t fileBytes = 0; // of all its files
    bool fileSystem = false;
    bool tellPosted = false;
    // Following the folder's changes: the registration, the changes not yet applied, the folder's path and
    // the row of each item by its upper-cased path.
    ULONG notices = 0;
    std::vector<Change> changes;
    bool applyPosted = false;
    std::string folderKey;
    std::unordered_map<std::string, size_t> rowByPath;
};

struct CreateParams {
    FolderViewHost* host;
    const std::string* folderPidl;
};

Document* DocumentOf(HWND hwnd) {
    return reinterpret_cast<Document*>(GetWindowLongPtrA(hwnd, 0));
}

void AddColumns(HWND list) {
    int index = 0;
    for (const Column& c : kColumns) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = c.format;
        column.cx = c.width;
        column.pszText = const_cast<LPSTR>(c.title);
        column.iSubItem = index;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
        ++index;
    }
}

void SetSubItem(HWND list, int item, int subItem, const std::string& text) {
    if (text.empty()) return;
    LVITEMA it{};
    it.iSubItem = subItem;
    it.pszText = const_cast<LPSTR>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

// Shows row i as the list item at index at.
void InsertRow(Document& doc, size_t i, int at) {
    const FolderRow& row = doc.rows[i];
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    it.iItem = at;
    it.pszText = const_cast<LPSTR>(row.name.c_str());
    it.iImage = row.image;
    it.lParam = static_cast<LPARAM>(i);
    int item = static_cast<int>(SendMessageA(doc.child, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    SetSubItem(doc.child, item, 1, row.size);
    SetSubItem(doc.child, item, 2, row.type);
    SetSubItem(doc.child, item, 3, row.modified);
    if (!row.folder) doc.fileBytes += row.bytes;
}

void Fill(HWND hwnd, Document& doc) {
    SendMessageA(doc.child, LVM_DELETEALLITEMS, 0, 0);
    doc.rows = ListFolder(doc.folderPidl, hwnd);
    doc.fileBytes = 0;
    doc.fileSystem = ShellNamespace::IsFileSystem(reinterpret_cast<LPCITEMIDLIST>(doc.folderPidl.data()));
    SendMessageA(doc.child, LVM_SETITEMCOUNT, doc.rows.size(), 0);
    for (size_t i = 0; i < doc.rows.size(); ++i)
        InsertRow(doc, i, static_cast<int>(i));
    doc.rowByPath.clear();
    if (doc.fileSystem) {
        doc.rowByPath.reserve(doc.rows.size());
        for (size_t i = 0; i < doc.rows.size(); ++i)
            doc.rowByPath.emplace(AnsiUpper(doc.rows[i].path), i);
    }
}

const FolderRow* RowOf(const Document& doc, int item) {
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    if (!SendMessageA(doc.child, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
    size_t row = static_cast<size_t>(it.lParam);
    return row < doc.rows.size() ? &doc.rows[row] : nullptr;
}

std::vector<std::string> StatusOf(const Document& doc) {
    if (!doc.folder || !doc.child) return {};
    auto selected = static_cast<int>(SendMessageA(doc.child, LVM_GETSELECTEDCOUNT, 0, 0));
    std::vector<std::string> texts;
    uint64_t bytes = doc.fileBytes;
    if (selected == 0) {
        texts.push_back(std::to_string(SendMessageA(doc.child, LVM_GETITEMCOUNT, 0, 0)) + " object(s)");
    } else {
        texts.push_back(std::to_string(selected) + " object(s) selected");
        bytes = 0;
        for (int i = -1; (i = static_cast<int>(SendMessageA(doc.child, LVM_GETNEXTITEM,
                                                            static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
            if (const FolderRow* row = RowOf(doc, i); row && !row->folder) bytes += row->bytes;
    }
    if (doc.fileSystem) texts.push_back(FormatByteSize(bytes));
    return texts;
}

// ---- Following the shell's change notices ----

std::string UpperPath(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return AnsiUpper(path);
}

bool InFolder(const Document& doc, const std::string& key) {
    size_t slash = key.find_last_of('\\');
    return slash != std::string::npos && key.compare(0, slash, doc.folderKey) == 0 &&
           slash == doc.folderKey.size();
}

int ItemOfRow(const Document& doc, size_t row) {
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(row);
    return static_cast<int>(
        SendMessageA(doc.child, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find)));
}

void RemoveRow(Document& doc, const std::string& key) {
    auto it = doc.rowByPath.find(key);
    if (it == doc.rowByPath.end()) return;
    const size_t row = it->second;
    doc.rowByPath.erase(it);
    int item = ItemOfRow(doc, row);
    if (item >= 0) SendMessageA(doc.child, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
    if (!doc.rows[row].folder) doc.fileBytes -= doc.rows[row].bytes;
    doc.rows[row] = FolderRow{}; // stays, empty, so that the rows after it keep their numbers
}

// Lists the item at path again into row (a new row at the end when there is none yet); false when the
// item is not there.
bool ShowItem(Document& doc, const std::string& path, std::optional<size_t> row) {
    auto made = ListItem(doc.folderPidl, path.substr(path.find_last_of('\\') + 1));
    if (!made) return false;
    const std::string key = UpperPath(made->path);
    if (!row) {
        if (doc.rowByPath.count(key)) row = doc.rowByPath[key];
    }
    if (!row) { // a new item goes after the last one, as the shell's view adds it
        doc.rows.push_back(std::move(*made));
        doc.rowByPath.emplace(key, doc.rows.size() - 1);
        InsertRow(doc, doc.rows.size() - 1,
                  static_cast<int>(SendMessageA(doc.child, LVM_GETITEMCOUNT, 0, 0)));
        return true;
    }
    FolderRow& shown = doc.rows[*row];
    if (!shown.folder) doc.fileBytes -= shown.bytes;
    shown = std::move(*made);
    if (!shown.folder) doc.fileBytes += shown.bytes;
    doc.rowByPath[key] = *row;
    const int item = ItemOfRow(doc, *row);
    if (item < 0) return true;
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = item;
    it.pszText = const_cast<LPSTR>(shown.name.c_str());
    it.iImage = shown.image;
    SendMessageA(doc.child, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    const std::string* texts[] = {&shown.size, &shown.type, &shown.modified};
    for (int sub = 1; sub <= 3; ++sub) {
        LVITEMA text{};
        text.iSubItem = sub;
        text.pszText = const_cast<LPSTR>(texts[sub - 1]->c_str());
        SendMessageA(doc.child, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&text));
    }
    return true;
}

void ApplyChange(Document& doc, const Change& change) {
    const std::string first = UpperPath(change.paths[0]), second = UpperPath(change.paths[1]);
    switch (change.event) {
    case SHCNE_CREATE:
    case SHCNE_MKDIR:
    case SHCNE_UPDATEITEM:
    case SHCNE_ATTRIBUTES:
        if (InFolder(doc, first) && !ShowItem(doc, change.paths[0], std::nullopt)) RemoveRow(doc, first);
        break;
    case SHCNE_DELETE:
    case SHCNE_RMDIR:
        RemoveRow(doc, first);
        break;
    case SHCNE_RENAMEITEM:
    case SHCNE_RENAMEFOLDER: {
        // Renamed within the folder: the item keeps its place under its new name.
        auto old = doc.rowByPath.find(first);
        std::optional<size_t> row;
        if (old != doc.rowByPath.end() && InFolder(doc, second)) {
            row = old->second;
            doc.rowByPath.erase(old);
        } else {
            RemoveRow(doc, first);
        }
        if (InFolder(doc, second) && !ShowItem(doc, change.paths[1], row) && row) {
            doc.rowByPath.emplace(first, *row);
            RemoveRow(doc, first);
        }
        break;
    }
    }
}

void ApplyChanges(HWND hwnd, Document& doc) {
    std::vector<Change> changes = std::move(doc.changes);
    doc.changes.clear();
    doc.applyPosted = false;
    if (!doc.child || changes.empty()) return;
    bool again = changes.size() > kMostChangesOneByOne;
    for (const Change& c : changes)
        if (c.event == SHCNE_UPDATEDIR && UpperPath(c.paths[0]) == doc.folderKey) again = true;
    if (again) {
        Fill(hwnd, doc);
    } else {
        for (const Change& c : changes)
            ApplyChange(doc, c);
    }
    if (doc.host) doc.host->StatusChanged(StatusOf(doc));
}

void ReceiveChange(HWND hwnd, Document& doc, WPARAM wParam, LPARAM lParam) {
    LPITEMIDLIST* pidls = nullptr;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam),
                                            &pidls, &event);
    if (!lock) return;
    Change change;
    change.event = event;
    for (int i = 0; i < 2; ++i)
        if (pidls && pidls[i]) change.paths[i] = ShellNamespace::DisplayPath(pidls[i]);
    SHChangeNotification_Unlock(lock);
    doc.changes.push_back(std::move(change));
    if (!doc.applyPosted) doc.applyPosted = PostMessageA(hwnd, kApplyChanges, 0, 0);
}

void FollowChanges(HWND hwnd, Document& doc) {
    if (!doc.fileSystem) return;
    doc.folderKey =
        UpperPath(ShellNamespace::DisplayPath(reinterpret_cast<LPCITEMIDLIST>(doc.folderPidl.data())));
    SHChangeNotifyEntry entry{reinterpret_cast<LPCITEMIDLIST>(doc.folderPidl.data()), FALSE};
    doc.notices = SHChangeNotifyRegister(hwnd, SHCNRF_ShellLevel | SHCNRF_NewDelivery, kFollowedEvents,
                                         kChangeNotice, 1, &entry);
}

void CreateChild(HWND hwnd, Document& doc) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!doc.folder) {
        doc.child = CreateWindowExA(0, kServerClass, "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom,
                                    hwnd, nullptr, instance, nullptr);
        return;
    }
    // The shell's view starts in large icons; the system image lists are shared, not owned.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS |
                  LVS_EDITLABELS | LVS_AUTOARRANGE;
    doc.child =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "FolderView", style, 0, 0, rc.right, rc.bottom, hwnd,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    if (!doc.child) return;
    SHFILEINFOA info{};
    auto large = SHGetFileInfoA("x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX);
    auto small = SHGetFileInfoA("x", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    SendMessageA(doc.child, LVM_SETIMAGELIST, LVSIL_NORMAL, static_cast<LPARAM>(large));
    SendMessageA(doc.child, LVM_SETIMAGELIST, LVSIL_SMALL, static_cast<LPARAM>(small));
    AddColumns(doc.child);
    Fill(hwnd, doc);
    FollowChanges(hwnd, doc);
}

// An item activated: a folder opens in the web view, anything else is run by the shell.
void Activate(Document& doc, int item) {
    if (!doc.child || item < 0) return;
    const FolderRow* row = RowOf(doc, item);
    if (!row) return;
    if (row->folder) {
        std::string pidl = doc.folderPidl.substr(0, doc.folderPidl.size() - 2) + row->pidl;
        if (doc.host) doc.host->OpenFolder(pidl);
        return;
    }
    std::string path = row->path;
    std::string directory =
        doc.fileSystem ? ShellNamespace::DisplayPath(reinterpret_cast<LPCITEMIDLIST>(doc.folderPidl.data()))
                       : std::string();
    ShellExecuteA(doc.child, nullptr, path.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(),
                  SW_SHOWNORMAL);
}

void SetView(Document& doc, DWORD view) {
    if (!doc.folder || !doc.child) return;
    LONG_PTR style = GetWindowLongPtrA(doc.child, GWL_STYLE);
    SetWindowLongPtrA(doc.child, GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | LONG_PTR(view));
}

LRESULT OnCommand(Document& doc, WORD id) {
    switch (id) {
    case kViewLargeIcons:
    case kViewThumbnails:
        SetView(doc, LVS_ICON);
        return 0;
    case kViewSmallIcons:
        SetView(doc, LVS_SMALLICON);
        return 0;
    case kViewList:
        SetView(doc, LVS_LIST);
        return 0;
    case kViewDetails:
        SetView(doc, LVS_REPORT);
        return 0;
    }
    return 0;
}

LRESULT OnNotify(HWND hwnd, Document& doc, const NMHDR* hdr) {
    if (!hdr || hdr->hwndFrom != doc.child || !doc.folder) return 0;
    if (hdr->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(hdr);
        bool selection =
            (change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED);
        if (selection && !doc.tellPosted) doc.tellPosted = PostMessageA(hwnd, kTellSelection, 0, 0);
    }
    if (hdr->code == LVN_ITEMACTIVATE) {
        const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(hdr);
        int item = activate->iItem;
        if (item < 0)
            item = static_cast<int>(SendMessageA(doc.child, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
        Activate(doc, item);
    }
    return 0;
}

LRESULT CALLBACK DocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Document* doc = DocumentOf(hwnd);
    switch (msg) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* params = static_cast<const CreateParams*>(cs->lpCreateParams);
        auto* created = new Document;
        created->host = params->host;
        created->folderPidl = *params->folderPidl;
        created->folder = !created->folderPidl.empty();
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(created));
        break;
    }
    case WM_CREATE:
        if (doc) CreateChild(hwnd, *doc);
        return 0;
    case WM_SIZE:
        if (doc && doc->child) MoveWindow(doc->child, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COMMAND:
        if (doc) return OnCommand(*doc, LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (doc) return OnNotify(hwnd, *doc, reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case kTellSelection:
        if (doc) {
            doc->tellPosted = false;
            if (doc->host) doc->host->StatusChanged(StatusOf(*doc));
        }
        return 0;
    case kChangeNotice:
        if (doc) ReceiveChange(hwnd, *doc, wParam, lParam);
        return 0;
    case kApplyChanges:
        if (doc) ApplyChanges(hwnd, *doc);
        return 0;
    case WM_NCDESTROY:
        if (doc && doc->notices) SHChangeNotifyDeregister(doc->notices);
        SetWindowLongPtrA(hwnd, 0, 0);
        delete doc;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
    RegisterClassOnce(kDocumentClass, DocumentProc, sizeof(LONG_PTR));
    RegisterClassOnce(kServerClass, DefWindowProcA, 0);
}

} // namespace

HWND CreateDocumentWindow(HWND embedding, FolderViewHost* host, const std::string& folderPidl) {
    RegisterClasses();
    RECT rc{};
    GetClientRect(embedding, &rc);
    CreateParams params{host, &folderPidl};
    // The document window is created empty-sized; in-place activation then places it over the embedding's
    // client area, so its first WM_WINDOWPOSCHANGING comes after its creation was announced.
    HWND document = CreateWindowExA(0, kDocumentClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                                    0, embedding, nullptr, GetModuleHandleA(nullptr), &params);
    if (document) SetWindowPos(document, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    return document;
}

HWND FolderListView(HWND document) {
    Document* doc = document ? DocumentOf(document) : nullptr;
    return doc && doc->folder ? doc->child : nullptr;
}

std::vector<std::string> FolderStatus(HWND document) {
    Document* doc = document ? DocumentOf(document) : nullptr;
    return doc ? StatusOf(*doc) : std::vector<std::string>{};
}

void RefreshFolder(HWND document) {
    Document* doc = document ? DocumentOf(document) : nullptr;
    if (doc && doc->folder && doc->child) Fill(document, *doc);
}

} // namespace emu
