// The folder view's message sequences: the take-over of a new folder view, the subclass chain and its
// release at Terminate, the selection notice and the list-view procedure's keys, clicks and label editing.
// Each table lists what reached the windows' own procedures (and the tree and the host) among the
// messages its flow watches, in order; a message the control consumed is absent.
#include "shellview/mWndProc.h"
#include "tests/sequences/ViewScene.h"
#include <cstdio>

namespace seq {

namespace {

constexpr WPARAM kDetails = 0x702C, kList = 0x702B; // the shell view's view commands
constexpr LONG kBack = 0x123456, kFore = 0x654321;
const LPARAM kOnNothing = MAKELPARAM(10, 400); // below the three items
constexpr UINT kCancelEditLabel = VK_ESCAPE;

// What a flow watches: a window by its role in the scene, a message (0: any) and for WM_NOTIFY a code (0:
// any).
struct Watch {
    const char* who;
    UINT message;
    UINT code = 0;
};

std::string Role(const ViewScene& s, HWND hwnd) {
    if (hwnd == TreeWindow()) return "tree";
    if (hwnd == HostWindow()) return "host";
    if (hwnd == s.embedding) return "embedding";
    auto it = s.names.find(hwnd);
    if (it != s.names.end()) return it->second;
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    char parent[64] = {};
    GetClassNameA(GetParent(hwnd), parent, sizeof parent);
    if (std::string(name) == "Shell DocObject View") return "docview";
    if (std::string(name) == "SysListView32")
        return std::string(parent) == "Shell DocObject View" ? "listview" : "viewlist";
    return "";
}

Filter Watching(const ViewScene& s, std::vector<Watch> watches) {
    return [&s, watches](const Message& m) {
        const std::string role = Role(s, m.hwnd);
        for (const Watch& w : watches)
            if (role == w.who && (w.message == 0 || w.message == m.message) &&
                (w.code == 0 || m.code == w.code))
                return true;
        return false;
    };
}

// "" when ok, else what was seen.
std::string Unless(bool ok, const std::string& seen) {
    return ok ? "" : seen;
}

std::string Hex(LONG_PTR value) {
    char text[32];
    snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

// A notification from the list view reaching the document-view host.
Row Notice(UINT code) {
    return {"docview", WM_NOTIFY, Sent | Code, 0, static_cast<LPARAM>(static_cast<int>(code))};
}

// The selection notice's timer on the control's window.
constexpr WPARAM kStatusTimer = 1;

LONG_PTR Proc(HWND hwnd) {
    return GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

LONG_PTR Prop(HWND hwnd, const char* name) {
    return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name));
}

// ---- The take-over of a new folder view ----

// The first folder view: the document-view host is created with its list view already in it. The
// list view's creation notice reaches the host only (the control does not watch the host yet); the host's
// creation notice reaches the embedding window's procedure, which subclasses the host and the list view and
// sends the view commands (details, then the control's Style, list) before passing the notice on. The
// control has no font of its own here and its Style is not details, so no WM_SETFONT and no column width
// follow, though both are watched.
std::vector<Row> TakeOverRows(bool shown) {
    std::vector<Row> rows = {
        {"docview", WM_PARENTNOTIFY, Sent | WParam | LParam, MAKEWPARAM(WM_CREATE, 1), 0, "listview"},
        {"docview", WM_COMMAND, Sent | WParam | LParam, kDetails, 0},
        {"listview", WM_STYLECHANGED, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)},
        {"docview", WM_COMMAND, Sent | WParam | LParam, kList, 0},
        {"listview", WM_STYLECHANGED, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)},
        {"embedding", WM_PARENTNOTIFY, Sent | WParam | LParam, MAKEWPARAM(WM_CREATE, 0), 0, "docview"},
        // The host's first move gives the list view the control's colours before the move reaches the host.
        {"listview", LVM_SETBKCOLOR, Sent | WParam | LParam, 0, kBack},
        {"listview", LVM_SETTEXTBKCOLOR, Sent | WParam | LParam, 0, kBack},
        {"listview", LVM_SETTEXTCOLOR, Sent | WParam | LParam, 0, kFore},
        {"docview", WM_WINDOWPOSCHANGING, Sent},
    };
    // On a shown form the first move is the host's showing at its creation, and its placement over the
    // embedding window a later one that changes nothing; on a hidden form the showing moves nothing and the
    // placement is the first move.
    if (shown) rows.push_back({"docview", WM_WINDOWPOSCHANGING, Sent});
    return rows;
}

