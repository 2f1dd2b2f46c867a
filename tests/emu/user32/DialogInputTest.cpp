// The script's user at a modal window: a message loop waiting on an empty queue gets the next scripted
// action on the active window, and the window is closed when the script has none left.
#include "TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include <gtest/gtest.h>

namespace {

class DialogInputTest : public ::testing::Test {
protected:
    DialogInputTest() { Build(); }
    void Build() {
        testwin::Register();
        top = testwin::Top("Dialog title", WS_POPUP | WS_CAPTION | WS_SYSMENU);
        SetWindowLongPtrA(top, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
        edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top, nullptr, nullptr,
                               nullptr);
        button = CreateWindowExA(0, "Button", "&Go", WS_CHILD | WS_VISIBLE, 0, 30, 60, 20, top,
                                 reinterpret_cast<HMENU>(5), nullptr, nullptr);
        ShowWindow(top, SW_SHOW);
        SetFocus(edit);
    }
    ~DialogInputTest() override {
        if (IsWindow(top)) DestroyWindow(top);
    }

    // The modal loop of a dialog: runs until the window is gone or the wait fails.
    int Run() {
        MSG msg;
        int got = 0;
        while (IsWindow(top) && (got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return got;
    }
    std::string Text(HWND hwnd) {
        char text[64] = "";
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
    std::vector<std::string> Journal() {
        std::vector<std::string> lines;
        for (const emu::Record& r : desk.Log().OfKind("Dialog"))
            lines.push_back(r.Text());
        return lines;
    }
    void Script(const std::vector<std::string>& actions) {
        for (const std::string& a : actions)
            desk.Answers().Push("Dialog", emu::Answer{0, a});
    }

    emu::Desktop desk;
    std::vector<std::string> events;
    bool refuseClose = false;
    testwin::Hook hook = [this](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) events.push_back("clicked " + Text(edit));
        if (msg == WM_KEYDOWN) events.push_back("key");
        if (msg == WM_CLOSE) {
            events.push_back("close");
            lastText = Text(edit);
            *result = 0;
            return refuseClose;
        }
        return false;
    };
    std::string lastText;
    HWND top = nullptr;
    HWND edit = nullptr;
    HWND button = nullptr;
};

TEST_F(DialogInputTest, ActionsAreDoneInOrderThenTheWindowIsClosed) {
    const struct {
        const char* name;
        bool disabled;
        std::vector<std::string> actions;
        std::vector<std::string> events;
        const char* text;
        std::vector<std::string> journal;
    } cases[] = {
        {"type and press",
         false,
         {"type ab", "type c", "press &Go"},
         {"clicked abc", "close"},
         "abc",
         {"Dialog: Dialog title | type ab | done", "Dialog: Dialog title | type c | done",
          "Dialog: Dialog title | press &Go | done", "Dialog: Dialog title | close | unanswered"}},
        {"a disabled button takes no click",
         true,
         {"disable", "press &Go"},
         {"close"},
         "",
         {"Dialog: Dialog title | disable | unknown action", "Dialog: Dialog title | press &Go | disabled",
          "Dialog: Dialog title | close | unanswered"}},
        {"a missing button",
         false,
         {"press Nothing"},
         {"close"},
         "",
         {"Dialog: Dialog title | press Nothing | no such button",
          "Dialog: Dialog title | close | unanswered"}},
        {"clear empties the focus window",
         false,
         {"type xyz", "clear", "type q", "press &Go"},
         {"clicked q", "close"},
         "q",
         {"Dialog: Dialog title | type xyz | done", "Dialog: Dialog title | clear | done",
          "Dialog: Dialog title | type q | done", "Dialog: Dialog title | press &Go | done",
          "Dialog: Dialog title | close | unanswered"}},
        {"the close box",
         false,
         {"close", "type never"},
         {"close"},
         "",
         {"Dialog: Dialog title | close | done"}},
    };
    for (const auto& c : cases) {
        if (IsWindow(top)) DestroyWindow(top);
        Build();
        desk.Log().Clear();
        desk.Answers().Clear();
        events.clear();
        if (c.disabled) EnableWindow(button, FALSE);
        Script(c.actions);
        EXPECT_NE(Run(), -1) << c.name << ": the loop ends with the window";
        EXPECT_FALSE(IsWindow(top)) << c.name;
        EXPECT_EQ(events, c.events) << c.name;
        EXPECT_EQ(Journal(), c.journal) << c.name;
        EXPECT_EQ(lastText, c.text) << c.name;
    }
}

TEST_F(DialogInputTest, KeysGoToTheFocusWindow) {
    SetFocus(top);
    Script({"enter", "escape"});
    refuseClose = true;
    EXPECT_EQ(Run(), -1) << "a window that will not close ends the wait";
    EXPECT_EQ(events, (std::vector<std::string>{"key", "key", "close"}));
    EXPECT_TRUE(IsWindow(top));
}

TEST_F(DialogInputTest, NothingHappensWithoutAnActiveWindow) {
    ShowWindow(top, SW_HIDE);
    SetActiveWindow(nullptr);
    Script({"type x"});
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_EQ(desk.Answers().Pending("Dialog"), 1u);
    EXPECT_TRUE(IsWindow(top));
}

} // namespace
