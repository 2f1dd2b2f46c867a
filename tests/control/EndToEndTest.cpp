// The typical request, end to end, on the emulated desktop with the real tree and web view: the user types
// C:\Temp into the address box and presses Enter; the tree selects it, the web view shows it by its list,
// the control takes over the new folder view and reports the location; then a click on a file gives one
// selection notice 200 ms later.
#include "control/DesktopContainer.h"
#include "control/ControlFixture.h"
#include "control/DesktopContainer.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/emu/user32/WindowManager.h"
#include "shellview/mWndProc.h"
#include "support/ThreadState.h"
#include "platform/RuntimeError.h"
#include <functional>

namespace {

class EndToEndTest : public ::testing::Test {
protected:
    EndToEndTest() {
        // The window procedures' state is shared by the thread's controls; a fresh process starts clean.
        vireo::Shared().Reset();
        desk.Files().MountScratch('C', DRIVE_FIXED, "SYSTEM");
        desk.Files().MakeDir("C:\\Temp\\Old");
        desk.Files().WriteFile("C:\\Temp\\notes.txt", std::string(1500, 'x'));
        desk.Files().WriteFile("C:\\Temp\\page.htm", "<html></html>");
        control = PlaceActivatedControl(container, events);
        // The container tells the control it is active: the extension index is built.
        control->ThisGotFocus();
    }
    ~EndToEndTest() override {
        control->Terminate(vireo::Variant::Boolean(true));
        control.reset();
        container.webView.reset();
        DestroyWindow(container.parent);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "a list was not freed";
    }
    void Settle() {
        for (int i = 0; i < 1000 && desk.Windows().PumpOnce(); ++i) {}
    }
    // The control's events only, in order.
    fakes::Log Events() const {
        fakes::Log out;
        for (const auto& l : log)
            if (l.rfind("Event.", 0) == 0) out.push_back(l);
        return out;
    }

    emu::Desktop desk;
    size_t before = emu::TaskAllocator::LiveBlocks();
    fakes::Log log;
    DesktopContainer container{log};
    fakes::EventLog events{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
};

TEST_F(EndToEndTest, ATypedFolderBecomesTheLocationAndAClickIsNotedOnce) {
    ASSERT_NE(control->m_hwndWB, nullptr) << "Activate found the web view's window";
    HWND combo = GetDlgItem(control->Window(), 102);
    HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    log.clear();
    desk.Windows().TypeText(edit, "C:\\Temp");
    desk.Windows().PressKey(edit, VK_RETURN);
    Settle();

    // The folder view was found and taken over, and the location reported.
    ASSERT_NE(control->m_hwndLV, nullptr);
    EXPECT_EQ(control->m_hwndLV, container.webView->FolderList());
    EXPECT_NE(GetPropA(control->m_hwndLV, "OldWndProc"), nullptr);
    const vireo::Folder cur = control->SelFolder();
    EXPECT_EQ(cur.sURL, "C:\\Temp\\");
    EXPECT_EQ(cur.nPidl, control->Tree()->SelectedFolder().nPidl) << "the web view went by the tree's list";
    EXPECT_EQ(control->AddressText(), "C:\\Temp\\");
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("C:\\Temp\\")),
              0);
    // The title arrives before the document is complete: the panel hears it with the old location's state.
    const fakes::Log expected{
        "Event.PanelProperty Temp 000",
        "Event.NotifyURL C:\\Temp\\ | Temp | C:\\Temp | " + std::to_string(cur.nPidl) + " | " +
            std::to_string(cur.nAttr),
        "Event.PanelProperty Temp 001",
    };
    EXPECT_EQ(Events(), expected);