// A later folder view made inside the document-view host: its creation notice reaches the host's procedure,
// which subclasses the view's list view and passes the notice on; the embedding window hears nothing.
const std::vector<Row> kLaterView = {
    {"docview", WM_PARENTNOTIFY, Sent | LParam, 0, 0, "view"},
};

// The first folder view on a form shown or hidden.
void FirstView(ViewScene& s, bool shown, std::vector<Outcome>& out) {
    vireo::VireoBrowser& c = s.Control();
    c.SetBackColor(kBack);
    c.SetForeColor(kFore);
    s.Record(Watching(s, {{"embedding", WM_PARENTNOTIFY},
                          {"docview", WM_PARENTNOTIFY},
                          {"docview", WM_COMMAND},
                          {"docview", WM_WINDOWPOSCHANGING},
                          {"listview", WM_STYLECHANGED},
                          {"listview", WM_SETFONT},
                          {"listview", LVM_SETBKCOLOR},
                          {"listview", LVM_SETTEXTBKCOLOR},
                          {"listview", LVM_SETTEXTCOLOR},
                          {"listview", LVM_SETCOLUMNWIDTH}}));
    s.ShowFolder();
    const std::string form = shown ? " (shown form)" : " (hidden form)";
    out.push_back({"take-over: the first folder view's sequence" + form,
                   Compare(s.Take(), TakeOverRows(shown), s.names)});
    const LONG_PTR type = GetWindowLongPtrA(s.listView, GWL_STYLE) & LVS_TYPEMASK;
    out.push_back(
        {"take-over: the host and the list view are the control's, in its Style" + form,
         Unless(c.m_hwndSV == s.docView && c.m_hwndLV == s.listView && c.Style() == 3 && type == LVS_LIST,
                "Style " + std::to_string(c.Style()) + ", view type " + std::to_string(type))});
}

} // namespace

std::vector<Outcome> TakeOverSequences(Environment& env) {
    std::vector<Outcome> out;
    {
        ViewScene shown(env, true);
        FirstView(shown, true, out);
    }
    ViewScene s(env);
    FirstView(s, false, out);
    vireo::VireoBrowser& c = s.Control();

    s.Record(
        Watching(s, {{"embedding", WM_PARENTNOTIFY}, {"docview", WM_PARENTNOTIFY}, {"docview", WM_COMMAND}}));
    const HWND view = env.MakeFolderView(s.docView);
    const HWND list = view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
    s.names[view] = "view";
    s.names[list] = "viewlist";
    out.push_back({"take-over: a later folder view's sequence", Compare(s.Take(), kLaterView, s.names)});
    out.push_back(
        {"take-over: the later view's list view is subclassed as the second list view",
         Unless(list && c.m_hwndLV2 == list &&
                    Proc(list) == reinterpret_cast<LONG_PTR>(vireo::ListViewWndProc) &&
                    Prop(list, "ObjectPtr") == reinterpret_cast<LONG_PTR>(&c) && c.m_hwndLV == s.listView,
                Hex(reinterpret_cast<LONG_PTR>(c.m_hwndLV2)) + " for " +
                    Hex(reinterpret_cast<LONG_PTR>(list)))});
    env.CloseFolderView();
    return out;
}

namespace {

// ---- The subclass chain and its release ----

// The same four messages before and after Terminate: Backspace (posted) and a timer in the list view, a
// click notice in the document-view host, a creation notice in the embedding window; then the time of the
// selection notice passes.
void Probe(ViewScene& s) {
    s.Post(s.listView, WM_KEYDOWN, VK_BACK, 0);
    SendMessageA(s.listView, WM_TIMER, 99, 0);
    NMHDR click{s.listView, 1, static_cast<UINT>(NM_CLICK)};
    SendMessageA(s.docView, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click));
    SendMessageA(s.embedding, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), reinterpret_cast<LPARAM>(s.docView));
    s.Wait(300);
}

