// What a file-system item carries of its entry: the attributes, size and time the listing saw, the same
// as a search reports, read back through SHGetDataFromIDListA without looking at the file again.
#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/api/shlobj_data.h"
#include <filesystem>

namespace {

class ItemDataTest : public shelltest::ShellTest {
protected:
    // The find data a search reports for a path.
    static WIN32_FIND_DATAA Searched(const char* path) {
        WIN32_FIND_DATAA data{};
        HANDLE find = FindFirstFileA(path, &data);
        EXPECT_NE(find, INVALID_HANDLE_VALUE) << path;
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
        return data;
    }
    // Every item of a folder, by its name, with its find data.
    std::vector<std::pair<std::string, WIN32_FIND_DATAA>> Listed(const std::string& folderPath) {
        std::vector<std::pair<std::string, WIN32_FIND_DATAA>> out;
        LPITEMIDLIST pidl = Parse(folderPath);
        void* bound = nullptr;
        EXPECT_EQ(Desktop()->BindToObject(pidl, nullptr, IID_IShellFolder, &bound), S_OK);
        ILFree(pidl);
        auto* folder = static_cast<IShellFolder*>(bound);
        IEnumIDList* items = nullptr;
        EXPECT_EQ(folder->EnumObjects(nullptr, shelltest::kAll, &items), S_OK);
        LPITEMIDLIST item = nullptr;
        while (items && items->Next(1, &item, nullptr) == S_OK) {
            WIN32_FIND_DATAA data{};
            EXPECT_EQ(SHGetDataFromIDListA(folder, item, SHGDFIL_FINDDATA, &data, sizeof data), S_OK);
            out.emplace_back(NameOf(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING), data);
            ILFree(item);
        }
        if (items) items->Release();
        folder->Release();
        return out;
    }
};

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

TEST_F(ItemDataTest, ListedItemsCarryWhatASearchReports) {
    desk.Files().WriteFile("C:\\Data\\empty.txt");
    desk.Files().WriteFile("C:\\Data\\five.bin", "12345");
    desk.Files().WriteFile("C:\\Data\\caf\xE9.doc", std::string(3000, 'x'));
    desk.Files().MakeDir("C:\\Data\\Sub");
    desk.Files().WriteFile("C:\\Data\\.hidden", "h");
    SetFileAttributesA("C:\\Data\\five.bin", FILE_ATTRIBUTE_READONLY);
    std::filesystem::last_write_time(desk.Files().Resolve("C:\\Data\\five.bin").value(),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(50));
    const auto listed = Listed("C:\\Data");
    ASSERT_EQ(listed.size(), 5u);
    for (const auto& [name, data] : listed) {
        SCOPED_TRACE(name);
        const WIN32_FIND_DATAA want = Searched(("C:\\Data\\" + emu::Utf8ToAnsi(name)).c_str());
        EXPECT_STREQ(data.cFileName, want.cFileName);
        EXPECT_EQ(data.dwFileAttributes, want.dwFileAttributes);
        EXPECT_EQ(data.nFileSizeLow, want.nFileSizeLow);
        EXPECT_EQ(data.nFileSizeHigh, want.nFileSizeHigh);
        EXPECT_TRUE(SameTime(data.ftLastWriteTime, want.ftLastWriteTime));
        EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    }
}

TEST_F(ItemDataTest, AParsedItemCarriesItsDetailsToo) {
    desk.Files().WriteFile("C:\\Data\\notes.txt", "hello");
    LPITEMIDLIST pidl = Parse("c:\\data\\NOTES.TXT");
    ASSERT_TRUE(pidl);
    WIN32_FIND_DATAA data{};
    EXPECT_EQ(SHGetDataFromIDListA(Desktop(), pidl, SHGDFIL_FINDDATA, &data, sizeof data), S_OK);
    EXPECT_STREQ(data.cFileName, "notes.txt");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(SameTime(data.ftLastWriteTime, Searched("C:\\Data\\notes.txt").ftLastWriteTime));
    ILFree(pidl);
}

TEST_F(ItemDataTest, RefusesWhatIsNoFileSystemItem) {
    desk.Files().WriteFile("C:\\a.txt", "a");
    LPITEMIDLIST file = Parse("C:\\a.txt");
    LPITEMIDLIST drive = Parse("C:\\");
    LPITEMIDLIST computer = Parse("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    ASSERT_TRUE(file && drive && computer);
    WIN32_FIND_DATAA data{};
    const int size = sizeof data;
    struct Case {
        const char* what;
        IShellFolder* folder;
        LPCITEMIDLIST pidl;
        int format;
        void* out;
        int size;
        HRESULT want;
    } cases[] = {
        {"a file", Desktop(), file, SHGDFIL_FINDDATA, &data, size, S_OK},
        {"a drive", Desktop(), drive, SHGDFIL_FINDDATA, &data, size, E_INVALIDARG},
        {"a virtual folder", Desktop(), computer, SHGDFIL_FINDDATA, &data, size, E_INVALIDARG},
        {"a short buffer", Desktop(), file, SHGDFIL_FINDDATA, &data, size - 1, E_INVALIDARG},
        {"another form", Desktop(), file, 2, &data, size, E_INVALIDARG},
        {"no folder", nullptr, file, SHGDFIL_FINDDATA, &data, size, E_INVALIDARG},
        {"no item", Desktop(), nullptr, SHGDFIL_FINDDATA, &data, size, E_INVALIDARG},
        {"no buffer", Desktop(), file, SHGDFIL_FINDDATA, nullptr, size, E_INVALIDARG},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SHGetDataFromIDListA(c.folder, c.pidl, c.format, c.out, c.size), c.want) << c.what;
    ILFree(file);
    ILFree(drive);
    ILFree(computer);
}

} // namespace
