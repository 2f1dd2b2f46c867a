// The folder view's message-sequence tables on the emulated desktop: the same flows and tables the Wine
// checker runs on real windows (tests/sequences).
#include "ShellViewFixture.h"
#include "tests/sequences/ViewScene.h"

namespace {

class ViewSequenceTest : public ShellViewFixture, public seq::Environment {
protected:
    void Pass(DWORD ms) override { desk.Windows().Elapse(ms); }
    void CancelNextDialog() override { desk.Answers().Push("Dialog", emu::Answer{0, "press &Cancel"}); }
    bool DialogShown() override { return desk.Answers().Pending("Dialog") == 0; }
    HWND MakeFolderView(HWND docView) override { return m_view = seq::MakeTestFolderView(docView); }
    void CloseFolderView() override {
        if (m_view) DestroyWindow(m_view);
        m_view = nullptr;
    }

    static void ExpectAll(const std::vector<seq::Outcome>& outcomes) {
        EXPECT_FALSE(outcomes.empty());
        for (const seq::Outcome& o : outcomes)
            EXPECT_EQ(o.failure, "") << o.name;
    }

private:
    HWND m_view = nullptr;
};

TEST_F(ViewSequenceTest, TakeOverOfANewFolderView) {
    ExpectAll(seq::TakeOverSequences(*this));
}

TEST_F(ViewSequenceTest, SubclassChainAndItsReleaseAtTerminate) {
    ExpectAll(seq::SubclassSequences(*this));
}

TEST_F(ViewSequenceTest, ClicksGiveOneSelectionNoticeAfterTheDelay) {
    ExpectAll(seq::SelectionNoticeSequences(*this));
}

TEST_F(ViewSequenceTest, ListViewKeysClicksAndLabelEditing) {
    ExpectAll(seq::ListViewSequences(*this));
}

} // namespace
