#include "tests/sequences/ViewScene.h"
#include "tests/sequences/QuietTree.h"
#include "tests/sequences/SelectionEvents.h"
#include <cstdint>
#include <map>

namespace seq {

namespace {

constexpr const char* kEmbeddingClass = "Shell Embedding";
constexpr const char* kDocViewClass = "Shell DocObject View";
constexpr const char* kFolderViewClass = "Vireo Test Folder View";
constexpr const char* kListViewClass = "SysListView32";
constexpr const char* kScratch = "C:\\vireo-seq";
constexpr int kListId = 1;

// What the recording procedures share: the filter, the record, the message being dispatched by Settle,
// and the procedure each recording subclass passes on to.
struct Recording {
    bool on = false;
    Filter keep;
    std::vector<Message> got;
    MSG dispatching{};
    bool inDispatch = false;
    bool listOnCreate = false;
    std::map<HWND, WNDPROC> next;
};

Recording& R() {
    static Recording r;
    return r;
}

void Note(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Recording& r = R();
    Message m{hwnd, msg, wParam, lParam, false, 0};
    const MSG& d = r.dispatching;
    if (r.inDispatch && d.hwnd == hwnd && d.message == msg && d.wParam == wParam && d.lParam == lParam) {
        m.posted = true;
        r.inDispatch = false;
    }
    if (msg == WM_NOTIFY && lParam) m.code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (r.on && (!r.keep || r.keep(m))) r.got.push_back(m);
}

// A recording procedure put in front of a window's own (the list views' and the control's window).
LRESULT CALLBACK Recorded(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Note(hwnd, msg, wParam, lParam);
    auto it = R().next.find(hwnd);
    const WNDPROC next = it == R().next.end() ? DefWindowProcA : it->second;
    if (msg == WM_NCDESTROY && it != R().next.end()) R().next.erase(it);
    return CallWindowProcA(next, hwnd, msg, wParam, lParam);
}

void RecordWindow(HWND hwnd) {
    R().next[hwnd] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recorded)));
}

