#include "platform/emu/Desktop.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/win32.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

class DrivesTest : public ::testing::Test {
protected:
    DrivesTest() {
        desk.Files().MountScratch('A', DRIVE_REMOVABLE);
        desk.Files().MountScratch('C', DRIVE_FIXED, "SYSTEM");
        desk.Files().MountScratch('E', DRIVE_CDROM, "MUSIC CD");
        desk.Files().MountScratch('N', DRIVE_REMOTE);
        desk.Files().MountScratch('R', DRIVE_RAMDISK);
        desk.Files().MountScratchShare("server", "share");
        desk.Files().MakeDir("C:\\dir");
    }
    emu::Desktop desk;
};

TEST_F(DrivesTest, DriveTypes) {
    EXPECT_EQ(GetLogicalDrives(), DWORD((1 << 0) | (1 << 2) | (1 << 4) | (1 << 13) | (1 << 17)));
    const struct {
        const char* root;
        UINT want;
    } cases[] = {
        {"C:\\", DRIVE_FIXED},
        {"c:", DRIVE_FIXED},
        {"A:\\", DRIVE_REMOVABLE},
        {"E:\\", DRIVE_CDROM},
        {"N:\\", DRIVE_REMOTE},
        {"R:/", DRIVE_RAMDISK},
        {"Q:\\", DRIVE_NO_ROOT_DIR},
        {"C:\\dir\\", DRIVE_NO_ROOT_DIR},
        {"\\\\server\\share\\", DRIVE_REMOTE},
        {"\\\\SERVER\\SHARE", DRIVE_REMOTE},
        {"\\\\server\\nope\\", DRIVE_NO_ROOT_DIR},
        {nullptr, DRIVE_FIXED},
        {"", DRIVE_FIXED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDriveTypeA(c.root), c.want) << (c.root ? c.root : "(null)");
    desk.Files().SetMedia('E', false); // a CD-ROM drive stays one without a disc
    EXPECT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_CDROM));
}

TEST_F(DrivesTest, LogicalDriveStringsBufferRule) {
    char buf[120];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(GetLogicalDriveStringsA(sizeof buf, buf), 20u);
    EXPECT_EQ(std::string(buf, 21), std::string("A:\\\0C:\\\0E:\\\0N:\\\0R:\\\0\0", 21));
    EXPECT_EQ(GetLogicalDriveStringsA(0, nullptr), 21u);
    for (char l = 'A'; l <= 'Z'; ++l)
        if (!desk.Files().IsMounted(l)) desk.Files().MountScratch(l);
    // 26 drives need 105 characters: a smaller buffer is left alone.
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(GetLogicalDriveStringsA(78, buf), 105u);
    EXPECT_EQ(buf[0], '#');
    EXPECT_EQ(GetLogicalDriveStringsA(104, buf), 105u);
    EXPECT_EQ(GetLogicalDriveStringsA(105, buf), 104u);
    EXPECT_EQ(std::string(buf + 100, 5), std::string("Z:\\\0\0", 5));
}

TEST_F(DrivesTest, VolumeInformation) {
    char label[32], fs[16];
    DWORD serial = 0, maxLen = 0, flags = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", label, sizeof label, &serial, &maxLen, &flags, fs, sizeof fs));
    EXPECT_STREQ(label, "SYSTEM");
    EXPECT_STREQ(fs, "NTFS");
    EXPECT_EQ(maxLen, 255u);
    EXPECT_NE(serial, 0u);
    ASSERT_TRUE(GetVolumeInformationA("E:\\", label, sizeof label, nullptr, nullptr, nullptr, fs, sizeof fs));
    EXPECT_STREQ(label, "MUSIC CD");
    EXPECT_STREQ(fs, "CDFS");
    desk.Files().SetLabel('C', "RENAMED");
    ASSERT_TRUE(GetVolumeInformationA("c:\\", label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
    EXPECT_STREQ(label, "RENAMED");
    desk.Files().SetMedia('E', false);
    const struct {
        const char* root;
        DWORD error;
    } failures[] = {
        {"E:\\", ERROR_NOT_READY},
        {"C:", ERROR_INVALID_NAME},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
        {"\\\\server\\nope\\", ERROR_BAD_NETPATH},
    };
    for (const auto& f : failures) {
        SetLastError(0);
        EXPECT_FALSE(
            GetVolumeInformationA(f.root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0));
        EXPECT_EQ(GetLastError(), f.error) << f.root;
    }
    EXPECT_FALSE(GetVolumeInformationA("C:\\", label, 4, nullptr, nullptr, nullptr, nullptr, 0));
}

TEST_F(DrivesTest, DiskFreeSpace) {
    ULARGE_INTEGER avail, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\dir", &avail, &total, &free));
    EXPECT_GT(total.QuadPart, free.QuadPart);
    EXPECT_EQ(avail.QuadPart, free.QuadPart);
    desk.Files().SetDiskSpace('C', 1000, 250);
    ASSERT_TRUE(GetDiskFreeSpaceExA("c:\\", &avail, &total, &free));
    EXPECT_EQ(total.QuadPart, 1000u);
    EXPECT_EQ(free.QuadPart, 250u);
    ASSERT_TRUE(GetDiskFreeSpaceExA("E:\\", &avail, &total, &free));
    EXPECT_EQ(free.QuadPart, 0u);
    desk.Files().SetMedia('A', false);
    EXPECT_FALSE(GetDiskFreeSpaceExA("A:\\", &avail, &total, &free));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_READY));
}

TEST_F(DrivesTest, EjectAndLoadThroughDeviceControl) {
    HANDLE h = CreateFileA("\\\\.\\E:", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD bytes = 99, zero = 0;
    EXPECT_TRUE(DeviceIoControl(h, IOCTL_STORAGE_EJECT_MEDIA, &zero, 0, nullptr, 0, &bytes, nullptr));
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(GetFileAttributesA("E:\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_READY));
    EXPECT_TRUE(DeviceIoControl(h, IOCTL_STORAGE_LOAD_MEDIA, &zero, 0, nullptr, 0, &bytes, nullptr));
    EXPECT_NE(GetFileAttributesA("E:\\"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(CloseHandle(h));

    HANDLE c = CreateFileA("\\\\.\\C:", GENERIC_READ, 3, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(DeviceIoControl(c, IOCTL_STORAGE_EJECT_MEDIA, &zero, 0, nullptr, 0, &bytes, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_FUNCTION));
    CloseHandle(c);
    EXPECT_EQ(CreateFileA("\\\\.\\Q:", GENERIC_READ, 3, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    auto records = desk.Log().OfKind("DeviceIoControl");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].Text(), "DeviceIoControl: E: | 2967560");
    EXPECT_EQ(records[1].Text(), "DeviceIoControl: E: | 2967564");
    EXPECT_EQ(records[2].Text(), "DeviceIoControl: C: | 2967560");
}

} // namespace
