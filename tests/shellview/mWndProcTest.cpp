#include "ShellViewFixture.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "support/mmShellMacro.h"
#include <cstring>

using vireo::Folder;

namespace {

class mWndProcTest : public ShellViewFixture {
protected:
    // Puts the cursor on a client point of the window.
    static void CursorAt(HWND hwnd, POINT client) {
        ClientToScreen(hwnd, &client);
        SetCursorPos(client.x, client.y);
    }
    // Lines of the shared log that start with one of the prefixes.
    std::vector<std::string> Calls(std::initializer_list<const char*> prefixes) const {
        std::vector<std::string> out;
        for (const std::string& line : log)
            for (const char* p : prefixes)
                if (line.rfind(p, 0) == 0) out.push_back(line);
        return out;
    }
    static constexpr POINT kOnItem0 = {30, 25}; // details view: 20-pixel header, then 16-pixel rows
    static constexpr POINT kOnNothing = {30, 200};
};

TEST_F(mWndProcTest, SubclassingKeepsOnePreviousProcedure) {
    HWND w = MakeWindow("Shell DocObject View", control->Window());
    const auto own = reinterpret_cast<HANDLE>(GetWindowLongPtrA(w, GWLP_WNDPROC));
    struct Step {
        const char* name;
        std::function<bool()> run;
        bool result;
        HANDLE oldProc;  // "OldWndProc" afterwards
        bool hasObject;  // "ObjectPtr" afterwards
        WNDPROC current; // the window's procedure afterwards
    };
    HWND handle = w;
    const Step steps[] = {
        {"release before subclassing", [&] { return vireo::UnsubclassWindow(handle); }, false, nullptr, false,
         reinterpret_cast<WNDPROC>(own)},
        {"subclass", [&] { return vireo::SubclassWindow(w, vireo::DocViewWndProc, control.get()); }, true,
         own, true, vireo::DocViewWndProc},
        {"subclass again with another procedure",
         [&] { return vireo::SubclassWindow(w, vireo::ListViewWndProc, control.get()); }, true, own, true,
         vireo::DocViewWndProc},
        {"release", [&] { return vireo::UnsubclassWindow(handle); }, true, nullptr, false,
         reinterpret_cast<WNDPROC>(own)},
        {"release twice", [&] { return vireo::UnsubclassWindow(handle); }, false, nullptr, false,
         reinterpret_cast<WNDPROC>(own)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (std::string(s.name) == "release") {
            EXPECT_EQ(handle, w);
        }
        EXPECT_EQ(s.run(), s.result);
        EXPECT_EQ(GetPropA(w, "OldWndProc"), s.oldProc);
        EXPECT_EQ(GetPropA(w, "ObjectPtr") != nullptr, s.hasObject);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)), s.current);
    }
    EXPECT_EQ(handle, nullptr); // the successful release cleared the caller's handle
    HWND gone = MakeWindow("Shell DocObject View", control->Window());
    DestroyWindow(gone);
    EXPECT_FALSE(vireo::SubclassWindow(gone, vireo::DocViewWndProc, control.get()));
    HWND stale = gone;
    EXPECT_FALSE(vireo::UnsubclassWindow(stale));
    EXPECT_EQ(stale, gone);
}

TEST_F(mWndProcTest, ObjectFromWindowHoldsTheControl) {
    HWND w = MakeWindow("Shell DocObject View", control->Window());
    EXPECT_FALSE(vireo::ObjectFromWindow(w));
    ASSERT_TRUE(vireo::SubclassWindow(w, vireo::DocViewWndProc, control.get()));
    const unsigned long rest = control->RefCount();
    {
        auto held = vireo::ObjectFromWindow(w);
        EXPECT_EQ(held.get(), control.get());
        EXPECT_EQ(control->RefCount(), rest + 1);
    }
    EXPECT_EQ(control->RefCount(), rest);
    HWND h = w;
    vireo::UnsubclassWindow(h);
}

