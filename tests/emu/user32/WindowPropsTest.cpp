// Window properties are named by atoms: a string name is added to the global atom table by SetPropA and
// only looked up by GetPropA and RemovePropA; case does not matter; MAKEINTATOM(n) and "#n" are the same
// integer atom.
#include "conformance/PropertyNameTable.h"
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
    for (const conformance::PropertyNameCase& c : conformance::kPropertyNameCases) {
        HWND w = testwin::Top();
        const conformance::PropertyNameOutcome o = conformance::RunPropertyNameCase(c, w, other);
        EXPECT_EQ(o.set, c.setWorks) << c.note;
        EXPECT_EQ(o.byName, conformance::WantedProperty(c)) << c.note;
        if (o.atomMade) {
            EXPECT_EQ(o.byAtom, conformance::WantedProperty(c)) << c.note << ", by atom";
        }
        EXPECT_EQ(o.onOther, nullptr) << "another window has none";
        DestroyWindow(w);
    }
}

TEST_F(WindowPropsTest, SetReplacesRemoveHandsBackAndANameNeverAddedFindsNothing) {
    EXPECT_EQ(GetPropA(top, "NeverAddedAnywhere"), nullptr);
    EXPECT_EQ(RemovePropA(top, "NeverAddedAnywhere"), nullptr);
    EXPECT_EQ(GlobalFindAtomA("NeverAddedAnywhere"), 0) << "looking up adds no atom";

    ASSERT_TRUE(SetPropA(top, "Slot", H(7)));
    ASSERT_TRUE(SetPropA(top, "SLOT", H(8)));
    ASSERT_TRUE(SetPropA(top, "Other", H(9)));
    EXPECT_EQ(GetPropA(top, "slot"), H(8)) << "one property, replaced";
    EXPECT_EQ(RemovePropA(top, "Slot"), H(8));
    EXPECT_EQ(GetPropA(top, "Slot"), nullptr);
    EXPECT_EQ(RemovePropA(top, "Slot"), nullptr);
    EXPECT_EQ(GetPropA(top, "Other"), H(9));

    // The atom stays after its property goes: the same name gets the same atom.
    ATOM slot = GlobalFindAtomA("Slot");
    EXPECT_GE(slot, 0xC000);
    ASSERT_TRUE(SetPropA(other, "sLoT", H(1)));
    EXPECT_EQ(GlobalFindAtomA("SLOT"), slot);

    EXPECT_FALSE(SetPropA(nullptr, "Slot", H(1)));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_EQ(GetPropA(top, nullptr), nullptr);
    DestroyWindow(top);
    EXPECT_EQ(GetPropA(top, "Other"), nullptr) << "the properties went with the window";
}

// An atom names the same string for as long as the thread runs: a desktop made later finds it again, so an
// atom kept by the control stays true across the desktops of a test run.
TEST(GlobalAtomsTest, OutliveTheDesktop) {
    ATOM atom = 0;
    {
        emu::Desktop d;
        testwin::Register();
        HWND w = testwin::Top();
        ASSERT_TRUE(SetPropA(w, "OutlivesDesktop", H(3)));
        atom = GlobalFindAtomA("outlivesdesktop");
        EXPECT_GE(atom, 0xC000);
        EXPECT_EQ(GetPropA(w, MAKEINTATOM(atom)), H(3));
    }
    emu::Desktop later;
    EXPECT_EQ(GlobalFindAtomA("OUTLIVESDESKTOP"), atom);
    EXPECT_EQ(GlobalAddAtomA("OutlivesDesktop"), atom);
    EXPECT_EQ(GlobalFindAtomA("NeverAddedAnywhere"), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

} // namespace
