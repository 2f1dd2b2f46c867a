#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include <filesystem>
#include <fstream>

using shelltest::kAll;

namespace {

class ShellFolderTest : public shelltest::ShellTest {};

TEST_F(ShellFolderTest, DesktopListsTheComputerAndTheNetwork) {
    EXPECT_EQ(List("", kAll), (std::vector<std::string>{"My Computer", "My Network Places"}));
    EXPECT_EQ(List("", SHCONTF_NONFOLDERS), std::vector<std::string>{});
    EXPECT_EQ(NameOf(nullptr, SHGDN_INFOLDER), "Desktop");
    EXPECT_EQ(NameOf(nullptr, SHGDN_FORPARSING), "C:\\Documents and Settings\\User\\Desktop");
}

TEST_F(ShellFolderTest, ComputerShowsEveryDriveAsWindowsNamesIt) {
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    desk.Files().SetMedia('D', false);
    desk.Files().MountScratch('E', DRIVE_FIXED, "Backup");
    desk.Files().MountScratch('A', DRIVE_REMOVABLE, "");
    desk.Files().MountScratch('F', DRIVE_REMOVABLE, "");
    desk.Files().MountScratch('Z', DRIVE_REMOTE, "");
    EXPECT_EQ(
        List("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", kAll),
        (std::vector<std::string>{"3\xC2\xBD Floppy (A:)", "Local Disk (C:)", "CD Drive (D:)", "Backup (E:)",
                                  "Removable Disk (F:)", "Network Drive (Z:)", "Control Panel"}));
}

TEST_F(ShellFolderTest, TwentyFourDrivesAreAllListed) {
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        desk.Files().MountScratch(letter, DRIVE_FIXED, std::string("Disk ") + letter);
    std::vector<std::string> names = List("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", SHCONTF_FOLDERS);
    ASSERT_EQ(names.size(), 25u); // C: to Z: and the control panel
    EXPECT_EQ(names[0], "Local Disk (C:)");
    EXPECT_EQ(names[23], "Disk Z (Z:)");
    EXPECT_EQ(NameOfPath("z:\\", SHGDN_FORPARSING), "Z:\\");
}

struct NameCase {
    const char* path;
    SHGDNF flags;
    const char* want;
};

TEST_F(ShellFolderTest, DisplayNamesHideRegisteredExtensions) {
    for (const char* file : {"C:\\Docs\\notes.txt", "C:\\Docs\\data.xyz", "C:\\Docs\\README",
                             "C:\\Docs\\.txt", "C:\\Docs\\setup.EXE", "C:\\Docs\\my.dir\\x"})
        desk.Files().WriteFile(file);
    const NameCase cases[] = {
        {"C:\\Docs\\notes.txt", SHGDN_NORMAL, "notes"},
        {"C:\\Docs\\notes.txt", SHGDN_INFOLDER, "notes"},
        {"C:\\Docs\\notes.txt", SHGDN_FORPARSING, "C:\\Docs\\notes.txt"},
        {"C:\\Docs\\notes.txt", SHGDN_INFOLDER | SHGDN_FORPARSING, "notes.txt"},
        {"c:\\docs\\NOTES.TXT", SHGDN_FORPARSING, "C:\\Docs\\notes.txt"}, // the name as it is stored
        {"C:\\Docs\\data.xyz", SHGDN_NORMAL, "data.xyz"},
        {"C:\\Docs\\README", SHGDN_NORMAL, "README"},
        {"C:\\Docs\\.txt", SHGDN_NORMAL, ".txt"},
        {"C:\\Docs\\setup.EXE", SHGDN_NORMAL, "setup"},
        {"C:\\Docs\\my.dir", SHGDN_NORMAL, "my.dir"}, // folders keep their whole name
        {"C:\\", SHGDN_NORMAL, "Local Disk (C:)"},
        {"C:\\", SHGDN_FORPARSING, "C:\\"},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", SHGDN_NORMAL, "My Computer"},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", SHGDN_FORPARSING,
         "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
        {"::{208D2C60-3AEA-1069-A2D7-08002B30309D}", SHGDN_NORMAL, "My Network Places"},
        {"::{21EC2020-3AEA-1069-A2DD-08002B30309D}", SHGDN_NORMAL, "Control Panel"},
        {"::{21EC2020-3AEA-1069-A2DD-08002B30309D}", SHGDN_FORPARSING,
         "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameOfPath(c.path, c.flags), c.want) << c.path << " " << c.flags;
}

struct TypeCase {
    const char* path;
    const char* want;
};

TEST_F(ShellFolderTest, TypeNamesComeFromTheRegistry) {
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    for (const char* file : {"C:\\a\\notes.txt", "C:\\a\\data.xyz", "C:\\a\\README", "C:\\a\\b.LOG"})
        desk.Files().WriteFile(file);
    desk.Reg().RegisterFileType(".vir", "Vireo.Document", "Vireo Document", "vireo.exe \"%1\"");
    desk.Files().WriteFile("C:\\a\\x.vir");
    const TypeCase cases[] = {
        {"C:\\a\\notes.txt", "Text Document"},
        {"C:\\a\\b.LOG", "Text Document"},
        {"C:\\a\\data.xyz", "XYZ File"},
        {"C:\\a\\README", "File"},
        {"C:\\a\\x.vir", "Vireo Document"},
        {"C:\\a", "File Folder"},
        {"C:\\", "Local Disk"},
        {"D:\\", "CD Drive"},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "System Folder"},
    };
    for (const auto& c : cases) {
        SHFILEINFOA info{};
        ASSERT_NE(SHGetFileInfoA(c.path, 0, &info, sizeof info, SHGFI_TYPENAME), 0u) << c.path;
        EXPECT_STREQ(info.szTypeName, c.want) << c.path;
    }
}

struct AttributeCase {
    const char* path;
    SFGAOF set;
    SFGAOF clear;
};

TEST_F(ShellFolderTest, AttributesFollowWindows) {
    desk.Files().WriteFile("C:\\parent\\child\\f.txt");
    desk.Files().MakeDir("C:\\leaf");
    desk.Files().WriteFile("C:\\.hidden");
    const SFGAOF folder = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_CANCOPY |
                          SFGAO_CANDELETE | SFGAO_CANMOVE | SFGAO_CANRENAME;
    const AttributeCase cases[] = {
        {"C:\\parent", folder | SFGAO_HASSUBFOLDER, 0},
        {"C:\\leaf", folder, SFGAO_HASSUBFOLDER},
        {"C:\\parent\\child\\f.txt", SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANDELETE | SFGAO_STREAM,
         SFGAO_FOLDER | SFGAO_HIDDEN},
        {"C:\\.hidden", SFGAO_HIDDEN | SFGAO_FILESYSTEM, SFGAO_FOLDER},
        {"C:\\", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_HASSUBFOLDER, SFGAO_CANCOPY | SFGAO_CANDELETE},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", SFGAO_FOLDER | SFGAO_HASSUBFOLDER,
         SFGAO_CANCOPY | SFGAO_CANDELETE | SFGAO_FILESYSTEM},
        {"::{208D2C60-3AEA-1069-A2D7-08002B30309D}", SFGAO_FOLDER, SFGAO_CANCOPY | SFGAO_CANDELETE},
        {"::{21EC2020-3AEA-1069-A2DD-08002B30309D}", SFGAO_FOLDER, SFGAO_CANCOPY | SFGAO_CANDELETE},
    };
    for (const auto& c : cases) {
        SFGAOF attributes = AttributesOf(c.path);
        EXPECT_EQ(attributes & c.set, c.set) << c.path;
        EXPECT_EQ(attributes & c.clear, 0u) << c.path;
    }
}

TEST_F(ShellFolderTest, EnumerationFlagsChooseFoldersFilesAndHidden) {
    for (const char* file :
         {"C:\\d\\b.xyz", "C:\\d\\A.xyz", "C:\\d\\.secret", "C:\\d\\Sub\\x", "C:\\d\\a-dir\\x"})
        desk.Files().WriteFile(file);
    EXPECT_EQ(List("C:\\d", kAll), (std::vector<std::string>{".secret", "a-dir", "A.xyz", "b.xyz", "Sub"}));
    EXPECT_EQ(List("C:\\d", SHCONTF_FOLDERS), (std::vector<std::string>{"a-dir", "Sub"}));
    EXPECT_EQ(List("C:\\d", SHCONTF_NONFOLDERS), (std::vector<std::string>{"A.xyz", "b.xyz"}));
    EXPECT_EQ(List("C:\\d", SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN),
              (std::vector<std::string>{".secret", "A.xyz", "b.xyz"}));
}

struct ParseCase {
    const char* name;
    HRESULT hr;
    const char* parsing; // FORPARSING name of the result
};

TEST_F(ShellFolderTest, ParseDisplayNameTakesPathsUncNamesAndClassNames) {
    desk.Files().WriteFile("C:\\Program Files\\App\\app.exe");
    desk.Files().MountScratchShare("server", "public");
    desk.Files().WriteFile("\\\\server\\public\\doc.txt");
    desk.Files().MountScratch('D', DRIVE_CDROM, "");
    desk.Files().SetMedia('D', false);
    const ParseCase cases[] = {
        {"C:\\", S_OK, "C:\\"},
        {"c:", S_OK, "C:\\"},
        {"C:\\program files\\APP\\", S_OK, "C:\\Program Files\\App"},
        {"C:/Program Files/App/app.exe", S_OK, "C:\\Program Files\\App\\app.exe"},
        {"C:\\PROGRA~1\\app", S_OK, "C:\\Program Files\\App"}, // the 8.3 alias
        {"C:\\Program Files\\missing.txt", HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), ""},
        {"C:\\nowhere\\x.txt", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), ""},
        {"C:\\Program Files\\App\\app.exe\\x", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), ""},
        {"Q:\\", HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND), ""},
        {"D:\\", S_OK, "D:\\"},
        {"D:\\dir", HRESULT_FROM_WIN32(ERROR_NOT_READY), ""},
        {"\\\\server", S_OK, "\\\\server"},
        {"\\\\SERVER\\Public\\DOC.TXT", S_OK, "\\\\server\\public\\doc.txt"},
        {"\\\\nobody\\share", HRESULT_FROM_WIN32(ERROR_BAD_NETPATH), ""},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\C:\\Program Files", S_OK, "C:\\Program Files"},
        {"::{21EC2020-3AEA-1069-A2DD-08002B30309D}\\desk.cpl", S_OK,
         "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}\\desk.cpl"},
        {"::{00000000-0000-0000-0000-000000000000}", E_INVALIDARG, ""},
        {"readme.txt", E_INVALIDARG, ""},
    };
    for (const auto& c : cases) {
        HRESULT hr = S_OK;
        LPITEMIDLIST pidl = Parse(c.name, &hr);
        EXPECT_EQ(hr, c.hr) << c.name;
        if (pidl)
            EXPECT_EQ(NameOf(pidl, SHGDN_FORPARSING), c.parsing) << c.name;
        else
            EXPECT_STREQ(c.parsing, "") << c.name;
        ILFree(pidl);
    }
}

