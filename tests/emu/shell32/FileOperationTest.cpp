// The shell's file-operation engine on the emulated desktop: copies, moves, renames and deletes on the
// mounted folders, its questions answered from the script, its results and the journal.
#include "FileContent.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/core/Script.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <vector>

namespace {

// Names, each followed by NUL, and one more NUL.
std::string List(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& n : names)
        list += n + '\0';
    return list + '\0';
}

// C:\src holds a.txt ("A"), b.txt ("B") and sub\c.txt ("C"); C:\dest holds b.txt ("old"); D:\dest is
// empty; E: is a CD-ROM with its folder cd.
struct World {
    emu::Desktop desk;
    World() {
        emu::FileSystem& f = desk.Files();
        f.MountScratch('C');
        f.MountScratch('D');
        f.WriteFile("C:\\src\\a.txt", "A");
        f.WriteFile("C:\\src\\b.txt", "B");
        f.WriteFile("C:\\src\\sub\\c.txt", "C");
        f.WriteFile("C:\\dest\\b.txt", "old");
        f.MakeDir("D:\\dest");
        std::filesystem::create_directories(desk.ScratchDir() / "E" / "cd");
        f.Mount('E', desk.ScratchDir() / "E", 5);
        SetCurrentDirectoryA("C:\\src");
    }
    std::optional<std::string> Content(const std::string& path) { return FileContent(desk, path); }
};

struct Case {
    const char* name;
    UINT func;
    std::vector<std::string> from;
    std::string to;
    std::vector<int> answers; // the questions' buttons: 0 yes, 1 yes to all, 2 no, 3 cancel
    int result;
    bool aborted;
    std::vector<std::pair<std::string, std::string>> present; // path, content
    std::vector<std::string> absent;
    size_t questions;
};

