#include "support/mmEvents.h"
#include "platform/emu/Desktop.h"
#include "platform/win32.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

thread_local std::vector<UINT>* t_seen = nullptr;

LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_USER && t_seen) t_seen->push_back(msg);
    // A message handled here may post another one: it runs in the same call.
    if (msg == WM_USER + 1) PostMessageA(hwnd, WM_USER + 9, 0, 0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class mmEventsTest : public ::testing::Test {
protected:
    emu::Desktop desktop;
    std::vector<UINT> seen;
    HWND hwnd = nullptr;

    void SetUp() override {
        t_seen = &seen;
        WNDCLASSA wc{};
        wc.lpfnWndProc = Recorder;
        wc.lpszClassName = "EventsTest";
        RegisterClassA(&wc);
        hwnd = CreateWindowExA(0, "EventsTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        DestroyWindow(hwnd);
        t_seen = nullptr;
    }
};

TEST_F(mmEventsTest, DispatchesEveryWaitingMessage) {
    PostMessageA(hwnd, WM_USER + 1, 0, 0);
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    vireo::DoEvents();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 9}));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    vireo::DoEvents(); // an empty queue returns at once
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(mmEventsTest, LeavesAQuitRequestForTheMessageLoop) {
    PostMessageA(hwnd, WM_USER + 2, 0, 0);
    PostQuitMessage(7);
    vireo::DoEvents();
    EXPECT_EQ(seen, std::vector<UINT>{WM_USER + 2});
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

} // namespace