TEST_F(ShellFolderTest, SubfoldersParseNamesRelativeToThemselves) {
    desk.Files().WriteFile("C:\\a\\b\\c.txt");
    LPITEMIDLIST a = Parse("C:\\a");
    void* bound = nullptr;
    ASSERT_EQ(Desktop()->BindToObject(a, nullptr, IID_IShellFolder, &bound), S_OK);
    auto* folder = static_cast<IShellFolder*>(bound);
    std::u16string name = u"B\\C.TXT";
    LPITEMIDLIST relative = nullptr;
    ULONG eaten = 0, attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM;
    ASSERT_EQ(folder->ParseDisplayName(nullptr, nullptr, name.data(), &eaten, &relative, &attributes), S_OK);
    EXPECT_EQ(eaten, name.size());
    EXPECT_EQ(attributes, static_cast<ULONG>(SFGAO_FILESYSTEM));
    EXPECT_EQ(NameOf(folder, relative, SHGDN_FORPARSING), "C:\\a\\b\\c.txt");
    EXPECT_EQ(NameOf(folder, relative, SHGDN_INFOLDER), "c");
    ILFree(relative);
    folder->Release();
    ILFree(a);
}

TEST_F(ShellFolderTest, AFolderThatDisappearsFailsWhenListedNotWhenBound) {
    std::filesystem::path host = desk.Files().MakeDir("C:\\gone");
    desk.Files().WriteFile("C:\\gone\\x.txt");
    LPITEMIDLIST pidl = Parse("C:\\gone");
    std::filesystem::remove_all(host);

    void* bound = nullptr;
    ASSERT_EQ(Desktop()->BindToObject(pidl, nullptr, IID_IShellFolder, &bound), S_OK);
    auto* folder = static_cast<IShellFolder*>(bound);
    IEnumIDList* items = reinterpret_cast<IEnumIDList*>(1);
    EXPECT_EQ(folder->EnumObjects(nullptr, kAll, &items), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(items, nullptr);
    folder->Release();

    LPCITEMIDLIST list[] = {pidl};
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_VALIDATE;
    EXPECT_EQ(Desktop()->GetAttributesOf(1, list, &attributes), E_FAIL);
    EXPECT_EQ(NameOf(pidl, SHGDN_INFOLDER), "gone"); // the list still names it
    ILFree(pidl);
}

TEST_F(ShellFolderTest, NamesOutsideTheCodePageSurviveTheRoundTrip) {
    const std::string name = "\xCE\xA9mega \xE6\x97\xA5\xE6\x9C\xAC"; // "Ωmega 日本", made on the host
    std::filesystem::path host =
        desk.Files().MakeDir("C:\\u") / std::filesystem::path(std::u8string(name.begin(), name.end()));
    std::filesystem::create_directories(host);
    std::ofstream(host / "f.txt").put('x');
    EXPECT_EQ(List("C:\\u", kAll), std::vector<std::string>{name});
    EXPECT_EQ(List("C:\\u\\" + name, kAll), std::vector<std::string>{"f"});
    EXPECT_EQ(NameOfPath("C:\\U\\" + name + "\\F.TXT", SHGDN_FORPARSING), "C:\\u\\" + name + "\\f.txt");
    // The A functions see the name in the code page, with "?" for what it cannot hold.
    LPITEMIDLIST pidl = Parse("C:\\u\\" + name);
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListA(pidl, path));
    EXPECT_STREQ(path, "C:\\u\\?mega ??");
    ILFree(pidl);
}