// A message with a bit outside a procedure's mask goes straight on, before the control is looked up (the
// lookup holds a reference for the length of the message, which the window's own procedure would see).
TEST_F(mWndProcTest, MessagesOutsideTheMaskSkipTheLookup) {
    struct Case {
        WNDPROC proc;
        UINT msg;
        bool lookedUp;
    };
    const Case cases[] = {
        {vireo::EmbeddingWndProc, WM_PAINT, false},
        {vireo::EmbeddingWndProc, WM_SIZE, false},
        {vireo::EmbeddingWndProc, WM_MOUSEMOVE, true},
        {vireo::EmbeddingWndProc, WM_USER, false},
        {vireo::DocViewWndProc, WM_PAINT, false},
        {vireo::DocViewWndProc, WM_SETFOCUS, false},
        {vireo::DocViewWndProc, WM_ERASEBKGND, true},
        {vireo::DocViewWndProc, WM_MOUSEMOVE, true},
        {vireo::ListViewWndProc, WM_SETICON, false},
        {vireo::ListViewWndProc, WM_USER, false},
        {vireo::ListViewWndProc, 0x8000 | WM_KEYDOWN, false},
        {vireo::ListViewWndProc, WM_PAINT, true},
        {vireo::ListViewWndProc, LVM_GETITEMCOUNT, true},
        {vireo::ListViewWndProc, WM_MOUSEMOVE, true},
    };
    HWND w = MakeWindow("Shell DocObject View", control->Window());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.msg));
        ASSERT_TRUE(vireo::SubclassWindow(w, c.proc, control.get()));
        const unsigned long rest = control->RefCount();
        Passed().clear();
        SendMessageA(w, c.msg, 0, 0);
        ASSERT_EQ(Passed().size(), 1u);
        EXPECT_EQ(Passed()[0].refs, c.lookedUp ? rest + 1 : rest);
        HWND h = w;
        vireo::UnsubclassWindow(h);
    }
}

TEST_F(mWndProcTest, WindowsWithoutTheControlPassEverythingOn) {
    HWND w = MakeWindow("Shell DocObject View", control->Window());
    ASSERT_TRUE(vireo::SubclassWindow(w, vireo::ListViewWndProc, control.get()));
    RemovePropA(w, "ObjectPtr");
    for (UINT msg : {UINT(WM_TIMER), UINT(WM_KEYDOWN), UINT(WM_DESTROY)}) {
        Passed().clear();
        SendMessageA(w, msg, VK_BACK, 0);
        EXPECT_TRUE(PassedOn(w, msg)) << msg;
    }
    EXPECT_NE(GetPropA(w, "OldWndProc"), nullptr); // WM_DESTROY without the control released nothing
    HWND h = w;
    vireo::UnsubclassWindow(h);
}

