#include "support/mmFileIcon.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mmShellMacro.h"
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace vireo;

class mmFileIconTest : public testing::Test {
protected:
    void SetUp() override {
        desk.Files().MountScratch('C');
        desk.Files().WriteFile("C:\\a.txt");
        desk.Files().WriteFile("C:\\b.txt");
        desk.Files().WriteFile("C:\\page.htm");
        desk.Files().MakeDir("C:\\dir");
        icons = desk.Windows().LiveIconCount();
    }
    void TearDown() override {
        EXPECT_EQ(desk.Windows().LiveIconCount(), icons) << "an icon was not destroyed";
    }

    // What the shell shows for an item, as an icon's identity: its system index and size.
    std::string ShellIcon(const std::string& path, bool large, UINT extra = 0) {
        SHFILEINFOA info{};
        if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info,
                            extra | SHGFI_ICON | (large ? 0 : SHGFI_SMALLICON)))
            return "";
        std::string identity = desk.Windows().IconIdentity(info.hIcon);
        DestroyIcon(info.hIcon);
        return identity + "#" + std::to_string(info.iIcon);
    }
    std::string ListIcon(const KeyedImageList& list, int index) {
        HICON icon = ImageList_GetIcon(list.Handle(), index - 1, ILD_NORMAL);
        std::string identity = desk.Windows().IconIdentity(icon);
        DestroyIcon(icon);
        return identity + "#" + list.Key(index).substr(1);
    }
    std::string PictureIcon(const vireo::PicturePtr& picture) {
        OLE_HANDLE handle = 0;
        if (!picture || FAILED(picture.get()->get_Handle(&handle))) return "";
        return desk.Windows().IconIdentity(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)));
    }

    emu::Desktop desk;
    size_t icons = 0;
};

struct ListCase {
    Variant item;
    UINT flags;
    LONG index; // expected 1-based index, 0 for none
    int count;  // pictures in the list afterwards
};

TEST_F(mmFileIconTest, EachShellIconEntersTheListOnce) {
    LONG_PTR dirList = PidlFromPath(nullptr, "C:\\dir");
    for (int size : {16, 32}) {
        KeyedImageList list(size, size);
        const ListCase cases[] = {
            {Variant("C:\\a.txt"), 0, 1, 1},
            {Variant("C:\\b.txt"), 0, 1, 1}, // the same icon as a.txt
            {Variant("C:\\dir"), 0, 2, 2},
            {Variant::Long(dirList), 0, 2, 2}, // the folder again, by its list
            {Variant("C:\\page.htm"), 0, 3, 3},
            {Variant(".htm"), SHGFI_USEFILEATTRIBUTES, 3, 3},
            {Variant("C:\\missing.txt"), 0, 0, 3},
            {Variant("C:\\missing.txt"), SHGFI_USEFILEATTRIBUTES, 1, 3},
        };
        for (const ListCase& c : cases) {
            EXPECT_EQ(IconIndexInList(list, c.item, c.flags), c.index) << size << " " << c.item.Text();
            EXPECT_EQ(list.Count(), c.count) << size << " " << c.item.Text();
        }
        // The pictures are the shell's, of the list's size, under "A" and the system index.
        const char* paths[] = {"C:\\a.txt", "C:\\dir", "C:\\page.htm"};
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(ListIcon(list, i), ShellIcon(paths[i - 1], size > 16)) << size << " " << paths[i - 1];
            EXPECT_EQ(list.Key(i).substr(0, 1), "A");
        }
        EXPECT_NE(ShellIcon("C:\\a.txt", true), ShellIcon("C:\\a.txt", false)) << "the sizes are told apart";
    }
    FreePidl(dirList);
}

TEST_F(mmFileIconTest, GetFileIconPictureGivesTheShellsIconOrNothing) {
    struct Case {
        const char* path;
        LONG large;
        UINT flags;
        bool found;
    };
    const Case cases[] = {
        {"C:\\a.txt", 0, 0, true},
        {"C:\\a.txt", 1, 0, true},
        {"C:\\dir", -1, 0, true},
        {"C:\\missing.txt", 0, 0, false},
        {"C:\\missing.txt", 0, SHGFI_USEFILEATTRIBUTES, true},
        {".htm", 0, SHGFI_USEFILEATTRIBUTES, true},
    };
    for (const Case& c : cases) {
        vireo::PicturePtr picture = vireo::GetFileIconPicture(Variant(c.path), c.large, c.flags);
        ASSERT_EQ(static_cast<bool>(picture), c.found) << c.path;
        if (!picture) continue;
        SHORT type = 0;
        picture.get()->get_Type(&type);
        EXPECT_EQ(type, PICTYPE_ICON);
        std::string want = ShellIcon(c.path, c.large != 0, c.flags);
        EXPECT_EQ(PictureIcon(picture), want.substr(0, want.find('#'))) << c.path;
    }
    LONG_PTR desktop = SpecialFolderPidl(nullptr, CSIDL_DRIVES);
    EXPECT_TRUE(vireo::GetFileIconPicture(Variant::Long(desktop), 0, 0));
    FreePidl(desktop);
}

TEST_F(mmFileIconTest, IconToPictureOwnsTheIcon) {
    EXPECT_FALSE(vireo::IconToPicture(nullptr));
    HICON icon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    ASSERT_EQ(desk.Windows().LiveIconCount(), icons + 1);
    {
        vireo::PicturePtr picture = vireo::IconToPicture(icon);
        ASSERT_TRUE(picture);
        EXPECT_EQ(PictureIcon(picture), desk.Windows().IconIdentity(icon));
    }
    EXPECT_EQ(desk.Windows().LiveIconCount(), icons) << "released with the picture";
}

TEST_F(mmFileIconTest, KeysAreUniqueWithoutRegardToCase) {
    KeyedImageList list(16, 16);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    struct Case {
        const char* key;
        int index;
    };
    const Case cases[] = {{"Tree", 1}, {"TREE", 0}, {"", 2}, {"", 3}, {"URL", 4}, {"tree", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(list.AddIcon(icon, c.key, std::string("tag of ") + c.key), c.index) << c.key;
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 4);
    EXPECT_EQ(list.IndexOf("url"), 4);
    EXPECT_EQ(list.IndexOf(""), 0);
    EXPECT_EQ(list.Key(1), "Tree");
    EXPECT_EQ(list.Tag(4), "tag of URL");
    list.SetTag(4, "web");
    EXPECT_EQ(list.Tag(4), "web");
    EXPECT_EQ(list.Key(5), "");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.IndexOf("Tree"), 0);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 0);
    EXPECT_EQ(list.AddIcon(icon, "Tree"), 1);
}

} // namespace
