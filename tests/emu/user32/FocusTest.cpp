// Focus changes and the order of WM_KILLFOCUS / WM_SETFOCUS.
#include "tests/sequences/EmuSpy.h"
#include "emu/user32/TestWindows.h"

using namespace seq;

namespace {

class FocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        top = testwin::Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        a = testwin::Child(top, 1);
        b = testwin::Child(top, 2);
        SetFocus(a);
        for (HWND h : {top, a, b})
            d.Windows().Spy(h);
        names = {{top, "top"}, {a, "a"}, {b, "b"}};
        d.Windows().ClearSpied();
    }
    emu::Desktop d;
    HWND top = nullptr, a = nullptr, b = nullptr;
    Names names;
};

TEST_F(FocusTest, TheOldWindowHearsFirstAndEachLearnsTheOther) {
    HWND focusDuringKill = nullptr;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_KILLFOCUS) focusDuringKill = GetFocus();
        return false;
    };
    SetWindowLongPtrA(a, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    EXPECT_EQ(SetFocus(b), a);
    Expect(d,
           {{"a", WM_KILLFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(b)},
            {"b", WM_SETFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(a)}},
           names);
    EXPECT_EQ(focusDuringKill, b) << "the focus has already moved when WM_KILLFOCUS arrives";
    EXPECT_EQ(SetFocus(b), b);
    Expect(d, {}, names);
    SetWindowLongPtrA(a, GWLP_USERDATA, 0);
}

TEST_F(FocusTest, AKillFocusHandlerThatMovesTheFocusCancelsTheSetFocus) {
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_KILLFOCUS) SetFocus(top);
        return false;
    };
    SetWindowLongPtrA(a, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    SetFocus(b);
    EXPECT_EQ(GetFocus(), top);
    Expect(d,
           {{"a", WM_KILLFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(b)},
            {"b", WM_KILLFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(top)},
            {"top", WM_SETFOCUS, Sent | WParam, reinterpret_cast<WPARAM>(b)}},
           names);
    SetWindowLongPtrA(a, GWLP_USERDATA, 0);
}

TEST_F(FocusTest, DisabledWindowsRefuseTheFocusAndLoseIt) {
    EnableWindow(b, FALSE);
    d.Windows().ClearSpied();
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_FALSE(EnableWindow(a, FALSE));
    EXPECT_EQ(GetFocus(), nullptr);
    Expect(d,
           {{"a", WM_CANCELMODE, Sent},
            {"a", WM_KILLFOCUS, Sent | WParam, 0},
            {"a", WM_ENABLE, Sent | WParam, FALSE}},
           names);
    EXPECT_TRUE(EnableWindow(a, TRUE)) << "it was disabled";
    EXPECT_TRUE(IsWindowEnabled(a));
}

TEST_F(FocusTest, HidingOrDestroyingTheFocusWindowHandsTheFocusToItsParent) {
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetFocus(), top);
    SetFocus(b);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), top);
    HWND other = testwin::Top("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetActiveWindow(), other);
    EXPECT_EQ(GetFocus(), other) << "showing a top-level window activates it, which gives it the focus";
}

TEST_F(FocusTest, CaptureChangesAreAnnouncedToTheWindowLosingIt) {
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    Expect(d,
           {{"a", WM_CAPTURECHANGED, Sent | LParam, 0, reinterpret_cast<LPARAM>(b)},
            {"b", WM_CAPTURECHANGED, Sent | LParam, 0, 0}},
           names);
}

} // namespace
