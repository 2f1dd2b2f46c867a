#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/shell32/ShellNamespace.h"

namespace {

class SpecialFoldersTest : public shelltest::ShellTest {};

struct VirtualCase {
    int csidl;
    const char* name;
};

TEST_F(SpecialFoldersTest, VirtualFoldersHaveListsButNoPaths) {
    const VirtualCase cases[] = {
        {CSIDL_DESKTOP, "Desktop"},
        {CSIDL_DRIVES, "My Computer"},
        {CSIDL_NETWORK, "My Network Places"},
        {CSIDL_CONTROLS, "Control Panel"},
    };
    for (const auto& c : cases) {
        LPITEMIDLIST pidl = nullptr;
        ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, c.csidl, &pidl), S_OK) << c.csidl;
        EXPECT_EQ(NameOf(pidl, SHGDN_NORMAL), c.name);
        char path[MAX_PATH] = "x";
        EXPECT_FALSE(SHGetPathFromIDListA(pidl, path)) << c.csidl;
        EXPECT_STREQ(path, "");
        EXPECT_EQ(SHGetFolderPathA(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, path), E_INVALIDARG);
        ILFree(pidl);
    }
    LPITEMIDLIST desktop = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop), S_OK);
    EXPECT_EQ(ILGetSize(desktop), 2u); // the desktop is the empty list
    ILFree(desktop);
}

TEST_F(SpecialFoldersTest, ProfileFoldersExistOnlyOnceCreated) {
    LPITEMIDLIST pidl = reinterpret_cast<LPITEMIDLIST>(1);
    EXPECT_TRUE(FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_FAVORITES, &pidl)));
    EXPECT_EQ(pidl, nullptr);
    char path[MAX_PATH];
    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_FAVORITES, nullptr, 0, path), S_FALSE);
    EXPECT_STREQ(path, "C:\\Documents and Settings\\User\\Favorites");

    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_HISTORY | CSIDL_FLAG_CREATE, &pidl), S_OK);
    ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "C:\\Documents and Settings\\User\\Local Settings\\History");
    EXPECT_EQ(NameOf(pidl, SHGDN_NORMAL), "History");
    ILFree(pidl);

    EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_FAVORITES, FALSE));
    EXPECT_EQ(emu::ShellNamespace::SpecialFolderPath(CSIDL_PROGRAM_FILES), "C:\\Program Files");
}

} // namespace
