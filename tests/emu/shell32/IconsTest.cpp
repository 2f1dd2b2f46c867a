#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/user32/WindowManager.h"

namespace {

class IconsTest : public shelltest::ShellTest {
protected:
    int IconIndex(const char* path, UINT flags = 0, DWORD attributes = 0) {
        SHFILEINFOA info{};
        info.iIcon = -1;
        if (!SHGetFileInfoA(path, attributes, &info, sizeof info,
                            SHGFI_SYSICONINDEX | SHGFI_SMALLICON | flags))
            return -1;
        return info.iIcon;
    }
};

TEST_F(IconsTest, OneIconPerTypeInTheSystemList) {
    for (const char* file : {"C:\\i\\a.txt", "C:\\i\\b.TXT", "C:\\i\\c.log", "C:\\i\\d.htm", "C:\\i\\e.xyz"})
        desk.Files().WriteFile(file);
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    int text = IconIndex("C:\\i\\a.txt");
    EXPECT_EQ(IconIndex("C:\\i\\b.TXT"), text);
    EXPECT_EQ(IconIndex("C:\\i\\c.log"), text); // .log is a txtfile too
    EXPECT_EQ(IconIndex(".txt", SHGFI_USEFILEATTRIBUTES), text);
    int html = IconIndex("C:\\i\\d.htm");
    EXPECT_NE(html, text);
    int folder = IconIndex("C:\\i");
    EXPECT_EQ(IconIndex("anything", SHGFI_USEFILEATTRIBUTES, FILE_ATTRIBUTE_DIRECTORY), folder);
    EXPECT_NE(IconIndex("C:\\i", SHGFI_OPENICON), folder);
    EXPECT_NE(IconIndex("C:\\"), IconIndex("D:\\"));
    EXPECT_NE(IconIndex("C:\\i\\e.xyz"), text);
    EXPECT_EQ(IconIndex("C:\\i\\missing.txt"), -1);

    SHFILEINFOA info{};
    DWORD_PTR small =
        SHGetFileInfoA("C:\\i\\a.txt", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    DWORD_PTR large = SHGetFileInfoA("C:\\i\\a.txt", 0, &info, sizeof info, SHGFI_SYSICONINDEX);
    ASSERT_NE(small, 0u);
    ASSERT_NE(large, 0u);
    EXPECT_NE(small, large);
    EXPECT_GT(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(small)), html);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(large), &cx, &cy);
    EXPECT_EQ(cx, 32);
}

TEST_F(IconsTest, IconHandlesBelongToTheCaller) {
    desk.Files().WriteFile("C:\\i\\a.txt");
    SHFILEINFOA small{}, large{};
    ASSERT_EQ(SHGetFileInfoA("C:\\i\\a.txt", 0, &small, sizeof small, SHGFI_ICON | SHGFI_SMALLICON), 1u);
    ASSERT_EQ(SHGetFileInfoA("C:\\i\\a.txt", 0, &large, sizeof large, SHGFI_ICON | SHGFI_LARGEICON), 1u);
    ASSERT_NE(small.hIcon, nullptr);
    EXPECT_EQ(small.iIcon, large.iIcon);
    EXPECT_NE(desk.Windows().IconIdentity(small.hIcon), desk.Windows().IconIdentity(large.hIcon));
    EXPECT_TRUE(DestroyIcon(small.hIcon));
    EXPECT_TRUE(DestroyIcon(large.hIcon));
}

TEST_F(IconsTest, PicturesOwnTheirIcons) {
    desk.Files().WriteFile("C:\\i\\a.txt");
    SHFILEINFOA info{};
    ASSERT_EQ(SHGetFileInfoA("C:\\i\\a.txt", 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON), 1u);
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_ICON;
    desc.icon.hicon = info.hIcon;
    void* object = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, &object), S_OK);
    auto* picture = static_cast<IPicture*>(object);
    SHORT type = 0;
    EXPECT_EQ(picture->get_Type(&type), S_OK);
    EXPECT_EQ(type, PICTYPE_ICON);
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    EXPECT_EQ(handle, static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(info.hIcon)));
    EXPECT_EQ(picture->Release(), 0u);
    EXPECT_FALSE(DestroyIcon(info.hIcon)); // the picture destroyed it

    desc.cbSizeofstruct = 12;
    EXPECT_EQ(OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, &object), E_INVALIDARG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(OleCreatePictureIndirect(nullptr, IID_IMalloc, FALSE, &object), E_NOINTERFACE);
}

} // namespace
