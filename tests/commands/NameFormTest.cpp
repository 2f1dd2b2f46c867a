// The rename and new-folder dialogs, driven by the user the desktop's script plays: their windows, the
// enablement of cmdOK, Enter, the refused characters and their messages, cancel and the close box, and
// RenameByDialog / NewFolderDialog acting on the answer.
#include "commands/fNewFolder.h"
#include "commands/fRename.h"
#include "commands/mmFileOper.h"
#include "support/ThreadState.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "support/mmFile.h"
#include <gtest/gtest.h>

using namespace vireo;

namespace {

class NameFormTest : public ::testing::Test {
protected:
    NameFormTest() {
        desk.Files().MountScratch('C');
        desk.Files().WriteFile("C:\\dir\\report.txt", "r");
        desk.Files().WriteFile("C:\\dir\\other.txt", "o");
    }
    ~NameFormTest() override {
        RenameForm().Unload();
        NewFolderForm().Unload();
        Shared().Reset();
    }

    void Script(const std::vector<std::string>& actions) {
        for (const std::string& a : actions)
            desk.Answers().Push("Dialog", emu::Answer{0, a});
    }
    // What the user did, one "action -> outcome" per step.
    std::vector<std::string> Steps() {
        std::vector<std::string> steps;
        for (const emu::Record& r : desk.Log().OfKind("Dialog"))
            steps.push_back(r.fields[1] + " -> " + r.fields[2]);
        return steps;
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> boxes;
        for (const emu::Record& r : desk.Log().OfKind("MessageBox"))
            boxes.push_back(r.fields[0] + " | " + r.fields[2]);
        return boxes;
    }

