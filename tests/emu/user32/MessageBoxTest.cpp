// Message boxes and popup menus answered by the desktop's script, and recorded in its journal.
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>

namespace {

TEST(MessageBoxTest, ScriptedAnswersAndTheAnswerOfAnUnansweredBox) {
    struct Case {
        UINT style;
        std::optional<int> scripted;
        int result;
        const char* state;
    } cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, std::nullopt, IDOK, "unanswered"},
        {MB_OKCANCEL, std::nullopt, IDCANCEL, "unanswered"},
        {MB_YESNO | MB_ICONQUESTION, std::nullopt, IDNO, "unanswered"},
        {MB_YESNOCANCEL, std::nullopt, IDCANCEL, "unanswered"},
        {MB_ABORTRETRYIGNORE, std::nullopt, IDABORT, "unanswered"},
        {MB_RETRYCANCEL, std::nullopt, IDCANCEL, "unanswered"},
        {MB_YESNO, IDYES, IDYES, "answered"},
        {MB_OKCANCEL, IDOK, IDOK, "answered"},
    };
    for (const Case& c : cases) {
        emu::Desktop d;
        if (c.scripted) d.Answers().Push("MessageBox", emu::Answer{*c.scripted, ""});
        EXPECT_EQ(MessageBoxA(nullptr, "Text", "Title", c.style), c.result) << c.style;
        auto records = d.Log().OfKind("MessageBox");
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].fields, (std::vector<std::string>{"Text", "Title", std::to_string(c.style),
                                                               std::to_string(c.result), c.state}));
    }
}

TEST(MessageBoxTest, ANullCaptionIsShownAsError) {
    emu::Desktop d;
    MessageBoxA(nullptr, "x", nullptr, MB_OK);
    EXPECT_EQ(d.Log().OfKind("MessageBox")[0].Text(), "MessageBox: x | Error | 0 | 1 | unanswered");
}

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        owner = testwin::Top();
        d.Windows().Spy(owner);
        menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 10, "&Open");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 21, "Drive C:");
        AppendMenuA(sub, MF_STRING | MF_GRAYED, 22, "Drive D:");
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Drives");
    }
    void TearDown() override {
        EXPECT_TRUE(DestroyMenu(menu));
        EXPECT_FALSE(IsMenu(sub)) << "submenus go with their menu";
        EXPECT_EQ(d.Windows().LiveMenuCount(), 0u);
    }
    emu::Desktop d;
    HWND owner = nullptr;
    HMENU menu = nullptr, sub = nullptr;
};

TEST_F(PopupMenuTest, TheScriptChoosesByIdentifierOrCaption) {
    struct Case {
        std::optional<emu::Answer> answer;
        UINT result;
        const char* state;
    } cases[] = {
        {std::nullopt, 0, "unanswered"},
        {emu::Answer{21, ""}, 21, "answered"},
        {emu::Answer{0, "Open"}, 10, "answered"},
        {emu::Answer{22, ""}, 0, "answered"}, // a grayed entry cannot be chosen
        {emu::Answer{99, ""}, 0, "answered"}, // nor one the menu does not have
    };
    for (const Case& c : cases) {
        if (c.answer) d.Answers().Push("PopupMenu", *c.answer);
        EXPECT_EQ(
            static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 5, 5, 0, owner, nullptr)),
            c.result);
        auto rec = d.Log().OfKind("PopupMenu").back();
        EXPECT_EQ(rec.fields, (std::vector<std::string>{"Open", "Drives > Drive C:", "Drives > Drive D:",
                                                        std::to_string(c.result), c.state}));
    }
}

TEST_F(PopupMenuTest, WithoutReturnCmdTheChoiceIsPostedToTheOwner) {
    d.Answers().Push("PopupMenu", emu::Answer{10, ""});
    d.Windows().ClearSpied();
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTBUTTON, 5, 5, 0, owner, nullptr));
    std::vector<UINT> sent;
    for (const auto& m : d.Windows().TakeSpied())
        sent.push_back(m.message);
    EXPECT_EQ(sent,
              (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_UNINITMENUPOPUP, WM_EXITMENULOOP}));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, owner, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(msg.wParam, 10u);
}

TEST_F(PopupMenuTest, ItemsReadBackByPositionAndCommand) {
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(GetMenuItemID(menu, 0), 10u);
    EXPECT_EQ(GetMenuItemID(menu, 2), static_cast<UINT>(-1)) << "a submenu has no identifier";
    EXPECT_EQ(GetSubMenu(menu, 2), sub);
    char buf[16];
    EXPECT_EQ(GetMenuStringA(menu, 21, buf, sizeof buf, MF_BYCOMMAND), 8) << "found in the submenu";
    EXPECT_STREQ(buf, "Drive C:");
    EXPECT_EQ(GetMenuStringA(menu, 0, buf, 4, MF_BYPOSITION), 3);
    EXPECT_STREQ(buf, "&Op");
    EXPECT_EQ(CheckMenuItem(menu, 10, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING | MIIM_DATA;
    mii.wID = 30;
    mii.dwTypeData = const_cast<LPSTR>("Inserted");
    mii.dwItemData = 0xBEEF;
    EXPECT_TRUE(InsertMenuItemA(menu, 1, TRUE, &mii));
    EXPECT_EQ(GetMenuItemID(menu, 1), 30u);
    MENUITEMINFOA back{};
    back.cbSize = sizeof back;
    back.fMask = MIIM_DATA | MIIM_STRING;
    EXPECT_TRUE(GetMenuItemInfoA(menu, 30, FALSE, &back));
    EXPECT_EQ(back.dwItemData, 0xBEEFu);
    EXPECT_EQ(back.cch, 8u);
}

} // namespace