TEST_F(mWndProcTest, DiscoverySetsUpTheFirstListView) {
    struct Case {
        LONG style;
        std::vector<WPARAM> commands; // WM_COMMAND to the document view, in order
    };
    const Case cases[] = {{0, {0x702C, 0x7029}}, {1, {0x702C}}, {2, {0x702C, 0x702A}}, {3, {0x702C, 0x702B}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        Watched() = control.get();
        control->SetStyle(c.style);
        desk.Windows().SpyClass("Shell DocObject View");
        BuildTree({"Name"}, {{{"a"}}});
        std::vector<WPARAM> commands;
        for (const auto& m : desk.Windows().TakeSpied())
            if (m.hwnd == docView && m.message == WM_COMMAND) commands.push_back(m.wParam);
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(control->m_hwndWB, embedding);
        EXPECT_EQ(control->m_hwndSV, docView);
        EXPECT_EQ(control->m_hwndLV, listView);
        EXPECT_EQ(control->m_hwndLV2, nullptr);
        EXPECT_TRUE(vireo::Shared().g_bViewReady);
        for (HWND w : {embedding, docView, listView})
            EXPECT_NE(GetPropA(w, "ObjectPtr"), nullptr);
        EXPECT_EQ(control->Style(), c.style);
    }
}

TEST_F(mWndProcTest, LaterFolderViewsAndStrangersUnderTheEmbedding) {
    BuildTree({"Name"}, {{{"a"}}});
    // A second document view is not the first of its class under the embedding window: not taken.
    HWND second = MakeWindow("Shell DocObject View", embedding);
    EXPECT_EQ(control->m_hwndSV, docView);
    EXPECT_EQ(GetPropA(second, "OldWndProc"), nullptr);
    // A new folder view inside the document view brings its own list view, found at its creation.
    HWND folderView = MakeWindow("SHELLDLL_DefView", docView);
    HWND newList = FindWindowExA(folderView, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(newList, nullptr);
    EXPECT_EQ(control->m_hwndLV2, newList);
    EXPECT_NE(GetPropA(newList, "OldWndProc"), nullptr);
    EXPECT_EQ(control->m_hwndLV, listView);
    // A child without a list view changes nothing.
    MakeWindow("Shell Embedding", docView);
    EXPECT_EQ(control->m_hwndLV2, newList);
    // Destroying a window ends its subclassing after its own procedure saw WM_DESTROY.
    Passed().clear();
    DestroyWindow(newList);
    EXPECT_TRUE(PassedOn(newList, WM_DESTROY));
}

TEST_F(mWndProcTest, FirstMoveOfADocumentViewAppliesColoursOnce) {
    control->SetBackColor(0x123456);
    control->SetForeColor(0x654321);
    control->SetStyle(1);
    BuildTree({"Name"}, {{{"a"}}});
    control->SetCurrentFolder(Folder{"C:\\", "", "", 0, 0});
    SetWindowPos(docView, nullptr, 0, 0, 300, 200, SWP_NOZORDER);
    EXPECT_EQ(vireo::Shared().lastDocView, docView);
    EXPECT_EQ(SendMessageA(listView, LVM_GETBKCOLOR, 0, 0), 0x123456);
    EXPECT_EQ(SendMessageA(listView, LVM_GETTEXTBKCOLOR, 0, 0), 0x123456);
    EXPECT_EQ(SendMessageA(listView, LVM_GETTEXTCOLOR, 0, 0), 0x654321);
    // Later moves of the same window leave the list view alone.
    control->SetBackColor(0x0000FF);
    SetWindowPos(docView, nullptr, 0, 0, 310, 210, SWP_NOZORDER);
    EXPECT_EQ(SendMessageA(listView, LVM_GETBKCOLOR, 0, 0), 0x123456);
}

TEST_F(mWndProcTest, NotificationsArmTheSelectionNotice) {
    BuildTree({"Name"}, {{{"a"}}, {{"b"}}});
    struct Case {
        int code;
        bool notice;
    };
    const Case cases[] = {{-2, true}, {-3, true}, {-99, true}, {0, true}, {-100, false}, {-101, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        log.clear();
        NMHDR hdr{listView, 1, static_cast<UINT>(c.code)};
        SendMessageA(docView, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&hdr));
        EXPECT_TRUE(PassedOn(docView, WM_NOTIFY));
        desk.Windows().Advance(200);
        EXPECT_EQ(Calls({"Event.NotifySelection"}).size(), c.notice ? 1u : 0u);
    }
}

TEST_F(mWndProcTest, KeysInTheListView) {
    desk.Files().MakeDir("C:\\dir\\sub");
    struct Case {
        const char* name;
        WPARAM key;
        bool treeGoes;
        bool selected; // item "sub" selected
        bool consumed;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"backspace moves up", VK_BACK, true, false, true, {"Tree.GoToParent"}},
        {"backspace that cannot move", VK_BACK, false, false, false, {"Tree.GoToParent"}},
        {"enter opens the selected item", VK_RETURN, true, true, true, {"Tree.GoToChild sub"}},
        {"other keys", 'A', true, true, false, {}},
        {"shift", VK_SHIFT, true, true, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTree({"Name"}, {{{"sub"}, c.selected}});
        control->SetCurrentFolder(Folder{"C:\\dir\\", "", "", 1, 0});
        container.tree->goResult = c.treeGoes;
        log.clear();
        SendMessageA(listView, WM_KEYDOWN, c.key, 0);
        EXPECT_EQ(PassedOn(listView, WM_KEYDOWN), !c.consumed);
        EXPECT_EQ(Calls({"Tree.GoTo"}), c.calls);
        SendMessageA(listView, WM_KEYUP, c.key, 0);
        EXPECT_TRUE(PassedOn(listView, WM_KEYUP));
        control->SetCurrentFolder(Folder{});
    }
}

TEST_F(mWndProcTest, ClicksOpenItemsTheControlsWay) {
    struct Case {
        const char* name;
        LONG oneClick;
        UINT button;
        WPARAM heldKey; // VK_SHIFT or VK_CONTROL held before the click, 0 for none
        POINT at;
        bool selected;
        bool consumed;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"one click on an item", 1, WM_LBUTTONDOWN, 0, kOnItem0, false, true, {"Tree.GoToChild sub"}},
        {"one click on empty space", 1, WM_LBUTTONDOWN, 0, kOnNothing, false, true, {"Tree.GoToParent"}},
        {"one click with Shift", 1, WM_LBUTTONDOWN, VK_SHIFT, kOnItem0, false, false, {}},
        {"one click with Ctrl", 1, WM_LBUTTONDOWN, VK_CONTROL, kOnItem0, false, false, {}},
        {"click without one-click", 0, WM_LBUTTONDOWN, 0, kOnItem0, false, false, {}},
        {"double-click on a selection", 0, WM_LBUTTONDBLCLK, 0, kOnItem0, true, true, {"Tree.GoToChild sub"}},
        {"double-click with nothing selected",
         0,
         WM_LBUTTONDBLCLK,
         0,
         kOnNothing,
         false,
         true,
         {"Tree.GoToParent"}},
        {"double-click in one-click mode", 1, WM_LBUTTONDBLCLK, 0, kOnItem0, true, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTree({"Name"}, {{{"sub"}, c.selected}});
        control->SetCurrentFolder(Folder{"C:\\", "", "", 1, 0});
        control->m_OpenOneClick = c.oneClick;
        if (c.heldKey) SendMessageA(listView, WM_KEYDOWN, c.heldKey, 0);
        CursorAt(listView, c.at);
        log.clear();
        Passed().clear();
        SendMessageA(listView, c.button, 0, MAKELPARAM(c.at.x, c.at.y));
        EXPECT_EQ(PassedOn(listView, c.button), !c.consumed);
        EXPECT_EQ(Calls({"Tree.GoTo"}), c.calls);
        if (c.heldKey) SendMessageA(listView, WM_KEYUP, c.heldKey, 0);
        EXPECT_FALSE(vireo::Shared().shiftDown || vireo::Shared().ctrlDown);
        control->SetCurrentFolder(Folder{});
    }
}

TEST_F(mWndProcTest, TimersNeverReachTheListView) {
    BuildTree({"Name"}, {});
    SendMessageA(listView, WM_TIMER, 1, 0);
    EXPECT_FALSE(PassedOn(listView, WM_TIMER));
}

TEST_F(mWndProcTest, StyleIsRecordedOnlyWhenTheViewIsReady) {
    struct Case {
        bool ready;
        DWORD view;
        LONG style;
    };
    const Case cases[] = {
        {true, LVS_SMALLICON, 2}, {true, LVS_ICON, 0}, {false, LVS_LIST, 3}, {false, LVS_ICON, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ready) + " " + std::to_string(c.view));
        BuildTree({"Name"}, {});
        control->SetStyle(3);
        vireo::Shared().g_bViewReady = c.ready;
        const LONG_PTR style = GetWindowLongPtrA(listView, GWL_STYLE);
        SetWindowLongPtrA(listView, GWL_STYLE, (style & ~LONG_PTR(LVS_TYPEMASK)) | LONG_PTR(c.view));
        EXPECT_TRUE(PassedOn(listView, WM_STYLECHANGED));
        EXPECT_EQ(control->Style(), c.style);
    }
}

TEST_F(mWndProcTest, OwnContextMenuOnNt5AndMeInVirtualFolders) {
    desk.Files().WriteFile("C:\\dir\\a.xyz", "x");
    desk.Files().WriteFile("C:\\dir\\b.xyz", "x");
    const LONG_PTR dirPidl = vireo::PidlFromPath(nullptr, "C:\\dir");
    struct Case {
        const char* name;
        bool win2000, winMe;
        const char* url;
        POINT at;
        bool own;
    };
    const Case cases[] = {
        {"NT 5 in a virtual folder", true, false, "", kOnItem0, true},
        {"Me in a virtual folder", false, true, "", kOnItem0, true},
        {"other systems", false, false, "", kOnItem0, false},
        {"in a directory", true, false, "C:\\dir\\", kOnItem0, false},
        {"on empty space", true, false, "", kOnNothing, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BuildTree({"Name"}, {{{"a.xyz"}, true}, {{"b.xyz"}, true}});
        control->SetCurrentFolder(Folder{c.url, "", "", dirPidl, 0});
        vireo::Shared().g_bWin2000 = c.win2000;
        vireo::Shared().g_bWinMe = c.winMe;
        CursorAt(listView, c.at);
        desk.Log().Clear();
        desk.Answers().Push("PopupMenu", emu::Answer{0, "Open"});
        SendMessageA(listView, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(listView), 0);
        EXPECT_EQ(PassedOn(listView, WM_CONTEXTMENU), !c.own);
        std::vector<std::string> menus;
        for (const auto& r : desk.Log().OfKind("ContextMenu"))
            menus.push_back(r.Text());
        const std::vector<std::string> own = {
            "ContextMenu: Query | open | cut | copy | delete | properties | C:\\dir\\a.xyz | C:\\dir\\b.xyz",
            "ContextMenu: Invoke | open | C:\\dir\\a.xyz | C:\\dir\\b.xyz"};
        EXPECT_EQ(menus, c.own ? own : std::vector<std::string>{});
        control->SetCurrentFolder(Folder{});
        desk.Answers().Take("PopupMenu");
    }
    vireo::FreePidl(dirPidl);
}

TEST_F(mWndProcTest, FormFontKeepsEachControlsSize) {
    HWND form = CreateWindowExA(0, "Static", "form", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    struct Case {
        const char* face; // the child's font before, nullptr for none
        LONG height;
        const char* after; // the face afterwards, nullptr for no font
    };
    const Case cases[] = {{"Arial", -12, "Tahoma"},
                          {"Courier New", 20, "Tahoma"},
                          {nullptr, 0, nullptr},
                          {"Arial", 0, "Arial"}};
    std::vector<HWND> children;
    std::vector<HFONT> fonts;
    for (const Case& c : cases) {
        HWND child =
            CreateWindowExA(0, "Static", "x", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
        if (c.face) {
            LOGFONTA lf{};
            lf.lfHeight = c.height;
            strcpy(lf.lfFaceName, c.face);
            fonts.push_back(CreateFontIndirectA(&lf));
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.back()), 0);
        }
        children.push_back(child);
    }
    vireo::ApplyFormFont(form, "Tahoma");
    const size_t objects = desk.Windows().LiveGdiObjectCount();
    vireo::ApplyFormFont(form, "Tahoma"); // the fonts of the first call are replaced, not piled up
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), objects);
    vireo::ApplyFormFont(form, ""); // nothing
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto font = reinterpret_cast<HFONT>(SendMessageA(children[i], WM_GETFONT, 0, 0));
        if (!cases[i].after) {
            EXPECT_EQ(font, nullptr);
            continue;
        }
        LOGFONTA lf{};
        ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), int(sizeof lf));
        EXPECT_STREQ(lf.lfFaceName, cases[i].after);
        EXPECT_EQ(lf.lfHeight, cases[i].height);
    }
    for (HWND child : children)
        if (HANDLE made = GetPropA(child, "FormFont")) DeleteObject(static_cast<HGDIOBJ>(made));
    for (HFONT f : fonts)
        DeleteObject(f);
    DestroyWindow(form);
}

} // namespace

