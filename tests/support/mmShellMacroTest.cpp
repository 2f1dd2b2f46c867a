#include "support/mmShellMacro.h"
#include "emu/shell32/ListBytes.h"
#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "tests/conformance/HostNumbers.h"
#include <filesystem>

using testlists::Make;
using testlists::Packed;
using testlists::Read;

using namespace vireo;

namespace {

LONG_PTR N(const void* p) {
    return reinterpret_cast<LONG_PTR>(p);
}
LPCITEMIDLIST P(LONG_PTR n) {
    return reinterpret_cast<LPCITEMIDLIST>(n);
}

class mmShellMacroTest : public shelltest::ShellTest {
protected:
    LONG_PTR Path(const std::string& path) { return PidlFromPath(nullptr, path); }
    std::string ParsingName(LONG_PTR pidl) { return emu::ShellNamespace::DisplayPath(P(pidl)); }
};

struct ShapeCase {
    std::vector<uint16_t> sizes;
    int16_t itemSize, count, size;
};

TEST_F(mmShellMacroTest, SizesAndCountsStepBySizeFields) {
    const ShapeCase cases[] = {
        {{}, 0, 0, 2},     {{7}, 7, 1, 9}, {{20, 14}, 20, 2, 36}, {{3, 4, 5, 6, 7}, 3, 5, 27},
        {{2, 2}, 2, 2, 6}, // items holding no bytes at all
    };
    for (const auto& c : cases) {
        LONG_PTR pidl = N(Make(c.sizes));
        EXPECT_EQ(PidlItemSize(pidl), c.itemSize);
        EXPECT_EQ(PidlItemCount(pidl), c.count);
        EXPECT_EQ(PidlSize(pidl), c.size);
        EXPECT_EQ(NextPidlItem(pidl), c.sizes.empty() ? 0 : pidl + c.sizes[0]);
        EXPECT_EQ(FreePidl(pidl), 0);
    }
    EXPECT_EQ(PidlItemSize(0), 0);
    EXPECT_EQ(PidlItemCount(0), 0);
    EXPECT_EQ(PidlSize(0), 0);
    EXPECT_EQ(NextPidlItem(0), 0);
    EXPECT_EQ(FreePidl(0), 0);
}

// Blocks of the task allocator holding chosen bytes, and numbers that are no block at all: the same rows the
// Wine checker runs against Wine's ole32.
TEST_F(mmShellMacroTest, OnlyWholeListsOfTheAllocatorAreReadable) {
    const auto outcomes = conformance::RunHostNumberRows();
    EXPECT_GE(outcomes.size(), 15u);
    for (const auto& o : outcomes)
        EXPECT_TRUE(o.ok()) << o.Describe();
    LONG_PTR freed = N(Make({4, 4}));
    FreePidl(freed);
    EXPECT_FALSE(IsAllocatedPidl(freed)) << "a freed block";
    EXPECT_FALSE(IsAllocatedPidl(-1));
}

struct CopyCase {
    int16_t n;
    std::vector<uint16_t> want; // the one item copied, by its size
};

TEST_F(mmShellMacroTest, CopyPidlItemClampsThePosition) {
    LONG_PTR pidl = N(Make({20, 14}));
    const CopyCase cases[] = {{1, {20}}, {2, {14}}, {5, {14}}, {-1, {14}}, {0, {20}}};
    for (const auto& c : cases) {
        LONG_PTR item = CopyPidlItem(pidl, c.n);
        // Make fills item k with the byte k: the copy of the second item holds 2s.
        std::vector<uint8_t> want = Packed(c.want);
        if (c.want[0] == 14) std::fill(want.begin() + 2, want.end() - 2, 2);
        EXPECT_EQ(Read(P(item)), want) << c.n;
        FreePidl(item);
    }
    FreePidl(pidl);
    LONG_PTR empty = N(Make({}));
    LONG_PTR copy = CopyPidlItem(empty, 1);
    EXPECT_EQ(Read(P(copy)), Packed({}));
    FreePidl(copy);
    FreePidl(empty);
    EXPECT_EQ(CopyPidlItem(0, 1), 0);
}

struct ConcatCase {
    bool firstNull;
    std::vector<uint16_t> first;
    bool secondNull;
    std::vector<uint16_t> second;
    std::vector<uint8_t> want;
};

TEST_F(mmShellMacroTest, ConcatPidlsJoinsAndFreesWhenTold) {
    std::vector<uint8_t> twoItems = Packed({4, 6});
    const ConcatCase cases[] = {
        {true, {}, true, {}, {0, 0}},         {true, {}, false, {4, 6}, twoItems},
        {false, {4, 6}, true, {}, twoItems},  {false, {}, false, {}, {0, 0}},
        {false, {4}, false, {}, Packed({4})}, {false, {3}, false, {3}, {3, 0, 1, 3, 0, 1, 0, 0}},
    };
    for (bool freeThem : {false, true}) {
        for (const auto& c : cases) {
            LONG_PTR a = c.firstNull ? 0 : N(Make(c.first));
            LONG_PTR b = c.secondNull ? 0 : N(Make(c.second));
            LONG_PTR joined = ConcatPidls(a, b, freeThem, freeThem);
            EXPECT_EQ(Read(P(joined)), c.want);
            FreePidl(joined);
            if (!freeThem) {
                FreePidl(a);
                FreePidl(b);
            }
        }
    }
}

TEST_F(mmShellMacroTest, PidlToBytesCopiesTheWholeList) {
    LONG_PTR pidl = N(Make({5, 3}));
    vireo::Variant bytes = PidlToBytes(pidl);
    ASSERT_EQ(bytes.Type(), vireo::VarType::Bytes);
    EXPECT_EQ(bytes.BytesValue(), Packed({5, 3}));
    EXPECT_TRUE(PidlToBytes(0).IsEmpty());
    FreePidl(pidl);
}

TEST_F(mmShellMacroTest, GuidsAndResults) {
    GUID guid;
    MakeOleGuid(guid, 0x000214E6, 0, 0);
    EXPECT_TRUE(guid == IID_IShellFolder);
    MakeGuid(guid, 0x7BF80980, 0xBF32, 0x101A, 0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB);
    EXPECT_TRUE(guid == IID_IPicture);
    EXPECT_TRUE(IsSucceeded(S_FALSE));
    EXPECT_FALSE(IsSucceeded(E_FAIL));
    EXPECT_EQ(GetMalloc(), GetMalloc());
    EXPECT_NE(GetDesktopFolder(), nullptr);
}

TEST_F(mmShellMacroTest, PidlFromPathExFindsWhatParsingMisses) {
    desk.Files().WriteFile("C:\\Dir\\notes.txt");
    desk.Files().WriteFile("C:\\Dir\\Sub\\deep.txt");
    LONG_PTR root = Path("C:\\");
    LONG_PTR rootEx = PidlFromPathEx(nullptr, "C:\\");
    EXPECT_EQ(PidlToBytes(rootEx), PidlToBytes(root));
    FreePidl(rootEx);
    FreePidl(root);

    struct Case {
        const char* path;
        const char* want; // parsing name of the result, "" for none
    };
    const Case cases[] = {
        {"C:\\Dir\\", "C:\\Dir"},
        {"C:\\Dir\\notes", "C:\\Dir\\notes.txt"},         // the name the shell shows
        {"c:\\dir\\sub\\DEEP", "C:\\Dir\\Sub\\deep.txt"}, // walked from the root
        {"C:\\Dir\\missing\\deep", ""},
        {"C:\\Dir\\notes\\", "C:\\Dir\\notes.txt"},
        {"\\\\nobody\\x", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        LONG_PTR pidl = PidlFromPathEx(nullptr, c.path);
        EXPECT_EQ(ParsingName(pidl), c.want) << c.path;
        FreePidl(pidl);
    }
    EXPECT_EQ(Path("C:\\Dir\\notes"), 0); // the shell itself does not parse the shown name
}

TEST_F(mmShellMacroTest, FindChildItemIgnoresCase) {
    desk.Files().MakeDir("C:\\Program Files");
    LONG_PTR root = Path("C:\\");
    LONG_PTR child = FindChildItem(root, "program files");
    ASSERT_NE(child, 0);
    EXPECT_EQ(PidlItemCount(child), 1);
    LONG_PTR full = ChildPidlByName(root, "PROGRAM FILES");
    EXPECT_EQ(ParsingName(full), "C:\\Program Files");
    EXPECT_EQ(FindChildItem(root, "Program"), 0);
    EXPECT_EQ(ChildPidlByName(root, "nothing"), 0);
    FreePidl(full);
    FreePidl(child);
    FreePidl(root);
}

TEST_F(mmShellMacroTest, BindToFolderFallsBackToTheDesktop) {
    IShellFolder* folder = BindToFolder(GetDesktopFolder(), 0);
    EXPECT_EQ(DisplayNameOf(folder, 0, SHGDN_INFOLDER), "Desktop");
    folder->Release();
    LONG_PTR empty = N(Make({}));
    folder = BindToFolder(GetDesktopFolder(), empty);
    EXPECT_EQ(DisplayNameOf(folder, 0, SHGDN_INFOLDER), "Desktop");
    folder->Release();
    FreePidl(empty);
}

TEST_F(mmShellMacroTest, DisplayPathWalksEveryLevel) {
    desk.Files().WriteFile("C:\\a\\b\\c\\d\\e.txt");
    desk.Files().MountScratchShare("srv", "pub");
    struct Case {
        const char* path;
        const char* want;
    };
    const Case cases[] = {
        {"C:\\a\\b\\c\\d\\e.txt", "Desktop\\My Computer\\Local Disk (C:)\\a\\b\\c\\d\\e\\"},
        {"C:\\", "Desktop\\My Computer\\Local Disk (C:)\\"},
        {"\\\\srv\\pub", "Desktop\\My Network Places\\srv\\pub\\"},
    };
    for (const auto& c : cases) {
        LONG_PTR pidl = Path(c.path);
        EXPECT_EQ(PidlDisplayPath(pidl), c.want) << c.path;
        FreePidl(pidl);
    }
    EXPECT_EQ(PidlDisplayPath(0), "Desktop\\");
    LONG_PTR drives = SpecialFolderPidl(nullptr, CSIDL_DRIVES);
    EXPECT_EQ(PidlDisplayPath(drives), "Desktop\\My Computer\\");
    FreePidl(drives);
}

TEST_F(mmShellMacroTest, StrRetToStringReadsEveryForm) {
    LONG_PTR pidl = N(Make({6}));
    reinterpret_cast<char*>(pidl)[2] = 'h';
    reinterpret_cast<char*>(pidl)[3] = 'i';
    reinterpret_cast<char*>(pidl)[4] = 0;
    STRRET offset{};
    offset.uType = STRRET_OFFSET;
    offset.uOffset = 2;
    EXPECT_EQ(StrRetToString(offset, pidl), "hi");
    STRRET cstr{};
    cstr.uType = STRRET_CSTR;
    std::strcpy(cstr.cStr, "text");
    EXPECT_EQ(StrRetToString(cstr, 0), "text");
    STRRET wide{};
    wide.uType = STRRET_WSTR;
    const char16_t text[] = u"caf\u00E9 \u65E5";
    wide.pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc(sizeof text));
    std::memcpy(wide.pOleStr, text, sizeof text);
    EXPECT_EQ(StrRetToString(wide, 0), "caf\xE9 0"); // freed; what the code page lacks becomes 0
    STRRET other{};
    other.uType = 7;
    EXPECT_EQ(StrRetToString(other, 0), "");
    FreePidl(pidl);
}

TEST_F(mmShellMacroTest, AccessibleFoldersCanBeEnumerated) {
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    desk.Files().SetMedia('D', false);
    desk.Files().MakeDir("C:\\here");
    EXPECT_TRUE(IsFolderAccessible(nullptr, "C:\\here"));
    EXPECT_TRUE(IsFolderAccessible(nullptr, "C:\\"));
    EXPECT_FALSE(IsFolderAccessible(nullptr, "D:\\"));
    EXPECT_FALSE(IsFolderAccessible(nullptr, "C:\\nowhere"));
    EXPECT_FALSE(IsFolderAccessible(nullptr, ""));
}

TEST_F(mmShellMacroTest, FileInformationWrappers) {
    desk.Files().WriteFile("C:\\w\\notes.txt");
    LONG_PTR pidl = Path("C:\\w");
    EXPECT_EQ(DisplayNameOfPath(vireo::Variant("C:\\w\\notes.txt")), "notes");
    EXPECT_EQ(DisplayNameOfPath(vireo::Variant::Long(pidl)), "w");
    EXPECT_EQ(DisplayNameOfPath(vireo::Variant("C:\\none")), "");
    EXPECT_NE(FileAttributes(vireo::Variant::Long(pidl)) & SFGAO_FOLDER, 0);
    EXPECT_EQ(FileAttributes(vireo::Variant::Long(0)), 0);
    EXPECT_EQ(GetTypeName(".txt", SHGFI_USEFILEATTRIBUTES), "Text Document");
    EXPECT_EQ(GetTypeName("C:\\none.txt", 0), "");
    FreePidl(pidl);
}

TEST_F(mmShellMacroTest, AFolderThatDisappearsHasNoChildren) {
    std::filesystem::path host = desk.Files().MakeDir("C:\\gone");
    desk.Files().WriteFile("C:\\gone\\x.txt");
    LONG_PTR pidl = Path("C:\\gone");
    std::filesystem::remove_all(host);
    EXPECT_EQ(FindChildItem(pidl, "x"), 0);
    EXPECT_FALSE(CanEnumerate(nullptr, pidl));
    FreePidl(pidl);
}

} // namespace
