// A folder of the host's mapped as a drive through vireo-host: names in UTF-8 on the host, Windows-1252
// for the control, and nothing written into the folder but what the script asks for.
#include "HostScript.h"
#include "platform/emu/Desktop.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

namespace fs = std::filesystem;

// The host folder a script maps, with its names as the host holds them.
class MappedFolderTest : public ::testing::Test {
protected:
    MappedFolderTest() {
        dir = fs::temp_directory_path() / ("vireo-mapped-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~MappedFolderTest() override { fs::remove_all(dir); }
    void Put(const std::string& utf8Name, const std::string& content) {
        std::ofstream(dir / utf8Name, std::ios::binary) << content;
    }
    std::string Content(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Every entry below the folder, as paths relative to it.
    std::set<std::string> Entries() {
        std::set<std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(dir))
            out.insert(fs::relative(e.path(), dir).string());
        return out;
    }
    std::string Mount() { return "mount C: at " + dir.string() + "\n"; }
    fs::path dir;
};

TEST_F(MappedFolderTest, MountingWritesNothingIntoTheFolder) {
    Put("a.txt", "a");
    int bad = -1;
    RunHost(Mount(), false, &bad);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(Entries(), (std::set<std::string>{"a.txt"}));
}

TEST_F(MappedFolderTest, TheTemporaryFolderAppearsOnlyWhenWrittenTo) {
    Put("a.txt", "a");
    RunHost(Mount() + "create\naddress C:\\\n");
    EXPECT_EQ(Entries(), (std::set<std::string>{"a.txt"}));
    // The directory listing is written into the temporary folder, which comes with it.
    RunHost(Mount() + "create\naddress C:\\\ninvoke PrintEx\n");
    EXPECT_EQ(Entries(),
              (std::set<std::string>{"a.txt", "WINDOWS", "WINDOWS/TEMP", "WINDOWS/TEMP/VireoBR.txt"}));
}

TEST_F(MappedFolderTest, NamesOfTheCodePageRoundTripAndOthersShowQuestionMarks) {
    Put("café.txt", "cafe");
    Put("über.txt", "uber");
    Put("日本.txt", "nihon");
    Put("ab.txt", "ab");
    fs::create_directory(dir / "Target");
    int bad = -1;
    auto out = RunHost(Mount() + R"(create
address C:\
show view
click café
clock 200
invoke GetSelectedFileList ""
invoke NavigateTV "C:\café.txt"
dialog press &Yes
answer FileOperationQuestion 0
invoke FileOperation int:3 C:\Target
click über
dialog clear
dialog type übel.txt
dialog press &Ok
invoke FileOperation int:0 ""
dialog type Ärger
dialog press &Ok
invoke FileOperation int:5 ""
file C:\Ünïcode.txt x
)",
                       false, &bad);
    const std::string printed = [&] {
        std::string s;
        for (const auto& l : out)
            s += l + "\n";
        return s;
    }();
    EXPECT_EQ(bad, 0) << printed;
    // Listed as written, the name outside the code page as "??" (its extension hidden like the others').
    EXPECT_TRUE(Contains(out, "\"café\"")) << printed;
    EXPECT_TRUE(Contains(out, "\"??\"")) << printed;
    // The click selects café.txt by its name, and the selection list gives it back as written.
    EXPECT_TRUE(Contains(out, "event NotifySelection 1 \"café.txt\"")) << printed;
    EXPECT_TRUE(Contains(out, "byref FileList \"café.txt<CR><LF>\"")) << printed;
    // Navigating to the file opens it.
    EXPECT_TRUE(Contains(out, "desktop ShellExecute \"open\" \"C:\\café.txt\"")) << printed;
    EXPECT_FALSE(Contains(out, "UNAVAILABLE")) << printed;
    // Copied, renamed and created under the names as written; nothing else touched.
    EXPECT_EQ(Content(dir / "Target" / "café.txt"), "cafe");
    EXPECT_EQ(Content(dir / "übel.txt"), "uber");
    EXPECT_TRUE(fs::is_directory(dir / "Ärger"));
    EXPECT_EQ(Content(dir / "Ünïcode.txt"), "x\r\n");
    EXPECT_EQ(Content(dir / "ab.txt"), "ab");
    EXPECT_EQ(Content(dir / "日本.txt"), "nihon");
    EXPECT_EQ(Entries(), (std::set<std::string>{"Target", "Target/café.txt", "café.txt", "übel.txt",
                                                "日本.txt", "ab.txt", "Ärger", "Ünïcode.txt"}))
        << printed;
}

TEST_F(MappedFolderTest, AQuestionMarkNameOpensNothing) {
    Put("日本.txt", "nihon");
    Put("ab.txt", "ab");
    auto out = RunHost(Mount() + "create\ninvoke NavigateTV \"C:\\??.txt\"\n");
    // "??" is no file name on Windows: the text is no existing file, so the control asks what it is.
    EXPECT_FALSE(Contains(out, "desktop ShellExecute"));
    EXPECT_EQ(Content(dir / "ab.txt"), "ab");
}

// A new folder named like a file is refused as already there (not as a bad name), and a rename to a device
// name is refused, leaving the file as it was.
TEST_F(MappedFolderTest, ANewFolderLikeAFileExistsAlreadyAndDeviceNamesAreRefused) {
    Put("ab.txt", "ab");
    Put("cd.txt", "cd");
    auto out = RunHost(Mount() + R"(create
address C:\
dialog type ab.txt
dialog press &Ok
invoke FileOperation int:5 ""
click cd
dialog clear
dialog type con
dialog press &Ok
invoke FileOperation int:0 ""
click cd
dialog clear
dialog type Nul.txt
dialog press &Ok
invoke FileOperation int:0 ""
)");
    EXPECT_TRUE(Contains(out, "desktop MessageBox \"Cannot create a file when that file already exists. \""));
    EXPECT_TRUE(Contains(out, "\"C:\\cd.txt\\0\\0\" \"C:\\con\\0\\0\" \"0\" \"267\""));
    EXPECT_TRUE(Contains(out, "\"C:\\cd.txt\\0\\0\" \"C:\\Nul.txt\\0\\0\" \"0\" \"267\""));
    EXPECT_EQ(Entries(), (std::set<std::string>{"ab.txt", "cd.txt"}));
}

// Texts that name no existing folder once Windows' path rules are applied are no locations the control
// knows: it asks what kind of address they are, and a drive path it says is unavailable.
TEST_F(MappedFolderTest, OddPathTextsAskOrReportUnavailable) {
    fs::create_directory(dir / "data");
    const struct {
        const char* text;
        bool asks;
    } cases[] = {
        {" /", true},       {".../b", true},    {"   ", true},
        {"data. /x", true}, {"C:\\ \\", false}, {"C:\\...\\b", false},
    };
    for (const auto& c : cases) {
        auto out = RunHost(Mount() + "create\ninvoke NavigateTV \"" + c.text + "\"\n");
        // The question is the choice box titled "Linnet" (unanswered here, so closed).
        EXPECT_EQ(Contains(out, "desktop Dialog \"Linnet\""), c.asks) << c.text;
        EXPECT_EQ(Contains(out, "IS CURRENTLY UNAVAILABLE"), !c.asks) << c.text;
    }
}

} // namespace
