// Creation and destruction of windows: the message sequences Windows sends, failures, and what a
// destroyed window leaves behind.
#include "tests/sequences/EmuSpy.h"
#include "emu/user32/TestWindows.h"

using namespace seq;

namespace {

class WindowLifecycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        testwin::Register();
        d.Windows().SpyClass("TestWindow");
        parent = testwin::Top("parent", WS_OVERLAPPEDWINDOW);
        d.Windows().ClearSpied();
        names[parent] = "parent";
    }
    emu::Desktop d;
    HWND parent = nullptr;
    Names names;
};

// A visible child is created, its parent told, then shown; under a hidden parent the showing is only
// WM_SHOWWINDOW (the style changes, nothing moves).
TEST_F(WindowLifecycleTest, VisibleChildIsCreatedThenShownAndParentIsToldAfterCreate) {
    HWND shown = testwin::Top("shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    names[shown] = "parent";
    for (HWND owner : {shown, parent}) {
        const bool visible = owner == shown;
        SCOPED_TRACE(visible ? "visible parent" : "hidden parent");
        d.Windows().ClearSpied();
        HWND child = testwin::Child(owner, 7);
        ASSERT_TRUE(child);
        names[child] = "child";
        std::vector<Row> rows = {
            {"child", WM_NCCREATE, Sent},
            {"child", WM_NCCALCSIZE, Sent | WParam, FALSE},
            {"child", WM_CREATE, Sent},
            {"child", WM_SIZE, Sent | WParam | LParam, SIZE_RESTORED, MAKELPARAM(100, 50)},
            {"child", WM_MOVE, Sent | LParam, 0, MAKELPARAM(5, 6)},
            {"parent", WM_PARENTNOTIFY, Sent | WParam | LParam, MAKEWPARAM(WM_CREATE, 7),
             reinterpret_cast<LPARAM>(child)},
            {"child", WM_SHOWWINDOW, Sent | WParam, TRUE}};
        if (visible)
            rows.insert(rows.end(),
                        {{"child", WM_WINDOWPOSCHANGING, Sent}, {"child", WM_WINDOWPOSCHANGED, Sent}});
        Expect(d, rows, names);
        EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);
    }
}

// Only the direct parent hears of a child's creation, and not when the child has WS_EX_NOPARENTNOTIFY.
TEST_F(WindowLifecycleTest, ParentNotifyGoesToTheDirectParentUnlessTheChildOptsOut) {
    struct Case {
        DWORD middleEx, childEx;
        bool middleTold;
    } cases[] = {
        {0, 0, true},
        {0, WS_EX_NOPARENTNOTIFY, false},
        {WS_EX_NOPARENTNOTIFY, 0, true},
    };
    for (const Case& c : cases) {
        HWND middle = testwin::Child(parent, 1, WS_CHILD, c.middleEx);
        d.Windows().ClearSpied();
        HWND child = testwin::Child(middle, 2, WS_CHILD, c.childEx);
        std::vector<HWND> told;
        for (const auto& m : d.Windows().TakeSpied())
            if (m.message == WM_PARENTNOTIFY && m.lParam == reinterpret_cast<LPARAM>(child)) {
                EXPECT_EQ(m.wParam, MAKEWPARAM(WM_CREATE, 2));
                told.push_back(m.hwnd);
            }
        std::vector<HWND> want;
        if (c.middleTold) want.push_back(middle);
        EXPECT_EQ(told, want) << "middle ex " << c.middleEx << " child ex " << c.childEx;
        DestroyWindow(middle);
    }
}

