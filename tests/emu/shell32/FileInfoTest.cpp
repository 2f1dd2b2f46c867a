#include "emu/shell32/ShellTestDesktop.h"

namespace {

class FileInfoTest : public shelltest::ShellTest {};

struct InfoCase {
    const char* path;
    DWORD fileAttributes;
    UINT flags;
    bool found;
    const char* displayName;
    const char* typeName;
};

TEST_F(FileInfoTest, AnswersByPathAndFromTheNameAlone) {
    desk.Files().WriteFile("C:\\a\\notes.txt");
    const UINT names = SHGFI_DISPLAYNAME | SHGFI_TYPENAME;
    const InfoCase cases[] = {
        {"C:\\a\\notes.txt", 0, names, true, "notes", "Text Document"},
        {"c:\\A\\NOTES.TXT", 0, names, true, "notes", "Text Document"},
        {"C:\\a", 0, names, true, "a", "File Folder"},
        {"C:\\", 0, names, true, "Local Disk (C:)", "Local Disk"},
        {"C:\\a\\missing.txt", 0, names, false, "", ""},
        {"C:\\a\\missing.txt", 0, names | SHGFI_USEFILEATTRIBUTES, true, "missing", "Text Document"},
        {".txt", 0, names | SHGFI_USEFILEATTRIBUTES, true, ".txt", "Text Document"},
        {".HTM", 0, SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES, true, "", "HTML Document"},
        {"x.xyz", 0, names | SHGFI_USEFILEATTRIBUTES, true, "x.xyz", "XYZ File"},
        {"folder.txt", FILE_ATTRIBUTE_DIRECTORY, names | SHGFI_USEFILEATTRIBUTES, true, "folder.txt",
         "File Folder"},
    };
    for (const auto& c : cases) {
        SHFILEINFOA info{};
        DWORD_PTR result = SHGetFileInfoA(c.path, c.fileAttributes, &info, sizeof info, c.flags);
        EXPECT_EQ(result != 0, c.found) << c.path;
        EXPECT_STREQ(info.szDisplayName, c.displayName) << c.path;
        EXPECT_STREQ(info.szTypeName, c.typeName) << c.path;
    }
}

TEST_F(FileInfoTest, AnswersByListAndMasksAttributes) {
    desk.Files().WriteFile("C:\\b\\c\\d.txt");
    LPITEMIDLIST pidl = Parse("C:\\b");
    SHFILEINFOA info{};
    ASSERT_EQ(SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                             SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES),
              1u);
    EXPECT_STREQ(info.szDisplayName, "b");
    EXPECT_EQ(info.dwAttributes & (SFGAO_FOLDER | SFGAO_HASSUBFOLDER), SFGAO_FOLDER | SFGAO_HASSUBFOLDER);

    info.dwAttributes = SFGAO_CANDELETE;
    ASSERT_NE(SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                             SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED),
              0u);
    EXPECT_EQ(info.dwAttributes, static_cast<DWORD>(SFGAO_CANDELETE));
    ILFree(pidl);

    const BYTE junk[] = {4, 0, 0x7E, 0, 0, 0};
    EXPECT_EQ(
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(junk), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME),
        0u);
}

} // namespace
