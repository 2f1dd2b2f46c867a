// Window data: styles through GetWindowLong/SetWindowLong with their notifications, subclassing chains,
// extra bytes, and text through the narrow and wide messages.
#include "tests/sequences/EmuSpy.h"
#include "emu/user32/TestWindows.h"

using namespace seq;

namespace {

class WindowDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        top = testwin::Top();
        child = testwin::Child(top, 9, WS_CHILD);
        d.Windows().Spy(child);
        names[child] = "child";
    }
    emu::Desktop d;
    HWND top = nullptr, child = nullptr;
    Names names;
};

TEST_F(WindowDataTest, StyleChangesAreAnnouncedAndTheWindowMayAlterTheNewStyle) {
    testwin::Hook hook = [](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT*) {
        if (msg == WM_STYLECHANGING && wParam == static_cast<WPARAM>(GWL_STYLE))
            reinterpret_cast<STYLESTRUCT*>(lParam)->styleNew |=
                WS_TABSTOP; // the window insists on a tab stop
        return false;
    };
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    d.Windows().ClearSpied();
    LONG old = SetWindowLongA(child, GWL_STYLE, WS_CHILD | WS_BORDER);
    EXPECT_EQ(old, static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(GetWindowLongA(child, GWL_STYLE), static_cast<LONG>(WS_CHILD | WS_BORDER | WS_TABSTOP));
    Expect(d,
           {{"child", WM_STYLECHANGING, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)},
            {"child", WM_STYLECHANGED, Sent | WParam, static_cast<WPARAM>(GWL_STYLE)}},
           names);
    // Unchanged values are announced too, and the extended style has its own pair.
    SetWindowLongA(child, GWL_EXSTYLE, GetWindowLongA(child, GWL_EXSTYLE));
    Expect(d,
           {{"child", WM_STYLECHANGING, Sent | WParam, static_cast<WPARAM>(GWL_EXSTYLE)},
            {"child", WM_STYLECHANGED, Sent | WParam, static_cast<WPARAM>(GWL_EXSTYLE)}},
           names);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
}

// Two procedures chained in front of the class procedure, each keeping the previous one in a property.
struct Chain {
    static inline std::vector<std::string> calls;
    static LRESULT CALLBACK First(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_USER) calls.push_back("first");
        return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(h, "Prev1")), h, m, w, l);
    }
    static LRESULT CALLBACK Second(HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_USER) {
            calls.push_back("second");
            if (w == 1) return 42; // consumed here
        }
        return CallWindowProcA(reinterpret_cast<WNDPROC>(GetPropA(h, "Prev2")), h, m, w, l);
    }
};

TEST_F(WindowDataTest, SubclassingChainsProceduresAndUndoingRestoresTheClassProcedure) {
    Chain::calls.clear();
    auto prev1 = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Chain::First));
    EXPECT_EQ(prev1, reinterpret_cast<LONG_PTR>(testwin::Proc));
    SetPropA(child, "Prev1", reinterpret_cast<HANDLE>(prev1));
    auto prev2 = SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Chain::Second));
    EXPECT_EQ(prev2, reinterpret_cast<LONG_PTR>(Chain::First));
    SetPropA(child, "PREV2", reinterpret_cast<HANDLE>(prev2)); // property names ignore case

    EXPECT_EQ(SendMessageA(child, WM_USER, 1, 0), 42);
    EXPECT_EQ(Chain::calls, (std::vector<std::string>{"second"}));
    Chain::calls.clear();
    SendMessageA(child, WM_USER, 0, 0);
    EXPECT_EQ(Chain::calls, (std::vector<std::string>{"second", "first"}));
    EXPECT_TRUE(SetWindowTextA(child, "through the chain"));
    char buf[32];
    EXPECT_EQ(GetWindowTextA(child, buf, sizeof buf), 17);
    EXPECT_STREQ(buf, "through the chain");

    SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RemovePropA(child, "Prev2")));
    SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RemovePropA(child, "Prev1")));
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(testwin::Proc));
    EXPECT_EQ(GetPropA(child, "Prev1"), nullptr);
}

