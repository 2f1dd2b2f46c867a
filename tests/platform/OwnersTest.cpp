// The owners of platform/Owners.h on the emulated desktop, which counts what is live of each kind: every
// owner frees what it holds once, when it goes, is reset or is given another by a move, and nothing when
// it has released it. A spy owner counts the frees of each handle and checks the last error survives.
#include "platform/Owners.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/ole32/Com.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mmShellMacro.h"
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <string>

namespace {

using namespace vireo;

// The steps every owner goes through, with the number of live resources expected after each, relative to
// the count before the row started.
template <class Owner>
void CheckOwner(const std::function<typename Owner::Handle()>& make, const std::function<long()>& live) {
    const long base = live();
    {
        Owner a(make());
        ASSERT_TRUE(a) << "the resource was made";
        EXPECT_EQ(live(), base + 1);
    }
    EXPECT_EQ(live(), base) << "freed when the owner goes";

    {
        Owner a(make());
        const auto handle = a.get();
        Owner b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), handle) << "a move hands the same handle on";
        EXPECT_EQ(live(), base + 1);
        Owner c(make());
        EXPECT_EQ(live(), base + 2);
        c = std::move(b);
        EXPECT_EQ(c.get(), handle);
        EXPECT_EQ(live(), base + 1) << "the handle c held is freed by the assignment";
        Owner& same = c;
        c = std::move(same);
        EXPECT_EQ(live(), base + 1) << "assigning an owner to itself frees nothing";
    }
    EXPECT_EQ(live(), base) << "the moved-from owners free nothing";

    {
        Owner a(make());
        a.reset(a.get());
        EXPECT_EQ(live(), base + 1) << "resetting to the same handle keeps it";
        a.reset(make());
        EXPECT_EQ(live(), base + 1) << "reset frees the old handle";
        a.reset();
        EXPECT_FALSE(a);
        EXPECT_EQ(live(), base);
        *a.put() = make();
        EXPECT_EQ(live(), base + 1);
        *a.put() = make();
        EXPECT_EQ(live(), base + 1) << "put frees the old handle first";
    }
    EXPECT_EQ(live(), base);

    typename Owner::Handle kept{};
    {
        Owner a(make());
        kept = a.release();
        EXPECT_FALSE(a);
    }
    EXPECT_EQ(live(), base + 1) << "a released handle is the caller's";
    Owner(kept).reset();
    EXPECT_EQ(live(), base);
}

class OwnersTest : public ::testing::Test {
protected:
    emu::Desktop desk;
};