const Case kCases[] = {
    {"copy two files",
     FO_COPY,
     {"a.txt", "sub"},
     "D:\\dest",
     {},
     0,
     false,
     {{"D:\\dest\\a.txt", "A"}, {"D:\\dest\\sub\\c.txt", "C"}, {"C:\\src\\a.txt", "A"}},
     {},
     0},
    {"replace unanswered is no",
     FO_COPY,
     {"b.txt"},
     "C:\\dest",
     {},
     0,
     true,
     {{"C:\\dest\\b.txt", "old"}},
     {},
     1},
    {"replace answered yes",
     FO_COPY,
     {"b.txt"},
     "C:\\dest\\",
     {0},
     0,
     false,
     {{"C:\\dest\\b.txt", "B"}},
     {},
     1},
    {"cancel stops",
     FO_COPY,
     {"b.txt", "a.txt"},
     "C:\\dest",
     {3},
     0x75,
     true,
     {{"C:\\dest\\b.txt", "old"}},
     {"C:\\dest\\a.txt"},
     1},
    {"no skips one item",
     FO_COPY,
     {"b.txt", "a.txt"},
     "C:\\dest",
     {2},
     0,
     true,
     {{"C:\\dest\\b.txt", "old"}, {"C:\\dest\\a.txt", "A"}},
     {},
     1},
    {"copy onto itself", FO_COPY, {"a.txt"}, "C:\\src", {}, 0x71, false, {{"C:\\src\\a.txt", "A"}}, {}, 0},
    {"folder into itself", FO_COPY, {"sub"}, "C:\\src\\sub", {}, 0x76, false, {}, {"C:\\src\\sub\\sub"}, 0},
    {"single file to a new name",
     FO_COPY,
     {"a.txt"},
     "C:\\dest\\new.txt",
     {},
     0,
     false,
     {{"C:\\dest\\new.txt", "A"}},
     {},
     0},
    {"missing source", FO_COPY, {"nothing.txt"}, "C:\\dest", {}, 2, false, {}, {"C:\\dest\\nothing.txt"}, 0},
    {"missing target folder, no", FO_COPY, {"a.txt", "b.txt"}, "C:\\made", {}, 0, true, {}, {"C:\\made"}, 1},
    {"missing target folder, yes",
     FO_COPY,
     {"a.txt", "b.txt"},
     "C:\\made",
     {0},
     0,
     false,
     {{"C:\\made\\a.txt", "A"}, {"C:\\made\\b.txt", "B"}},
     {},
     1},
    {"copy to a CD-ROM",
     FO_COPY,
     {"a.txt"},
     "E:\\cd",
     {},
     5,
     false,
     {{"C:\\src\\a.txt", "A"}},
     {"E:\\cd\\a.txt"},
     0},
    {"move on one drive",
     FO_MOVE,
     {"a.txt"},
     "C:\\dest",
     {},
     0,
     false,
     {{"C:\\dest\\a.txt", "A"}},
     {"C:\\src\\a.txt"},
     0},
    {"move across drives",
     FO_MOVE,
     {"a.txt", "sub"},
     "D:\\dest",
     {},
     0,
     false,
     {{"D:\\dest\\a.txt", "A"}, {"D:\\dest\\sub\\c.txt", "C"}},
     {"C:\\src\\a.txt", "C:\\src\\sub"},
     0},
    {"move refused replace keeps the source",
     FO_MOVE,
     {"b.txt"},
     "C:\\dest",
     {2},
     0,
     true,
     {{"C:\\src\\b.txt", "B"}, {"C:\\dest\\b.txt", "old"}},
     {},
     1},
    {"move with replace",
     FO_MOVE,
     {"b.txt"},
     "C:\\dest",
     {0},
     0,
     false,
     {{"C:\\dest\\b.txt", "B"}},
     {"C:\\src\\b.txt"},
     1},
    {"move to a CD-ROM keeps the source",
     FO_MOVE,
     {"sub", "a.txt"},
     "E:\\cd",
     {},
     5,
     false,
     {{"C:\\src\\sub\\c.txt", "C"}, {"C:\\src\\a.txt", "A"}},
     {"E:\\cd\\sub\\c.txt"},
     0},
    {"move onto itself", FO_MOVE, {"a.txt"}, "C:\\src\\", {}, 0x71, false, {{"C:\\src\\a.txt", "A"}}, {}, 0},
    {"rename",
     FO_RENAME,
     {"a.txt"},
     "C:\\src\\z.txt",
     {},
     0,
     false,
     {{"C:\\src\\z.txt", "A"}},
     {"C:\\src\\a.txt"},
     0},
    {"rename a folder",
     FO_RENAME,
     {"C:\\src\\sub"},
     "C:\\src\\sub2",
     {},
     0,
     false,
     {{"C:\\src\\sub2\\c.txt", "C"}},
     {"C:\\src\\sub"},
     0},
    {"rename into another folder",
     FO_RENAME,
     {"a.txt"},
     "C:\\dest\\a.txt",
     {},
     0x73,
     false,
     {{"C:\\src\\a.txt", "A"}},
     {"C:\\dest\\a.txt"},
     0},
    {"rename onto an existing name",
     FO_RENAME,
     {"a.txt"},
     "C:\\src\\b.txt",
     {},
     183,
     false,
     {{"C:\\src\\a.txt", "A"}, {"C:\\src\\b.txt", "B"}},
     {},
     0},
    {"rename a missing item",
     FO_RENAME,
     {"x.txt"},
     "C:\\src\\y.txt",
     {},
     2,
     false,
     {},
     {"C:\\src\\y.txt"},
     0},
    {"delete answered yes",
     FO_DELETE,
     {"sub", "a.txt"},
     "",
     {0},
     0,
     false,
     {{"C:\\src\\b.txt", "B"}},
     {"C:\\src\\sub", "C:\\src\\a.txt"},
     1},
    // A name part holding "?" or "*" is a pattern over its folder.
    {"copy by a pattern",
     FO_COPY,
     {"?.txt"},
     "D:\\dest",
     {},
     0,
     false,
     {{"D:\\dest\\a.txt", "A"}, {"D:\\dest\\b.txt", "B"}, {"C:\\src\\a.txt", "A"}},
     {"D:\\dest\\sub"},
     0},
    {"move by a pattern",
     FO_MOVE,
     {"C:\\src\\a*"},
     "D:\\dest",
     {},
     0,
     false,
     {{"D:\\dest\\a.txt", "A"}, {"C:\\src\\b.txt", "B"}},
     {"C:\\src\\a.txt", "D:\\dest\\b.txt"},
     0},
    {"a pattern matching nothing", FO_COPY, {"z?.txt"}, "D:\\dest", {}, 2, false, {}, {"D:\\dest\\z"}, 0},
    {"delete unanswered", FO_DELETE, {"sub"}, "", {}, 0, true, {{"C:\\src\\sub\\c.txt", "C"}}, {}, 1},
};

