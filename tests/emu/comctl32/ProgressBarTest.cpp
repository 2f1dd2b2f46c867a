// The progress bar: its range, position and step.
#include "emu/comctl32/Controls.h"

namespace {

class ProgressBarTest : public ctl::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        bar = Create(PROGRESS_CLASSA, 0);
        ASSERT_TRUE(bar);
    }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(bar, msg, w, l); }
    HWND bar = nullptr;
};

TEST_F(ProgressBarTest, PositionsAreKeptInsideTheRangeAndEachSetAnswersThePrevious) {
    struct Step {
        UINT msg;
        WPARAM w;
        LPARAM l;
        LRESULT result;
        int pos;
    } steps[] = {
        {PBM_SETPOS, 30, 0, 0, 30},
        {PBM_SETPOS, 150, 0, 30, 100}, // above the range: its maximum
        {PBM_DELTAPOS, static_cast<WPARAM>(-40), 0, 100, 60},
        {PBM_SETRANGE32, 0, 50, MAKELRESULT(0, 100), 50}, // a smaller range pulls the position in
        {PBM_SETSTEP, 20, 0, 10, 50},
        {PBM_SETPOS, 10, 0, 50, 10},
        {PBM_STEPIT, 0, 0, 10, 30},
        {PBM_STEPIT, 0, 0, 30, 50},
        {PBM_STEPIT, 0, 0, 50, 0}, // past the end it starts over
        {PBM_SETRANGE, 0, MAKELPARAM(10, 20), MAKELRESULT(0, 50), 10},
        {PBM_SETPOS, static_cast<WPARAM>(-5), 0, 10, 10},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(Send(s.msg, s.w, s.l), s.result) << std::hex << s.msg;
        EXPECT_EQ(Send(PBM_GETPOS), s.pos) << std::hex << s.msg;
    }
    PBRANGE range{};
    EXPECT_EQ(Send(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 10);
    EXPECT_EQ(Send(PBM_GETRANGE, FALSE, 0), 20);
    EXPECT_EQ(range.iLow, 10);
    EXPECT_EQ(range.iHigh, 20);
}

TEST_F(ProgressBarTest, ALargeMaximumNeedsTheThirtyTwoBitRange) {
    Send(PBM_SETRANGE32, 0, 250000);
    Send(PBM_SETPOS, 125000);
    EXPECT_EQ(Send(PBM_GETPOS), 125000);
    EXPECT_EQ(Send(PBM_GETRANGE, FALSE, 0), 250000);
}

} // namespace