    // A click on the file: the list view's notification arms the timer; 200 ms later one notice.
    log.clear();
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "notes";
    const LRESULT item = SendMessageA(control->m_hwndLV, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(&find));
    ASSERT_GE(item, 0);
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(control->m_hwndLV, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
    desk.Windows().Click(control->m_hwndLV, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    desk.Windows().Advance(199);
    EXPECT_EQ(Events(), fakes::Log{"Event.CombUrlLostFocus"})
        << "the focus left the address box; no notice yet";
    desk.Windows().Advance(1);
    EXPECT_EQ(Events(), (fakes::Log{"Event.CombUrlLostFocus", "Event.NotifySelection 1 notes.txt"}));
    EXPECT_EQ(control->StatusText().rfind("SIZE=2 KB, TYPE=TEXT DOCUMENT, MODIFIED=", 0), 0u)
        << control->StatusText();
}

// The messages with which the control takes over a new folder view, in the order they arrive: the web view
// announces its document window to "Shell Embedding"; the control switches the view to details and then to
// its stored view mode through the document window, and the document window's first move gives the list
// view its colours.
TEST_F(EndToEndTest, TheNewFolderViewIsTakenOverInOrder) {
    desk.Windows().Spy(control->m_hwndWB);
    desk.Windows().SpyClass("Shell DocObject View");
    desk.Windows().SpyClass("SysListView32");
    control->NavigateTV(vireo::Variant("C:\\Temp"));
    Settle();
    ASSERT_NE(control->m_hwndLV, nullptr);
    const HWND doc = control->m_hwndSV, lv = control->m_hwndLV;
    std::vector<std::string> seen;
    for (const emu::SpiedMessage& m : desk.Windows().Spied()) {
        if (m.hwnd == control->m_hwndWB && m.message == WM_PARENTNOTIFY && LOWORD(m.wParam) == WM_CREATE &&
            reinterpret_cast<HWND>(m.lParam) == doc)
            seen.push_back("embedding: document window created");
        if (m.hwnd == doc && m.message == WM_COMMAND && m.lParam == 0)
            seen.push_back("document: view command " + std::to_string(LOWORD(m.wParam)));
        if (m.hwnd == lv &&
            (m.message == LVM_SETBKCOLOR || m.message == LVM_SETTEXTBKCOLOR || m.message == LVM_SETTEXTCOLOR))
            seen.push_back("list view: colour " + std::to_string(m.message));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "embedding: document window created",
                        "document: view command 28716", // details, while the view is set up
                        "document: view command 28715", // then the stored mode, list
                        "list view: colour " + std::to_string(LVM_SETBKCOLOR),
                        "list view: colour " + std::to_string(LVM_SETTEXTBKCOLOR),
                        "list view: colour " + std::to_string(LVM_SETTEXTCOLOR),
                    }));
    EXPECT_EQ(control->Style(), 3) << "the temporary switch to details is not recorded";
    EXPECT_EQ(GetWindowLongA(lv, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);
}

// Bad hosts and busy users: a second navigation while one loads, a host that navigates from inside the
// location notice, and members called after the control terminated. Nothing crashes or leaks.
TEST_F(EndToEndTest, ANavigationWhileAnotherLoadsWins) {
    control->NavigateTV(vireo::Variant("C:\\Temp"));
    control->NavigateTV(vireo::Variant("C:\\Temp\\Old"));
    Settle();
    EXPECT_EQ(control->SelFolder().sURL, "C:\\Temp\\Old\\");
    EXPECT_EQ(control->Tree()->SelectedFolder().sPath, "C:\\Temp\\Old\\");
    EXPECT_FALSE(control->IsBusy());
}

TEST_F(EndToEndTest, AHostMayNavigateFromInsideTheLocationNotice) {
    bool once = true;
    events.onEvent = [&] {
        if (once && !log.empty() && log.back().rfind("Event.NotifyURL C:\\Temp\\ ", 0) == 0) {
            once = false;
            control->GoUp();
        }
    };
    control->NavigateTV(vireo::Variant("C:\\Temp"));
    Settle();
    events.onEvent = nullptr;
    EXPECT_FALSE(once);
    EXPECT_EQ(control->SelFolder().sURL, "C:\\");
}

TEST_F(EndToEndTest, MembersAfterTerminateDoNoHarm) {
    control->NavigateTV(vireo::Variant("C:\\Temp"));
    Settle();
    control->Terminate(vireo::Variant::Boolean(true));
    // Terminate let go of every window it had subclassed.
    EXPECT_EQ(control->m_hwndLV, nullptr);
    EXPECT_EQ(control->m_hwndSV, nullptr);
    EXPECT_EQ(control->m_hwndWB, nullptr);
    EXPECT_EQ(GetPropA(container.webView->Window(), "OldWndProc"), nullptr);
    // The tree's lists went with the tree: the location keeps its text but no list to navigate by.
    EXPECT_EQ(control->SelFolder().sURL, "C:\\Temp\\");
    EXPECT_EQ(control->SelFolder().nPidl, 0);
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"NavigateTV", [&] { control->NavigateTV(vireo::Variant("C:\\Temp\\Old")); }},
        {"GoBack", [&] { control->GoBack(); }},
        {"GoUp", [&] { control->GoUp(); }},
        {"Refresh", [&] { control->Refresh(); }},
        {"Reload", [&] { control->Reload(); }},
        {"GetSelectedFileList",
         [&] {
             std::string l;
             control->GetSelectedFileList(l);
         }},
        {"SetSelectedFiles", [&] { control->SetSelectedFiles("notes.txt\r\n"); }},
        {"InvertSelection", [&] { control->InvertSelection(); }},
        {"SwitchView", [&] { control->SwitchView(1); }},
        {"FireStatus", [&] { control->FireStatus(); }},
        {"FileOperation",
         [&] {
             int16_t i = 1;
             control->FileOperation(i);
         }},
        {"ThisGotFocus", [&] { control->ThisGotFocus(); }},
        {"Activate", [&] { control->Activate(); }},
    };
    for (const auto& [name, call] : calls) {
        try {
            call();
        } catch (const vireo::RuntimeError&) {
            // a member that calls into a released component may report it; it must not crash
        }
        Settle();
        desk.Windows().Advance(200);
    }
}

} // namespace