TEST(FileOperationTest, OperationsOnTheMountedFolders) {
    for (const Case& c : kCases) {
        World w;
        for (int a : c.answers)
            w.desk.Answers().Push("FileOperationQuestion", emu::Answer{a, ""});
        std::string from = List(c.from), to = c.to + std::string(2, '\0');
        SHFILEOPSTRUCTA op{};
        op.wFunc = c.func;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fAnyOperationsAborted = 7;
        EXPECT_EQ(SHFileOperationA(&op), c.result) << c.name;
        EXPECT_EQ(op.fAnyOperationsAborted, c.aborted ? TRUE : FALSE) << c.name;
        for (const auto& [path, content] : c.present)
            EXPECT_EQ(w.Content(path).value_or("<missing>"), content) << c.name << ": " << path;
        for (const std::string& path : c.absent)
            EXPECT_FALSE(w.Content(path)) << c.name << ": " << path;
        EXPECT_EQ(w.desk.Log().Count("FileOperationQuestion"), c.questions) << c.name;
        EXPECT_EQ(w.desk.Log().Count("FileOperation"), 1u) << c.name;
    }
}

TEST(FileOperationTest, JournalShowsWhatTheShellWasGiven) {
    World w;
    std::string from = List({"a.txt", "b.txt"}) + '\0', to = std::string("D:\\dest\\") + '\0' + '\0';
    SHFILEOPSTRUCTA op{};
    op.hwnd = reinterpret_cast<HWND>(0x1234);
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    ASSERT_EQ(SHFileOperationA(&op), 0);
    ASSERT_EQ(w.desk.Log().Count("FileOperation"), 1u);
    EXPECT_EQ(w.desk.Log().OfKind("FileOperation")[0].Text(),
              "FileOperation: 1234 | 2 | a.txt\\0b.txt\\0\\0 | D:\\dest\\\\0\\0 | 0 | 0 | 0");
}

TEST(FileOperationTest, QuestionTextsAndYesToAll) {
    World w;
    w.desk.Files().WriteFile("C:\\dest\\a.txt", "old");
    w.desk.Files().WriteFile("C:\\dest\\sub\\c.txt", "old");
    w.desk.Answers().Push("FileOperationQuestion", emu::Answer{1, ""});
    std::string from = List({"a.txt", "b.txt", "sub"}), to = std::string("C:\\dest") + '\0' + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    EXPECT_EQ(SHFileOperationA(&op), 0);
    EXPECT_FALSE(op.fAnyOperationsAborted);
    auto questions = w.desk.Log().OfKind("FileOperationQuestion");
    ASSERT_EQ(questions.size(), 1u) << "yes to all answers the rest";
    EXPECT_EQ(questions[0].Text(),
              "FileOperationQuestion: This folder already contains a file named 'a.txt'. "
              "Would you like to replace the existing file? | yes to all");
    EXPECT_EQ(w.Content("C:\\dest\\sub\\c.txt"), "C");
    EXPECT_EQ(w.Content("C:\\dest\\b.txt"), "B");
}

TEST(FileOperationTest, NoConfirmationFlagAsksNothing) {
    World w;
    std::string from = List({"b.txt"}), to = std::string("C:\\dest") + '\0' + '\0';
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NOCONFIRMATION;
    EXPECT_EQ(SHFileOperationA(&op), 0);
    EXPECT_EQ(w.desk.Log().Count("FileOperationQuestion"), 0u);
    EXPECT_EQ(w.Content("C:\\dest\\b.txt"), "B");
}

} // namespace
