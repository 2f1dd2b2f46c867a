// Files and folders: attributes, creating and removing folders, deleting, copying and moving files,
// and simple handle-based reading and writing. Errors are those Windows gives for the same calls.
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/Kernel.h"
#include "platform/emu/kernel32/WinPath.h"
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using emu::FileSystem;
using emu::k32::Fail;
using emu::k32::FileObject;
using emu::k32::Files;
using emu::k32::Handles;

namespace {

bool ReadOnlyEntry(const FileSystem::Lookup& r) {
    return (Files().Attributes(r) & FILE_ATTRIBUTE_READONLY) != 0;
}

bool OnReadOnlyDrive(const FileSystem::Lookup& r) {
    return r.drive && Files().IsReadOnlyDrive(r.drive);
}

// Open handles of a host file, to refuse what their share modes forbid.
bool OpenWithout(const fs::path& host, DWORD shareFlag) {
    std::error_code ec;
    for (FileObject* f : Handles().All<FileObject>())
        if (!(f->shareMode & shareFlag) && fs::equivalent(f->host, host, ec)) return true;
    return false;
}

// The volume of a full path: "C:" or "\\SERVER\SHARE".
std::string VolumeOf(const std::string& fullPath) {
    auto p = emu::winpath::Split(fullPath);
    return p ? emu::AnsiUpper(p->Root()) : std::string();
}

std::string LastComponent(const std::string& fullPath) {
    auto p = emu::winpath::Split(fullPath);
    return p && !p->parts.empty() ? p->parts.back() : std::string();
}

bool CopyTree(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    return !ec;
}

} // namespace

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
    if (!lpFileName) return Fail(ERROR_INVALID_PARAMETER, INVALID_FILE_ATTRIBUTES);
    FileSystem::Lookup r = Files().Find(lpFileName);
    if (!r.host) return Fail(r.error, INVALID_FILE_ATTRIBUTES);
    return Files().Attributes(r);
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
    if (!lpFileName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup r = Files().Find(lpFileName);
    if (!r.host) return Fail(r.error, FALSE);
    if (OnReadOnlyDrive(r)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (!r.isRoot) Files().SetAttributes(*r.host, dwFileAttributes);
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES) {
    if (!lpPathName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup r = Files().FindForCreate(lpPathName);
    if (!r.host) return Fail(r.error, FALSE);
    if (r.isRoot) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (r.exists) return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (OnReadOnlyDrive(r)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    std::error_code ec;
    if (!fs::create_directory(*r.host, ec)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
    if (!lpPathName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup r = Files().Find(lpPathName);
    if (!r.host) return Fail(r.error, FALSE);
    if (!r.isDir) return Fail(ERROR_DIRECTORY, FALSE);
    if (r.isRoot || OnReadOnlyDrive(r) || ReadOnlyEntry(r)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    std::error_code ec;
    // The process holds its current directory open.
    auto cwd = Files().Resolve(Files().CurrentDirectory());
    if (cwd && fs::equivalent(*cwd, *r.host, ec)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    if (!fs::is_empty(*r.host, ec)) return Fail(ERROR_DIR_NOT_EMPTY, FALSE);
    Files().ForgetAttributes(*r.host);
    if (!fs::remove(*r.host, ec)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
    if (!lpFileName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup r = Files().Find(lpFileName);
    if (!r.host) return Fail(r.error, FALSE);
    if (r.isDir || OnReadOnlyDrive(r) || ReadOnlyEntry(r)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (OpenWithout(*r.host, FILE_SHARE_DELETE)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    Files().ForgetAttributes(*r.host);
    std::error_code ec;
    if (!fs::remove(*r.host, ec)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    return TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
    if (!lpExistingFileName || !lpNewFileName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup src = Files().Find(lpExistingFileName);
    if (!src.host) return Fail(src.error, FALSE);
    if (src.isDir) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (OpenWithout(*src.host, FILE_SHARE_READ)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    FileSystem::Lookup dst = Files().FindForCreate(lpNewFileName);
    if (!dst.host) return Fail(dst.error, FALSE);
    if (dst.isDir || OnReadOnlyDrive(dst)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    std::error_code ec;
    if (dst.exists) {
        if (fs::equivalent(*src.host, *dst.host, ec)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
        if (bFailIfExists) return Fail(ERROR_FILE_EXISTS, FALSE);
        if (ReadOnlyEntry(dst)) return Fail(ERROR_ACCESS_DENIED, FALSE);
        if (OpenWithout(*dst.host, FILE_SHARE_WRITE)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    // CopyFile takes the attributes along (a file copied from a CD-ROM stays read-only) and sets ARCHIVE.
    DWORD attributes = Files().Attributes(src) & ~(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY);
    if (!fs::copy_file(*src.host, *dst.host, fs::copy_options::overwrite_existing, ec))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    fs::permissions(*dst.host, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    fs::last_write_time(*dst.host, fs::last_write_time(*src.host, ec), ec);
    Files().SetAttributes(*dst.host, attributes | FILE_ATTRIBUTE_ARCHIVE);
    return TRUE;
}

BOOL WINAPI MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName) {
    if (!lpExistingFileName || !lpNewFileName) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    FileSystem::Lookup src = Files().Find(lpExistingFileName);
    if (!src.host) return Fail(src.error, FALSE);
    if (src.isRoot || OnReadOnlyDrive(src)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    FileSystem::Lookup dst = Files().FindForCreate(lpNewFileName);
    if (!dst.host) return Fail(dst.error, FALSE);
    if (dst.isRoot || OnReadOnlyDrive(dst)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    std::error_code ec;
    fs::path target = *dst.host;
    if (dst.exists) {
        // Only a change of case of the same entry is allowed onto an existing name.
        if (!fs::equivalent(*src.host, *dst.host, ec)) return Fail(ERROR_ALREADY_EXISTS, FALSE);
        target = dst.host->parent_path() / emu::ToHostName(LastComponent(dst.fullPath));
    }
    if (src.isDir) {
        std::string from = src.host->lexically_normal().string() + "/";
        if (target.lexically_normal().string().starts_with(from)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (OpenWithout(*src.host, FILE_SHARE_DELETE)) return Fail(ERROR_SHARING_VIOLATION, FALSE);
    bool sameVolume = VolumeOf(src.fullPath) == VolumeOf(dst.fullPath);
    if (!sameVolume && src.isDir) return Fail(ERROR_NOT_SAME_DEVICE, FALSE);
    fs::rename(*src.host, target, ec);
    if (!ec) return TRUE;
    if (ec != std::errc::cross_device_link) return Fail(ERROR_ACCESS_DENIED, FALSE);
    // Another host file system: copy, then remove the original, keeping the attributes.
    DWORD attributes = Files().Attributes(src) & ~(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY);
    if (!CopyTree(*src.host, target)) return Fail(ERROR_ACCESS_DENIED, FALSE);
    Files().SetAttributes(target, attributes);
    Files().ForgetAttributes(*src.host);
    fs::remove_all(*src.host, ec);
    return TRUE;
}

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode, LPSECURITY_ATTRIBUTES,
                          DWORD dwCreationDisposition, DWORD dwFlagsAndAttributes, HANDLE) {
    if (!lpFileName) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    std::string_view name = lpFileName;
    // \\.\D: opens the drive itself as a device.
    if (name.size() == 6 && name.starts_with("\\\\.\\") && name[5] == ':') {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[4])));
        if (!Files().IsMounted(letter)) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        auto device = std::make_shared<emu::k32::DeviceObject>();
        device->drive = letter;
        SetLastError(0);
        return Handles().Add(device);
    }
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    bool write = dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL);
    bool read = dwDesiredAccess & (GENERIC_READ | GENERIC_ALL);
    if (dwCreationDisposition == TRUNCATE_EXISTING && !write)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    FileSystem::Lookup r = Files().FindForCreate(name);
    if (!r.host) return Fail(r.error, INVALID_HANDLE_VALUE);
    if (r.isDir) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    bool truncate = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING;
    DWORD lastError = 0;
    if (r.exists) {
        if (dwCreationDisposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS, INVALID_HANDLE_VALUE);
        if ((write || truncate) && (OnReadOnlyDrive(r) || ReadOnlyEntry(r)))
            return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
        std::error_code ec;
        for (FileObject* f : Handles().All<FileObject>()) {
            if (!fs::equivalent(f->host, *r.host, ec)) continue;
            bool conflict = (read && !(f->shareMode & FILE_SHARE_READ)) ||
                            (write && !(f->shareMode & FILE_SHARE_WRITE)) ||
                            (f->canRead && !(dwShareMode & FILE_SHARE_READ)) ||
                            (f->canWrite && !(dwShareMode & FILE_SHARE_WRITE));
            if (conflict) return Fail(ERROR_SHARING_VIOLATION, INVALID_HANDLE_VALUE);
        }
        if (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS)
            lastError = ERROR_ALREADY_EXISTS;
    } else {
        if (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING)
            return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        if (OnReadOnlyDrive(r)) return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    }
    int flags = (read && write) ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    if (!r.exists) flags |= O_CREAT | O_EXCL;
    if (truncate) flags |= O_TRUNC;
    if (truncate && !write) flags = (flags & ~O_ACCMODE) | O_RDWR;
    int fd = ::open(r.host->c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
    // CREATE_ALWAYS replaces the attributes with those given, plus ARCHIVE; TRUNCATE_EXISTING keeps them.
    if (!r.exists || dwCreationDisposition == CREATE_ALWAYS)
        Files().SetAttributes(*r.host, (dwFlagsAndAttributes & 0xFFFF & ~FILE_ATTRIBUTE_NORMAL) |
                                           FILE_ATTRIBUTE_ARCHIVE);
    auto file = std::make_shared<FileObject>();
    file->fd = fd;
    file->host = *r.host;
    file->canRead = read;
    file->canWrite = write;
    file->shareMode = dwShareMode;
    HANDLE h = Handles().Add(file);
    SetLastError(lastError);
    return h;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     LPOVERLAPPED) {
    FileObject* f = Handles().Get<FileObject>(hFile);
    if (!f) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
    if (!f->canRead) return Fail(ERROR_ACCESS_DENIED, FALSE);
    auto* out = static_cast<char*>(lpBuffer);
    DWORD done = 0;
    while (done < nNumberOfBytesToRead) {
        ssize_t n = ::read(f->fd, out + done, nNumberOfBytesToRead - done);
        if (n < 0) return Fail(ERROR_ACCESS_DENIED, FALSE);
        if (n == 0) break; // end of file: success with fewer bytes
        done += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
    return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                      LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED) {
    FileObject* f = Handles().Get<FileObject>(hFile);
    if (!f) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
    if (!f->canWrite) return Fail(ERROR_ACCESS_DENIED, FALSE);
    const auto* in = static_cast<const char*>(lpBuffer);
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t n = ::write(f->fd, in + done, nNumberOfBytesToWrite - done);
        if (n <= 0) return Fail(errno == ENOSPC ? ERROR_DISK_FULL : ERROR_ACCESS_DENIED, FALSE);
        done += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
    Files().MarkChanged(f->host);
    return TRUE;
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
    FileObject* f = Handles().Get<FileObject>(hFile);
    if (!f) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    struct stat st;
    if (::fstat(f->fd, &st) != 0) return Fail(ERROR_INVALID_HANDLE, INVALID_FILE_SIZE);
    uint64_t size = static_cast<uint64_t>(st.st_size);
    if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    // A size whose low part is 0xFFFFFFFF is told apart from a failure by the last error.
    SetLastError(0);
    return static_cast<DWORD>(size & 0xFFFFFFFF);
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                            DWORD dwMoveMethod) {
    FileObject* f = Handles().Get<FileObject>(hFile);
    if (!f) return Fail(ERROR_INVALID_HANDLE, INVALID_SET_FILE_POINTER);
    int64_t distance = lpDistanceToMoveHigh
                           ? static_cast<int64_t>(
                                 (static_cast<uint64_t>(static_cast<uint32_t>(*lpDistanceToMoveHigh)) << 32) |
                                 static_cast<uint32_t>(lDistanceToMove))
                           : lDistanceToMove;
    int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    if (dwMoveMethod > FILE_END) return Fail(ERROR_INVALID_PARAMETER, INVALID_SET_FILE_POINTER);
    off_t pos = ::lseek(f->fd, distance, whence);
    if (pos < 0) return Fail(ERROR_NEGATIVE_SEEK, INVALID_SET_FILE_POINTER);
    if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<uint64_t>(pos) >> 32);
    SetLastError(0);
    return static_cast<DWORD>(static_cast<uint64_t>(pos) & 0xFFFFFFFF);
}
