#include "ControlFixture.h"
#include "support/ThreadState.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mEnumExt.h"
#include "support/mmShellMacro.h"

using fakes::Log;
using vireo::Folder;
using vireo::Variant;

namespace {

struct Entry {
    std::string text;
    LONG_PTR pidl;
    bool operator==(const Entry&) const = default;
};

class AddressBoxTest : public ControlFixture {
protected:
    AddressBoxTest() {
        desk.Files().MakeDir("C:\\Windows");
        desk.Files().MakeDir("C:\\Temp");
        desk.Files().WriteFile("C:\\notes.txt", "hello");
        desk.Files().MountScratchShare("server", "share");
        SetCurrentDirectoryA("C:\\");
    }
    HWND Combo() const { return FindWindowExA(control->Window(), nullptr, "ComboBox", nullptr); }
    HWND Edit() const { return FindWindowExA(Combo(), nullptr, "Edit", nullptr); }
    HWND ToolBar1() const { return FindWindowExA(control->Window(), nullptr, TOOLBARCLASSNAMEA, nullptr); }

    // Shows a location as a completed navigation leaves it and lists it.
    void Visit(const Folder& folder) {
        control->SetCurrentFolder(folder);
        control->AddLocationToHistory();
    }
    std::vector<Entry> Entries() const {
        std::vector<Entry> out;
        const int n = static_cast<int>(SendMessageA(Combo(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char buf[MAX_PATH] = "";
            SendMessageA(Combo(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
            out.push_back(Entry{buf, static_cast<LONG_PTR>(
                                         SendMessageA(Combo(), CB_GETITEMDATA, static_cast<WPARAM>(i), 0))});
        }
        return out;
    }
    int Selected() const { return static_cast<int>(SendMessageA(Combo(), CB_GETCURSEL, 0, 0)); }
    // The key under which the location button's picture is listed in imlToolBar.
    std::string LocationIconKey() {
        TBBUTTON button{};
        if (!SendMessageA(ToolBar1(), TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&button)))
            return "(no button)";
        if (button.iBitmap < 0) return "(none)";
        return control->ToolBarImages().Key(button.iBitmap + 1);
    }
    // The key the icon list gives the shell's small icon of an item.
    static std::string ShellIconKey(const Variant& item, UINT flags) {
        SHFILEINFOA info{};
        vireo::FileInfo(item, flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON, info);
        return "A" + std::to_string(info.iIcon);
    }
};

TEST_F(AddressBoxTest, EnterNavigatesToTheTypedTextOrItsListedPidl) {
    struct Case {
        const char* typed;
        int key;
        const char* boxAfter;
        Log calls;
    };
    const Case cases[] = {
        {"C:\\Windows", VK_RETURN, "C:\\Windows\\", {"Tree.SelectFolder #55"}},
        {"C:\\Windows\\", VK_RETURN, "C:\\Windows\\", {"Tree.SelectFolder #55"}},
        {"c:\\windows", VK_RETURN, "c:\\windows\\", {"Tree.SelectFolder c:\\windows\\"}},
        {"Control Panel", VK_RETURN, "Control Panel", {"Tree.SelectFolder #77"}},
        {"http://example.org/", VK_RETURN, "http://example.org/", {"Web.Navigate http://example.org/"}},
        {"C:\\Temp", VK_RETURN, "C:\\Temp\\", {"Tree.SelectFolder C:\\Temp\\"}},
        {"", VK_RETURN, "", {}},
        {"C:\\Windows", VK_F5, "C:\\Windows", {}},
    };
    Visit(Folder{"C:\\Windows\\", "Windows", "", 55, 0});
    Visit(Folder{"::{21EC2020-3AEA-1069-A2DD-08002B30309D}", "Control Panel", "", 77, LONG(0xA0000000)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        control->SetAddressText(c.typed);
        log.clear();
        desk.Windows().PressKey(Edit(), c.key);
        EXPECT_EQ(log, c.calls);
        EXPECT_EQ(control->AddressText(), c.boxAfter);
    }
}

TEST_F(AddressBoxTest, TheListKeepsOneEntryPerTextWithItsFirstPidl) {
    Visit(Folder{"C:\\Windows\\", "Windows", "", 11, 0});
    Visit(Folder{"C:\\Temp\\", "Temp", "", 12, 0});
    Visit(Folder{"C:\\Windows\\", "Windows", "", 13, 0});
    EXPECT_EQ(Selected(), 0);
    Visit(Folder{"c:\\windows\\", "Windows", "", 14, 0});
    Visit(Folder{"http://example.org/", "Example", "", 0, 0});
    // Virtual places are listed by their display name, plain folders by their path.
    Visit(Folder{"", "Control Panel", "", 15, LONG(0xA0000000)});
    Visit(Folder{"", "", "", 16, 0});
    EXPECT_EQ(Entries(), (std::vector<Entry>{{"C:\\Windows\\", 11},
                                             {"C:\\Temp\\", 12},
                                             {"c:\\windows\\", 14},
                                             {"http://example.org/", 0},
                                             {"Control Panel", 15}}));
    EXPECT_EQ(Selected(), 4);
    EXPECT_TRUE(log.empty());
}

TEST_F(AddressBoxTest, FindHistoryEntryMatchesExactlyAndSelects) {
    Visit(Folder{"C:\\Windows\\", "", "", 11, 0});
    Visit(Folder{"C:\\Temp\\", "", "", 0, 0});
    Visit(Folder{"Control Panel", "", "", 15, 0});
    const struct {
        const char* text;
        int index;
        LONG_PTR pidl; // starts as -5
    } cases[] = {
        {"C:\\Windows\\", 0, 11},
        {"C:\\Temp\\", 1, 0},
        {"Control Panel", 2, 15},
        {"control panel", -1, -5},
        {"C:\\Windows", -1, -5},
        {"C:\\Windows\\ ", -1, -5},
        {"", -1, -5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SendMessageA(Combo(), CB_SETCURSEL, 1, 0);
        LONG_PTR pidl = -5;
        EXPECT_EQ(control->FindHistoryEntry(c.text, pidl), c.index);
        EXPECT_EQ(pidl, c.pidl);
        EXPECT_EQ(Selected(), c.index < 0 ? 1 : c.index);
    }
}

TEST_F(AddressBoxTest, TheLocationButtonShowsTheKindOfLocation) {
    vireo::Shared().g_sTempDir = "C:\\Temp\\";
    LONG_PTR controls = vireo::SpecialFolderPidl(nullptr, CSIDL_CONTROLS);
    LONG_PTR network = vireo::SpecialFolderPidl(nullptr, CSIDL_NETWORK);
    const std::string folder = ShellIconKey(Variant("C:\\Temp\\"), 0);
    const std::string drive = ShellIconKey(Variant("C:\\"), 0);
    const std::string unchanged = "(unchanged)";
    const struct {
        Folder where;
        std::string key;
    } cases[] = {
        {Folder{"http://example.org/", "", "", 0, 0}, "URL"},
        {Folder{"\\\\server\\share\\", "", "", 0, 0}, ShellIconKey(Variant::Long(network), 0)},
        {Folder{"C:\\Windows\\", "", "", 0, 0}, drive},
        {Folder{"C:\\", "", "", 0, 0}, drive},
        {Folder{"C:\\notes.txt", "", "", 0, 0},
         ShellIconKey(Variant("C:\\notes.txt"), SHGFI_USEFILEATTRIBUTES)},
        {Folder{"", "Control Panel", "", controls, 0}, ShellIconKey(Variant::Long(controls), 0)},
        {Folder{"nowhere", "", "", 0, 0}, unchanged},
    };
    vireo::FreePidl(network);
    EXPECT_NE(folder, drive);
    std::string previous = LocationIconKey();
    EXPECT_EQ(previous, "(none)");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where.sURL);
        control->SetCurrentFolder(c.where);
        control->UpdateLocationIcon();
        EXPECT_EQ(LocationIconKey(), c.key == unchanged ? previous : c.key);
        previous = LocationIconKey();
    }
    vireo::FreePidl(controls);
    vireo::Shared().g_sTempDir.clear();
}

TEST_F(AddressBoxTest, FocusChangesTheBoxColour) {
    struct Case {
        bool gotFocus;
        LONG color;
        int sysColor;
    };
    const Case cases[] = {
        {false, LONG(0x8000000F), COLOR_BTNFACE},
        {true, LONG(0x80000005), COLOR_WINDOW},
        {false, LONG(0x8000000F), COLOR_BTNFACE},
    };
    EXPECT_EQ(control->AddressBackColor(), LONG(0x80000005));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gotFocus);
        if (c.gotFocus)
            control->ThisGotFocus();
        else
            control->ThisLostFocus();
        EXPECT_EQ(control->AddressBackColor(), c.color);
        for (UINT msg : {UINT(WM_CTLCOLOREDIT), UINT(WM_CTLCOLORLISTBOX)}) {
            // The combo box passes its fields' questions to the control.
            HDC dc = GetDC(Edit());
            auto brush = reinterpret_cast<HBRUSH>(
                SendMessageA(Combo(), msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Edit())));
            LOGBRUSH lb{};
            ASSERT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
            EXPECT_EQ(lb.lbColor, GetSysColor(c.sysColor));
            EXPECT_EQ(GetBkColor(dc), GetSysColor(c.sysColor));
            ReleaseDC(Edit(), dc);
        }
    }
}

TEST_F(AddressBoxTest, GettingTheFocusReportsAndPreparesOnce) {
    vireo::ClearExtensionIndex();
    Visit(Folder{"C:\\Windows\\", "", "", 0, 0});
    Visit(Folder{"C:\\Temp\\", "", "", 0, 0});
    control->SetCurrentFolder(Folder{"C:\\Windows\\", "", "", 0, 0});

    control->ThisGotFocus();
    EXPECT_EQ(log, (Log{"Container.MousePointer 11", "Container.MousePointer 0"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_TRUE(vireo::ExtensionsOfType("Text Document").has_value());

    // Once the web view is found, each activation reports; the preparation is not repeated. The tree's
    // focus event is an activation too.
    log.clear();
    control->m_hwndWB = container.web->Window();
    control->ThisGotFocus();
    container.tree->events->GotFocus();
    EXPECT_EQ(log, (Log{"Event.PanelProperty  000", "Event.PanelProperty  000"}));

    // Another control prepares for itself, after reporting.
    log.clear();
    auto second = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
    second->SetEvents(&events);
    second->m_hwndWB = container.web->Window();
    second->ThisGotFocus();
    EXPECT_EQ(log,
              (Log{"Event.PanelProperty  000", "Container.MousePointer 11", "Container.MousePointer 0"}));
    vireo::ClearExtensionIndex();
}

} // namespace