TEST_F(WindowDataTest, IndexesReadAndWriteTheirValues) {
    struct Case {
        int index;
        LONG_PTR value;
    } cases[] = {{GWLP_ID, 77}, {GWLP_USERDATA, 0x5151}, {0, -3}, {static_cast<int>(sizeof(LONG_PTR)), 99}};
    for (const Case& c : cases) {
        LONG_PTR before = GetWindowLongPtrA(child, c.index);
        EXPECT_EQ(SetWindowLongPtrA(child, c.index, c.value), before) << c.index;
        EXPECT_EQ(GetWindowLongPtrA(child, c.index), c.value) << c.index;
    }
    SetWindowLongPtrA(child, GWLP_USERDATA, 0); // the test procedure reads its hook there
    EXPECT_EQ(GetDlgCtrlID(child), 77);
    EXPECT_EQ(GetDlgItem(top, 77), child);
    // Past the extra bytes: nothing, and ERROR_INVALID_INDEX.
    EXPECT_EQ(GetWindowLongPtrA(child, static_cast<int>(2 * sizeof(LONG_PTR))), 0);
    // A procedure does not fit the 32-bit read on a 64-bit desktop.
    if (sizeof(LONG_PTR) == 8) {
        EXPECT_EQ(GetWindowLongA(child, -4), 0);
    }
}

TEST_F(WindowDataTest, WideTextMessagesConvertThroughTheAnsiCodePage) {
    const char16_t wide[] = u"Caf\u00e9 \u20ac5 \u0160";
    EXPECT_TRUE(SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide)));
    char narrow[32];
    GetWindowTextA(child, narrow, sizeof narrow);
    EXPECT_EQ(std::string(narrow), "Caf\xe9 \x80"
                                   "5 \x8a");
    WCHAR back[32] = {};
    EXPECT_EQ(SendMessageW(child, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(back)), 9);
    EXPECT_EQ(std::u16string(back), std::u16string(wide));
    WCHAR small[4];
    EXPECT_EQ(SendMessageW(child, WM_GETTEXT, 4, reinterpret_cast<LPARAM>(small)), 3);
    EXPECT_EQ(std::u16string(small), u"Caf");
    // A character outside the code page becomes the default character.
    SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"\u4e2d!"));
    GetWindowTextA(child, narrow, sizeof narrow);
    EXPECT_STREQ(narrow, "?!");
}

TEST_F(WindowDataTest, FindWindowSearchesChildrenInOrderByClassAndTitle) {
    HWND a = testwin::Child(top, 1, WS_CHILD, 0, "Shell DocObject View");
    HWND b = testwin::Child(top, 2, WS_CHILD, 0, "other");
    EXPECT_EQ(FindWindowExA(top, nullptr, "TestWindow", nullptr), child);
    EXPECT_EQ(FindWindowExA(top, child, "TestWindow", nullptr), a);
    EXPECT_EQ(FindWindowExA(top, nullptr, nullptr, "OTHER"), b);
    EXPECT_EQ(FindWindowExA(top, b, "TestWindow", nullptr), nullptr);
    EXPECT_EQ(FindWindowExA(top, nullptr, "Edit", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("TestWindow", "top"), top);

    HWND grand = testwin::Child(a, 3, WS_CHILD);
    std::vector<HWND> seen;
    EnumChildWindows(
        top, [](HWND h, LPARAM l) { return reinterpret_cast<std::vector<HWND>*>(l)->push_back(h), TRUE; },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{child, a, grand, b}));
    EXPECT_EQ(d.Windows().FindByClass("testwindow"), (std::vector<HWND>{top, child, a, grand, b}));
    EXPECT_EQ(GetWindow(a, GW_HWNDPREV), child);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    char cls[32];
    EXPECT_EQ(GetClassNameA(grand, cls, 5), 4);
    EXPECT_STREQ(cls, "Test");
}

} // namespace