TEST_F(OwnersTest, EachOwnerFreesWhatItHoldsOnce) {
    const long refusedBefore = emu::TaskAllocator::RefusedFrees();
    auto gdi = [&] { return static_cast<long>(desk.Windows().LiveGdiObjectCount()); };
    const WindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    const struct {
        const char* name;
        std::function<void()> check;
    } rows[] = {
        {"item-ID list",
         [&] {
             CheckOwner<UniquePidl>([] { return AllocZeroed(2); },
                                    [] { return emu::TaskAllocator::LiveBlocks(); });
         }},
        {"font",
         [&] {
             CheckOwner<UniqueFont>(
                 [] { return CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"); }, gdi);
         }},
        {"brush", [&] { CheckOwner<UniqueBrush>([] { return CreateSolidBrush(RGB(1, 2, 3)); }, gdi); }},
        {"bitmap",
         [&] {
             CheckOwner<UniqueBitmap>([&] { return CreateCompatibleBitmap(screen.get(), 16, 16); }, gdi);
         }},
        {"memory DC",
         [&] { CheckOwner<UniqueMemoryDC>([&] { return CreateCompatibleDC(screen.get()); }, gdi); }},
        {"menu",
         [&] {
             CheckOwner<UniqueMenu>([] { return CreatePopupMenu(); },
                                    [&] { return static_cast<long>(desk.Windows().LiveMenuCount()); });
         }},
        {"registry key",
         [&] {
             CheckOwner<UniqueRegKey>(
                 [] {
                     HKEY key = nullptr;
                     RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Owners", 0, nullptr, 0, KEY_ALL_ACCESS,
                                     nullptr, &key, nullptr);
                     return key;
                 },
                 [&] { return static_cast<long>(desk.Reg().OpenHandleCount()); });
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.check();
    }
    EXPECT_EQ(emu::TaskAllocator::RefusedFrees(), refusedBefore) << "no list was freed twice";
}

// The device-context owners give back what they took: the DC, and the object a SelectedObject replaced.
TEST_F(OwnersTest, WindowDCAndSelectedObjectRestoreTheDeviceContext) {
    const size_t before = desk.Windows().LiveGdiObjectCount();
    const UniqueFont font(CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"));
    {
        const WindowDC screen(nullptr);
        ASSERT_TRUE(screen);
        const HGDIOBJ original = GetCurrentObject(screen.get(), OBJ_FONT);
        {
            const SelectedObject selected(screen.get(), font.get());
            EXPECT_EQ(GetCurrentObject(screen.get(), OBJ_FONT), font.get());
        }
        EXPECT_EQ(GetCurrentObject(screen.get(), OBJ_FONT), original);
        const SelectedObject nothing(screen.get(), nullptr); // selecting nothing changes nothing
        EXPECT_EQ(GetCurrentObject(screen.get(), OBJ_FONT), original);
    }
    EXPECT_EQ(desk.Windows().LiveGdiObjectCount(), before + 1) << "only the font is left";
}

// A spy's handles are numbers; it counts each handle's frees and sets the last error as it frees, which
// the owner must not let through.
struct Spy {
    using Handle = int;
    static std::map<int, int>& Frees() {
        static std::map<int, int> frees;
        return frees;
    }
    static void Free(int handle) {
        ++Frees()[handle];
        SetLastError(ERROR_INVALID_HANDLE);
    }
};
using SpyOwner = UniqueHandle<Spy>;

TEST_F(OwnersTest, EveryHandleIsFreedExactlyOnceAndTheLastErrorSurvives) {
    Spy::Frees().clear();
    SetLastError(ERROR_FILE_NOT_FOUND);
    {
        SpyOwner a(1), b(2), c(3);
        SpyOwner d(std::move(a));
        b = std::move(d); // frees 2
        c.reset(4);       // frees 3
        c.reset(4);       // the same handle: nothing
        const int kept = b.release();
        EXPECT_EQ(kept, 1);
        SpyOwner e(5);
        *e.put() = 6; // frees 5
    }                 // frees 4 and 6
    EXPECT_EQ(Spy::Frees(), (std::map<int, int>{{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// COM on the thread: one CoInitialize per owner however often it is asked, balanced once at reset or when
// the owner goes; COM that the thread had already keeps its own count.
TEST_F(OwnersTest, ComInitializationIsBalancedOnce) {
    ASSERT_EQ(emu::ThreadComInitCount(), 0);
    {
        ComInitialization com;
        EXPECT_TRUE(com.Initialize());
        EXPECT_TRUE(com.Initialize());
        EXPECT_EQ(emu::ThreadComInitCount(), 1);
        com.reset();
        EXPECT_FALSE(com.Initialized());
        EXPECT_EQ(emu::ThreadComInitCount(), 0);
        com.reset();
        EXPECT_EQ(emu::ThreadComInitCount(), 0) << "a second reset uninitialises nothing";
        EXPECT_TRUE(com.Initialize());
    }
    EXPECT_EQ(emu::ThreadComInitCount(), 0) << "balanced when the owner goes";

    ASSERT_EQ(CoInitialize(nullptr), S_OK); // the host's own
    {
        ComInitialization com;
        EXPECT_TRUE(com.Initialize()) << "S_FALSE is a success that must be balanced too";
        EXPECT_EQ(emu::ThreadComInitCount(), 2);
    }
    EXPECT_EQ(emu::ThreadComInitCount(), 1) << "the host's initialisation stays";
    CoUninitialize();
}

} // namespace
