// Shared setup for the control tests: a parent window whose WM_COMMAND and WM_NOTIFY traffic is recorded.
#pragma once
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/core/Journal.h"
#include <algorithm>
#include "platform/emu/user32/WindowManager.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ctl {

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_USEREX_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        parent = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        d.Windows().Spy(parent);
    }
    void TearDown() override {
        DestroyWindow(parent);
        EXPECT_EQ(d.Windows().LiveWindowCount(), 0u);
    }
    HWND Create(const char* cls, DWORD style, int id = 100, int w = 200, int h = 150, const char* text = "") {
        return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
    // The WM_COMMAND notification codes the parent received from a control since the last call.
    std::vector<int> Commands(HWND from) {
        std::vector<int> codes;
        for (const auto& m : d.Windows().TakeSpied())
            if (m.hwnd == parent && m.message == WM_COMMAND && m.lParam == reinterpret_cast<LPARAM>(from))
                codes.push_back(HIWORD(m.wParam));
        return codes;
    }
    static std::string Text(HWND h) {
        char buf[256] = {};
        GetWindowTextA(h, buf, sizeof buf);
        return buf;
    }
    emu::Desktop d;
    HWND parent = nullptr;
};

} // namespace ctl
