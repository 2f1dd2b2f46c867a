#include "support/mDrive.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

namespace {

std::string Roots(const std::string& letters) {
    std::string s;
    for (char l : letters)
        s += std::string(1, l) + ":\\" + std::string(1, '\0');
    return s + std::string(1, '\0');
}

TEST(mDriveTest, LogicalDriveString) {
    const struct {
        std::string mounted;
        std::string want;
    } cases[] = {
        {"", ""},
        {"ACD", Roots("ACD")},
        {"DA", Roots("AD")},
        {"ABCDEFGHIJKLMNOPQRS", Roots("ABCDEFGHIJKLMNOPQRS")}, // 19 drives: 77 characters fit in 78
        {"ABCDEFGHIJKLMNOPQRST", ""},                          // 20 drives need 81
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", ""},
    };
    for (const auto& c : cases) {
        emu::Desktop desk;
        for (char l : c.mounted)
            desk.Files().MountScratch(l);
        EXPECT_EQ(vireo::LogicalDriveString(), c.want) << c.mounted;
    }
}

} // namespace
