#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/shell32/Items.h"
#include <gtest/gtest.h>

using namespace emu::shell;

namespace {

const GUID kClass = {0x20D04FE0, 0x3AEA, 0x1069, {0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};

std::optional<Item> ReadPacked(const std::string& packed) {
    std::string list = packed + std::string(2, '\0');
    return ReadItem(reinterpret_cast<LPCITEMIDLIST>(list.data()));
}

TEST(ItemsTest, EveryKindReadsBackAsPacked) {
    auto root = ReadPacked(PackClassItem(ItemType::RootClass, kClass, 0x50));
    ASSERT_TRUE(root);
    EXPECT_EQ(root->type, ItemType::RootClass);
    EXPECT_TRUE(root->clsid == kClass);
    EXPECT_EQ(PackClassItem(ItemType::RootClass, kClass, 0x50).size(), 20u); // as Windows XP packs it

    auto drive = ReadPacked(PackNamedItem(ItemType::Drive, "C:\\"));
    ASSERT_TRUE(drive);
    EXPECT_EQ(drive->name, "C:\\");

    const FileDetails details{0x21, 0x123456789Aull, 0x01DC2B3C4D5E6F70ull};
    auto file = ReadPacked(PackFileItem(false, "\xE6\x97\xA5.txt", details));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->type, ItemType::File);
    EXPECT_EQ(file->name, "\xE6\x97\xA5.txt");
    EXPECT_EQ(file->attributes, 0x21u);
    EXPECT_EQ(file->size, 0x123456789Aull);
    EXPECT_EQ(file->written, 0x01DC2B3C4D5E6F70ull);
    // cb, type, 0, attributes, size, time, the name and its NUL
    EXPECT_EQ(PackFileItem(false, "a.txt", details).size(), 2u + 2 + 4 + 8 + 8 + 6);

    auto share = ReadPacked(PackNamedItem(ItemType::Share, "public"));
    ASSERT_TRUE(share);
    EXPECT_EQ(share->name, "public");
}

TEST(ItemsTest, ForeignBytesAreNotItems) {
    const std::string cases[] = {
        std::string("\x03\x00\x31", 3), // a file item too short for its attributes
        std::string("\x0A\x00\x32\x00\x20\x00\x00\x00"
                    "a\0",
                    10), // a file item without its size and time
        std::string("\x17\x00\x32\x00\x20\x00\x00\x00"
                    "\x01\x00\x00\x00\x00\x00\x00\x00"
                    "\x02\x00\x00\x00\x00\x00\x00\x00"
                    "a",
                    23), // a file item whose name has no NUL
        std::string("\x16\x00\x31\x00\x10\x00\x00\x00"
                    "\x00\x00\x00\x00\x00\x00\x00\x00"
                    "\x00\x00\x00\x00\x00\x00\x00\x00",
                    22),                        // a folder item without a name
        std::string("\x05\x00\x99\x01\x02", 5), // an unknown type
        std::string("\x07\x00\x2F"
                    "C:\\x",
                    7), // a drive name without its NUL
        std::string("\x07\x00\x2F"
                    "CC\\\0",
                    7),                             // not a drive root
        std::string("\x06\x00\x42\x00\x00\x00", 6), // an empty server name
        std::string("\x02\x00", 2),                 // nothing but a size
    };
    for (const auto& packed : cases) {
        std::string list = packed + std::string(2, '\0');
        EXPECT_FALSE(ReadItem(reinterpret_cast<LPCITEMIDLIST>(list.data()))) << packed.size();
    }
}

TEST(ItemsTest, ListsComeFromTheTaskAllocator) {
    long before = emu::TaskAllocator::LiveBlocks();
    std::string packed = PackNamedItem(ItemType::Drive, "D:\\") + PackFileItem(true, "dir", {0x10, 0, 0});
    LPITEMIDLIST pidl = AllocList(packed);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before + 1);
    EXPECT_EQ(ListBytes(pidl), packed);
    EXPECT_EQ(ListBytes(nullptr), "");
    CoTaskMemFree(pidl);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
}

} // namespace
