// Copy and move through the confirmation box and the shell, rename, and folder creation with every missing
// parent: what the user is asked, what the shell is given, what ends up on the disk.
#include "commands/mmFileOper.h"
#include "components/PipitIconMenu/ChoiceBoxReader.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "support/mmFile.h"
#include "support/mmShellExe.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace vireo;

namespace {

class mmFileOperTest : public ::testing::Test {
protected:
    mmFileOperTest() {
        desk.Files().MountScratch('C');
        desk.Files().MountScratch('D');
        desk.Files().WriteFile("C:\\src\\a.txt", "A");
        desk.Files().WriteFile("C:\\src\\b.txt", "B");
        desk.Files().MakeDir("D:\\dest");
        desk.Files().WriteFile("D:\\full\\a.txt", "old");
        SetCurrentDirectoryA("D:\\");
        // Each choice box shown, as "ChoiceBox: prompt | title | captions | the user's action".
        desk.Log().SetObserver([this](const emu::Record& r) {
            if (r.kind != "Dialog") return;
            if (auto line = choicebox::Line(GetActiveWindow()))
                boxes.push_back("ChoiceBox: " + *line + " | " + r.fields[1]);
        });
    }
    ~mmFileOperTest() override {
        desk.Log().SetObserver(nullptr);
        ReleaseFileOperChoiceBox();
    }

    std::vector<std::string> Texts(const char* kind) {
        std::vector<std::string> texts;
        for (const emu::Record& r : desk.Log().OfKind(kind))
            texts.push_back(r.Text());
        return texts;
    }