// The parent hears first, then the child is hidden (under a hidden parent only WM_SHOWWINDOW), destroyed.
TEST_F(WindowLifecycleTest, DestroyingAVisibleChildTellsTheParentFirstThenHidesIt) {
    HWND shown = testwin::Top("shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    names[shown] = "parent";
    for (HWND owner : {shown, parent}) {
        const bool visible = owner == shown;
        SCOPED_TRACE(visible ? "visible parent" : "hidden parent");
        HWND child = testwin::Child(owner, 7);
        names[child] = "child";
        d.Windows().ClearSpied();
        ASSERT_TRUE(DestroyWindow(child));
        std::vector<Row> rows = {{"parent", WM_PARENTNOTIFY, Sent | WParam | LParam,
                                  MAKEWPARAM(WM_DESTROY, 7), reinterpret_cast<LPARAM>(child)},
                                 {"child", WM_SHOWWINDOW, Sent | WParam, FALSE}};
        if (visible)
            rows.insert(rows.end(),
                        {{"child", WM_WINDOWPOSCHANGING, Sent}, {"child", WM_WINDOWPOSCHANGED, Sent}});
        rows.insert(rows.end(), {{"child", WM_DESTROY, Sent}, {"child", WM_NCDESTROY, Sent}});
        Expect(d, rows, names);
        EXPECT_FALSE(IsWindow(child));
    }
}

TEST_F(WindowLifecycleTest, DestroyGoesDownForWmDestroyAndUpForWmNcDestroy) {
    HWND a = testwin::Child(parent, 1, WS_CHILD);
    HWND a1 = testwin::Child(a, 11, WS_CHILD);
    HWND b = testwin::Child(parent, 2, WS_CHILD);
    names[a] = "a";
    names[a1] = "a1";
    names[b] = "b";
    d.Windows().ClearSpied();
    size_t before = d.Windows().LiveWindowCount();
    ASSERT_TRUE(DestroyWindow(parent));
    Expect(d,
           {{"parent", WM_DESTROY, Sent},
            {"a", WM_DESTROY, Sent},
            {"a1", WM_DESTROY, Sent},
            {"b", WM_DESTROY, Sent},
            {"a1", WM_NCDESTROY, Sent},
            {"a", WM_NCDESTROY, Sent},
            {"b", WM_NCDESTROY, Sent},
            {"parent", WM_NCDESTROY, Sent}},
           names);
    for (HWND h : {parent, a, a1, b})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(d.Windows().LiveWindowCount(), before - 4);
}

TEST_F(WindowLifecycleTest, CreationFailsWhenNcCreateOrCreateRefuses) {
    struct Case {
        UINT refused;
        LRESULT answer;
        std::vector<UINT> seen;
    } cases[] = {
        {WM_NCCREATE, FALSE, {WM_NCCREATE, WM_NCDESTROY}},
        {WM_CREATE, -1, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_NCDESTROY}},
    };
    for (const Case& c : cases) {
        testwin::Hook hook = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT* r) {
            if (msg != c.refused) return false;
            *r = c.answer;
            return true;
        };
        testwin::PendingHook() = &hook;
        size_t before = d.Windows().LiveWindowCount();
        d.Windows().ClearSpied();
        EXPECT_EQ(testwin::Child(parent, 3), nullptr);
        testwin::PendingHook() = nullptr;
        std::vector<UINT> seen;
        for (const auto& m : d.Windows().TakeSpied()) {
            EXPECT_NE(m.hwnd, parent) << "the parent hears nothing of a failed creation";
            seen.push_back(m.message);
        }
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(d.Windows().LiveWindowCount(), before);
        EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    }
}

TEST_F(WindowLifecycleTest, ADestroyedWindowLosesItsHandlePropertiesAndQueuedMessages) {
    HWND child = testwin::Child(parent, 7);
    SetPropA(child, "OldWndProc", reinterpret_cast<HANDLE>(0x1234));
    PostMessageA(child, WM_USER + 5, 0, 0);
    SetTimer(child, 1, 100, nullptr);
    DestroyWindow(child);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(GetPropA(child, "OldWndProc"), nullptr);
    EXPECT_EQ(SendMessageA(child, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(child));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    d.Windows().Advance(500);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(WindowLifecycleTest, ClassesRegisterOnceAndCannotGoWhileWindowsUseThem) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "testwindow"; // class names match without regard to case
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    EXPECT_FALSE(UnregisterClassA("TestWindow", nullptr));
    EXPECT_EQ(GetLastError(), 1412u); // ERROR_CLASS_HAS_WINDOWS
    WNDCLASSEXA info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetClassInfoExA(nullptr, "TESTWINDOW", &info));
    EXPECT_EQ(info.lpfnWndProc, testwin::Proc);
    EXPECT_EQ(info.cbWndExtra, static_cast<int>(2 * sizeof(LONG_PTR)));
    DestroyWindow(parent);
    EXPECT_TRUE(UnregisterClassA("TestWindow", nullptr));
    EXPECT_EQ(CreateWindowExA(0, "TestWindow", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), 1407u); // ERROR_CANNOT_FIND_WND_CLASS
    EXPECT_EQ(CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), 1406u); // ERROR_TLW_WITH_WSCHILD
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycleTest, SetParentMovesAWindowToTheTopOfItsNewSiblings) {
    HWND a = testwin::Child(parent, 1, WS_CHILD);
    HWND b = testwin::Child(parent, 2, WS_CHILD);
    HWND c = testwin::Child(a, 3, WS_CHILD);
    EXPECT_EQ(SetParent(c, parent), a);
    EXPECT_EQ(GetParent(c), parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), c);
    EXPECT_EQ(GetWindow(a, GW_CHILD), nullptr);
    EXPECT_EQ(SetParent(parent, c), nullptr) << "a window cannot go below its own child";
    EXPECT_TRUE(IsChild(parent, c));
    EXPECT_FALSE(IsChild(a, c));
    DestroyWindow(b);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(c));
}

TEST_F(WindowLifecycleTest, TopLevelWindowsAreChildrenOfTheDesktopWindow) {
    HWND desktop = GetDesktopWindow();
    EXPECT_EQ(GetAncestor(parent, GA_PARENT), desktop);
    EXPECT_EQ(GetParent(parent), nullptr);
    EXPECT_EQ(GetWindow(desktop, GW_CHILD), parent);
    HWND owned =
        CreateWindowExA(0, "TestWindow", "", WS_POPUP, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    EXPECT_EQ(GetParent(owned), parent); // a popup's "parent" is its owner
    EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(owned)) << "owned windows go with their owner";
}

} // namespace
