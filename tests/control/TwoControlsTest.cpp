// Two controls on one form, each with its own tree and web view, driven alternately. What belongs to a
// control (its windows, location, view mode, events and status bar) stays with it; what the controls of a
// thread share (the extension index, the drive list, the window procedures' last document view and key
// flags) is one copy for both; terminating one leaves the other working, and the last one's Terminate(True)
// clears the shared lists.
#include "control/DesktopContainer.h"
#include "control/VireoBrowser.h"
#include "commands/mPopMenu.h"
#include "fakes/Recorder.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/shdocvw/EmuWebView.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/ThreadState.h"
#include "support/mEnumExt.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// One control with its own container, web view, tree and log.
struct Side {
    Side(HWND form, int left) {
        container.parent = form;
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        control->SetEvents(&events);
        MoveWindow(control->Window(), left, 0, 320, 480, TRUE);
        control->Activate();
        control->ThisGotFocus();
    }
    // The control's events since the last call, in order.
    fakes::Log TakeEvents() {
        fakes::Log out;
        for (const auto& l : log)
            if (l.rfind("Event.", 0) == 0) out.push_back(l);
        log.clear();
        return out;
    }
    std::string NotifyURL(const char* url, const char* name, const char* locUrl) const {
        const vireo::Folder f = control->SelFolder();
        return std::string("Event.NotifyURL ") + url + " | " + name + " | " + locUrl + " | " +
               std::to_string(f.nPidl) + " | " + std::to_string(f.nAttr);
    }

