// Timers on the virtual clock: exact times, coalescing, killing, timer procedures, and the equivalence of
// the desktop's pump with an application's PeekMessage loop.
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>

namespace {

struct Tick {
    UINT_PTR id;
    DWORD time;
    bool operator==(const Tick&) const = default;
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        hwnd = testwin::Top();
        hook = [this](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT*) {
            if (msg == WM_TIMER) ticks.push_back({wParam, GetTickCount()});
            return false;
        };
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
        start = GetTickCount();
    }
    emu::Desktop d;
    HWND hwnd = nullptr;
    testwin::Hook hook;
    std::vector<Tick> ticks;
    DWORD start = 0;
};

TEST_F(TimerTest, TimersFireAtTheirExactVirtualTimesInOrder) {
    SetTimer(hwnd, 1, 200, nullptr);
    SetTimer(hwnd, 2, 300, nullptr);
    d.Windows().Advance(199);
    EXPECT_TRUE(ticks.empty());
    d.Windows().Advance(401);
    EXPECT_EQ(ticks,
              (std::vector<Tick>{
                  {1, start + 200}, {2, start + 300}, {1, start + 400}, {1, start + 600}, {2, start + 600}}));
    EXPECT_EQ(d.Windows().Now(), start + 600u);
}

TEST_F(TimerTest, ATimerLeftUnreadGivesOneMessageHoweverManyPeriodsPassed) {
    SetTimer(hwnd, 7, 50, nullptr);
    d.Windows().Elapse(230); // four periods pass while the thread is busy
    EXPECT_TRUE(ticks.empty());
    d.Windows().PumpOnce();
    EXPECT_EQ(ticks, (std::vector<Tick>{{7, start + 230}}));
    d.Windows().Advance(20); // the period keeps its phase
    EXPECT_EQ(ticks, (std::vector<Tick>{{7, start + 230}, {7, start + 250}}));
}

TEST_F(TimerTest, WaitingLetsTimePassToTheNextDueTimer) {
    SetTimer(hwnd, 7, 100, nullptr);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(msg.time, start + 100);
    // Waiting only for other messages could last for ever: the wait fails instead.
    EXPECT_EQ(GetMessageA(&msg, nullptr, WM_USER, WM_USER), -1);
}

TEST_F(TimerTest, KillingATimerDropsItsPendingMessageAndResettingRestartsIt) {
    SetTimer(hwnd, 1, 100, nullptr);
    MSG msg;
    ASSERT_TRUE(WaitMessage());
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_TRUE(KillTimer(hwnd, 1));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_FALSE(KillTimer(hwnd, 1));

    DWORD t0 = GetTickCount();
    SetTimer(hwnd, 2, 200, nullptr);
    d.Windows().Advance(150);
    SetTimer(hwnd, 2, 200, nullptr); // restarts the period
    d.Windows().Advance(199);
    EXPECT_TRUE(ticks.empty());
    d.Windows().Advance(1);
    EXPECT_EQ(ticks, (std::vector<Tick>{{2, t0 + 350}}));
}

TEST_F(TimerTest, TimerProceduresRunOnDispatchAndThreadTimersGetTheirOwnIdentifiers) {
    static std::vector<std::pair<HWND, UINT_PTR>> calls;
    calls.clear();
    auto proc = [](HWND h, UINT, UINT_PTR id, DWORD) { calls.push_back({h, id}); };
    SetTimer(hwnd, 5, 30, proc);
    UINT_PTR threadId = SetTimer(nullptr, 0, 40, proc);
    EXPECT_NE(threadId, 0u);
    UINT_PTR other = SetTimer(nullptr, 0, 40, proc);
    EXPECT_NE(other, threadId);
    KillTimer(nullptr, other);
    d.Windows().Advance(40);
    EXPECT_TRUE(ticks.empty()) << "a timer with a procedure does not reach the window procedure";
    EXPECT_EQ(calls, (std::vector<std::pair<HWND, UINT_PTR>>{{hwnd, 5}, {nullptr, threadId}}));
}

TEST_F(TimerTest, AnApplicationPeekLoopSeesTheSameAsTheDesktopPump) {
    SetTimer(hwnd, 1, 100, nullptr);
    PostMessageA(hwnd, WM_USER, 0, 0);
    std::vector<UINT> order;
    testwin::Hook record = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_TIMER || msg == WM_USER || msg == WM_PAINT) order.push_back(msg);
        return false;
    };
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&record));
    ShowWindow(hwnd, SW_SHOW);
    d.Windows().Elapse(100);
    // The DoEvents loop of an application: posted messages first, then paint, then timers.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
    order.clear();
    PostMessageA(hwnd, WM_USER, 0, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
    d.Windows().Advance(100);
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
}

TEST_F(TimerTest, QuitEndsThePumpAfterThePostedMessages) {
    PostMessageA(hwnd, WM_USER, 0, 0);
    PostQuitMessage(3);
    EXPECT_FALSE(d.Windows().PumpOnce());
    EXPECT_EQ(d.Windows().QuitCode(), 3);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1) << "nothing left to wait for";
}

} // namespace
