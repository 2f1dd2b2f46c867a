#include "support/mmFormStyle.h"
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include <gtest/gtest.h>

namespace {

using vireo::CenteredEdge;

struct EdgeCase {
    double start, area, form;
    double want;
};

TEST(mmFormStyleTest, TheHalvingRoundsTheDifferenceThenDropsTheFraction) {
    const EdgeCase cases[] = {
        {0, 15360, 6000, 4680},      // even difference: the exact centre
        {0, 15360, 6001, 4679},      // odd: half a twip left of the centre (4679.5)
        {0, 15360, 20000, -2320},    // wider than the screen: a negative edge
        {0, 100, 103, -1},           // a negative odd difference is cut toward zero
        {0, 100, 97.5, 1},           // 2.5 rounds to the even 2
        {0, 100, 96.5, 2},           // 3.5 rounds to the even 4
        {0, 100.4, 98, 1},           // 2.4 rounds to 2
        {0, 100.6, 98, 1},           // 2.6 rounds to 3, halved to 1
        {1500, 9000, 3000, 4500},    // over an owner: from its edge
        {1500.5, 9001, 3000, 4500.5} // the owner's edge keeps its fraction
    };
    for (const EdgeCase& c : cases)
        EXPECT_EQ(CenteredEdge(c.start, c.area, c.form), c.want) << c.start << " " << c.area << " " << c.form;
}

class CenterFormTest : public testing::Test {
protected:
    void SetUp() override { testwin::Register(); }
    HWND Window(int x, int y, int w, int h) {
        return CreateWindowExA(0, "TestWindow", "", WS_POPUP, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    }
    static RECT Rect(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }
    emu::Desktop desk;
};

TEST_F(CenterFormTest, OnTheScreenAndOverTheOwnerOnlyThePositionChanges) {
    ASSERT_EQ(vireo::TwipsPerPixelX(), 15);
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    struct Case {
        int w, h;
        bool owned;
        LONG left, top;
    };
    const Case cases[] = {
        {300, 200, false, 362, 284},
        {301, 201, false, 361, 283}, // 5422 and 4252 twips: a fraction of a pixel left and up
        {1100, 100, false, -38, 334},
        {200, 100, true, 300, 200}, // the owner is at (100, 50), 600 x 400
    };
    HWND owner = Window(100, 50, 600, 400);
    for (const Case& c : cases) {
        HWND form = Window(7, 9, c.w, c.h);
        vireo::CenterForm(form, c.owned ? owner : nullptr);
        RECT r = Rect(form);
        EXPECT_EQ(r.left, c.left) << c.w;
        EXPECT_EQ(r.top, c.top) << c.w;
        EXPECT_EQ(r.right - r.left, c.w);
        EXPECT_EQ(r.bottom - r.top, c.h);
        DestroyWindow(form);
    }
    DestroyWindow(owner);
}

} // namespace
