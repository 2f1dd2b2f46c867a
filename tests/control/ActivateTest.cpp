#include "shellview/ShellViewFixture.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/ole32/Com.h"

namespace {

class ActivateTest : public ShellViewFixture {};

TEST_F(ActivateTest, TakesTheWebViewWindowAndSetsUp) {
    struct Case {
        bool withEmbedding;
        std::optional<emu::DllVersion> shlwapi;
        size_t autoComplete;
    };
    const Case cases[] = {{true, emu::DllVersion{6, 0, 0}, 1},
                          {true, emu::DllVersion{5, 0, 0}, 1},
                          {true, emu::DllVersion{4, 71, 0}, 0},
                          {false, emu::DllVersion{6, 0, 0}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.withEmbedding) + " " + std::to_string(c.shlwapi->major));
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        Watched() = control.get();
        desk.System().SetShlwapiVersion(c.shlwapi);
        HWND web = c.withEmbedding ? MakeWindow("Shell Embedding", control->Window()) : nullptr;
        desk.Log().Clear();
        vireo::Shared().g_sTempDir = "stale";
        container.tree->visible = true;
        control->Activate();
        EXPECT_EQ(control->m_hwndWB, web);
        if (web) {
            EXPECT_NE(GetPropA(web, "OldWndProc"), nullptr);
        }
        EXPECT_EQ(desk.Log().Count("AutoComplete"), c.autoComplete);
        EXPECT_FALSE(container.tree->visible);
        ASSERT_FALSE(vireo::Shared().g_sTempDir.empty());
        EXPECT_EQ(vireo::Shared().g_sTempDir.back(), '\\');
    }
}

// COM is initialised once per control, however often Activate runs, and only where the shell's utility
// library is version 5 or later; Terminate, or the control's release without it, balances it. COM that the
// host initialised itself keeps its own count.
TEST_F(ActivateTest, ComIsInitialisedOnceAndBalancedAtTheEnd) {
    const struct {
        const char* what;
        uint32_t shlwapi;
        int activations;
        bool terminate;
        int hostInits;
        int whileActive;
    } cases[] = {
        {"activated once", 6, 1, true, 0, 1},         {"activated three times", 6, 3, true, 0, 1},
        {"released unterminated", 6, 2, false, 0, 1}, {"host's own COM", 5, 2, true, 1, 2},
        {"old shell utilities", 4, 2, true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(emu::ThreadComInitCount(), 0);
        desk.System().SetShlwapiVersion(emu::DllVersion{c.shlwapi, 0, 0});
        for (int i = 0; i < c.hostInits; ++i)
            CoInitialize(nullptr);
        auto second = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
        for (int i = 0; i < c.activations; ++i)
            second->Activate();
        EXPECT_EQ(emu::ThreadComInitCount(), c.whileActive);
        if (c.terminate) second->Terminate();
        second.reset();
        EXPECT_EQ(emu::ThreadComInitCount(), c.hostInits) << "the control's initialisation is balanced";
        for (int i = 0; i < c.hostInits; ++i)
            CoUninitialize();
    }
}

} // namespace
