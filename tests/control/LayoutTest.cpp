// The control's bands and the splitter: where each child goes for a size, a split and the tree's
// visibility, and what a drag stores.
#include "control/ControlFixture.h"
#include <cmath>

namespace {

struct Box {
    int left, top, width, height;
};

class LayoutTest : public ControlFixture {
protected:
    HWND Child(int id) const { return GetDlgItem(control->Window(), id); }
    Box BoxOf(HWND hwnd) const {
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(HWND_DESKTOP, control->Window(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    // A child's own visibility (the test's form itself is not shown).
    static bool Shown(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    void Resize(int w, int h) { MoveWindow(control->Window(), 0, 0, w, h, TRUE); }
    HWND ToolBar1() const { return Child(101); }
    HWND AddressBox() const { return Child(102); }
    HWND GrabBar() const { return Child(103); }
    HWND DragLine() const { return Child(104); }
    HWND ToolBar2() const { return Child(105); }
    HWND StatusBar() const { return Child(106); }
    HWND Progress() const { return Child(107); }
    HWND Web() const { return container.web->Window(); }
    // The row height: the taller of the first toolbar and the address box, plus one.
    int Row() const { return std::max(BoxOf(ToolBar1()).height, BoxOf(AddressBox()).height) + 1; }
    // A drag of the grab bar by the left button from its top to dy below it.
    void Drag(int dy, UINT down = WM_LBUTTONDOWN, WPARAM held = MK_LBUTTON) {
        SendMessageA(GrabBar(), down, held, 0);
        SendMessageA(GrabBar(), WM_MOUSEMOVE, held, MAKELPARAM(0, static_cast<WORD>(static_cast<short>(dy))));
        SendMessageA(GrabBar(), down + 1, 0, MAKELPARAM(0, static_cast<WORD>(static_cast<short>(dy))));
    }
};

TEST_F(LayoutTest, TheBandsShareTheHeightAtTheSplit) {
    struct Case {
        int w, h;
    } cases[] = {{640, 480}, {300, 201}, {1024, 768}};
    for (const Case& c : cases) {
        Resize(c.w, c.h);
        const int R = Row();
        const int W = c.w - 1;
        const Box bar = BoxOf(GrabBar()), web = BoxOf(Web());
        // At 50 % the bar's centre is in the middle of the height between the rows.
        EXPECT_NEAR(bar.top + 1.5, R + (c.h - 2 * R) / 2.0, 1.0) << c.w << "x" << c.h;
        EXPECT_EQ(bar.height, 3);
        EXPECT_EQ(web.top, R);
        EXPECT_EQ(web.top + web.height, bar.top) << "the web view ends where the bar starts";
        EXPECT_EQ(web.width, W);
        const auto& t = container.tree->moved;
        EXPECT_NEAR(t[1], static_cast<float>(bar.top) + 3, 0.5f)
            << "the tree starts 3 pixels below the bar's top";
        EXPECT_FLOAT_EQ(t[2], static_cast<float>(W));
        // The bottom row mirrors the top one; the progress bar covers the right quarter.
        const Box status = BoxOf(StatusBar()), address = BoxOf(AddressBox()), progress = BoxOf(Progress());
        EXPECT_EQ(address.left, R + 2);
        EXPECT_EQ(address.width, W - R - 2);
        EXPECT_EQ(status.left, address.left);
        EXPECT_EQ(status.width, address.width);
        EXPECT_EQ(status.height, BoxOf(ToolBar2()).height);
        EXPECT_EQ(progress.left, std::lround(W * 3 / 4.0));
        EXPECT_EQ(progress.width, std::lround(W / 4.0 - 2));
        EXPECT_EQ(progress.top, status.top + 3);
        EXPECT_EQ(progress.height, status.height - 4);
    }
}

TEST_F(LayoutTest, AHiddenTreeGivesTheWebViewEverythingAndKeepsItsOwnPlace) {
    Resize(640, 480);
    const auto before = container.tree->moved;
    const int moves = container.tree->moves;
    container.tree->visible = false;
    Resize(800, 600);
    const int R = Row();
    EXPECT_FALSE(Shown(GrabBar()));
    EXPECT_EQ(BoxOf(Web()).height, 600 - 2 * R);
    EXPECT_EQ(container.tree->moves, moves) << "a hidden tree is not moved";
    EXPECT_EQ(container.tree->moved, before);
}

TEST_F(LayoutTest, ATooSmallControlKeepsThePlacesItCannotGive) {
    Resize(640, 480);
    const Box web = BoxOf(Web());
    Resize(640, 20); // less than the two rows: the web view's height would be negative
    EXPECT_EQ(BoxOf(Web()).height, web.height);
    EXPECT_EQ(BoxOf(Web()).top, web.top);
}

TEST_F(LayoutTest, ADragStoresTheShareWithinItsLimits) {
    Resize(640, 480);
    const int B = BoxOf(ToolBar1()).height;
    const int H = 480;
    struct Case {
        const char* what;
        int target; // where the drag line's centre is released, from the control's top
        float expected;
    } cases[] = {
        {"a quarter down", B + (H - 2 * B) / 4, 25.0f},
        {"above the top row", 2, 10.0f},
        {"inside the bottom row", H - 5, 90.0f},
    };
    for (const Case& c : cases) {
        const Box bar = BoxOf(GrabBar());
        // The drag line keeps the bar's height, 3: its centre is its top + 1.5.
        Drag(c.target - bar.top);
        EXPECT_FALSE(Shown(DragLine())) << c.what;
        const float centre = static_cast<float>(c.target) + 1.5f;
        const float want = std::clamp(100 * (centre - B) / (H - 2 * B), 10.0f, 90.0f);
        EXPECT_FLOAT_EQ(control->SplitPercent(), want) << c.what;
        EXPECT_NEAR(control->SplitPercent(), c.expected, 1.0f) << c.what;
    }
}

TEST_F(LayoutTest, ARightButtonDragDoesNotMoveTheLine) {
    Resize(640, 480);
    const Box bar = BoxOf(GrabBar());
    SendMessageA(GrabBar(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
    EXPECT_TRUE(Shown(DragLine()));
    EXPECT_EQ(BoxOf(DragLine()).top, std::lround(bar.top - 1.5)) << "half the bar's height above its top";
    SendMessageA(GrabBar(), WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(0, 100));
    SendMessageA(GrabBar(), WM_RBUTTONUP, 0, MAKELPARAM(0, 100));
    // The centre is where the line was put down: at the bar's top, so the share barely changes.
    const int B = BoxOf(ToolBar1()).height;
    const Box line = BoxOf(DragLine());
    EXPECT_FLOAT_EQ(control->SplitPercent(), 100 * (line.top + line.height / 2.0f - B) / (480 - 2 * B));
    EXPECT_NEAR(control->SplitPercent(), 50.0f, 1.0f);
}

} // namespace