    fakes::Log log;
    DesktopContainer container{log};
    fakes::EventLog events{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
};

class TwoControlsTest : public ::testing::Test {
protected:
    TwoControlsTest() {
        vireo::Shared().Reset();
        desk.Files().MountScratch('C', DRIVE_FIXED, "SYSTEM");
        desk.Files().MakeDir("C:\\A");
        desk.Files().MakeDir("C:\\B");
        desk.Files().WriteFile("C:\\A\\apple.txt", std::string(1500, 'a'));
        desk.Files().WriteFile("C:\\B\\berry.txt", std::string(3000, 'b'));
        desk.Files().WriteFile("C:\\B\\bean.txt", "b");
        form = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                               nullptr, nullptr, nullptr);
        left = std::make_unique<Side>(form, 0);
        right = std::make_unique<Side>(form, 320);
        Settle();
        left->TakeEvents();
        right->TakeEvents();
    }
    ~TwoControlsTest() override {
        left.reset();
        right.reset();
        DestroyWindow(form);
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before) << "a list was not freed";
        vireo::Shared().Reset();
    }
    void Settle() {
        for (int i = 0; i < 1000 && desk.Windows().PumpOnce(); ++i) {}
    }
    void Navigate(Side& side, const char* path) {
        side.control->NavigateTV(vireo::Variant(path));
        Settle();
    }
    // A click on the named item of the side's list view, then the 200 ms of the selection notice.
    void ClickItem(Side& side, const char* name) {
        const HWND lv = side.control->m_hwndLV;
        LVFINDINFOA find{};
        find.flags = LVFI_STRING;
        find.psz = name;
        const LRESULT item =
            SendMessageA(lv, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
        ASSERT_GE(item, 0) << name;
        RECT r{};
        r.left = LVIR_LABEL;
        SendMessageA(lv, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        desk.Windows().Click(lv, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        desk.Windows().Advance(200);
        Settle();
    }
    static bool StartsWith(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }

    emu::Desktop desk;
    size_t before = emu::TaskAllocator::LiveBlocks();
    HWND form = nullptr;
    std::unique_ptr<Side> left, right;
};

TEST_F(TwoControlsTest, EachKeepsItsOwnAndTheyShareWhatTheThreadShares) {
    // The first control's focus built the shared lists; the second one found them built.
    const auto index = vireo::ExtensionIndexEntries();
    const auto drives = vireo::DriveList();
    ASSERT_FALSE(index.empty());
    ASSERT_FALSE(drives.empty());

    // Navigate each, alternately: each hears only of its own location.
    Navigate(*left, "C:\\A");
    // The title arrives before the document is complete: the panel hears it with the old state first.
    EXPECT_EQ(left->TakeEvents(),
              (fakes::Log{"Event.PanelProperty A 000", left->NotifyURL("C:\\A\\", "A", "C:\\A"),
                          "Event.PanelProperty A 001"}));
    EXPECT_EQ(right->TakeEvents(), fakes::Log{});
    Navigate(*right, "C:\\B");
    EXPECT_EQ(right->TakeEvents(),
              (fakes::Log{"Event.PanelProperty B 000", right->NotifyURL("C:\\B\\", "B", "C:\\B"),
                          "Event.PanelProperty B 001"}));
    EXPECT_EQ(left->TakeEvents(), fakes::Log{});
    EXPECT_EQ(left->control->SelFolder().sURL, "C:\\A\\");
    EXPECT_EQ(right->control->SelFolder().sURL, "C:\\B\\");

    // Each took over its own folder view, and the windows point back at their own control.
    for (Side* side : {left.get(), right.get()}) {
        const vireo::VireoBrowser& c = *side->control;
        EXPECT_EQ(c.m_hwndLV, side->container.webView->FolderList());
        for (HWND w : {c.m_hwndWB, c.m_hwndSV, c.m_hwndLV})
            EXPECT_EQ(GetPropA(w, "ObjectPtr"), static_cast<const vireo::FolderViewHost*>(&c));
    }
    EXPECT_NE(left->control->m_hwndLV, right->control->m_hwndLV);
    // Shared: one last document view for both, the last one set up.
    EXPECT_EQ(vireo::Shared().lastDocView, right->control->m_hwndSV);

    // Select, alternately: one notice and one status text each, on its own side only.
    const std::string leftStatus = left->control->StatusText(), rightStatus = right->control->StatusText();
    ClickItem(*left, "apple");
    EXPECT_EQ(left->TakeEvents(), fakes::Log{"Event.NotifySelection 1 apple.txt"});
    EXPECT_EQ(right->TakeEvents(), fakes::Log{});
    EXPECT_TRUE(StartsWith(left->control->StatusText(), "SIZE=2 KB, TYPE=TEXT DOCUMENT, MODIFIED="))
        << left->control->StatusText();
    EXPECT_EQ(right->control->StatusText(), rightStatus);
    ClickItem(*right, "berry");
    EXPECT_EQ(right->TakeEvents(), fakes::Log{"Event.NotifySelection 1 berry.txt"});
    // The left list view lost the focus to the right one: a notice of its own, so the left control tells
    // its host its own selection again, and nothing of the right one.
    EXPECT_EQ(left->TakeEvents(), fakes::Log{"Event.NotifySelection 1 apple.txt"});
    EXPECT_TRUE(StartsWith(right->control->StatusText(), "SIZE=3 KB, TYPE=TEXT DOCUMENT, MODIFIED="))
        << right->control->StatusText();
    EXPECT_TRUE(StartsWith(left->control->StatusText(), "SIZE=2 KB")) << "the left bar kept its text";
    EXPECT_NE(left->control->StatusText(), leftStatus);

    // The view mode is the control's own: details on the left leaves the right one a list.
    left->control->SwitchView(1);
    Settle();
    EXPECT_EQ(left->control->Style(), 1);
    EXPECT_EQ(right->control->Style(), 3);
    EXPECT_EQ(GetWindowLongA(left->control->m_hwndLV, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_EQ(GetWindowLongA(right->control->m_hwndLV, GWL_STYLE) & LVS_TYPEMASK, LVS_LIST);

    // Shared: Shift held in one list view holds for the other, so a one-click there only selects.
    right->control->m_OpenOneClick = 1;
    SendMessageA(left->control->m_hwndLV, WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_TRUE(vireo::Shared().shiftDown);
    ClickItem(*right, "bean");
    EXPECT_EQ(right->control->SelFolder().sURL, "C:\\B\\") << "the click with Shift held opened nothing";
    SendMessageA(right->control->m_hwndLV, WM_KEYUP, VK_SHIFT, 0);
    EXPECT_FALSE(vireo::Shared().shiftDown);
    right->control->m_OpenOneClick = 0;
    right->TakeEvents();
    left->TakeEvents();

    // The left one goes, leaving the shared lists: the right one still navigates and selects.
    left->control->Terminate(vireo::Variant::Boolean(false));
    EXPECT_EQ(left->control->m_hwndLV, nullptr);
    EXPECT_EQ(left->control->m_hwndWB, nullptr);
    EXPECT_EQ(vireo::ExtensionIndexEntries(), index);
    EXPECT_EQ(vireo::DriveList(), drives);
    Navigate(*right, "C:\\A");
    EXPECT_EQ(right->TakeEvents(),
              (fakes::Log{"Event.PanelProperty A 001", right->NotifyURL("C:\\A\\", "A", "C:\\A"),
                          "Event.PanelProperty A 101"}));
    ClickItem(*right, "apple");
    EXPECT_EQ(right->TakeEvents(), fakes::Log{"Event.NotifySelection 1 apple.txt"});
    EXPECT_TRUE(StartsWith(right->control->StatusText(), "SIZE=2 KB, TYPE=TEXT DOCUMENT, MODIFIED="));
    EXPECT_EQ(left->TakeEvents(), fakes::Log{});

    // The last one clears the shared lists.
    right->control->Terminate(vireo::Variant::Boolean(true));
    EXPECT_TRUE(vireo::ExtensionIndexEntries().empty());
    EXPECT_TRUE(vireo::DriveList().empty());
}

} // namespace
