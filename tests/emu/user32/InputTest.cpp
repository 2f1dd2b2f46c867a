// The user's input as the desktop plays it: keys through the queue and TranslateMessage, the key state,
// clicks with the capture, the context menu from a right click, and activation.
#include "tests/sequences/EmuSpy.h"
#include "emu/user32/TestWindows.h"

using namespace seq;

namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = testwin::Proc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = "DoubleClicks";
        RegisterClassExA(&wc);
        top = testwin::Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        child = testwin::Child(top, 1);
        d.Windows().Spy(top);
        d.Windows().Spy(child);
        names = {{top, "top"}, {child, "child"}};
        d.Windows().PumpOnce();
        d.Windows().ClearSpied();
    }
    // The messages of a kind the windows received, without the painting and cursor traffic.
    std::vector<std::pair<std::string, UINT>> Received(std::initializer_list<UINT> kinds) {
        std::vector<std::pair<std::string, UINT>> out;
        for (const auto& m : d.Windows().TakeSpied())
            for (UINT k : kinds)
                if (m.message == k) out.push_back({names[m.hwnd], m.message});
        return out;
    }
    emu::Desktop d;
    HWND top = nullptr, child = nullptr;
    Names names;
};

TEST_F(InputTest, KeysBecomeCharactersWithTheShiftState) {
    std::string typed;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
        if (msg == WM_CHAR) typed += static_cast<char>(wParam);
        if (msg == WM_KEYDOWN && wParam == 'B') {
            EXPECT_LT(GetKeyState('B'), 0) << "down while its message runs";
        }
        return false;
    };
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    SetFocus(child);
    d.Windows().PressKey(nullptr, 'A');
    d.Windows().SetKeyState(VK_SHIFT, true);
    d.Windows().PressKey(nullptr, 'B');
    d.Windows().PressKey(nullptr, '1');
    d.Windows().SetKeyState(VK_SHIFT, false);
    d.Windows().PressKey(nullptr, VK_RETURN);
    d.Windows().PressKey(nullptr, VK_F5); // no character
    EXPECT_EQ(typed, "aB!\r");
    EXPECT_GE(GetKeyState('B'), 0);
    EXPECT_EQ(GetKeyState('B') & 1, 1) << "toggled once";
    d.Windows().SetKeyState(VK_LCONTROL, true);
    EXPECT_LT(GetKeyState(VK_CONTROL), 0) << "a left or right key drives the generic one";
    EXPECT_NE(GetAsyncKeyState(VK_CONTROL), 0);
    d.Windows().SetKeyState(VK_LCONTROL, false);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    // The key messages themselves: down, its character, up.
    d.Windows().TakeSpied();
    d.Windows().PressKey(child, 'C');
    Expect(d,
           {{"child", WM_KEYDOWN, Posted | WParam, 'C'},
            {"child", WM_CHAR, Posted | WParam, 'c'},
            {"child", WM_KEYUP, Posted | WParam, 'C'}},
           names);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
}

TEST_F(InputTest, AButtonHeldWithTheCaptureReleasesToTheCaptureWindow) {
    std::vector<int> upX;
    testwin::Hook capture = [&](HWND h, UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
        if (msg == WM_LBUTTONDOWN) SetCapture(h);
        if (msg == WM_LBUTTONUP) {
            upX.push_back(GET_X_LPARAM(lParam));
            ReleaseCapture();
        }
        return false;
    };
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&capture));
    d.Windows().Click(child, POINT{8, 10});
    EXPECT_EQ(GetCapture(), nullptr);
    // The press lands on the parent, but goes to the child holding the capture, in its coordinates.
    SetCapture(child);
    d.Windows().TakeSpied();
    d.Windows().Click(top, POINT{3, 3});
    EXPECT_EQ(
        Received({WM_LBUTTONDOWN, WM_LBUTTONUP}),
        (std::vector<std::pair<std::string, UINT>>{{"child", WM_LBUTTONDOWN}, {"child", WM_LBUTTONUP}}));
    EXPECT_EQ(upX, (std::vector<int>{8, 3 - 5}));
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 10 + 3);
    EXPECT_EQ(p.y, 20 + 3);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
}

TEST_F(InputTest, ARightClickAsksForAContextMenuWhichGoesUpToTheParent) {
    d.Windows().RightClick(child, POINT{4, 4});
    std::vector<emu::SpiedMessage> got = d.Windows().TakeSpied();
    std::vector<std::pair<HWND, LPARAM>> menus;
    for (const auto& m : got)
        if (m.message == WM_CONTEXTMENU) {
            EXPECT_EQ(m.wParam, reinterpret_cast<WPARAM>(child)) << "the window clicked";
            menus.push_back({m.hwnd, m.lParam});
        }
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].first, child);
    EXPECT_EQ(menus[1].first, top);
    EXPECT_EQ(menus[0].second, MAKELPARAM(10 + 5 + 4, 20 + 6 + 4)) << "in screen coordinates";
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyle) {
    HWND dbl = CreateWindowExA(0, "DoubleClicks", "", WS_CHILD | WS_VISIBLE, 0, 100, 50, 50, top, nullptr,
                               nullptr, nullptr);
    d.Windows().Spy(dbl);
    names[dbl] = "dbl";
    d.Windows().TakeSpied();
    d.Windows().DoubleClick(dbl, POINT{1, 1});
    d.Windows().DoubleClick(child, POINT{1, 1});
    EXPECT_EQ(Received({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}),
              (std::vector<std::pair<std::string, UINT>>{{"dbl", WM_LBUTTONDOWN},
                                                         {"dbl", WM_LBUTTONDBLCLK},
                                                         {"child", WM_LBUTTONDOWN},
                                                         {"child", WM_LBUTTONDOWN}}));
}

TEST_F(InputTest, ActivationTellsTheOldWindowFirst) {
    HWND other = testwin::Top("other", WS_OVERLAPPEDWINDOW);
    d.Windows().Spy(other);
    names[other] = "other";
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(SetActiveWindow(other), top);
    Expect(d,
           {{"top", WM_NCACTIVATE, Sent | WParam, FALSE},
            {"top", WM_ACTIVATE, Sent | WParam | LParam, WA_INACTIVE, reinterpret_cast<LPARAM>(other)},
            {"other", WM_NCACTIVATE, Sent | WParam, TRUE},
            {"other", WM_ACTIVATE, Sent | WParam | LParam, WA_ACTIVE, reinterpret_cast<LPARAM>(top)},
            {"top", WM_KILLFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(other)},
            {"other", WM_SETFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(top)}},
           names);
    // Setting the focus to a child of an inactive window activates that window first.
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), child);
}

TEST(RegisteredMessageTest, NamesGiveOneNumberWithoutRegardToCase) {
    emu::Desktop d;
    UINT a = RegisterWindowMessageA("VireoBrowser.Notify");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("vireobrowser.notify"), a);
    EXPECT_NE(RegisterWindowMessageA("Other"), a);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

} // namespace
