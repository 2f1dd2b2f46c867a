#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

using emu::WinVersion;

namespace {

TEST(VersionTest, TheFiveSystems) {
    const struct {
        WinVersion version;
        DWORD major, minor, build, platform;
        const char* csd;
        DWORD getVersion;
    } cases[] = {
        {WinVersion::Win98, 4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS, " A ", 0xC0000A04},
        {WinVersion::WinMe, 4, 90, 3000, VER_PLATFORM_WIN32_WINDOWS, " ", 0xC0005A04},
        {WinVersion::NT4, 4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6", 0x05650004},
        {WinVersion::Win2000, 5, 0, 2195, VER_PLATFORM_WIN32_NT, "Service Pack 4", 0x08930005},
        {WinVersion::XP, 5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 2", 0x0A280105},
    };
    for (const auto& c : cases) {
        emu::Desktop desk;
        desk.System().SetVersion(c.version);
        OSVERSIONINFOA osv{};
        osv.dwOSVersionInfoSize = sizeof osv;
        ASSERT_EQ(sizeof osv, 148u);
        ASSERT_TRUE(GetVersionExA(&osv));
        EXPECT_EQ(osv.dwMajorVersion, c.major);
        EXPECT_EQ(osv.dwMinorVersion, c.minor);
        EXPECT_EQ(LOWORD(osv.dwBuildNumber), c.build);
        EXPECT_EQ(osv.dwPlatformId, c.platform);
        EXPECT_STREQ(osv.szCSDVersion, c.csd);
        EXPECT_EQ(GetVersion(), c.getVersion);
    }
}

TEST(VersionTest, StructureSizesAndFailure) {
    const struct {
        WinVersion version;
        DWORD size;
        bool ok;
        DWORD error;
    } cases[] = {
        {WinVersion::XP, sizeof(OSVERSIONINFOEXA), true, 0},
        {WinVersion::XP, 0, false, ERROR_INSUFFICIENT_BUFFER},
        {WinVersion::NT4, 150, false, ERROR_INSUFFICIENT_BUFFER},
        {WinVersion::Win98, sizeof(OSVERSIONINFOEXA), false, ERROR_INVALID_PARAMETER},
        {WinVersion::WinMe, 0, false, ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        emu::Desktop desk;
        desk.System().SetVersion(c.version);
        OSVERSIONINFOEXA osv{};
        osv.dwOSVersionInfoSize = c.size;
        SetLastError(0);
        EXPECT_EQ(GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&osv)) != FALSE, c.ok) << c.size;
        EXPECT_EQ(GetLastError(), c.error) << c.size;
        if (c.ok) {
            EXPECT_EQ(osv.wServicePackMajor, 2);
        }
    }
    emu::Desktop desk;
    desk.System().SetVersionFails(true);
    OSVERSIONINFOA osv{};
    osv.dwOSVersionInfoSize = sizeof osv;
    EXPECT_FALSE(GetVersionExA(&osv));
    EXPECT_EQ(osv.dwMajorVersion, 0u);
}

} // namespace