TEST_F(ShellFolderTest, NetworkListsServersAndTheirShares) {
    desk.Files().MountScratchShare("beta", "docs");
    desk.Files().MountScratchShare("alpha", "music");
    desk.Files().MountScratchShare("alpha", "films");
    desk.Files().WriteFile("\\\\alpha\\films\\a.avi");
    EXPECT_EQ(List("::{208D2C60-3AEA-1069-A2D7-08002B30309D}", kAll),
              (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(List("\\\\alpha", kAll), (std::vector<std::string>{"films", "music"}));
    EXPECT_EQ(List("\\\\alpha\\films", kAll), std::vector<std::string>{"a.avi"});
    LPITEMIDLIST pidl = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &pidl), S_OK);
    EXPECT_EQ(NameOf(pidl, SHGDN_NORMAL), "My Network Places");
    ILFree(pidl);
}

TEST_F(ShellFolderTest, ControlPanelListsItsApplets) {
    std::vector<std::string> applets = List("::{21EC2020-3AEA-1069-A2DD-08002B30309D}", kAll);
    ASSERT_FALSE(applets.empty());
    EXPECT_EQ(applets.front(), "Accessibility Options");
    EXPECT_EQ(List("::{21EC2020-3AEA-1069-A2DD-08002B30309D}", SHCONTF_FOLDERS), std::vector<std::string>{});
}