// Subclassed: Backspace moves up through the tree and goes no further, the timer is consumed, the click
// notice arms the selection notice and goes on, the creation notice takes the host over again (the view
// commands) and goes on; the notice comes 200 ms later.
const std::vector<Row> kHeld = {
    {"tree", kGoToParent},
    Notice(NM_CLICK),
    {"docview", WM_COMMAND, Sent | WParam, kDetails},
    {"listview", WM_STYLECHANGED, Sent},
    {"docview", WM_COMMAND, Sent | WParam, kList},
    {"listview", WM_STYLECHANGED, Sent},
    {"embedding", WM_PARENTNOTIFY, Sent | LParam, 0, 0, "docview"},
    {"control", WM_TIMER, Posted | WParam, kStatusTimer},
    {"host", kNotifySelection, WParam, 0},
};

// Terminate tells the tree and sends nothing to the view's windows.
const std::vector<Row> kTerminate = {{"tree", kTreeTerminate}};

// Released: every message reaches the window's own procedure and nothing else happens (the list view
// answers Backspace with its key notice).
const std::vector<Row> kReleased = {
    {"listview", WM_KEYDOWN, Posted | WParam, VK_BACK},
    Notice(LVN_KEYDOWN),
    {"listview", WM_TIMER, Sent | WParam, 99},
    Notice(NM_CLICK),
    {"embedding", WM_PARENTNOTIFY, Sent | LParam, 0, 0, "docview"},
};

} // namespace

std::vector<Outcome> SubclassSequences(Environment& env) {
    std::vector<Outcome> out;
    ViewScene s(env);
    s.ShowFolder();
    vireo::VireoBrowser& c = s.Control();
    const struct {
        const char* what;
        HWND hwnd;
        WNDPROC proc;
    } chain[] = {{"embedding window", s.embedding, vireo::EmbeddingWndProc},
                 {"document-view host", s.docView, vireo::DocViewWndProc},
                 {"list view", s.listView, vireo::ListViewWndProc}};
    for (const auto& w : chain)
        out.push_back(
            {std::string("subclass chain: the ") + w.what + " runs the control's procedure, then its own",
             Unless(Proc(w.hwnd) == reinterpret_cast<LONG_PTR>(w.proc) &&
                        Prop(w.hwnd, "OldWndProc") == ViewScene::OwnProcedure(w.hwnd) &&
                        Prop(w.hwnd, "ObjectPtr") == reinterpret_cast<LONG_PTR>(&c),
                    Hex(Proc(w.hwnd)) + " then " + Hex(Prop(w.hwnd, "OldWndProc")))});
    const Filter watched = Watching(s, {{"embedding", WM_PARENTNOTIFY},
                                        {"docview", WM_NOTIFY},
                                        {"docview", WM_COMMAND},
                                        {"listview", WM_KEYDOWN},
                                        {"listview", WM_TIMER},
                                        {"listview", WM_STYLECHANGED},
                                        {"control", WM_TIMER},
                                        {"tree", 0},
                                        {"host", 0}});
    s.Record(watched);
    Probe(s);
    out.push_back(
        {"subclass chain: what the control does with the messages", Compare(s.Take(), kHeld, s.names)});

    s.Record(watched);
    c.Terminate();
    out.push_back({"subclass chain: Terminate's sequence", Compare(s.Take(), kTerminate, s.names)});
    for (const auto& w : chain)
        out.push_back(
            {std::string("subclass chain: Terminate gives the ") + w.what + " its own procedure back",
             Unless(Proc(w.hwnd) == ViewScene::OwnProcedure(w.hwnd) && Prop(w.hwnd, "OldWndProc") == 0 &&
                        Prop(w.hwnd, "ObjectPtr") == 0,
                    Hex(Proc(w.hwnd)))});
    out.push_back({"subclass chain: Terminate lets go of the four handles",
                   Unless(!c.m_hwndWB && !c.m_hwndSV && !c.m_hwndLV && !c.m_hwndLV2, "")});
    s.Record(watched);
    Probe(s);
    out.push_back({"subclass chain: after Terminate the messages reach only the windows' own procedures",
                   Compare(s.Take(), kReleased, s.names)});
    return out;
}