// A list view of the scratch folder's items under parent, one "Name" column, recorded from its creation on.
HWND MakeListView(HWND parent, DWORD view) {
    RECT rc{};
    GetClientRect(parent, &rc);
    const HWND lv = CreateWindowExA(
        0, kListViewClass, "", WS_CHILD | WS_VISIBLE | LVS_SHOWSELALWAYS | LVS_EDITLABELS | view, 0, 0,
        rc.right, rc.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
        GetModuleHandleA(nullptr), nullptr);
    if (!lv) return nullptr;
    RecordWindow(lv);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<char*>("Name");
    SendMessageA(lv, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 3; ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(ViewScene::kItems[i]);
        SendMessageA(lv, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return lv;
}

LRESULT CALLBACK EmbeddingOwn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Note(hwnd, msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The document-view host as the web view's: it makes the first folder view's list view while it is
// created, keeps it filling its client area, and answers the shell view's view commands by changing the
// list view's view type.
LRESULT CALLBACK DocViewOwn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Note(hwnd, msg, wParam, lParam);
    const HWND lv = FindWindowExA(hwnd, nullptr, kListViewClass, nullptr);
    switch (msg) {
    case WM_CREATE:
        if (R().listOnCreate) MakeListView(hwnd, LVS_ICON);
        return 0;
    case WM_SIZE:
        if (lv) MoveWindow(lv, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COMMAND: {
        const std::map<WORD, DWORD> views = {
            {0x7029, LVS_ICON}, {0x702A, LVS_SMALLICON}, {0x702B, LVS_LIST}, {0x702C, LVS_REPORT}};
        auto view = views.find(LOWORD(wParam));
        if (lv && view != views.end()) {
            const LONG_PTR style = GetWindowLongPtrA(lv, GWL_STYLE);
            SetWindowLongPtrA(lv, GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | LONG_PTR(view->second));
        }
        return 0;
    }
    case WM_NOTIFY:
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FolderViewOwn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Note(hwnd, msg, wParam, lParam);
    if (msg == WM_CREATE) {
        MakeListView(hwnd, LVS_REPORT);
        return 0;
    }
    if (msg == WM_NOTIFY) return 0;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The classes are this program's for the scene's life: registered anew (a class of the same name left by
// another fixture goes first) and removed after.
const struct {
    const char* name;
    WNDPROC proc;
} kClasses[] = {
    {kEmbeddingClass, EmbeddingOwn}, {kDocViewClass, DocViewOwn}, {kFolderViewClass, FolderViewOwn}};

void RegisterClasses() {
    for (const auto& c : kClasses) {
        UnregisterClassA(c.name, GetModuleHandleA(nullptr));
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = c.proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = c.name;
        RegisterClassExA(&wc);
    }
}

void UnregisterClasses() {
    for (const auto& c : kClasses)
        UnregisterClassA(c.name, GetModuleHandleA(nullptr));
}

} // namespace

HWND TreeWindow() {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(-21));
}

HWND HostWindow() {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(-22));
}

HWND MakeTestFolderView(HWND parent) {
    RECT rc{};
    GetClientRect(parent, &rc);
    return CreateWindowExA(0, kFolderViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

const char* const ViewScene::kItems[3] = {"seq-alpha", "seq-beta", "seq-gamma"};

// The folder tree: GoToParent and GoToChild answer as the scene says; they and Terminate are recorded.
class ViewScene::Tree : public QuietTree {
public:
    explicit Tree(ViewScene& scene) : QuietTree(false, true), m_scene(scene) {}
    std::vector<std::string> children; // the names GoToChild was asked for

    bool GoToParent() override {
        Note(TreeWindow(), kGoToParent, 0, 0);
        return m_scene.treeMoves;
    }
    bool GoToChild(std::string& name) override {
        Note(TreeWindow(), kGoToChild, 0, 0);
        children.push_back(name);
        return m_scene.treeMoves;
    }
    void Terminate() override { Note(TreeWindow(), kTreeTerminate, 0, 0); }

private:
    ViewScene& m_scene;
};

class ViewScene::Events : public SelectionEvents {
public:
    explicit Events(ViewScene& scene) : m_scene(scene) {}
    void NotifySelection(LONG nCnt, const std::string& sFile) override {
        Note(HostWindow(), kNotifySelection, static_cast<WPARAM>(nCnt), 0);
        m_scene.notices.push_back(sFile);
    }

private:
    ViewScene& m_scene;
};

// The container: the hidden form, run-time mode, the recording tree, no web view and no icon menu.
class ViewScene::Host : public vireo::Container {
public:
    Host(ViewScene& scene, HWND form) : tree(vireo::RefPtr<Tree>::Make(scene)), events(scene), m_form(form) {}
    HWND ParentWindow() override { return m_form; }
    bool UserMode() override { return true; }
    void PropertyChanged(const std::string&) override {}
    vireo::RefPtr<vireo::StdFont> AmbientFont() override { return {}; }
    void SetMousePointer(int32_t) override {}
    vireo::RefPtr<vireo::WebView> CreateWebView(HWND) override { return {}; }
    vireo::RefPtr<vireo::FolderTree> CreateFolderTree(HWND) override { return tree; }
    vireo::RefPtr<vireo::IconMenu> CreateIconMenu() override { return {}; }

    vireo::RefPtr<Tree> tree;
    Events events;

private:
    HWND m_form;
};

ViewScene::ViewScene(Environment& e, bool shown) : env(e) {
    R() = Recording{};
    INITCOMMONCONTROLSEX icc{static_cast<DWORD>(sizeof(INITCOMMONCONTROLSEX)), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterClasses();
    CreateDirectoryA(kScratch, nullptr);
    folder = std::string(kScratch) + "\\";
    for (const char* item : kItems) {
        const HANDLE file = CreateFileA((folder + item).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    m_form = CreateWindowExA(0, "Static", "form", WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0), 0, 0, 700,
                             560, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    m_host = std::make_unique<Host>(*this, m_form);
    m_control = vireo::RefPtr<vireo::VireoBrowser>::Make(*m_host);
    m_control->SetEvents(&m_host->events);
    const HWND window = m_control->Window();
    if (shown) SetWindowPos(window, HWND_TOP, 0, 0, 660, 500, SWP_SHOWWINDOW);
    RecordWindow(window);
    embedding = CreateWindowExA(0, kEmbeddingClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480, window,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    m_control->Activate();
    names = {{embedding, "embedding"}, {window, "control"}, {TreeWindow(), "tree"}, {HostWindow(), "host"}};
}

ViewScene::~ViewScene() {
    R().on = false;
    m_control->SetEvents(nullptr);
    m_control->SetCurrentFolder(vireo::Folder());
    DestroyWindow(embedding); // the control's procedures let go of the windows on the way
    m_control.reset();
    DestroyWindow(m_form);
    m_host.reset();
    for (const char* item : kItems)
        DeleteFileA((folder + item).c_str());
    RemoveDirectoryA(kScratch);
    UnregisterClasses();
    R() = Recording{};
}

LONG_PTR ViewScene::OwnProcedure(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    for (const auto& c : kClasses)
        if (std::string(name) == c.name) return reinterpret_cast<LONG_PTR>(c.proc);
    return R().next.count(hwnd) ? reinterpret_cast<LONG_PTR>(Recorded) : 0;
}

std::vector<std::string> ViewScene::Children() const {
    return m_host->tree->children;
}

void ViewScene::ShowFolder() {
    R().listOnCreate = true;
    docView = CreateWindowExA(0, kDocViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                              embedding, nullptr, GetModuleHandleA(nullptr), nullptr);
    R().listOnCreate = false;
    listView = FindWindowExA(docView, nullptr, kListViewClass, nullptr);
    names[docView] = "docview";
    names[listView] = "listview";
    RECT rc{};
    GetClientRect(embedding, &rc);
    SetWindowPos(docView, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    vireo::Folder location;
    location.sURL = folder;
    location.nPidl = 1; // the tree's list of the folder: only ever handed to the recording tree
    m_control->SetCurrentFolder(location);
}

void ViewScene::Record(Filter keep) {
    Recording& r = R();
    r.got.clear();
    r.keep = std::move(keep);
    r.on = true;
}

std::vector<Message> ViewScene::Take() {
    std::vector<Message> got;
    got.swap(R().got);
    return got;
}

void ViewScene::Settle() {
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        R().dispatching = msg;
        R().inDispatch = true;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        R().inDispatch = false;
    }
}

void ViewScene::Wait(DWORD ms) {
    Settle();
    env.Pass(ms);
    Settle();
}

void ViewScene::Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PostMessageA(hwnd, msg, wParam, lParam);
    Settle();
}

LPARAM ViewScene::ItemPoint(int item) const {
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(listView, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void ViewScene::SelectOnly(int item) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (item < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
}

} // namespace seq
