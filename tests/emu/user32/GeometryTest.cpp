// Positions, sizes and points: SetWindowPos's messages, coordinates through the tree, hit tests, painting.
#include "tests/sequences/EmuSpy.h"
#include "emu/user32/TestWindows.h"

using namespace seq;

namespace {

class GeometryTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        top = testwin::Top("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE); // at (10, 20), 400 x 300
        child = testwin::Child(top, 1);                              // at (5, 6), 100 x 50
        d.Windows().Spy(child);
        names[child] = "child";
        d.Windows().PumpOnce();
        d.Windows().ClearSpied();
    }
    emu::Desktop d;
    HWND top = nullptr, child = nullptr;
    Names names;
};

TEST_F(GeometryTest, MovingAndSizingSendChangingChangedThenMoveAndSize) {
    MoveWindow(child, 7, 8, 120, 60, FALSE);
    Expect(d,
           {{"child", WM_WINDOWPOSCHANGING, Sent},
            {"child", WM_NCCALCSIZE, Sent | WParam, TRUE},
            {"child", WM_WINDOWPOSCHANGED, Sent},
            {"child", WM_MOVE, Sent | LParam, 0, MAKELPARAM(7, 8)},
            {"child", WM_SIZE, Sent | WParam | LParam, SIZE_RESTORED, MAKELPARAM(120, 60)}},
           names);
    // Only moving: no WM_SIZE, and no WM_NCCALCSIZE.
    SetWindowPos(child, nullptr, 1, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Expect(d,
           {{"child", WM_WINDOWPOSCHANGING, Sent},
            {"child", WM_WINDOWPOSCHANGED, Sent},
            {"child", WM_MOVE, Sent | LParam, 0, MAKELPARAM(1, 2)}},
           names);
    // Nothing changes: WM_WINDOWPOSCHANGING only.
    SetWindowPos(child, nullptr, 1, 2, 120, 60, SWP_NOZORDER);
    Expect(d, {{"child", WM_WINDOWPOSCHANGING, Sent}}, names);
}

TEST_F(GeometryTest, TheWindowMayChangeThePositionItIsGiven) {
    testwin::Hook hook = [](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT*) {
        if (msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(lParam)->cy = 21; // a fixed height
        return false;
    };
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    MoveWindow(child, 0, 0, 200, 200, TRUE);
    RECT rc;
    GetClientRect(child, &rc);
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(rc.bottom, 21);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
}

TEST_F(GeometryTest, CoordinatesMapThroughTheTree) {
    HWND grand = testwin::Child(child, 2); // at (5, 6) in the child
    RECT r;
    GetWindowRect(grand, &r);
    EXPECT_EQ(r.left, 10 + 5 + 5);
    EXPECT_EQ(r.top, 20 + 6 + 6);
    POINT p{1, 1};
    ClientToScreen(grand, &p);
    EXPECT_EQ(p.x, 21);
    ScreenToClient(top, &p);
    EXPECT_EQ(p.x, 11);
    POINT pts[2] = {{0, 0}, {3, 4}};
    MapWindowPoints(grand, top, pts, 2);
    EXPECT_EQ(pts[1].x, 13);
    EXPECT_EQ(pts[1].y, 16);
    EXPECT_EQ(WindowFromPoint(POINT{21, 33}), grand);
    EXPECT_EQ(WindowFromPoint(POINT{16, 27}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{6, 7}), child);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{300, 200}), top);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{500, 5}), nullptr);
    ShowWindow(child, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(POINT{21, 33}), top) << "hidden windows are not hit";
    EXPECT_FALSE(IsWindowVisible(grand)) << "a window is visible only when its ancestors are";
}

TEST_F(GeometryTest, ZOrderFollowsInsertAfter) {
    HWND b = testwin::Child(top, 2);
    HWND c = testwin::Child(top, 3);
    EXPECT_EQ(GetWindow(top, GW_CHILD), child) << "children are added below their siblings";
    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(child, b, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    std::vector<HWND> order;
    for (HWND h = GetWindow(top, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        order.push_back(h);
    EXPECT_EQ(order, (std::vector<HWND>{c, b, child}));
    EXPECT_EQ(GetWindow(child, GW_HWNDFIRST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDLAST), child);
}

TEST_F(GeometryTest, PaintComesFromTheQueueUntilTheWindowIsValidated) {
    int paints = 0;
    testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT*) {
        paints += msg == WM_PAINT;
        return false;
    };
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&hook));
    InvalidateRect(child, nullptr, TRUE);
    InvalidateRect(child, nullptr, FALSE);
    d.Windows().PumpOnce();
    EXPECT_EQ(paints, 1);
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    EXPECT_EQ(paints, 2);
    UpdateWindow(child);
    EXPECT_EQ(paints, 2) << "a valid window is not painted";
    EXPECT_EQ(d.Windows().LiveGdiObjectCount(), 0u) << "BeginPaint's DC was given back";
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
}

// InvalidateRect takes client coordinates and clips them to the client area (100 x 50 here): what lies
// outside adds nothing, and two rectangles make one update rectangle that bounds both.
TEST_F(GeometryTest, InvalidatedRectanglesAreClippedToTheClientArea) {
    const struct {
        const char* what;
        std::vector<RECT> rects; // {0, 0, 0, 0} stands for NULL, the whole client area
        bool invalid;
        RECT update;
    } cases[] = {
        {"null", {{0, 0, 0, 0}}, true, {0, 0, 100, 50}},
        {"inside", {{10, 10, 20, 20}}, true, {10, 10, 20, 20}},
        {"over the right and bottom edges", {{90, 40, 200, 200}}, true, {90, 40, 100, 50}},
        {"over the top-left corner", {{-10, -10, 5, 5}}, true, {0, 0, 5, 5}},
        {"beside the client area", {{100, 0, 150, 50}}, false, {0, 0, 0, 0}},
        {"in screen coordinates", {{15, 57, 115, 107}}, false, {0, 0, 0, 0}},
        {"two", {{0, 0, 10, 10}, {50, 20, 60, 30}}, true, {0, 0, 60, 30}},
    };
    for (const auto& c : cases) {
        ValidateRect(child, nullptr);
        for (const RECT& r : c.rects)
            InvalidateRect(child, r.right ? &r : nullptr, FALSE);
        RECT update{-1, -1, -1, -1};
        EXPECT_EQ(GetUpdateRect(child, &update, FALSE) != FALSE, c.invalid) << c.what;
        EXPECT_TRUE(EqualRect(&update, &c.update)) << c.what << ": " << update.left << "," << update.top
                                                   << "," << update.right << "," << update.bottom;
    }
    ValidateRect(child, nullptr);
}

} // namespace