namespace {

// ---- The selection notice ----

// A click: the press and the release reach the list view (posted), its click notice reaches the host's
// procedure, which arms the timer; 200 ms later the timer's tick gives one notice.
const std::vector<Row> kOneClick = {
    {"listview", WM_LBUTTONDOWN, Posted | WParam, MK_LBUTTON},
    {"listview", WM_LBUTTONUP, Posted},
    Notice(NM_CLICK),
    {"control", WM_TIMER, Posted | WParam, kStatusTimer},
    {"host", kNotifySelection, WParam, 1},
};

// Three clicks on three items within the delay: three click notices, one tick, one notice.
const std::vector<Row> kThreeClicks = {
    {"listview", WM_LBUTTONDOWN, Posted},
    {"listview", WM_LBUTTONUP, Posted},
    Notice(NM_CLICK),
    {"listview", WM_LBUTTONDOWN, Posted},
    {"listview", WM_LBUTTONUP, Posted},
    Notice(NM_CLICK),
    {"listview", WM_LBUTTONDOWN, Posted},
    {"listview", WM_LBUTTONUP, Posted},
    Notice(NM_CLICK),
    {"control", WM_TIMER, Posted | WParam, kStatusTimer},
    {"host", kNotifySelection, WParam, 1},
};

void Click(ViewScene& s, int item) {
    const LPARAM at = s.ItemPoint(item);
    PostMessageA(s.listView, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(s.listView, WM_LBUTTONUP, 0, at);
    s.Settle();
}

std::string Notices(const ViewScene& s) {
    std::string seen = std::to_string(s.notices.size()) + " notice(s)";
    for (const std::string& n : s.notices)
        seen += " " + n;
    return seen;
}

} // namespace

std::vector<Outcome> SelectionNoticeSequences(Environment& env) {
    std::vector<Outcome> out;
    ViewScene s(env);
    s.ShowFolder();
    const Filter watched = Watching(s, {{"listview", WM_LBUTTONDOWN},
                                        {"listview", WM_LBUTTONUP},
                                        {"docview", WM_NOTIFY, NM_CLICK},
                                        {"control", WM_TIMER},
                                        {"host", 0}});
    s.Wait(300);
    s.notices.clear();
    s.Record(watched);
    Click(s, 1);
    s.Wait(100);
    const bool early = !s.notices.empty();
    s.Wait(200);
    out.push_back({"selection notice: a click's sequence", Compare(s.Take(), kOneClick, s.names)});
    out.push_back(
        {"selection notice: one notice naming the item, after the delay",
         Unless(!early && s.notices == std::vector<std::string>{ViewScene::kItems[1]}, Notices(s))});

    s.notices.clear();
    s.Record(watched);
    for (int item : {0, 1, 2})
        Click(s, item);
    s.Wait(300);
    out.push_back(
        {"selection notice: three clicks within the delay", Compare(s.Take(), kThreeClicks, s.names)});
    out.push_back({"selection notice: three clicks give one notice of the last item",
                   Unless(s.notices == std::vector<std::string>{ViewScene::kItems[2]}, Notices(s))});
    return out;
}

namespace {

// ---- The list-view procedure: Enter, Backspace, double-click, label editing ----

enum class Where { Folder, Nowhere }; // the scratch folder (through the tree), or no location at all

// How the scene stands before the message: the location, the tree's answer, one-click opening, the item
// selected alone (-1: none), and whether the rename dialog comes up (the user cancels it).
struct Setup {
    Where where;
    bool treeMoves;
    LONG oneClick;
    int selected;
    bool dialog;
};

// The message to the list view: keys and clicks are posted, LVM_EDITLABELW sent; a click with lParam 0
// is on the selected item.
struct Action {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct ListCase {
    const char* name;
    Setup setup;
    Action action;
    std::vector<Row> rows;
};

const std::vector<ListCase>& ListCases() {
    static const std::vector<ListCase> cases = {
        {"Enter opens the selected item through the tree",
         {Where::Folder, true, 0, 1, false},
         {WM_KEYDOWN, VK_RETURN, 0},
         {{"tree", kGoToChild}}},
        {"Enter the control cannot act on reaches the list view",
         {Where::Nowhere, true, 0, 1, false},
         {WM_KEYDOWN, VK_RETURN, 0},
         {{"listview", WM_KEYDOWN, Posted | WParam, VK_RETURN},
          Notice(LVN_KEYDOWN),
          Notice(NM_RETURN),
          Notice(LVN_ITEMACTIVATE)}},
        {"Backspace moves up through the tree",
         {Where::Folder, true, 0, -1, false},
         {WM_KEYDOWN, VK_BACK, 0},
         {{"tree", kGoToParent}}},
        {"Backspace that cannot move up reaches the list view",
         {Where::Folder, false, 0, -1, false},
         {WM_KEYDOWN, VK_BACK, 0},
         {{"tree", kGoToParent}, {"listview", WM_KEYDOWN, Posted | WParam, VK_BACK}, Notice(LVN_KEYDOWN)}},
        {"a double-click opens the selected item",
         {Where::Folder, true, 0, 1, false},
         {WM_LBUTTONDBLCLK, MK_LBUTTON, 0},
         {{"tree", kGoToChild}}},
        {"a double-click with nothing selected moves up",
         {Where::Folder, true, 0, -1, false},
         {WM_LBUTTONDBLCLK, MK_LBUTTON, kOnNothing},
         {{"tree", kGoToParent}}},
        {"a double-click in one-click mode is the list view's",
         {Where::Folder, true, 1, 1, false},
         {WM_LBUTTONDBLCLK, MK_LBUTTON, 0},
         {{"listview", WM_LBUTTONDBLCLK, Posted}, Notice(NM_DBLCLK), Notice(LVN_ITEMACTIVATE)}},
        {"label editing outside a directory is the list view's own",
         {Where::Nowhere, true, 0, 1, false},
         {LVM_EDITLABELW, 1, 0},
         {{"listview", LVM_EDITLABELW, Sent | WParam, 1}, Notice(LVN_BEGINLABELEDITA)}},
        {"label editing in a directory is the rename dialog's",
         {Where::Folder, true, 0, 1, true},
         {LVM_EDITLABELW, 1, 0},
         {}},
    };
    return cases;
}

} // namespace

std::vector<Outcome> ListViewSequences(Environment& env) {
    std::vector<Outcome> out;
    ViewScene s(env);
    s.ShowFolder();
    vireo::VireoBrowser& c = s.Control();
    const vireo::Folder folder = c.SelFolder();
    const Filter watched = Watching(s, {{"listview", WM_KEYDOWN},
                                        {"listview", WM_LBUTTONDBLCLK},
                                        {"listview", LVM_EDITLABELA},
                                        {"listview", LVM_EDITLABELW},
                                        {"docview", WM_NOTIFY, LVN_KEYDOWN},
                                        {"docview", WM_NOTIFY, NM_RETURN},
                                        {"docview", WM_NOTIFY, LVN_ITEMACTIVATE},
                                        {"docview", WM_NOTIFY, NM_DBLCLK},
                                        {"docview", WM_NOTIFY, LVN_BEGINLABELEDITA},
                                        {"docview", WM_NOTIFY, LVN_BEGINLABELEDITW},
                                        {"tree", 0}});
    for (const ListCase& k : ListCases()) {
        const Setup& set = k.setup;
        const Action& act = k.action;
        c.SetCurrentFolder(set.where == Where::Folder ? folder : vireo::Folder());
        c.m_OpenOneClick = set.oneClick;
        s.treeMoves = set.treeMoves;
        s.SelectOnly(set.selected);
        if (set.dialog) env.CancelNextDialog();
        s.Record(watched);
        if (act.message == LVM_EDITLABELW)
            SendMessageA(s.listView, act.message, act.wParam, 0);
        else if (act.message == WM_KEYDOWN)
            s.Post(s.listView, act.message, act.wParam, 0);
        else
            s.Post(s.listView, act.message, act.wParam, act.lParam ? act.lParam : s.ItemPoint(set.selected));
        out.push_back({std::string("list view: ") + k.name, Compare(s.Take(), k.rows, s.names)});
        if (const HWND edit = FindWindowExA(s.listView, nullptr, "Edit", nullptr))
            SendMessageA(edit, WM_KEYDOWN, kCancelEditLabel, 0);
        if (set.dialog)
            out.push_back({std::string("list view: ") + k.name + ": the dialog came up",
                           Unless(env.DialogShown(), "no dialog")});
        s.Settle();
    }
    c.m_OpenOneClick = 0;
    return out;
}

} // namespace seq
