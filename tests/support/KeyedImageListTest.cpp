// The image list with keys and tags: pictures counted from 1, keys unique without regard to case.
#include "platform/emu/Desktop.h"
#include "support/KeyedImageList.h"
#include <gtest/gtest.h>

namespace {

class KeyedImageListTest : public ::testing::Test {
protected:
    HBITMAP NewBitmap() {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
        ReleaseDC(nullptr, screen);
        bitmaps.push_back(bitmap);
        return bitmap;
    }
    ~KeyedImageListTest() override {
        for (HBITMAP b : bitmaps)
            DeleteObject(b);
    }
    emu::Desktop desk;
    std::vector<HBITMAP> bitmaps;
};

TEST_F(KeyedImageListTest, KeysAreUniqueWithoutRegardToCaseAndTagsStayWithTheirPictures) {
    vireo::KeyedImageList list(16, 16, RGB(192, 192, 192));
    struct Case {
        const char* key;
        const char* tag;
        int index; // what the add returns: 0 when refused
    } cases[] = {
        {"C:\\", "LOCAL DISK (C:)", 1},
        {"Tree", "Show or Hide Folder Treeview", 2},
        {"tree", "another", 0}, // the key is taken
        {"", "no key", 3},
        {"", "no key again", 4}, // an empty key is no key
        {"E:\\", "", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.AddBitmap(NewBitmap(), c.key, c.tag), c.index) << c.key << " " << c.tag;
    EXPECT_EQ(list.AddBitmap(nullptr, "F:\\"), 0) << "no picture";
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 5);
    for (const Case& c : cases)
        if (c.index) {
            EXPECT_EQ(list.Key(c.index), c.key);
            EXPECT_EQ(list.Tag(c.index), c.tag);
        }
    EXPECT_EQ(list.IndexOf("TREE"), 2);
    EXPECT_EQ(list.IndexOf(""), 0);
    EXPECT_EQ(list.Tag(0), "");
    EXPECT_EQ(list.Tag(6), "");
    list.SetTag(5, "CD DRIVE (E:)");
    EXPECT_EQ(list.Tag(5), "CD DRIVE (E:)");

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(ImageList_GetImageCount(list.Handle()), 0);
    EXPECT_EQ(list.IndexOf("Tree"), 0);
    EXPECT_EQ(list.AddBitmap(NewBitmap(), "Tree"), 1) << "a cleared key is free again";
}

} // namespace
