// The choice box on the emulated desktop: one button per caption in its place, answered by the script's
// user (a button by its caption, Enter, Escape, the close box), the owner disabled meanwhile and given
// back the activation, and no window left behind.
#include "components/PipitIconMenu/ChoiceBox.h"
#include "components/PipitIconMenu/ChoiceBoxReader.h"
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/user32/WindowManager.h"
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Captions = std::array<std::string, 5>;

// What the box looked like when the user acted on it.
struct Seen {
    std::vector<std::string> texts; // prompt, title, five captions
    std::vector<int> buttonOrder;   // the buttons' indexes, left to right
    int defaultButton = -1;         // the one with BS_DEFPUSHBUTTON
    bool sameRow = true;            // all buttons below the prompt on one row
    bool ownerEnabled = true;
    HWND owner = nullptr;
    HWND focus = nullptr;
    bool focusInBox = false;
};

class ChoiceBoxTest : public ::testing::Test {
protected:
    ChoiceBoxTest() {
        testwin::Register();
        owner = testwin::Top("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetActiveWindow(owner);
        windowsBefore = desk.Windows().LiveWindowCount();
        desk.Log().SetObserver([this](const emu::Record& r) {
            if (r.kind == "Dialog") seen.push_back(Look(GetActiveWindow()));
        });
    }
    ~ChoiceBoxTest() override {
        desk.Log().SetObserver(nullptr);
        DestroyWindow(owner);
    }

    static Seen Look(HWND box) {
        Seen s;
        s.texts = choicebox::Read(box).value_or(std::vector<std::string>{});
        RECT prompt{};
        GetWindowRect(GetDlgItem(box, vireo::pipit::kPromptId), &prompt);
        std::vector<std::pair<LONG, int>> lefts;
        LONG top = -1;
        for (int n = 0; n < 5; ++n) {
            HWND b = GetDlgItem(box, vireo::pipit::kFirstButtonId + n);
            if (!b) continue;
            RECT rc{};
            GetWindowRect(b, &rc);
            lefts.push_back({rc.left, n});
            if (top >= 0 && rc.top != top) s.sameRow = false;
            if (rc.top < prompt.bottom) s.sameRow = false;
            top = rc.top;
            if ((GetWindowLongPtrA(b, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) s.defaultButton = n;
        }
        std::sort(lefts.begin(), lefts.end());
        for (auto& [left, n] : lefts)
            s.buttonOrder.push_back(n);
        s.owner = GetWindow(box, GW_OWNER);
        s.ownerEnabled = s.owner && IsWindowEnabled(s.owner);
        s.focus = GetFocus();
        s.focusInBox = s.focus == box || IsChild(box, s.focus);
        return s;
    }

    int32_t Ask(Captions c, std::initializer_list<const char*> actions, std::string prompt = "Copy ?",
                std::string title = "Copying...") {
        for (const char* a : actions)
            desk.Answers().Push("Dialog", emu::Answer{0, a});
        auto box = vireo::NewChoiceBox();
        return box->Ask(prompt, title, c[0], c[1], c[2], c[3], c[4]);
    }

    emu::Desktop desk;
    HWND owner = nullptr;
    size_t windowsBefore = 0;
    std::vector<Seen> seen;
};

TEST_F(ChoiceBoxTest, OneButtonPerCaptionInItsPlace) {
    struct Case {
        Captions captions;
        std::vector<int> order;
        int defaultButton;
    };
    const Case cases[] = {
        {{"&Yes", "&No", "", "", ""}, {0, 1}, 0},
        {{"", "&B", "", "&D", ""}, {1, 3}, 1},
        {{"a", "b", "c", "d", "A caption much wider than the usual button"}, {0, 1, 2, 3, 4}, 0},
        {{"", "", "", "", "&Last"}, {4}, 4},
        {{"", "", "", "", ""}, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.captions[0] + "," + c.captions[1] + "," + c.captions[4]);
        seen.clear();
        Ask(c.captions, {"close"}, "Move following files ?\r\n\r\na.txt\r\n", "Moving...");
        ASSERT_EQ(seen.size(), 1u);
        std::vector<std::string> texts{"Move following files ?\r\n\r\na.txt\r\n", "Moving..."};
        texts.insert(texts.end(), c.captions.begin(), c.captions.end());
        EXPECT_EQ(seen[0].texts, texts);
        EXPECT_EQ(seen[0].buttonOrder, c.order);
        EXPECT_EQ(seen[0].defaultButton, c.defaultButton);
        EXPECT_TRUE(seen[0].sameRow);
        EXPECT_TRUE(seen[0].focusInBox);
    }
}

TEST_F(ChoiceBoxTest, TheUsersActionIsTheAnswer) {
    const Captions all{"&One", "&Two", "T&hree", "&Four", "Fi&ve"};
    const Captions gaps{"", "&B", "", "&D", ""};
    struct Case {
        const char* name;
        Captions captions;
        std::vector<const char*> actions;
        int32_t answer;
    };
    const Case cases[] = {
        {"first", all, {"press &One"}, 0},
        {"second", all, {"press &Two"}, 1},
        {"third", all, {"press T&hree"}, 2},
        {"fourth", all, {"press &Four"}, 3},
        {"fifth", all, {"press Fi&ve"}, 4},
        {"the position counts the empty captions", gaps, {"press &D"}, 3},
        {"enter presses the first button", all, {"enter"}, 0},
        {"enter presses the first button shown", gaps, {"enter"}, 1},
        {"escape", all, {"escape"}, -1},
        {"close box", all, {"close"}, -1},
        {"unanswered", all, {}, -1},
        {"no such button, then nothing", gaps, {"press &A"}, -1},
        {"no such button, then a real one", gaps, {"press &A", "press &B"}, 1},
        {"typing does nothing", all, {"type x", "press &Two"}, 1},
        {"enter with no button does nothing", {"", "", "", "", ""}, {"enter", "escape"}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desk.Answers().Clear();
        for (const char* a : c.actions)
            desk.Answers().Push("Dialog", emu::Answer{0, a});
        EXPECT_EQ(Ask(c.captions, {}), c.answer);
        EXPECT_EQ(desk.Answers().Pending("Dialog"), 0u);
    }
}

TEST_F(ChoiceBoxTest, TheOwnerIsDisabledMeanwhileAndActiveAfterwards) {
    EXPECT_EQ(Ask({"&Yes", "&No", "", "", ""}, {"press &No"}), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].owner, owner);
    EXPECT_FALSE(seen[0].ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(desk.Windows().LiveWindowCount(), windowsBefore);
    EXPECT_TRUE(desk.Windows().FindByClass(vireo::pipit::kChoiceBoxClass).empty());
}

TEST_F(ChoiceBoxTest, AnOwnerDisabledBeforeStaysDisabled) {
    EnableWindow(owner, FALSE);
    EXPECT_EQ(Ask({"&Yes", "", "", "", ""}, {"enter"}), 0);
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(desk.Windows().LiveWindowCount(), windowsBefore);
}

TEST_F(ChoiceBoxTest, WithNoActiveWindowTheBoxHasNoOwner) {
    SetActiveWindow(nullptr);
    DestroyWindow(owner);
    owner = nullptr;
    const size_t before = desk.Windows().LiveWindowCount();
    EXPECT_EQ(Ask({"&Yes", "&No", "", "", ""}, {"press &Yes"}), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].owner, nullptr);
    EXPECT_EQ(desk.Windows().LiveWindowCount(), before);
}

TEST_F(ChoiceBoxTest, OneBoxAsksAgainAndAgain) {
    auto box = vireo::NewChoiceBox();
    std::string prompt = "Go ?", title = "Linnet", a = "&HTTP URL", b = "&FTP URL", c = "&Cancel", d, e;
    const std::pair<const char*, int32_t> rounds[] = {
        {"press &FTP URL", 1}, {"press &Cancel", 2}, {"enter", 0}};
    for (const auto& [action, answer] : rounds) {
        desk.Answers().Push("Dialog", emu::Answer{0, action});
        EXPECT_EQ(box->Ask(prompt, title, a, b, c, d, e), answer) << action;
    }
    EXPECT_EQ(prompt, "Go ?");
    EXPECT_EQ(desk.Windows().LiveWindowCount(), windowsBefore);
}

} // namespace
