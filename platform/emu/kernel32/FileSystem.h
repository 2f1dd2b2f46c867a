// The emulated desktop's file system: drive letters and UNC shares mapped onto host folders. Windows paths
// resolve without regard to letter case (c:\WINDOWS finds C:\Windows), / works like \, and names keep the
// case they were created with. Nothing outside the mounted folders is ever reached: ".." stops at a drive
// or share root and symbolic links on the host are not followed. Host names are UTF-8; Windows sees them
// in the ANSI code page (a character it cannot hold shows as "?", as FindFirstFileA shows it).
//
// Attributes: a folder is FILE_ATTRIBUTE_DIRECTORY, a file FILE_ATTRIBUTE_ARCHIVE, as on a fresh NTFS
// volume; a host dot-file or dot-folder is also HIDDEN; a host file without write permission and every
// file of a CD-ROM are READONLY. SetFileAttributesA (or SetAttributes) records other bits per file,
// kept by inode so that they follow renames. A drive root reports DIRECTORY | HIDDEN | SYSTEM (0x16) on
// fixed, network and RAM drives, DIRECTORY on removable drives and DIRECTORY | READONLY on CD-ROMs.
#pragma once
#include "platform/emu/kernel32/NamePresence.h"
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct stat;

namespace emu {

class ShortNameTable;

class Desktop;

class FileSystem {
public:
    explicit FileSystem(Desktop& desktop);
    ~FileSystem();

    // Drives. type is a GetDriveType value (2 removable, 3 fixed, 4 remote, 5 CD-ROM, 6 RAM disk). The host
    // folder is created when missing. Mounting the system drive (that of the TEMP folder) in the desktop's
    // scratch space creates the temporary folder on it; a folder elsewhere (the user's own) gets nothing
    // written into it: the temporary folder's missing folders are made by the first write below them.
    void Mount(char letter, const std::filesystem::path& hostDir, unsigned type = 3, std::string label = "");
    // Creates the folder <scratch>/<letter> and mounts it; returns the host folder.
    std::filesystem::path MountScratch(char letter, unsigned type = 3, std::string label = "");
    void Unmount(char letter);
    // Removable and CD-ROM drives: whether a medium is in the drive (a drive without one is not ready).
    // A drive is mounted with its medium in.
    void SetMedia(char letter, bool present);
    // \\server\share mapped onto a host folder.
    void AddShare(std::string_view server, std::string_view share, const std::filesystem::path& hostDir);
    // Creates the folder <scratch>/unc/<server>/<share> and shares it; returns the host folder.
    std::filesystem::path MountScratchShare(std::string_view server, std::string_view share);

    // What the drives are.
    bool IsMounted(char letter) const;
    std::vector<char> Drives() const;      // upper-case letters, A to Z
    unsigned DriveType(char letter) const; // 1 (DRIVE_NO_ROOT_DIR) when not mounted
    bool HasMedia(char letter) const;      // fixed drives always have theirs
    std::string Label(char letter) const;
    void SetLabel(char letter, std::string label);
    uint32_t SerialNumber(char letter) const;
    // Sizes GetDiskFreeSpaceExA reports; by default 20 GiB with 10 GiB free (CD-ROMs: 650 MB, none free).
    void SetDiskSpace(char letter, uint64_t total, uint64_t free);
    std::pair<uint64_t, uint64_t> DiskSpace(char letter) const; // total, free
    std::vector<std::string> Servers() const;                   // as added, in order of their names
    std::vector<std::string> Shares(std::string_view server) const;

    // The host path of an existing file or folder; none when missing, not ready or outside the mounts.
    std::optional<std::filesystem::path> Resolve(std::string_view winPath) const;
    // The host folder a drive root ("C:\") or a share ("\\server\share") maps onto, without looking at it
    // (its listing finds out whether it is there); none when it is not mounted or has no medium.
    std::optional<std::filesystem::path> RootHost(std::string_view winRoot) const;
    // The host path for a file or folder to be created: its parent folder must exist. When the name is
    // already there (in any case), its existing host path.
    std::optional<std::filesystem::path> ResolveForCreate(std::string_view winPath) const;
    // The path made absolute against the current drive and directory, separators as backslashes, "." and
    // ".." parts resolved.
    std::string FullPath(std::string_view winPath) const;

    // Resolve and ResolveForCreate with the Windows error of a failure (ERROR_FILE_NOT_FOUND,
    // ERROR_PATH_NOT_FOUND, ERROR_NOT_READY, ERROR_BAD_NETPATH, ERROR_BAD_NET_NAME, ERROR_INVALID_NAME,
    // ERROR_FILENAME_EXCED_RANGE...).
    struct Lookup {
        std::optional<std::filesystem::path> host;
        uint32_t error = 0;
        bool exists = false;
        bool isDir = false;
        bool isRoot = false;  // a drive or share root
        char drive = 0;       // the drive letter; 0 on a share
        std::string fullPath; // the Windows full path looked up
        // What the walk's lstat of an existing entry below a root found, so that its attributes need no
        // second look (unknown when entryKnown is false, as in a Lookup made by hand).
        bool entryKnown = false;
        uint32_t entryMode = 0;
        unsigned long entryDevice = 0, entryInode = 0;
    };
    Lookup Find(std::string_view winPath) const;
    Lookup FindForCreate(std::string_view winPath) const;