TEST_F(ShellFolderTest, ListsEqualWithoutRegardToCase) {
    desk.Files().WriteFile("C:\\Dir\\File.txt");
    LPITEMIDLIST a = Parse("C:\\Dir\\File.txt");
    LPITEMIDLIST b = Parse("c:\\DIR\\file.TXT");
    LPITEMIDLIST c = Parse("C:\\Dir");
    EXPECT_TRUE(ILIsEqual(a, b));
    EXPECT_FALSE(ILIsEqual(a, c));
    EXPECT_FALSE(ILIsEqual(a, nullptr));
    HRESULT order = Desktop()->CompareIDs(0, c, a);
    EXPECT_LT(static_cast<short>(HRESULT_CODE(order)), 0); // a folder sorts before what it holds
    ILFree(a);
    ILFree(b);
    ILFree(c);
}

TEST_F(ShellFolderTest, UnknownBytesAreRefused) {
    const BYTE junk[] = {5, 0, 0x99, 1, 2, 0, 0};
    auto pidl = reinterpret_cast<LPCITEMIDLIST>(junk);
    STRRET strret{};
    EXPECT_EQ(Desktop()->GetDisplayNameOf(pidl, SHGDN_NORMAL, &strret), E_INVALIDARG);
    void* bound = nullptr;
    EXPECT_EQ(Desktop()->BindToObject(pidl, nullptr, IID_IShellFolder, &bound), E_INVALIDARG);
    EXPECT_EQ(bound, nullptr);
    EXPECT_EQ(emu::ShellNamespace::DisplayPath(pidl), "");
    char path[MAX_PATH];
    EXPECT_FALSE(SHGetPathFromIDListA(pidl, path));
}

