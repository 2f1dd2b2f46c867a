#include "support/mmWinVersion.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/Modules.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include <gtest/gtest.h>

using emu::WinVersion;

namespace {

TEST(mmWinVersionTest, PlatformFlagsForEachSystem) {
    const struct {
        WinVersion version;
        bool fails;
        bool nt, win2000, me;
    } cases[] = {
        {WinVersion::Win98, false, false, false, false}, {WinVersion::WinMe, false, false, false, true},
        {WinVersion::NT4, false, true, false, false},    {WinVersion::Win2000, false, true, true, false},
        {WinVersion::XP, false, true, true, false},      {WinVersion::XP, true, false, false, false},
        {WinVersion::WinMe, true, false, false, false},
    };
    for (const auto& c : cases) {
        emu::Desktop desk;
        desk.System().SetVersion(c.version);
        desk.System().SetVersionFails(c.fails);
        SCOPED_TRACE(static_cast<int>(c.version));
        EXPECT_EQ(vireo::IsWinNT(), c.nt);
        EXPECT_EQ(vireo::IsWin2000(), c.win2000);
        EXPECT_EQ(vireo::IsWinMe(), c.me);
    }
}

TEST(mmWinVersionTest, ShlwapiMajorVersion) {
    const struct {
        std::optional<emu::DllVersion> version;
        bool present;
        int32_t want;
    } cases[] = {
        {emu::DllVersion{6, 0, 2900}, true, 6},  {emu::DllVersion{5, 0, 2314}, true, 5},
        {emu::DllVersion{4, 71, 1712}, true, 4}, {std::nullopt, true, 0}, // no DllGetVersion entry
        {emu::DllVersion{6, 0, 2900}, false, 0},                          // no library
    };
    for (const auto& c : cases) {
        emu::Desktop desk;
        desk.System().SetShlwapiVersion(c.version);
        desk.System().SetShlwapiPresent(c.present);
        EXPECT_EQ(vireo::ShlwapiMajorVersion(), c.want);
        EXPECT_EQ(desk.System().Modules().RefCount("shlwapi.dll"), 0u); // the library is freed again
    }
}

} // namespace