namespace {

TEST_F(mWndProcTest, InADirectoryTheRenameDialogReplacesInPlaceEditing) {
    desk.Files().MakeDir("C:\\dir");
    struct Case {
        const char* name;
        const char* folder;              // the current location
        std::vector<std::string> dialog; // the user's actions in the rename dialog
        UINT message;
        bool passedOn;         // the list view's own editing starts
        const char* fileAfter; // the file's name afterwards
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"renamed",
         "C:\\dir\\",
         {"clear", "type notes.txt", "press &Ok"},
         LVM_EDITLABELW,
         false,
         "notes.txt",
         {"Web.Refresh"}},
        {"narrow message too",
         "C:\\dir\\",
         {"clear", "type log.txt", "enter"},
         LVM_EDITLABELA,
         false,
         "log.txt",
         {"Web.Refresh"}},
        {"cancelled",
         "C:\\dir\\",
         {"clear", "type other.txt", "press &Cancel"},
         LVM_EDITLABELW,
         false,
         "report.txt",
         {}},
        {"a virtual folder keeps the list view's editing",
         "Control Panel",
         {},
         LVM_EDITLABELW,
         true,
         "report.txt",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk.Files().WriteFile("C:\\dir\\report.txt", "r");
        BuildTree({"Name"}, {{{"report.txt"}, true}});
        control->SetCurrentFolder(Folder{c.folder, "", "", 0, 0});
        for (const std::string& a : c.dialog)
            desk.Answers().Push("Dialog", emu::Answer{0, a});
        log.clear();
        SendMessageA(listView, c.message, 0, 0);
        EXPECT_EQ(PassedOn(listView, c.message), c.passedOn);
        EXPECT_NE(GetFileAttributesA((std::string("C:\\dir\\") + c.fileAfter).c_str()),
                  INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(Calls({"Web.Refresh"}), c.calls);
        DeleteFileA((std::string("C:\\dir\\") + c.fileAfter).c_str());
        control->SetCurrentFolder(Folder{});
    }
}

} // namespace