TEST_F(ShellFolderTest, RenameKeepsTheHiddenExtension) {
    desk.Files().WriteFile("C:\\r\\old.txt");
    LPITEMIDLIST parent = Parse("C:\\r");
    void* bound = nullptr;
    ASSERT_EQ(Desktop()->BindToObject(parent, nullptr, IID_IShellFolder, &bound), S_OK);
    auto* folder = static_cast<IShellFolder*>(bound);
    LPITEMIDLIST absolute = Parse("C:\\r\\old.txt");
    LPITEMIDLIST renamed = nullptr;
    EXPECT_EQ(folder->SetNameOf(nullptr, ILFindLastID(absolute), u"new", SHGDN_INFOLDER, &renamed), S_OK);
    EXPECT_EQ(NameOf(folder, renamed, SHGDN_INFOLDER | SHGDN_FORPARSING), "new.txt");
    EXPECT_TRUE(desk.Files().Resolve("C:\\r\\new.txt").has_value());
    ILFree(renamed);
    ILFree(absolute);
    folder->Release();
    ILFree(parent);
}

TEST_F(ShellFolderTest, DisplayPathNamesListsForShellExecution) {
    desk.Files().WriteFile("C:\\x\\y.txt");
    LPITEMIDLIST file = Parse("C:\\x\\y.txt");
    LPITEMIDLIST computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    EXPECT_EQ(emu::ShellNamespace::DisplayPath(file), "C:\\x\\y.txt");
    EXPECT_EQ(emu::ShellNamespace::DisplayName(file), "y");
    EXPECT_TRUE(emu::ShellNamespace::IsFileSystem(file));
    EXPECT_FALSE(emu::ShellNamespace::IsFolder(file));
    EXPECT_EQ(emu::ShellNamespace::DisplayPath(computer), "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_FALSE(emu::ShellNamespace::IsFileSystem(computer));
    EXPECT_EQ(emu::ShellNamespace::DisplayPath(nullptr), "");
    ILFree(file);
    ILFree(computer);
}

} // namespace

// Parsing a name looks it up through the folder's index: the exact name, another case, a name the folder
// does not hold (as the control asks for "file" when the view hides ".txt") and an 8.3 alias, in a big
// folder, read whole once however many names are looked up.
TEST_F(ShellFolderTest, NamesAreFoundThroughTheFoldersIndex) {
    std::filesystem::path big = desk.Files().MakeDir("C:\\big");
    for (int i = 0; i < 5000; ++i)
        std::ofstream(big / ("File" + std::to_string(i) + ".txt"));
    std::ofstream(big / "Long Name Here.txt");
    const size_t scans = desk.Files().FolderScans();
    const struct {
        std::string path;
        std::string want; // the parsing name found, "" for none
    } cases[] = {
        {"C:\\big\\File17.txt", "C:\\big\\File17.txt"},
        {"c:\\BIG\\file4999.TXT", "C:\\big\\File4999.txt"},
        {"C:\\big\\File17", ""},
        {"C:\\big\\LONGNA~1.TXT", "C:\\big\\Long Name Here.txt"},
        {"C:\\big\\FILE17.TXT\\x", ""},
    };
    for (int round = 0; round < 200; ++round)
        for (const auto& c : cases) {
            HRESULT hr = S_OK;
            LPITEMIDLIST pidl = Parse(c.path, &hr);
            EXPECT_EQ(pidl ? NameOf(pidl, SHGDN_FORPARSING) : "", c.want) << c.path;
            ILFree(pidl);
            if (testing::Test::HasFailure()) return;
        }
    SHFILEINFOA info{};
    for (int i = 0; i < 5000; i += 3) { // as the control asks for the type of every hidden-extension item
        std::string hidden = "C:\\big\\File" + std::to_string(i);
        ASSERT_EQ(SHGetFileInfoA(hidden.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME), 0u) << hidden;
        ASSERT_NE(SHGetFileInfoA((hidden + ".TXT").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME), 0u);
    }
    EXPECT_LE(desk.Files().FolderScans() - scans, 1u) << "the folder is read whole once";
}