    emu::Desktop desk;
    std::vector<std::string> boxes;
    HWND owner = reinterpret_cast<HWND>(0xAB);
};

TEST_F(mmFileOperTest, CopyAndMoveAskThenHandTheListToTheShell) {
    const std::string twoNames = "a.txt\r\nb.txt\r\n";
    struct Case {
        const char* name;
        bool move;
        const char* folder;
        const char* target;
        std::string list;
        int answer; // the choice box's button; -1 closes it
        bool result;
        std::vector<std::string> boxes;
        std::vector<std::string> operations;
        const char* targetAfter;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::string copyBox = "ChoiceBox: Copy following files and folders ? \r\n\r\na.txt\r\nb.txt\r\n | "
                                "Copying... | &Yes | &No |  |  |  | ";
    const std::string moveBox = "ChoiceBox: Move following files and folders ? \r\n\r\na.txt\r\nb.txt\r\n | "
                                "Moving... | &Yes | &No |  |  |  | ";
    const std::string copyOp = "FileOperation: AB | 2 | a.txt\\0b.txt\\0\\0 | D:\\dest\\\\0\\0 | 0 | 0 | 0";
    const Case cases[] = {
        {"copy",
         false,
         "C:\\src",
         "D:\\dest",
         twoNames,
         0,
         true,
         {copyBox + "press &Yes"},
         {copyOp},
         "D:\\dest\\",
         {"D:\\dest\\a.txt", "D:\\dest\\b.txt", "C:\\src\\a.txt"},
         {}},
        {"copy to a target with its separator",
         false,
         "C:\\src\\",
         "D:\\dest\\",
         twoNames,
         0,
         true,
         {copyBox + "press &Yes"},
         {copyOp},
         "D:\\dest\\",
         {"D:\\dest\\b.txt"},
         {}},
        {"move",
         true,
         "C:\\src",
         "D:\\dest",
         twoNames,
         0,
         true,
         {moveBox + "press &Yes"},
         {"FileOperation: AB | 1 | a.txt\\0b.txt\\0\\0 | D:\\dest\\\\0\\0 | 0 | 0 | 0"},
         "D:\\dest\\",
         {"D:\\dest\\a.txt"},
         {"C:\\src\\a.txt", "C:\\src\\b.txt"}},
        {"copy refused",
         false,
         "C:\\src",
         "D:\\dest",
         twoNames,
         1,
         false,
         {copyBox + "press &No"},
         {},
         "D:\\dest",
         {},
         {"D:\\dest\\a.txt"}},
        {"move box closed",
         true,
         "C:\\src",
         "D:\\dest",
         twoNames,
         -1,
         false,
         {moveBox + "close"},
         {},
         "D:\\dest",
         {"C:\\src\\a.txt"},
         {"D:\\dest\\a.txt"}},
        {"missing target", false, "C:\\src", "D:\\none", twoNames, 0, false, {}, {}, "D:\\none", {}, {}},
        {"missing source folder",
         true,
         "C:\\none",
         "D:\\dest",
         twoNames,
         0,
         false,
         {},
         {},
         "D:\\dest",
         {},
         {}},
        {"empty list", false, "C:\\src", "D:\\dest", "", 0, false, {}, {}, "D:\\dest", {}, {}},
        {"replace refused in the shell",
         true,
         "C:\\src",
         "D:\\full",
         "a.txt\r\n",
         0,
         false,
         {"ChoiceBox: Move following files and folders ? \r\n\r\na.txt\r\n | Moving... | &Yes | &No |  |  |  "
          "| "
          "press &Yes"},
         {"FileOperation: AB | 1 | a.txt\\0\\0 | D:\\full\\\\0\\0 | 0 | 0 | 1"},
         "D:\\full\\",
         {"C:\\src\\a.txt"},
         {}},
    };
    for (const Case& c : cases) {
        desk.Log().Clear();
        desk.Answers().Clear();
        boxes.clear();
        // The user presses the box's button by its caption; with no action the box is closed.
        if (c.answer >= 0)
            desk.Answers().Push("Dialog", emu::Answer{0, c.answer ? "press &No" : "press &Yes"});
        std::string target = c.target;
        bool ok =
            c.move ? MoveItems(owner, c.folder, target, c.list) : CopyItems(owner, c.folder, target, c.list);
        EXPECT_EQ(ok, c.result) << c.name;
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(Texts("FileOperation"), c.operations) << c.name;
        EXPECT_EQ(target, c.targetAfter) << c.name;
        for (const std::string& p : c.present)
            EXPECT_TRUE(IsFile(p)) << c.name << ": " << p;
        for (const std::string& p : c.absent)
            EXPECT_FALSE(IsFile(p)) << c.name << ": " << p;
        if (!c.operations.empty()) {
            EXPECT_EQ(GetCurrentDir(), "C:\\src\\") << c.name;
        }
        // Undo a move for the next case.
        for (const char* n : {"a.txt", "b.txt"})
            if (!IsFile(std::string("C:\\src\\") + n))
                desk.Files().WriteFile(std::string("C:\\src\\") + n, "x");
        for (const char* n : {"D:\\dest\\a.txt", "D:\\dest\\b.txt"})
            DeleteFileA(n);
    }
}

// A name the code page cannot hold comes from the list with "?" in place of each such character; beside it
// a file the pattern would match. Nothing is asked, nothing is handed to the shell, every file stays.
TEST_F(mmFileOperTest, ASelectionWithALossyNameTouchesNoFile) {
    desk.Files().WriteFile("C:\\src\\ab.txt", "AB");
    const auto src = desk.Files().Resolve("C:\\src");
    ASSERT_TRUE(src);
    std::ofstream(*src / std::filesystem::path(u8"a\u0411.txt")) << "lossy";
    struct Case {
        bool move;
        std::string list;
        std::string named;
    };
    const Case cases[] = {
        {false, "a?.txt\r\n", "a?.txt"},
        {true, "a?.txt\r\n", "a?.txt"},
        {true, "b.txt\r\na?.txt\r\nab.txt\r\n", "a?.txt"},
        {false, "a.txt\r\n*.txt\r\n", "*.txt"},
        {true, "a.txt\r\nb.txt\r\n?b.txt", "?b.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        desk.Log().Clear();
        desk.Answers().Clear();
        boxes.clear();
        desk.Answers().Push("Dialog", emu::Answer{0, "press &Yes"});
        std::string target = "D:\\dest";
        const bool ok = c.move ? MoveItems(owner, "C:\\src", target, c.list)
                               : CopyItems(owner, "C:\\src", target, c.list);
        EXPECT_FALSE(ok);
        EXPECT_TRUE(boxes.empty()) << "nothing is asked";
        EXPECT_TRUE(Texts("FileOperation").empty());
        const auto shown = desk.Log().OfKind("MessageBox");
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].fields[0].rfind("'" + c.named + "' cannot be " + (c.move ? "moved" : "copied"), 0),
                  0u)
            << shown[0].fields[0];
        EXPECT_EQ(shown[0].fields[1], c.move ? "Moving..." : "Copying...");
        for (const char* p : {"C:\\src\\a.txt", "C:\\src\\b.txt", "C:\\src\\ab.txt"})
            EXPECT_TRUE(IsFile(p)) << p;
        EXPECT_TRUE(std::filesystem::exists(*src / std::filesystem::path(u8"a\u0411.txt")));
        EXPECT_TRUE(std::filesystem::is_empty(*desk.Files().Resolve("D:\\dest")));
    }
}

TEST_F(mmFileOperTest, RenameGoesThroughTheShellOnlyForAnExistingItem) {
    const struct {
        const char* from;
        const char* to;
        bool result;
        size_t operations;
        const char* exists;
    } cases[] = {
        {"C:\\src\\a.txt", "C:\\src\\z.txt", true, 1, "C:\\src\\z.txt"},
        {"C:\\src\\z.txt", "C:\\src\\Z.TXT", true, 1, "C:\\src\\Z.TXT"},
        {"C:\\src\\Z.TXT", "C:\\src\\b.txt", false, 1, "C:\\src\\Z.TXT"},
        {"C:\\src\\missing.txt", "C:\\src\\m.txt", false, 0, "C:\\src\\b.txt"},
        {"C:\\src", "C:\\source", true, 1, "C:\\source\\b.txt"},
    };
    for (const auto& c : cases) {
        desk.Log().Clear();
        EXPECT_EQ(RenameItem(owner, c.from, c.to), c.result) << c.from;
        EXPECT_EQ(desk.Log().Count("FileOperation"), c.operations) << c.from;
        if (c.operations) {
            const std::vector<std::string> f = desk.Log().OfKind("FileOperation")[0].fields;
            EXPECT_EQ(f[1], "4");
            EXPECT_EQ(f[2], std::string(c.from) + "\\0\\0");
            EXPECT_EQ(f[3], std::string(c.to) + "\\0\\0");
        }
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA(c.exists, &data);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << c.exists;
        FindClose(h);
        EXPECT_EQ(std::string(data.cFileName), GetNamePart(c.exists)) << "the name keeps its new case";
    }
}

TEST_F(mmFileOperTest, CreateFolderPathMakesEveryMissingLevel) {
    desk.Files().MakeDir("C:\\a");
    desk.Files().MountScratchShare("server", "share");
    SetCurrentDirectoryA("C:\\a");
    const struct {
        const char* path;
        bool result;
        std::vector<const char*> made;
        size_t boxes;
    } cases[] = {
        {"C:\\a\\b\\c", true, {"C:\\a\\b", "C:\\a\\b\\c"}, 0},
        {"C:\\a\\b\\c\\", true, {"C:\\a\\b\\c"}, 0},
        {"rel\\deeper", true, {"C:\\a\\rel", "C:\\a\\rel\\deeper"}, 0},
        {"D:\\x\\y", true, {"D:\\x\\y"}, 0},
        {"\\\\server\\share\\new\\deep", true, {"\\\\server\\share\\new", "\\\\server\\share\\new\\deep"}, 0},
        {"C:\\src\\a.txt\\inside", false, {}, 1},
        {"Q:\\nodrive", false, {}, 1},
        {"", false, {}, 0},
    };
    for (const auto& c : cases) {
        desk.Log().Clear();
        EXPECT_EQ(CreateFolderPath(c.path), c.result) << c.path;
        for (const char* m : c.made)
            EXPECT_TRUE(IsFolder(m)) << c.path << ": " << m;
        EXPECT_EQ(desk.Log().Count("MessageBox"), c.boxes) << c.path;
    }
}

TEST_F(mmFileOperTest, CreateFolderPathStopsAtTheFirstFailureWithTheSystemText) {
    std::string path = "C:\\long";
    while (path.size() < 300)
        path += "\\level" + std::to_string(path.size());
    EXPECT_FALSE(CreateFolderPath(path));
    auto boxes = desk.Log().OfKind("MessageBox");
    ASSERT_EQ(boxes.size(), 1u) << "creation stops at the first failure";
    EXPECT_EQ(boxes[0].fields[0], ApiErrorText(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(boxes[0].fields[2], "48");
    // Every level that fits was made.
    std::string deepest = path.substr(0, path.rfind('\\', MAX_PATH - 2));
    EXPECT_TRUE(IsFolder(deepest)) << deepest;
}

} // namespace
