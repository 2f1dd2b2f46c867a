#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/Modules.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

namespace {

DLLGETVERSIONPROC VersionEntry(HMODULE lib) {
    FARPROC proc = GetProcAddress(lib, "DllGetVersion");
    return reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void (*)()>(proc));
}

TEST(ModulesTest, LoadingAndFreeingShlwapi) {
    emu::Desktop desk;
    EXPECT_EQ(GetModuleHandleA("shlwapi.dll"), nullptr);
    HMODULE a = LoadLibraryA("shlwapi.dll");
    HMODULE b = LoadLibraryA("C:\\WINDOWS\\system32\\SHLWAPI");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    EXPECT_EQ(GetModuleHandleA("ShlWApi.DLL"), a);
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_EQ(GetModuleHandleA("shlwapi.dll"), a); // still loaded once
    EXPECT_TRUE(FreeLibrary(a));
    EXPECT_EQ(GetModuleHandleA("shlwapi.dll"), nullptr);
    EXPECT_FALSE(FreeLibrary(a));
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(GetModuleHandleA("kernel32.dll"), nullptr);
    EXPECT_EQ(LoadLibraryA("nosuch.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
    desk.System().SetShlwapiPresent(false);
    EXPECT_EQ(LoadLibraryA("shlwapi.dll"), nullptr);
}

TEST(ModulesTest, DllGetVersion) {
    const struct {
        emu::WinVersion system;
        DWORD cbSize;
        HRESULT hr;
        DWORD platform;
    } cases[] = {
        {emu::WinVersion::XP, sizeof(DLLVERSIONINFO), S_OK, DLLVER_PLATFORM_NT},
        {emu::WinVersion::Win98, sizeof(DLLVERSIONINFO), S_OK, DLLVER_PLATFORM_WINDOWS},
        {emu::WinVersion::XP, sizeof(DLLVERSIONINFO2), S_OK, DLLVER_PLATFORM_NT},
        {emu::WinVersion::XP, 24, E_INVALIDARG, 0},
        {emu::WinVersion::XP, 0, E_INVALIDARG, 0},
    };
    ASSERT_EQ(sizeof(DLLVERSIONINFO), 20u);
    for (const auto& c : cases) {
        emu::Desktop desk;
        desk.System().SetVersion(c.system);
        desk.System().SetShlwapiVersion(emu::DllVersion{6, 0, 2900});
        HMODULE lib = LoadLibraryA("shlwapi.dll");
        DLLVERSIONINFO2 info{};
        info.info1.cbSize = c.cbSize;
        EXPECT_EQ(VersionEntry(lib)(&info.info1), c.hr) << c.cbSize;
        EXPECT_EQ(info.info1.dwMajorVersion, c.hr == S_OK ? 6u : 0u);
        EXPECT_EQ(info.info1.dwBuildNumber, c.hr == S_OK ? 2900u : 0u);
        EXPECT_EQ(info.info1.dwPlatformID, c.platform);
        if (c.cbSize == sizeof(DLLVERSIONINFO2)) {
            EXPECT_EQ(info.ullVersion, MAKEDLLVERULL(6, 0, 2900, 0));
        }
        FreeLibrary(lib);
    }
    emu::Desktop desk;
    desk.System().SetShlwapiVersion(std::nullopt);
    HMODULE lib = LoadLibraryA("shlwapi.dll");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(GetProcAddress(lib, "DllGetVersion"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    FreeLibrary(lib);
}

int WINAPI FakeDialog(HWND, int n) {
    return n * 2;
}

TEST(ModulesTest, RegisteredLibrariesAndAutoComplete) {
    emu::Desktop desk;
    desk.System().Modules().Register("shdocvw.dll", {{"DoAddToFavDlg", emu::AsFarProc(&FakeDialog)}});
    HMODULE lib = LoadLibraryA("SHDOCVW");
    ASSERT_NE(lib, nullptr);
    auto fn = reinterpret_cast<int(WINAPI*)(HWND, int)>(
        reinterpret_cast<void (*)()>(GetProcAddress(lib, "DoAddToFavDlg")));
    ASSERT_NE(fn, nullptr);
    EXPECT_EQ(fn(nullptr, 21), 42);
    EXPECT_EQ(GetProcAddress(lib, "doaddtofavdlg"), nullptr);             // export names keep their case
    EXPECT_EQ(GetProcAddress(lib, reinterpret_cast<LPCSTR>(1)), nullptr); // no ordinals
    FreeLibrary(lib);

    HWND edit = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(SHAutoComplete(edit, SHACF_DEFAULT), S_OK);
    desk.System().SetShlwapiVersion(emu::DllVersion{4, 71, 0});
    EXPECT_EQ(SHAutoComplete(edit, SHACF_DEFAULT), E_NOTIMPL);
    ASSERT_EQ(desk.Log().Count("AutoComplete"), 1u);
    EXPECT_EQ(desk.Log().OfKind("AutoComplete")[0].Text(), "AutoComplete: 4660 | 0");
}

} // namespace
