// The control's procedures on the real shell view's windows: the shell's context menu through the
// control's, subclassing kept and given back, label editing handed to the rename dialog, and Terminate.
#include "commands/fRename.h"
#include "tests/wine/ListViewScene.h"

namespace winecheck {

namespace {

// The popup menu as the user meets it: a thread timer notes how many entries it holds and closes it.
int t_menuEntries = -1;

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    const auto hmenu = reinterpret_cast<HMENU>(SendMessageA(menu, 0x01E1 /* MN_GETHMENU */, 0, 0));
    t_menuEntries = hmenu ? GetMenuItemCount(hmenu) : 0;
    EndMenu();
}

} // namespace

// On NT 5.x, right-clicking an item outside a directory shows the control's menu: the shell's own menu
// for the selected items, from the folder's IContextMenu; with nothing selected no menu comes up.
void CheckContextMenu(Scene& scene) {
    vireo::VireoBrowser& c = *scene.control;
    const HWND lv = c.m_hwndLV;
    const vireo::Folder folder = c.SelFolder();
    vireo::Folder virtualLocation = folder;
    virtualLocation.sURL.clear();
    c.SetCurrentFolder(virtualLocation);
    const bool win2000 = vireo::Shared().g_bWin2000;
    vireo::Shared().g_bWin2000 = true;
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
    vireo::Shared().g_bWin2000 = win2000;
    c.SetCurrentFolder(folder);
    ClearSelection(lv);
}

namespace {

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

} // namespace

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
    const bool shift = vireo::Shared().shiftDown;
    SendMessageA(lv, WM_KEYUP, VK_SHIFT, 0);
    Check("subclassing: Shift held in the list view is tracked", shift && !vireo::Shared().shiftDown);

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

namespace {

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

} // namespace

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

} // namespace winecheck
