// RefreshWindow repaints a window's whole client area, wherever the window stands on the screen: the
// rectangle it invalidates is in the window's own client coordinates.
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "shellview/mWndProc.h"
#include <gtest/gtest.h>
#include <optional>

namespace {

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(RefreshWindowTest, TheWholeClientAreaIsPaintedWhereverTheWindowStands) {
    emu::Desktop desk;
    testwin::Register();
    HWND top = testwin::Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    std::optional<RECT> painted;
    testwin::Hook hook = [&](HWND hwnd, UINT msg, WPARAM, LPARAM, LRESULT* result) {
        if (msg != WM_PAINT) return false;
        PAINTSTRUCT ps{};
        BeginPaint(hwnd, &ps);
        painted = ps.rcPaint;
        EndPaint(hwnd, &ps);
        *result = 0;
        return true;
    };
    // At the parent's corner its screen rectangle overlaps its client area in part; further in, not at all.
    const POINT places[] = {{0, 0}, {30, 10}, {200, 150}};
    for (const POINT& at : places) {
        SCOPED_TRACE(std::to_string(at.x) + "," + std::to_string(at.y));
        HWND child = CreateWindowExA(0, "TestWindow", "", WS_CHILD | WS_VISIBLE, at.x, at.y, 120, 80, top,
                                     nullptr, nullptr, nullptr);
        SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
        UpdateWindow(child);
        painted.reset();
        vireo::RefreshWindow(child);
        ASSERT_TRUE(painted.has_value()) << "the window was not painted";
        EXPECT_EQ(Text(*painted), "0,0,120,80");
        SetWindowLongPtrA(child, GWLP_USERDATA, 0);
        DestroyWindow(child);
    }
    DestroyWindow(top);
}

} // namespace
