// Drives: the logical drive list, drive types, volume information, free space and device control of
// removable and CD-ROM drives (eject and load, recorded in the journal).
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/Kernel.h"
#include "platform/emu/kernel32/WinPath.h"
#include <cctype>
#include <optional>

using emu::k32::CopyOut;
using emu::k32::Fail;
using emu::k32::Files;

namespace {

// The drive letter of a root given as "C:\", "C:" or "C:/"; 0 otherwise.
char RootLetter(std::string_view root) {
    if (root.size() < 2 || root.size() > 3 || root[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(root[0])))
        return 0;
    if (root.size() == 3 && root[2] != '\\' && root[2] != '/') return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
}

// The root of the current directory: "C:\" or "\\server\share\".
std::string CurrentRoot() {
    auto p = emu::winpath::Split(Files().CurrentDirectory());
    if (!p) return "C:\\";
    std::string root = p->Root();
    if (root.back() != '\\') root += '\\';
    return root;
}

// A UNC root "\\server\share" with or without its trailing backslash.
std::optional<emu::winpath::FullPath> ShareRoot(std::string_view root) {
    auto p = emu::winpath::Split(root);
    if (!p || p->kind != emu::winpath::RootKind::Share || !p->parts.empty()) return std::nullopt;
    return p;
}

bool ShareExists(const emu::winpath::FullPath& p) {
    for (const std::string& s : Files().Shares(p.server))
        if (emu::AnsiEqualNoCase(s, p.share)) return true;
    return false;
}

} // namespace

DWORD WINAPI GetLogicalDrives(void) {
    DWORD mask = 0;
    for (char letter : Files().Drives())
        mask |= 1u << (letter - 'A');
    return mask;
}

// "A:\<NUL>C:\<NUL>...<NUL>": when the buffer cannot hold it all, nothing is written and the size needed
// (with the final NUL) comes back; otherwise the length without the final NUL.
DWORD WINAPI GetLogicalDriveStringsA(DWORD nBufferLength, LPSTR lpBuffer) {
    std::vector<char> drives = Files().Drives();
    DWORD needed = static_cast<DWORD>(drives.size() * 4 + 1);
    if (!lpBuffer || nBufferLength < needed) return needed;
    char* p = lpBuffer;
    for (char letter : drives) {
        *p++ = letter;
        *p++ = ':';
        *p++ = '\\';
        *p++ = 0;
    }
    *p = 0;
    return needed - 1;
}

UINT WINAPI GetDriveTypeA(LPCSTR lpRootPathName) {
    std::string root = lpRootPathName && *lpRootPathName ? lpRootPathName : CurrentRoot();
    if (char letter = RootLetter(root)) return Files().DriveType(letter);
    if (auto share = ShareRoot(root)) return ShareExists(*share) ? DRIVE_REMOTE : DRIVE_NO_ROOT_DIR;
    return DRIVE_NO_ROOT_DIR;
}

BOOL WINAPI GetVolumeInformationA(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
                                  LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength,
                                  LPDWORD lpFileSystemFlags, LPSTR lpFileSystemNameBuffer,
                                  DWORD nFileSystemNameSize) {
    std::string root = lpRootPathName ? lpRootPathName : CurrentRoot();
    // The root needs its trailing backslash.
    if (root.empty() || (root.back() != '\\' && root.back() != '/')) return Fail(ERROR_INVALID_NAME, FALSE);
    std::string label, fsName;
    DWORD serial = 0, flags = 0;
    if (char letter = RootLetter(root)) {
        if (!Files().IsMounted(letter)) return Fail(ERROR_PATH_NOT_FOUND, FALSE);
        if (!Files().HasMedia(letter)) return Fail(ERROR_NOT_READY, FALSE);
        label = Files().Label(letter);
        serial = Files().SerialNumber(letter);
        switch (Files().DriveType(letter)) {
        case DRIVE_CDROM:
            fsName = "CDFS";
            flags = FILE_CASE_SENSITIVE_SEARCH | FILE_UNICODE_ON_DISK | FILE_READ_ONLY_VOLUME;
            break;
        case DRIVE_REMOVABLE:
            fsName = "FAT";
            flags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK;
            break;
        default:
            fsName = "NTFS";
            flags = FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                    FILE_PERSISTENT_ACLS;
        }
    } else if (auto share = ShareRoot(root)) {
        if (!ShareExists(*share)) return Fail(ERROR_BAD_NETPATH, FALSE);
        fsName = "NTFS";
        serial = 0x5EA50000u;
        flags = FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK |
                FILE_PERSISTENT_ACLS;
    } else {
        return Fail(ERROR_DIR_NOT_ROOT, FALSE);
    }
    if (lpVolumeNameBuffer && CopyOut(label, lpVolumeNameBuffer, nVolumeNameSize) != label.size())
        return Fail(ERROR_BAD_LENGTH, FALSE);
    if (lpFileSystemNameBuffer &&
        CopyOut(fsName, lpFileSystemNameBuffer, nFileSystemNameSize) != fsName.size())
        return Fail(ERROR_BAD_LENGTH, FALSE);
    if (lpVolumeSerialNumber) *lpVolumeSerialNumber = serial;
    if (lpMaximumComponentLength) *lpMaximumComponentLength = 255;
    if (lpFileSystemFlags) *lpFileSystemFlags = flags;
    return TRUE;
}

BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                PULARGE_INTEGER lpTotalNumberOfBytes,
                                PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
    std::string dir = lpDirectoryName ? lpDirectoryName : CurrentRoot();
    emu::FileSystem::Lookup r = Files().Find(dir);
    if (!r.host) return Fail(r.error, FALSE);
    if (!r.isDir) return Fail(ERROR_DIRECTORY, FALSE);
    auto [total, free] =
        r.drive ? Files().DiskSpace(r.drive) : std::pair<uint64_t, uint64_t>{100ull << 30, 50ull << 30};
    if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = free;
    if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = total;
    if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = free;
    return TRUE;
}

// Device control on a drive opened as \\.\D:. Every code sent is recorded as ("DeviceIoControl", "D:",
// code in decimal). Ejecting a removable or CD-ROM drive takes its medium out, loading puts it back;
// fixed drives and unknown codes answer ERROR_INVALID_FUNCTION.
BOOL WINAPI DeviceIoControl(HANDLE hDevice, DWORD dwIoControlCode, LPVOID, DWORD, LPVOID, DWORD,
                            LPDWORD lpBytesReturned, LPOVERLAPPED) {
    auto* device = emu::k32::Handles().Get<emu::k32::DeviceObject>(hDevice);
    if (!device) return Fail(ERROR_INVALID_HANDLE, FALSE);
    emu::k32::Desk().Log().Add("DeviceIoControl",
                               {std::string(1, device->drive) + ":", std::to_string(dwIoControlCode)});
    if (lpBytesReturned) *lpBytesReturned = 0;
    unsigned type = Files().DriveType(device->drive);
    bool ejectable = type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
    if (!ejectable ||
        (dwIoControlCode != IOCTL_STORAGE_EJECT_MEDIA && dwIoControlCode != IOCTL_STORAGE_LOAD_MEDIA))
        return Fail(ERROR_INVALID_FUNCTION, FALSE);
    Files().SetMedia(device->drive, dwIoControlCode == IOCTL_STORAGE_LOAD_MEDIA);
    return TRUE;
}
