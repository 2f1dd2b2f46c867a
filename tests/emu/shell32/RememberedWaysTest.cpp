// Lookups of X:\a\b\f.txt remember the folder b that holds the last name. Whatever then happens on the
// way (to a, to b, or to the drive) must show in the next answer of kernel32 and of the shell exactly as if
// the path had never been looked up: each case warms both, changes something, and reads both again.
#include "emu/shell32/ShellTestDesktop.h"
#include "platform/emu/api/shlobj_data.h"
#include "platform/emu/shell32/Host.h"
#include <filesystem>
#include <fstream>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class RememberedWaysTest : public shelltest::ShellTest {
protected:
    // What the shell's item for b (parsed as part of path) recorded, or nothing when path does not parse.
    std::optional<WIN32_FIND_DATAA> WayItem(const std::string& path) {
        LPITEMIDLIST b = Parse(path);
        if (!b) return std::nullopt;
        ILRemoveLastID(b);
        LPITEMIDLIST a = ILClone(b);
        ILRemoveLastID(a);
        void* bound = nullptr;
        std::optional<WIN32_FIND_DATAA> data;
        if (SUCCEEDED(Desktop()->BindToObject(a, nullptr, IID_IShellFolder, &bound))) {
            auto* folder = static_cast<IShellFolder*>(bound);
            WIN32_FIND_DATAA fd{};
            if (SHGetDataFromIDListA(folder, ILFindLastID(b), SHGDFIL_FINDDATA, &fd, sizeof fd) == S_OK)
                data = fd;
            folder->Release();
        }
        ILFree(a);
        ILFree(b);
        return data;
    }
};

struct Case {
    const char* name;
    std::function<void(const fs::path& root, emu::Desktop&, char drive)> change;
    const char* asked;            // the path asked for again, below the drive (and first, unless warmed says)
    DWORD error;                  // GetFileAttributesA's error for it (0: found)
    bool shellFinds;              // whether the shell parses it
    bool wayHidden;               // whether the shell's item for b says HIDDEN
    const char* warmed = nullptr; // the path asked for first, when not asked
};

void SetTime(const fs::path& path, time_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

TEST_F(RememberedWaysTest, AChangeOnTheWayShowsInTheNextAnswer) {
    const Case cases[] = {
        {"nothing changes", [](const fs::path&, emu::Desktop&, char) {}, "\\a\\b\\f.txt", 0, true, false},
        {"a is renamed on the host",
         [](const fs::path& r, emu::Desktop&, char) { fs::rename(r / "a", r / "a2"); }, "\\a\\b\\f.txt",
         ERROR_PATH_NOT_FOUND, false, false},
        {"a is renamed: the new name leads on",
         [](const fs::path& r, emu::Desktop&, char) { fs::rename(r / "a", r / "a2"); }, "\\A2\\b\\f.txt", 0,
         true, false, "\\a\\b\\f.txt"},
        {"b is replaced by an empty folder",
         [](const fs::path& r, emu::Desktop&, char) {
             fs::remove_all(r / "a" / "b");
             fs::create_directory(r / "a" / "b");
         },
         "\\a\\b\\f.txt", ERROR_FILE_NOT_FOUND, false, false},
        {"b is replaced by a file",
         [](const fs::path& r, emu::Desktop&, char) {
             fs::remove_all(r / "a" / "b");
             std::ofstream(r / "a" / "b") << "x";
         },
         "\\a\\b\\f.txt", ERROR_PATH_NOT_FOUND, false, false},
        {"b is replaced by a link to a folder holding f.txt (kernel32 follows no link, the shell does)",
         [](const fs::path& r, emu::Desktop&, char) {
             fs::rename(r / "a" / "b", r / "elsewhere");
             fs::create_directory_symlink(r / "elsewhere", r / "a" / "b");
         },
         "\\a\\b\\f.txt", ERROR_PATH_NOT_FOUND, true, false},
        {"a spelling of a that matches exactly appears",
         [](const fs::path& r, emu::Desktop&, char) { fs::create_directories(r / "A" / "b"); },
         "\\A\\b\\f.txt", ERROR_FILE_NOT_FOUND, false, false},
        {"b is hidden through SetFileAttributesA",
         [](const fs::path&, emu::Desktop&, char drive) {
             ASSERT_TRUE(
                 SetFileAttributesA((std::string(1, drive) + ":\\a\\b").c_str(), FILE_ATTRIBUTE_HIDDEN));
         },
         "\\a\\b\\f.txt", 0, true, true},
        {"b's time is set on the host",
         [](const fs::path& r, emu::Desktop&, char) { SetTime(r / "a" / "b", 1e9); }, "\\a\\b\\f.txt", 0,
         true, false},
        {"a file made in b moves b's time",
         [](const fs::path& r, emu::Desktop&, char) {
             SetTime(r / "a" / "b", 1e9);
             std::ofstream(r / "a" / "b" / "new.txt") << "x";
         },
         "\\a\\b\\f.txt", 0, true, false},
        {"a name made in b is found at once",
         [](const fs::path& r, emu::Desktop&, char) { std::ofstream(r / "a" / "b" / "New.Txt") << "x"; },
         "\\a\\b\\NEW.TXT", 0, true, false, "\\a\\b\\f.txt"},
        {"the drive is mapped onto another folder",
         [](const fs::path& r, emu::Desktop& desk, char drive) {
             fs::create_directories(r.parent_path() / "other" / "a" / "b");
             desk.Files().Mount(drive, r.parent_path() / "other");
         },
         "\\a\\b\\f.txt", ERROR_FILE_NOT_FOUND, false, false},
    };
    char drive = 'D';
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path root = desk.Files().MountScratch(drive);
        fs::create_directories(root / "a" / "b");
        std::ofstream(root / "a" / "b" / "f.txt") << "f";
        const std::string warm = std::string(1, drive) + ":" + (c.warmed ? c.warmed : c.asked);
        const std::string asked = std::string(1, drive) + ":" + c.asked;
        for (int i = 0; i < 2; ++i) { // the second time from what the first remembered
            ASSERT_NE(GetFileAttributesA(warm.c_str()), INVALID_FILE_ATTRIBUTES);
            ASSERT_TRUE(WayItem(warm));
        }
        c.change(root, desk, drive);

        SetLastError(0);
        const DWORD attributes = GetFileAttributesA(asked.c_str());
        EXPECT_EQ(attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0u, c.error);
        const std::optional<WIN32_FIND_DATAA> item = WayItem(asked);
        EXPECT_EQ(item.has_value(), c.shellFinds);
        if (item) {
            EXPECT_EQ((item->dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0, c.wayHidden);
            // b as the host has it now (kernel32 finds no folder through a link, whose item has no time).
            const std::string way = asked.substr(0, asked.rfind('\\'));
            struct stat st;
            if (auto host = desk.Files().Resolve(way); host && ::lstat(host->c_str(), &st) == 0) {
                const uint64_t written = emu::shell::HostWriteTime(st);
                EXPECT_EQ(item->ftLastWriteTime.dwLowDateTime, static_cast<DWORD>(written));
                EXPECT_EQ(item->ftLastWriteTime.dwHighDateTime, static_cast<DWORD>(written >> 32));
            }
        }
        ++drive;
    }
}

} // namespace
