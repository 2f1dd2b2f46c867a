// The path table that the Wine checker also runs, here against the emulated desktop's kernel32 and shell.
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "tests/conformance/PathTable.h"
#include <gtest/gtest.h>

TEST(PathConformance, EveryRowGivesWindowsAnswer) {
    emu::Desktop desk;
    desk.Files().MountScratch('C');
    auto outcomes = conformance::RunPathCases("C:\\vconf", false);
    ASSERT_FALSE(outcomes.empty());
    ASSERT_TRUE(outcomes.front().row) << outcomes.front().Describe();
    for (const auto& o : outcomes)
        EXPECT_TRUE(o.ok) << o.Describe();
    // The layout goes again with the table.
    EXPECT_EQ(GetFileAttributesA("C:\\vconf"), INVALID_FILE_ATTRIBUTES);
}
