// Copy, move, rename and new folder meeting a fault at every step in turn (a full disk, a refusal, a source
// another program removes, a target another program writes): afterwards every file is whole at its source or
// at its target, and a failure was shown to the user.
#include "commands/mmFileOper.h"
#include "emu/shell32/FileContent.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileFaults.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

using emu::FileFault;
using emu::FileFaults;

namespace {

// C:\src holds a.txt, b.txt and sub\c.txt, sub\deep\d.txt; C:\dest and D:\dest are empty folders.
struct World {
    emu::Desktop desk;
    World() {
        emu::FileSystem& f = desk.Files();
        f.MountScratch('C');
        f.MountScratch('D');
        f.WriteFile("C:\\src\\a.txt", "A whole");
        f.WriteFile("C:\\src\\b.txt", "B whole");
        f.WriteFile("C:\\src\\sub\\c.txt", "C whole");
        f.WriteFile("C:\\src\\sub\\deep\\d.txt", "D whole");
        f.MakeDir("C:\\dest");
        f.MakeDir("D:\\dest");
        SetCurrentDirectoryA("C:\\src");
    }
    std::optional<std::string> Content(const std::string& path) { return FileContent(desk, path); }
};

// A file of the scene and where the operation takes it ("" when it stays).
struct Moved {
    std::string source, target, content;
};

const Moved kLoose[] = {{"C:\\src\\a.txt", "", "A whole"},
                        {"C:\\src\\b.txt", "", "B whole"},
                        {"C:\\src\\sub\\c.txt", "", "C whole"},
                        {"C:\\src\\sub\\deep\\d.txt", "", "D whole"}};

// The scene's files with those the operation takes (the two loose files, or the folder sub) put under into;
// named drops the folder's own name (a renamed folder).
std::vector<Moved> Files(const std::string& into, bool folder, bool named = true) {
    const std::string sub = "C:\\src\\sub\\";
    std::vector<Moved> out;
    for (Moved m : kLoose) {
        const bool inSub = m.source.starts_with(sub);
        if (!into.empty() && inSub == folder) m.target = into + m.source.substr(named ? 7 : sub.size());
        out.push_back(m);
    }
    return out;
}

struct Operation {
    const char* name;
    std::function<bool()> run; // true when it reports success
    std::vector<Moved> files;
};

bool Op(UINT func, const std::string& from, const std::string& to) {
    return vireo::ShellFileOp(nullptr, func, from, to, 0);
}

const std::string kTwo = std::string("a.txt") + '\0' + "b.txt";

std::vector<Operation> Operations() {
    return {
        {"copy files to another volume", [] { return Op(FO_COPY, kTwo, "D:\\dest"); },
         Files("D:\\dest\\", false)},
        {"copy files on the volume", [] { return Op(FO_COPY, kTwo, "C:\\dest"); },
         Files("C:\\dest\\", false)},
        {"copy a folder to another volume", [] { return Op(FO_COPY, "sub", "D:\\dest"); },
         Files("D:\\dest\\", true)},
        {"copy a folder on the volume", [] { return Op(FO_COPY, "sub", "C:\\dest"); },
         Files("C:\\dest\\", true)},
        {"move files to another volume", [] { return Op(FO_MOVE, kTwo, "D:\\dest"); },
         Files("D:\\dest\\", false)},
        {"move files on the volume", [] { return Op(FO_MOVE, kTwo, "C:\\dest"); },
         Files("C:\\dest\\", false)},
        {"move a folder to another volume", [] { return Op(FO_MOVE, "sub", "D:\\dest"); },
         Files("D:\\dest\\", true)},
        {"move a folder on the volume", [] { return Op(FO_MOVE, "sub", "C:\\dest"); },
         Files("C:\\dest\\", true)},
        {"rename a file",
         [] { return Op(FO_RENAME, "a.txt", "C:\\src\\z.txt"); },
         {{"C:\\src\\a.txt", "C:\\src\\z.txt", "A whole"}, kLoose[1], kLoose[2], kLoose[3]}},
        {"rename a folder", [] { return Op(FO_RENAME, "sub", "C:\\src\\moved"); },
         Files("C:\\src\\moved\\", true, false)},
        {"new folder", [] { return vireo::CreateFolderPath("C:\\dest\\new\\deeper"); }, Files("", false)},
    };
}

TEST(FileFaultTest, EveryFileStaysWholeAndEveryFailureIsShown) {
    const std::pair<FileFault, const char*> faults[] = {{FileFault::DiskFull, "disk full"},
                                                        {FileFault::AccessDenied, "access denied"},
                                                        {FileFault::SourceVanishes, "source vanishes"},
                                                        {FileFault::TargetAppears, "target appears"}};
    size_t runs = 0;
    for (const Operation& op : Operations()) {
        for (const auto& [fault, faultName] : faults) {
            for (unsigned step = 1;; ++step) {
                SCOPED_TRACE(std::string(op.name) + ", " + faultName + " at step " + std::to_string(step));
                World w;
                FileFaults::Plan(step, fault);
                const bool ok = op.run();
                const bool met = FileFaults::Met();
                const std::string touched = FileFaults::Touched();
                FileFaults::Clear();
                if (!met) {
                    EXPECT_TRUE(ok) << "without a fault the operation succeeds";
                    EXPECT_EQ(w.desk.Log().Count("MessageBox"), 0u);
                    EXPECT_GT(step, 1u) << "every operation takes a step";
                    break;
                }
                ++runs;
                for (const Moved& m : op.files) {
                    if (!touched.empty() && m.source.starts_with(touched))
                        continue; // removed by another program
                    const auto atSource = w.Content(m.source);
                    const auto atTarget = m.target.empty() ? std::nullopt : w.Content(m.target);
                    EXPECT_TRUE(atSource == m.content || atTarget == m.content) << m.source;
                    if (atTarget && m.target != touched) {
                        EXPECT_EQ(*atTarget, m.content) << m.target;
                    }
                }
                const auto boxes = w.desk.Log().OfKind("MessageBox");
                if (!ok) {
                    ASSERT_EQ(boxes.size(), 1u) << "the user is told";
                    EXPECT_FALSE(boxes[0].fields[0].empty());
                } else {
                    EXPECT_TRUE(boxes.empty());
                }
            }
        }
    }
    EXPECT_GT(runs, 60u);
}

// The shell's own box: the operation, the item it stopped at and the system's text of the failure.
TEST(FileFaultTest, TheShellsErrorBoxNamesTheItemAndTheCause) {
    struct Case {
        UINT func;
        FileFault fault;
        unsigned step;
        std::string text, title;
    };
    const Case cases[] = {
        {FO_COPY, FileFault::DiskFull, 2, "Cannot copy b.txt: There is not enough space on the disk.",
         "Error Copying File or Folder"},
        {FO_MOVE, FileFault::AccessDenied, 1, "Cannot move a.txt: Access is denied.",
         "Error Moving File or Folder"},
        {FO_DELETE, FileFault::AccessDenied, 1, "Cannot delete a.txt: Access is denied.",
         "Error Deleting File or Folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (const bool quiet : {false, true}) { // FOF_NOERRORUI keeps the box back; the result is the same
            World w;
            FileFaults::Plan(c.step, c.fault);
            std::string from = kTwo + std::string(2, '\0'),
                        to = std::string("D:\\dest") + std::string(2, '\0');
            SHFILEOPSTRUCTA op{};
            op.wFunc = c.func;
            op.pFrom = from.c_str();
            op.pTo = to.c_str();
            op.fFlags = static_cast<FILEOP_FLAGS>(FOF_NOCONFIRMATION | (quiet ? 0x0400 : 0));
            EXPECT_NE(SHFileOperationA(&op), 0);
            FileFaults::Clear();
            const auto boxes = w.desk.Log().OfKind("MessageBox");
            if (quiet) {
                EXPECT_TRUE(boxes.empty());
                continue;
            }
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].fields[0], c.text);
            EXPECT_EQ(boxes[0].fields[1], c.title);
            EXPECT_EQ(boxes[0].fields[2], std::to_string(MB_ICONERROR | MB_OK));
        }
    }
}

} // namespace
