// Window properties are named by atoms: a string name is added to the global atom table by SetPropA and
// only looked up by GetPropA and RemovePropA; case does not matter; MAKEINTATOM(n) and "#n" are the same
// integer atom.
#include "emu/user32/TestWindows.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/user32/WindowState.h"
#include <gtest/gtest.h>
#include <string>

namespace {

class WindowPropsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        top = testwin::Top();
        other = testwin::Top();
    }
    emu::Desktop d;
    HWND top = nullptr, other = nullptr;
};

HANDLE H(uintptr_t n) {
    return reinterpret_cast<HANDLE>(n);
}

TEST_F(WindowPropsTest, NamesMatchThroughTheirAtoms) {
    const std::string longest(255, 'p'), tooLong(256, 'p');
    const struct {
        LPCSTR set;
        LPCSTR get;
        BOOL setResult;
        HANDLE want;
    } cases[] = {
        {"OldWndProc", "OldWndProc", TRUE, H(1)},
        {"OldWndProc", "OLDWNDPROC", TRUE, H(1)},
        {"ObjectPtr", "objectptr", TRUE, H(1)},
        {"\xC4rger", "\xE4RGER", TRUE, H(1)}, // the code page's letters fold too
        {"Old", "OldWndProc", TRUE, nullptr},
        {MAKEINTATOM(42), MAKEINTATOM(42), TRUE, H(1)},
        {MAKEINTATOM(42), "#42", TRUE, H(1)},
        {"#43", MAKEINTATOM(43), TRUE, H(1)},
        {"#0043", MAKEINTATOM(43), TRUE, H(1)},
        {"#4x", "#4X", TRUE, H(1)}, // not a number: a string atom
        {longest.c_str(), longest.c_str(), TRUE, H(1)},
        {tooLong.c_str(), tooLong.c_str(), FALSE, nullptr},
        {"", "", FALSE, nullptr},
        {MAKEINTATOM(0), MAKEINTATOM(0), FALSE, nullptr},
        {"#0", "#0", FALSE, nullptr},
        {"#49152", "#49152", FALSE, nullptr}, // 0xC000: not an integer atom
    };
    for (const auto& c : cases) {
        HWND w = testwin::Top();
        EXPECT_EQ(SetPropA(w, c.set, H(1)), c.setResult) << (IS_INTRESOURCE(c.set) ? "int" : c.set);
        EXPECT_EQ(GetPropA(w, c.get), c.want) << (IS_INTRESOURCE(c.get) ? "int" : c.get);
        EXPECT_EQ(GetPropA(other, c.get), nullptr) << "another window has none";
        DestroyWindow(w);
    }
}

TEST_F(WindowPropsTest, SetReplacesRemoveHandsBackAndANameNeverAddedFindsNothing) {
    EXPECT_EQ(GetPropA(top, "NeverAddedAnywhere"), nullptr);
    EXPECT_EQ(RemovePropA(top, "NeverAddedAnywhere"), nullptr);
    EXPECT_EQ(emu::S().atoms.Find("NeverAddedAnywhere"), 0) << "looking up adds no atom";

    ASSERT_TRUE(SetPropA(top, "Slot", H(7)));
    ASSERT_TRUE(SetPropA(top, "SLOT", H(8)));
    ASSERT_TRUE(SetPropA(top, "Other", H(9)));
    EXPECT_EQ(GetPropA(top, "slot"), H(8)) << "one property, replaced";
    EXPECT_EQ(RemovePropA(top, "Slot"), H(8));
    EXPECT_EQ(GetPropA(top, "Slot"), nullptr);
    EXPECT_EQ(RemovePropA(top, "Slot"), nullptr);
    EXPECT_EQ(GetPropA(top, "Other"), H(9));

    // The atom stays after its property goes: the same name gets the same atom.
    ATOM slot = emu::S().atoms.Find("Slot");
    EXPECT_GE(slot, 0xC000);
    ASSERT_TRUE(SetPropA(other, "sLoT", H(1)));
    EXPECT_EQ(emu::S().atoms.Find("SLOT"), slot);

    EXPECT_FALSE(SetPropA(nullptr, "Slot", H(1)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(GetPropA(top, nullptr), nullptr);
    DestroyWindow(top);
    EXPECT_EQ(GetPropA(top, "Other"), nullptr) << "the properties went with the window";
}

} // namespace
