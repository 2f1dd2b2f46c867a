// Image lists: icons copied in by identity, read back as new icons, and counted for leaks.
#include "emu/comctl32/Controls.h"

namespace {

TEST(ImageListTest, IconsAreCopiedInAndHandedOutAsNewIcons) {
    emu::Desktop d;
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    ASSERT_TRUE(list);
    HICON folder = d.Windows().NewIcon("folder");
    HICON web = d.Windows().NewIcon("web");
    EXPECT_EQ(ImageList_AddIcon(list, folder), 0);
    EXPECT_EQ(ImageList_AddIcon(list, web), 1);
    EXPECT_TRUE(DestroyIcon(folder)) << "the list keeps its own copy";
    EXPECT_EQ(ImageList_GetImageCount(list), 2);
    HICON got = ImageList_GetIcon(list, 0, ILD_NORMAL);
    EXPECT_EQ(d.Windows().IconIdentity(got), "folder");
    EXPECT_NE(got, folder);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 0, web), 0);
    HICON replaced = ImageList_GetIcon(list, 0, ILD_NORMAL);
    EXPECT_EQ(d.Windows().IconIdentity(replaced), "web");
    EXPECT_EQ(ImageList_ReplaceIcon(list, 5, web), -1);
    EXPECT_EQ(ImageList_GetIcon(list, 2, 0), nullptr);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_EQ(ImageList_GetImageCount(list), 1);
    EXPECT_TRUE(ImageList_RemoveAll(list));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);

    EXPECT_EQ(d.Windows().LiveIconCount(), 3u);
    EXPECT_EQ(d.Windows().LiveImageListCount(), 1u);
    for (HICON h : {web, got, replaced})
        EXPECT_TRUE(DestroyIcon(h));
    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(d.Windows().LiveIconCount(), 0u);
    EXPECT_EQ(d.Windows().LiveImageListCount(), 0u);
}

TEST(ImageListTest, StockIconsAreSharedAndNeverCounted) {
    emu::Desktop d;
    HICON a = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_EQ(LoadIconA(nullptr, IDI_APPLICATION), a);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(1), "APPICON"), nullptr);
    EXPECT_TRUE(DestroyIcon(a));
    EXPECT_EQ(d.Windows().IconIdentity(a), "icon:32512");
    EXPECT_EQ(d.Windows().LiveIconCount(), 0u);
}

TEST(GdiTest, ObjectsAreCountedUntilDeleted) {
    emu::Desktop d;
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_BOLD;
    strcpy(lf.lfFaceName, "Tahoma");
    HFONT font = CreateFontIndirectA(&lf);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HDC dc = GetDC(nullptr);
    EXPECT_EQ(d.Windows().LiveGdiObjectCount(), 3u);
    LOGFONTA back{};
    EXPECT_EQ(GetObjectA(font, sizeof back, &back), static_cast<int>(sizeof back));
    EXPECT_STREQ(back.lfFaceName, "Tahoma");
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_EQ(old, GetStockObject(SYSTEM_FONT));
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, "abcd", 4, &size));
    EXPECT_EQ(size.cx, 4 * (size.cx / 4));
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(9, 9, 9));
    EXPECT_FALSE(DeleteObject(font)) << "a font selected into a DC is not deleted";
    SelectObject(dc, old);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))) << "deleting a stock object is harmless";
    EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
    EXPECT_EQ(d.Windows().LiveGdiObjectCount(), 0u);
}

} // namespace
