#include "platform/emu/shdocvw/FolderView.h"
#include "platform/emu/shdocvw/WindowClass.h"
#include "platform/emu/shdocvw/FolderItems.h"
#include "platform/emu/shdocvw/ShellText.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include <vector>

namespace emu {

namespace {

constexpr const char* kDocumentClass = "Shell DocObject View";
constexpr const char* kServerClass = "Internet Explorer_Server";
constexpr int kListId = 1;
// Posted to the document window when the selection has changed; the status is told once per burst.
constexpr UINT kTellSelection = WM_USER + 0x0101;

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

void Fill(HWND hwnd, Document& doc) {
    SendMessageA(doc.child, LVM_DELETEALLITEMS, 0, 0);
    doc.rows = ListFolder(doc.folderPidl, hwnd);
    doc.fileBytes = 0;
    doc.fileSystem = ShellNamespace::IsFileSystem(reinterpret_cast<LPCITEMIDLIST>(doc.folderPidl.data()));
    SendMessageA(doc.child, LVM_SETITEMCOUNT, doc.rows.size(), 0);
    for (size_t i = 0; i < doc.rows.size(); ++i) {
        const FolderRow& row = doc.rows[i];
        LVITEMA it{};
        it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        it.iItem = static_cast<int>(i);
        it.pszText = const_cast<LPSTR>(row.name.c_str());
        it.iImage = row.image;
        it.lParam = static_cast<LPARAM>(i);
        int item =
            static_cast<int>(SendMessageA(doc.child, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
        SetSubItem(doc.child, item, 1, row.size);
        SetSubItem(doc.child, item, 2, row.type);
        SetSubItem(doc.child, item, 3, row.modified);
        if (!row.folder) doc.fileBytes += row.bytes;
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
    case WM_NCDESTROY:
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
