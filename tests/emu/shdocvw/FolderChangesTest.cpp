// The folder view follows the shell's change notices: SHChangeNotify from anyone, and the changes the
// shell's own file operations make. A change shows once the queue is pumped, without a refresh.
#include "emu/shdocvw/WebViewFixture.h"
#include "platform/emu/api/shlobj_notify.h"
#include <filesystem>

namespace {

using webtest::Lines;

class FolderChangesTest : public webtest::WebViewTest {
protected:
    FolderChangesTest() {
        desk.Files().WriteFile("C:\\docs\\a.xyz", "1");
        desk.Files().WriteFile("C:\\docs\\b.xyz", "22");
        desk.Files().WriteFile("C:\\docs\\sub\\s.xyz", "s");
        desk.Files().MakeDir("C:\\other");
        Go("C:\\docs");
        list = web->FolderList();
    }

    // The view's items in order, with each file's size column ("a.xyz 1 KB").
    Lines Items() const {
        Lines out;
        int n = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::string size = Text(list, i, 1);
            out.push_back(Text(list, i, 0) + (size.empty() ? "" : " " + size));
        }
        return out;
    }
    std::filesystem::path Host(const char* winPath) { return *desk.Files().Resolve(winPath); }

    HWND list = nullptr;
};

// What the host changed on disk, then the notice that tells the shell: the view shows the change only
// after the notice, and only once the queue is pumped (notices are posted).
TEST_F(FolderChangesTest, EachKindOfNoticeChangesTheViewWithoutARefresh) {
    const Lines start{"sub", "a.xyz 1 KB", "b.xyz 1 KB"};
    ASSERT_EQ(Items(), start);
    struct Case {
        const char* what;
        std::function<void()> change;
        LONG event;
        const char *item1, *item2;
        Lines want;
    };
    const Case cases[] = {
        {"new file",
         [&] { desk.Files().WriteFile("C:\\docs\\c.xyz", std::string(3000, 'c')); },
         SHCNE_CREATE,
         "C:\\docs\\c.xyz",
         nullptr,
         {"sub", "a.xyz 1 KB", "b.xyz 1 KB", "c.xyz 3 KB"}},
        {"new folder",
         [&] { desk.Files().MakeDir("C:\\docs\\New Folder"); },
         SHCNE_MKDIR,
         "C:\\docs\\New Folder",
         nullptr,
         {"sub", "a.xyz 1 KB", "b.xyz 1 KB", "c.xyz 3 KB", "New Folder"}},
        {"deleted file",
         [&] { std::filesystem::remove(Host("C:\\docs\\a.xyz")); },
         SHCNE_DELETE,
         "C:\\docs\\a.xyz",
         nullptr,
         {"sub", "b.xyz 1 KB", "c.xyz 3 KB", "New Folder"}},
        {"renamed file keeps its place",
         [&] { std::filesystem::rename(Host("C:\\docs\\b.xyz"), Host("C:\\docs") / "Bee.xyz"); },
         SHCNE_RENAMEITEM,
         "C:\\docs\\b.xyz",
         "C:\\docs\\Bee.xyz",
         {"sub", "Bee.xyz 1 KB", "c.xyz 3 KB", "New Folder"}},
        {"renamed folder",
         [&] { std::filesystem::rename(Host("C:\\docs\\sub"), Host("C:\\docs") / "Sub2"); },
         SHCNE_RENAMEFOLDER,
         "C:\\docs\\sub",
         "C:\\docs\\Sub2",
         {"Sub2", "Bee.xyz 1 KB", "c.xyz 3 KB", "New Folder"}},
        {"moved out",
         [&] { std::filesystem::rename(Host("C:\\docs\\c.xyz"), Host("C:\\other") / "c.xyz"); },
         SHCNE_RENAMEITEM,
         "C:\\docs\\c.xyz",
         "C:\\other\\c.xyz",
         {"Sub2", "Bee.xyz 1 KB", "New Folder"}},
        {"moved in",
         [&] { std::filesystem::rename(Host("C:\\other\\c.xyz"), Host("C:\\docs") / "c.xyz"); },
         SHCNE_RENAMEITEM,
         "C:\\other\\c.xyz",
         "C:\\docs\\c.xyz",
         {"Sub2", "Bee.xyz 1 KB", "New Folder", "c.xyz 3 KB"}},
        {"changed file",
         [&] { desk.Files().WriteFile("C:\\docs\\Bee.xyz", std::string(5000, 'b')); },
         SHCNE_UPDATEITEM,
         "C:\\docs\\Bee.xyz",
         nullptr,
         {"Sub2", "Bee.xyz 5 KB", "New Folder", "c.xyz 3 KB"}},
        {"removed folder",
         [&] { std::filesystem::remove(Host("C:\\docs\\New Folder")); },
         SHCNE_RMDIR,
         "C:\\docs\\New Folder",
         nullptr,
         {"Sub2", "Bee.xyz 5 KB", "c.xyz 3 KB"}},
        {"a change elsewhere",
         [&] { desk.Files().WriteFile("C:\\other\\o.xyz"); },
         SHCNE_CREATE,
         "C:\\other\\o.xyz",
         nullptr,
         {"Sub2", "Bee.xyz 5 KB", "c.xyz 3 KB"}},
        {"the folder listed again, in the shell's order",
         [&] { desk.Files().WriteFile("C:\\docs\\0.xyz"); },
         SHCNE_UPDATEDIR,
         "C:\\docs",
         nullptr,
         {"Sub2", "0.xyz 0 KB", "Bee.xyz 5 KB", "c.xyz 3 KB"}},
    };
    Lines before = start;
    for (const Case& c : cases) {
        c.change();
        Pump();
        EXPECT_EQ(Items(), before) << c.what << ": nothing shows before the notice";
        SHChangeNotify(c.event, SHCNF_PATHA, c.item1, c.item2);
        EXPECT_EQ(Items(), before) << c.what << ": the notice is posted";
        Pump();
        EXPECT_EQ(Items(), c.want) << c.what;
        before = c.want;
    }
}