    // The current directory ("C:\" or "C:\work", never with a trailing backslash but at a root) and the
    // current directory of each drive (as Windows keeps "=C:"). Setting one returns 0 or the Windows error.
    std::string CurrentDirectory() const;
    std::string DriveDirectory(char letter) const;
    uint32_t SetCurrentDirectory(std::string_view winPath);

    // The temporary folder (with a trailing backslash) as GetTempPathA finds it from TMP, TEMP,
    // USERPROFILE and the Windows folder; none when its drive is not mounted.
    std::optional<std::string> TempPath() const;

    // Attributes of an existing entry, as GetFileAttributesA reports them (see above).
    uint32_t Attributes(const Lookup& entry) const;
    // The same for an entry below a root whose lstat the caller has already made (hostName: its host name).
    uint32_t Attributes(std::string_view hostName, const struct stat& st, char drive) const;
    // Records the settable bits (READONLY, HIDDEN, SYSTEM, ARCHIVE, NORMAL, TEMPORARY, OFFLINE,
    // NOT_CONTENT_INDEXED) of an existing host entry.
    void SetAttributes(const std::filesystem::path& host, uint32_t attributes);
    // A written file gets its ARCHIVE bit back.
    void MarkChanged(const std::filesystem::path& host);
    // Drops what was recorded for a host entry (before it is deleted).
    void ForgetAttributes(const std::filesystem::path& host);
    // Whether writes are refused on a drive (CD-ROMs).
    bool IsReadOnlyDrive(char letter) const;

    // The name of a host entry as Windows sees it, and its 8.3 alias ("" when the name fits 8.3).
    static std::string WindowsName(const std::filesystem::path& hostEntry);
    std::string ShortName(const std::filesystem::path& hostEntry) const;
    // The 8.3 aliases of a host folder's names as they are now (a later change to the folder makes a new
    // table, this one stays as it is); made on the first call after a change.
    std::shared_ptr<const ShortNameTable> ShortNames(const std::filesystem::path& hostDir) const;
    // The entry of a host folder named name (ANSI, a long name or an 8.3 alias) without regard to case.
    std::optional<std::filesystem::path> FindChild(const std::filesystem::path& hostDir,
                                                   std::string_view ansiName) const;

    // The host name of the entry of a host folder whose UTF-8 name equals utf8Name without regard to case
    // (symbolic links included), through the folder's index; none when there is no such entry. A caller
    // that has just read hostDir's lstat (a folder, not a link) passes it.
    std::optional<std::string> IndexedName(const std::string& hostDir, std::string_view utf8Name,
                                           const struct stat* dirStatus = nullptr) const;

    // The names of a host folder in the order a search lists them (by folded name), from the folder's
    // index; null when the index cannot give them (the caller reads the folder itself).
    std::shared_ptr<const std::vector<std::string>> SortedNames(const std::string& hostDir) const;

    // Walks down a path remember the folders they reach. WayCount reads the change notices the host has
    // queued and gives a count that moves whenever a folder given to FollowWay changes (a name in it or
    // its own status), a recorded attribute changes, or a drive or share is mapped or dropped; no two
    // file systems give the same count, so what was found at one count still holds while it stays.
    // FollowWay follows a host folder (its lstat when the caller has it): false when it cannot be
    // followed, and then no way through it can be remembered.
    uint64_t WayCount() const;
    bool FollowWay(const std::string& hostDir, const struct stat* dirStatus = nullptr) const;
    // Right after WayCount: whether a host folder (its lstat; a folder, not a link) holds utf8Name
    // without regard to case, answered from its index when that is read and followed (Unknown when not:
    // the caller looks itself).
    NamePresence Presence(const struct stat& dirStatus, std::string_view utf8Name) const;

    // How many times a host folder has been read whole to find a name without regard to case: lookups
    // in a folder read it once, then follow its changes.
    size_t FolderScans() const;

    // Test conveniences: create a file (and its folders) or a folder at a Windows path. They throw
    // std::runtime_error when the path is not on a mounted drive or share.
    std::filesystem::path WriteFile(std::string_view winPath, std::string_view content = "");
    std::filesystem::path MakeDir(std::string_view winPath);

private:
    struct State;
    Lookup Walk(std::string_view winPath, bool forCreate) const;
    // FindChild on host paths as text (no path object is made on the way), with the found entry's lstat;
    // hostDir's own lstat when the caller has it. synced: the index has just read the change notices, so
    // a folder it follows answers without a look at the disk.
    std::optional<std::string> FindChildText(const std::string& hostDir, std::string_view ansiName,
                                             struct stat& st, const struct stat* dirStatus = nullptr,
                                             bool synced = false) const;
    std::filesystem::path CreatePath(std::string_view winPath, bool lastIsDir);
    Desktop& m_desktop;
    std::unique_ptr<State> m_state;
};

} // namespace emu