    emu::Desktop desk;
    HWND owner = nullptr;
};

TEST_F(NameFormTest, RenameDialogOutcomes) {
    struct Case {
        const char* name;
        std::vector<std::string> actions;
        const char* result;
        const char* exists; // the item's path afterwards
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {"typed and confirmed",
         {"type new.txt", "press &Ok"},
         "new.txt",
         "C:\\dir\\new.txt",
         {"type new.txt -> done", "press &Ok -> done"}},
        {"enter confirms",
         {"type new.txt", "enter"},
         "new.txt",
         "C:\\dir\\new.txt",
         {"type new.txt -> done", "enter -> done"}},
        {"the old name cannot be confirmed",
         {"type report.txt", "press &Ok", "enter"},
         "",
         "C:\\dir\\report.txt",
         {"type report.txt -> done", "press &Ok -> disabled", "enter -> done", "close -> unanswered"}},
        {"a change of case can",
         {"type Report.txt", "press &Ok"},
         "Report.txt",
         "C:\\dir\\Report.txt",
         {"type Report.txt -> done", "press &Ok -> done"}},
        {"an empty name changes nothing",
         {"clear", "press &Ok"},
         "",
         "C:\\dir\\report.txt",
         {"clear -> done", "press &Ok -> done"}},
        {"cancel",
         {"type new.txt", "press &Cancel"},
         "",
         "C:\\dir\\report.txt",
         {"type new.txt -> done", "press &Cancel -> done"}},
        {"close box",
         {"type new.txt", "close"},
         "",
         "C:\\dir\\report.txt",
         {"type new.txt -> done", "close -> done"}},
        {"escape does nothing",
         {"escape"},
         "",
         "C:\\dir\\report.txt",
         {"escape -> done", "close -> unanswered"}},
        {"the shell refuses an existing name",
         {"type other.txt", "press &Ok"},
         "",
         "C:\\dir\\report.txt",
         {"type other.txt -> done", "press &Ok -> done"}},
    };
    for (const Case& c : cases) {
        desk.Log().Clear();
        Script(c.actions);
        EXPECT_EQ(RenameByDialog(owner, RenameForm(), "C:\\dir\\report.txt"), c.result) << c.name;
        EXPECT_EQ(Steps(), c.steps) << c.name;
        EXPECT_FALSE(RenameForm().Hwnd()) << c.name << ": the form is unloaded";
        EXPECT_TRUE(IsFile(c.exists)) << c.name;
        // Put the file back under its first name.
        if (std::string(c.exists) != "C:\\dir\\report.txt") MoveFileA(c.exists, "C:\\dir\\report.txt");
    }
}

TEST_F(NameFormTest, EveryForbiddenCharacterIsRefusedAndTheDialogStaysOpen) {
    for (const char* bad : {"a\\b", "a/b", "a:b", "what?", "owner's", "<a", "a>"}) {
        for (bool rename : {true, false}) {
            desk.Log().Clear();
            Script({"clear", std::string("type ") + bad, "press &Ok", "press &Cancel"});
            std::string parent = "C:\\dir";
            std::string result = rename ? RenameByDialog(owner, RenameForm(), "C:\\dir\\report.txt")
                                        : NewFolderDialog(parent, NewFolderForm());
            EXPECT_EQ(result, "") << bad;
            std::string message =
                std::string(rename ? "Rename to '" : "New folder '") + bad + "' is impossible.";
            EXPECT_EQ(Boxes(), std::vector<std::string>{message + " | 48"}) << bad;
            // The refusal left the dialog open with the text as typed, so the cancel was pressed in it.
            EXPECT_EQ(Steps().back(), "press &Cancel -> done") << bad;
            EXPECT_TRUE(IsFile("C:\\dir\\report.txt"));
        }
    }
}

TEST_F(NameFormTest, NewFolderDialogOutcomes) {
    struct Case {
        const char* name;
        std::vector<std::string> actions;
        const char* result;
        const char* made;
    };
    const Case cases[] = {
        {"typed and confirmed", {"type Photos", "press &Ok"}, "Photos", "C:\\dir\\Photos"},
        {"enter confirms", {"type Music", "enter"}, "Music", "C:\\dir\\Music"},
        {"enter on an empty name does nothing", {"enter"}, "", nullptr},
        {"ok is disabled while empty", {"press &Ok"}, "", nullptr},
        {"several levels", {"type a\\b"}, "", nullptr},
        {"cancel", {"type Video", "press &Cancel"}, "", nullptr},
        {"close box", {"type Video", "close"}, "", nullptr},
        {"the folder exists already", {"type Photos", "press &Ok"}, "Photos", "C:\\dir\\Photos"},
    };
    for (const Case& c : cases) {
        desk.Log().Clear();
        Script(c.actions);
        std::string parent = "C:\\dir";
        EXPECT_EQ(NewFolderDialog(parent, NewFolderForm()), c.result) << c.name;
        EXPECT_EQ(parent, "C:\\dir\\") << c.name;
        if (c.made) {
            EXPECT_TRUE(IsFolder(c.made)) << c.name;
        }
        EXPECT_FALSE(IsFolder("C:\\dir\\Video")) << c.name;
        EXPECT_FALSE(NewFolderForm().Hwnd()) << c.name;
    }
}

TEST_F(NameFormTest, NothingIsShownForAMissingItemOrFolder) {
    std::string parent = "C:\\missing";
    EXPECT_EQ(NewFolderDialog(parent, NewFolderForm()), "");
    EXPECT_EQ(parent, "C:\\missing\\");
    EXPECT_EQ(RenameByDialog(owner, RenameForm(), "C:\\dir\\missing.txt"), "");
    EXPECT_EQ(desk.Log().Count("Dialog"), 0u);
    EXPECT_FALSE(RenameForm().Hwnd());
    EXPECT_FALSE(NewFolderForm().Hwnd());
}

TEST_F(NameFormTest, ASecondShowingClosedByTheBoxRenamesNothing) {
    Script({"type first.txt", "press &Ok"});
    EXPECT_EQ(RenameByDialog(owner, RenameForm(), "C:\\dir\\report.txt"), "first.txt");
    EXPECT_EQ(RenameForm().NewName(), "first.txt") << "the shared form keeps its result";
    Script({"type second.txt", "close"});
    EXPECT_EQ(RenameByDialog(owner, RenameForm(), "C:\\dir\\first.txt"), "");
    EXPECT_EQ(RenameForm().NewName(), "");
    EXPECT_TRUE(IsFile("C:\\dir\\first.txt"));
}

TEST_F(NameFormTest, EnablementFollowsTheText) {
    fRename& form = RenameForm();
    form.OldName("Name.txt");
    HWND ok = form.OkButton();
    const struct {
        const char* text;
        bool enabled;
    } renameCases[] = {
        {"Name.txt", false}, {"name.txt", true}, {"", true}, {"Other", true}, {"Name.txt", false}};
    for (const auto& c : renameCases) {
        SetWindowTextA(form.TextBox(), c.text);
        EXPECT_EQ(IsWindowEnabled(ok) != FALSE, c.enabled) << c.text;
    }
    fNewFolder& folder = NewFolderForm();
    folder.Load();
    EXPECT_FALSE(IsWindowEnabled(folder.OkButton())) << "starts empty and disabled";
    char text[16];
    GetWindowTextA(folder.TextBox(), text, sizeof text);
    EXPECT_STREQ(text, "");
    const struct {
        const char* text;
        bool enabled;
    } folderCases[] = {{"x", true}, {"", false}, {" ", true}};
    for (const auto& c : folderCases) {
        SetWindowTextA(folder.TextBox(), c.text);
        EXPECT_EQ(IsWindowEnabled(folder.OkButton()) != FALSE, c.enabled) << "'" << c.text << "'";
    }
}

TEST_F(NameFormTest, OldNameIsSelectedWhole) {
    RenameForm().OldName("report.txt", "\\");
    DWORD start = 1, end = 0;
    SendMessageA(RenameForm().TextBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 10u);
}

TEST_F(NameFormTest, WindowsOfTheForms) {
    Shared().g_sFontName = "Verdana";
    struct Expect {
        const char* cls;
        const char* text;
        RECT rect; // in the form's client area, pixels
    };
    const Expect children[] = {
        {"Edit", "txtName", {16, 16, 337, 35}},
        {"Button", "&Ok", {184, 48, 256, 73}},
        {"Button", "&Cancel", {264, 48, 336, 73}},
    };
    for (bool rename : {true, false}) {
        NameForm& form = rename ? static_cast<NameForm&>(RenameForm()) : NewFolderForm();
        HWND hwnd = form.Load();
        ASSERT_TRUE(hwnd);
        char text[64];
        GetWindowTextA(hwnd, text, sizeof text);
        EXPECT_STREQ(text, rename ? "Rename" : "New Folder");
        RECT client;
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, 352);
        EXPECT_EQ(client.bottom, 85);
        EXPECT_FALSE(IsWindowVisible(hwnd)) << "loaded, not shown";
        // Children in tab order.
        HWND child = GetWindow(hwnd, GW_CHILD);
        for (const Expect& e : children) {
            ASSERT_TRUE(child);
            GetClassNameA(child, text, sizeof text);
            EXPECT_STREQ(text, e.cls);
            GetWindowTextA(child, text, sizeof text);
            EXPECT_STREQ(text, rename || std::string(e.cls) != "Edit" ? e.text : "");
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, e.rect.left) << e.text;
            EXPECT_EQ(r.top, e.rect.top) << e.text;
            EXPECT_EQ(r.right, e.rect.right) << e.text;
            EXPECT_EQ(r.bottom, e.rect.bottom) << e.text;
            auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
            LOGFONTA lf{};
            ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf)) << e.text;
            EXPECT_STREQ(lf.lfFaceName, "Verdana");
            EXPECT_EQ(lf.lfHeight, -11);
            child = GetWindow(child, GW_HWNDNEXT);
        }
        form.Unload();
        EXPECT_FALSE(form.Hwnd());
    }
}

TEST_F(NameFormTest, TheFocusGoesToTheTextAndTheActiveWindowComesBack) {
    HWND main = CreateWindowExA(0, "Static", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200,
                                nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(main);
    HWND focusDuring = nullptr;
    char cls[16] = "";
    BOOL mainEnabledDuring = TRUE;
    desk.Answers().Push("Dialog", emu::Answer{0, "type x"});
    desk.Log().SetObserver([&](const emu::Record& r) {
        if (r.kind != "Dialog" || focusDuring) return;
        focusDuring = GetFocus();
        GetClassNameA(focusDuring, cls, sizeof cls);
        mainEnabledDuring = IsWindowEnabled(main);
    });
    std::string parent = "C:\\dir";
    NewFolderDialog(parent, NewFolderForm());
    desk.Log().SetObserver(nullptr);
    EXPECT_TRUE(focusDuring);
    EXPECT_STREQ(cls, "Edit");
    EXPECT_FALSE(mainEnabledDuring) << "the form is modal";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(GetActiveWindow(), main);
    DestroyWindow(main);
}

} // namespace