TEST_F(FolderChangesTest, NoticesByItemIdListAndFlushedOnes) {
    desk.Files().WriteFile("C:\\docs\\c.xyz");
    vireo::Variant pidl = PidlOf("C:\\docs\\c.xyz");
    SHChangeNotify(SHCNE_CREATE, SHCNF_IDLIST | SHCNF_FLUSH, pidl.BytesValue().data(), nullptr);
    // Flushed: the notice was sent; the view applies what it received when the queue is next pumped.
    Pump();
    EXPECT_EQ(Items(), (Lines{"sub", "a.xyz 1 KB", "b.xyz 1 KB", "c.xyz 0 KB"}));
}

TEST_F(FolderChangesTest, TheShellsFileOperationsTellTheView) {
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_MOVE;
    op.pFrom = "C:\\docs\\a.xyz\0C:\\docs\\b.xyz\0";
    op.pTo = "C:\\other\0";
    op.fFlags = FOF_NOCONFIRMATION;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    Pump();
    EXPECT_EQ(Items(), (Lines{"sub"})) << "moved files go";

    op.wFunc = FO_COPY;
    op.pFrom = "C:\\other\\a.xyz\0";
    op.pTo = "C:\\docs\0";
    ASSERT_EQ(SHFileOperationA(&op), 0);
    op.wFunc = FO_RENAME;
    op.pFrom = "C:\\docs\\sub\0";
    op.pTo = "C:\\docs\\Renamed\0";
    ASSERT_EQ(SHFileOperationA(&op), 0);
    Pump();
    EXPECT_EQ(Items(), (Lines{"Renamed", "a.xyz 1 KB"})) << "a copy shows, a renamed folder keeps its place";

    op.wFunc = FO_DELETE;
    op.pFrom = "C:\\docs\\a.xyz\0C:\\docs\\Renamed\0";
    op.pTo = nullptr;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    Pump();
    EXPECT_EQ(Items(), Lines{});
}

TEST_F(FolderChangesTest, ABurstOfChangesListsTheFolderAgain) {
    SHFILEOPSTRUCTA op{};
    std::string from;
    for (int i = 0; i < 100; ++i) {
        desk.Files().WriteFile("C:\\other\\n" + std::to_string(100 + i) + ".xyz");
        from += "C:\\other\\n" + std::to_string(100 + i) + ".xyz" + std::string(1, '\0');
    }
    from += '\0';
    op.wFunc = FO_MOVE;
    op.pFrom = from.c_str();
    op.pTo = "C:\\docs\0";
    op.fFlags = FOF_NOCONFIRMATION;
    ASSERT_EQ(SHFileOperationA(&op), 0);
    Pump();
    Lines items = Items();
    ASSERT_EQ(items.size(), 103u);
    EXPECT_EQ(items[0], "sub");
    EXPECT_EQ(items[1], "a.xyz 1 KB");
    EXPECT_EQ(items[3], "n100.xyz 0 KB") << "listed again, in the shell's order";
    EXPECT_EQ(items[102], "n199.xyz 0 KB");
}

} // namespace
