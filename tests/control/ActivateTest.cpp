#include "shellview/ShellViewFixture.h"
#include "platform/emu/kernel32/SystemInfo.h"

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

} // namespace
