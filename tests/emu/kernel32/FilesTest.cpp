#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <fstream>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
protected:
    FilesTest() {
        c = desk.Files().MountScratch('C');
        desk.Files().MountScratch('D');
        cd = desk.Files().MountScratch('E', DRIVE_CDROM, "DISC");
        desk.Files().MakeDir("C:\\dir\\sub");
        desk.Files().WriteFile("C:\\dir\\file.txt", "hello");
        desk.Files().WriteFile("C:\\dir\\.hidden", "h");
        desk.Files().WriteFile("E:\\track.cda", "cd");
        SetLastError(0);
    }
    // The call's result and the last error it left.
    template <class T> std::pair<T, DWORD> Call(T result) { return {result, GetLastError()}; }

    emu::Desktop desk;
    fs::path c, cd;
};

TEST_F(FilesTest, AttributesAsWindowsReportsThem) {
    fs::path ro = desk.Files().WriteFile("C:\\dir\\locked.txt", "x");
    fs::permissions(ro, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const struct {
        const char* path;
        DWORD want;
    } cases[] = {
        {"C:\\dir", FILE_ATTRIBUTE_DIRECTORY},
        {"C:\\DIR\\FILE.TXT", FILE_ATTRIBUTE_ARCHIVE},
        {"C:\\dir\\.hidden", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN},
        {"C:\\dir\\locked.txt", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
        {"C:\\", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"E:\\", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY},
        {"E:\\track.cda", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
    };
    for (const auto& t : cases)
        EXPECT_EQ(GetFileAttributesA(t.path), t.want) << t.path;

    const struct {
        const char* path;
        DWORD error;
    } failures[] = {
        {"C:\\dir\\missing", ERROR_FILE_NOT_FOUND},
        {"C:\\missing\\x", ERROR_PATH_NOT_FOUND},
        {"", ERROR_PATH_NOT_FOUND},
        {"C:\\dir\\a?b", ERROR_INVALID_NAME},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& t : failures) {
        SetLastError(0);
        EXPECT_EQ(Call(GetFileAttributesA(t.path)), std::make_pair(INVALID_FILE_ATTRIBUTES, t.error))
            << t.path;
    }
    EXPECT_EQ(Call(GetFileAttributesA(std::string(300, 'a').c_str())),
              std::make_pair(INVALID_FILE_ATTRIBUTES, DWORD(ERROR_FILENAME_EXCED_RANGE)));
}

TEST_F(FilesTest, SetFileAttributesIsKeptAndRefusedOnCdRom) {
    const struct {
        DWORD set, want;
    } cases[] = {
        {FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_NORMAL},
        {FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN},
        {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL, FILE_ATTRIBUTE_ARCHIVE},
        {FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY,
         FILE_ATTRIBUTE_SYSTEM}, // the folder bit is not settable
    };
    for (const auto& t : cases) {
        ASSERT_TRUE(SetFileAttributesA("C:\\dir\\file.txt", t.set));
        EXPECT_EQ(GetFileAttributesA("c:\\dir\\FILE.txt"), t.want) << t.set;
    }
    // A dot-file shown by clearing HIDDEN; the attributes follow a rename.
    ASSERT_TRUE(SetFileAttributesA("C:\\dir\\.hidden", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("C:\\dir\\.hidden"), DWORD(FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(SetFileAttributesA("C:\\dir\\sub", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MoveFileA("C:\\dir\\sub", "C:\\moved"));
    EXPECT_EQ(GetFileAttributesA("C:\\moved"), DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Call(SetFileAttributesA("E:\\track.cda", FILE_ATTRIBUTE_NORMAL)),
              std::make_pair(FALSE, DWORD(ERROR_ACCESS_DENIED)));
}

TEST_F(FilesTest, FolderCreationAndRemovalErrors) {
    EXPECT_TRUE(CreateDirectoryA("C:\\dir\\New Folder", nullptr));
    EXPECT_TRUE(fs::is_directory(c / "dir" / "New Folder"));
    const struct {
        const char* path;
        DWORD error;
    } creates[] = {
        {"C:\\DIR\\new folder", ERROR_ALREADY_EXISTS},
        {"C:\\dir\\file.txt", ERROR_ALREADY_EXISTS},
        {"C:\\none\\x", ERROR_PATH_NOT_FOUND},
        {"C:\\", ERROR_ACCESS_DENIED},
        {"E:\\x", ERROR_ACCESS_DENIED},
        {"C:\\dir\\a*b", ERROR_INVALID_NAME},
    };
    for (const auto& t : creates)
        EXPECT_EQ(Call(CreateDirectoryA(t.path, nullptr)), std::make_pair(FALSE, t.error)) << t.path;

    ASSERT_TRUE(SetCurrentDirectoryA("C:\\dir\\sub"));
    const struct {
        const char* path;
        DWORD error;
    } removes[] = {
        {"C:\\dir", ERROR_DIR_NOT_EMPTY},
        {"C:\\dir\\file.txt", ERROR_DIRECTORY},
        {"C:\\dir\\missing", ERROR_FILE_NOT_FOUND},
        {"C:\\dir\\sub", ERROR_SHARING_VIOLATION}, // current directory
        {"C:\\", ERROR_ACCESS_DENIED},
    };
    for (const auto& t : removes)
        EXPECT_EQ(Call(RemoveDirectoryA(t.path)), std::make_pair(FALSE, t.error)) << t.path;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_TRUE(RemoveDirectoryA("c:\\DIR\\SUB"));
    EXPECT_FALSE(fs::exists(c / "dir" / "sub"));
}

TEST_F(FilesTest, DeleteFileErrors) {
    ASSERT_TRUE(SetFileAttributesA("C:\\dir\\.hidden", FILE_ATTRIBUTE_READONLY));
    HANDLE h =
        CreateFileA("C:\\dir\\file.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const struct {
        const char* path;
        DWORD error;
    } cases[] = {
        {"C:\\dir\\.hidden", ERROR_ACCESS_DENIED},      {"C:\\dir", ERROR_ACCESS_DENIED},
        {"C:\\dir\\file.txt", ERROR_SHARING_VIOLATION}, {"C:\\dir\\missing", ERROR_FILE_NOT_FOUND},
        {"E:\\track.cda", ERROR_ACCESS_DENIED},
    };
    for (const auto& t : cases)
        EXPECT_EQ(Call(DeleteFileA(t.path)), std::make_pair(FALSE, t.error)) << t.path;
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_TRUE(DeleteFileA("C:\\DIR\\FILE.TXT"));
    EXPECT_FALSE(fs::exists(c / "dir" / "file.txt"));
}

TEST_F(FilesTest, CopyFile) {
    EXPECT_TRUE(CopyFileA("C:\\dir\\file.txt", "D:\\Copy.txt", TRUE));
    EXPECT_TRUE(fs::exists(desk.Files().Resolve("D:\\copy.TXT").value()));
    EXPECT_EQ(Call(CopyFileA("C:\\dir\\file.txt", "D:\\COPY.TXT", TRUE)),
              std::make_pair(FALSE, DWORD(ERROR_FILE_EXISTS)));
    desk.Files().WriteFile("C:\\dir\\file.txt", "changed");
    EXPECT_TRUE(CopyFileA("C:\\dir\\file.txt", "d:\\copy.txt", FALSE)); // overwrites, keeps the name's case
    std::ifstream in(desk.ScratchDir() / "D" / "Copy.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "changed");
    // A file copied from a CD-ROM stays read-only.
    EXPECT_TRUE(CopyFileA("E:\\track.cda", "C:\\track.cda", FALSE));
    EXPECT_EQ(GetFileAttributesA("C:\\track.cda"), DWORD(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    const struct {
        const char* from;
        const char* to;
        DWORD error;
    } failures[] = {
        {"C:\\dir\\missing", "C:\\x", ERROR_FILE_NOT_FOUND},
        {"C:\\dir", "C:\\x", ERROR_ACCESS_DENIED},
        {"C:\\dir\\file.txt", "C:\\no\\x", ERROR_PATH_NOT_FOUND},
        {"C:\\dir\\file.txt", "C:\\dir\\sub", ERROR_ACCESS_DENIED},
        {"C:\\dir\\file.txt", "C:\\track.cda", ERROR_ACCESS_DENIED}, // read-only target
        {"C:\\dir\\file.txt", "E:\\x", ERROR_ACCESS_DENIED},
    };
    for (const auto& t : failures)
        EXPECT_EQ(Call(CopyFileA(t.from, t.to, FALSE)), std::make_pair(FALSE, t.error))
            << t.from << " " << t.to;
}

TEST_F(FilesTest, MoveFile) {
    EXPECT_TRUE(MoveFileA("C:\\dir\\file.txt", "C:\\dir\\FILE.TXT")); // a change of case only
    EXPECT_TRUE(fs::exists(c / "dir" / "FILE.TXT"));
    EXPECT_FALSE(fs::exists(c / "dir" / "file.txt"));
    EXPECT_TRUE(MoveFileA("C:\\dir\\FILE.TXT", "D:\\moved.txt")); // files move between drives
    EXPECT_TRUE(fs::exists(desk.ScratchDir() / "D" / "moved.txt"));
    desk.Files().WriteFile("C:\\dir\\other.txt");
    const struct {
        const char* from;
        const char* to;
        DWORD error;
    } failures[] = {
        {"C:\\dir\\other.txt", "C:\\DIR\\.HIDDEN", ERROR_ALREADY_EXISTS},
        {"C:\\dir", "D:\\dir", ERROR_NOT_SAME_DEVICE},
        {"C:\\dir", "C:\\dir\\sub\\inner", ERROR_ACCESS_DENIED},
        {"C:\\dir\\missing", "C:\\x", ERROR_FILE_NOT_FOUND},
        {"E:\\track.cda", "C:\\x", ERROR_ACCESS_DENIED},
        {"C:\\", "C:\\x", ERROR_ACCESS_DENIED},
    };
    for (const auto& t : failures)
        EXPECT_EQ(Call(MoveFileA(t.from, t.to)), std::make_pair(FALSE, t.error)) << t.from << " " << t.to;
    EXPECT_TRUE(MoveFileA("C:\\dir", "C:\\Renamed"));
    EXPECT_TRUE(fs::is_directory(c / "Renamed" / "sub"));
}

TEST_F(FilesTest, CreateFileDispositionsAndLastErrors) {
    const struct {
        const char* path;
        DWORD disposition;
        bool ok;
        DWORD error;
    } cases[] = {
        {"C:\\dir\\file.txt", CREATE_NEW, false, ERROR_FILE_EXISTS},
        {"C:\\dir\\file.txt", OPEN_EXISTING, true, 0},
        {"C:\\dir\\file.txt", OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"C:\\dir\\file.txt", CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"C:\\dir\\new1.txt", OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"C:\\dir\\new1.txt", TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"C:\\dir\\new1.txt", CREATE_NEW, true, 0},
        {"C:\\dir\\new2.txt", OPEN_ALWAYS, true, 0},
        {"C:\\nodir\\x.txt", CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
        {"C:\\dir", OPEN_EXISTING, false, ERROR_ACCESS_DENIED},
        {"E:\\new.txt", CREATE_NEW, false, ERROR_ACCESS_DENIED},
        {"C:\\dir\\x.txt", 0, false, ERROR_INVALID_PARAMETER},
    };
    for (const auto& t : cases) {
        SetLastError(12345);
        HANDLE h = CreateFileA(t.path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, t.disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, t.ok) << t.path << " " << t.disposition;
        EXPECT_EQ(GetLastError(), t.error) << t.path << " " << t.disposition;
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
}

TEST_F(FilesTest, ReadWriteSizeAndSharing) {
    HANDLE w =
        CreateFileA("C:\\dir\\data.bin", GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(w, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(w, "0123456789", 10, &n, nullptr));
    EXPECT_EQ(n, 10u);
    char buf[16] = {};
    EXPECT_EQ(Call(ReadFile(w, buf, 4, &n, nullptr)), std::make_pair(FALSE, DWORD(ERROR_ACCESS_DENIED)));
    // A second writer is refused, a reader that shares writing is let in.
    EXPECT_EQ(Call(CreateFileA("C:\\dir\\data.bin", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr)),
              std::make_pair(INVALID_HANDLE_VALUE, DWORD(ERROR_SHARING_VIOLATION)));
    HANDLE r = CreateFileA("c:\\DIR\\DATA.BIN", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(r, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(r, &high), 10u);
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(SetFilePointer(r, 6, nullptr, FILE_BEGIN), 6u);
    ASSERT_TRUE(ReadFile(r, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "6789");
    ASSERT_TRUE(ReadFile(r, buf, sizeof buf, &n, nullptr)); // at the end: success with nothing read
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(CloseHandle(r));
    EXPECT_TRUE(CloseHandle(w));
    EXPECT_EQ(Call(CloseHandle(w)), std::make_pair(FALSE, DWORD(ERROR_INVALID_HANDLE)));
    EXPECT_EQ(Call(GetFileSize(w, nullptr)), std::make_pair(INVALID_FILE_SIZE, DWORD(ERROR_INVALID_HANDLE)));
}

} // namespace
