// What the emulated shell asks of the rest of the desktop: the drives, shares and files of kernel32's file
// system, and the classes root of the registry. Everything the namespace knows about the machine passes
// through here.
#pragma once
#include "platform/emu/api/types.h"
#include "platform/emu/kernel32/NamePresence.h"
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct stat;

namespace emu::shell {

struct DriveInfo {
    char letter;       // upper case
    UINT type;         // GetDriveType value
    bool ready;        // a medium is in the drive
    std::string label; // UTF-8, empty when the volume has none
};

std::vector<char> DriveLetters();
std::optional<DriveInfo> Drive(char letter);
// The host folder of a drive root ("C:\") or a share ("\\server\share"), not looked at; none when it is not
// mounted or has no medium.
std::optional<std::filesystem::path> HostRoot(const std::string& winRoot);
// Mounted shares as (server, share), sorted without regard to case.
std::vector<std::pair<std::string, std::string>> Shares();

// The entry of a host folder named by its 8.3 alias (PROGRA~1), as Windows also accepts it.
std::optional<std::filesystem::path> FindByShortName(const std::filesystem::path& dir,
                                                     const std::string& name);

// The host name of the entry of a host folder whose name equals utf8Name without regard to case, found
// through the folder's index (the folder is read once, then followed). dirStatus is dir's lstat when the
// caller has just read it and dir is a folder, not a link.
std::optional<std::string> FindHostName(const std::string& dir, std::string_view utf8Name,
                                        const struct stat* dirStatus = nullptr);
// Parses remember the folders they reach while nothing on the way changes: the file system's way count
// (which reads the host's change notices first), following a folder on a way, and, right after the
// count, what a followed folder's index says of a name (kernel32's FileSystem tells the rules).
uint64_t WayCount();
bool FollowWay(const std::string& dir, const struct stat* dirStatus);
NamePresence HostNamePresence(const struct stat& dirStatus, std::string_view utf8Name);
// The host names of a host folder in the order the file system lists them (without regard to case, a name
// held under several spellings in byte order); null when the folder cannot be read.
std::shared_ptr<const std::vector<std::string>> SortedHostNames(const std::string& dir);
// The file attributes (FILE_ATTRIBUTE_*) of a host file or folder on a drive (letter) or a share (0), the
// second form from the lstat of the entry named hostName.
DWORD HostAttributes(const std::filesystem::path& host, char drive);
DWORD HostAttributes(std::string_view hostName, const struct stat& st, char drive);
// The last-write time of an entry's lstat as a FILETIME count.
uint64_t HostWriteTime(const struct stat& st);

// The drive Windows lives on, upper case.
char SystemDrive();

// Tells the user that a drive has no medium, as Explorer does before a listing fails.
void ReportNotReady(HWND owner, const std::string& root);

// The default value of a key under HKEY_CLASSES_ROOT, UTF-8; none when the key is missing.
std::optional<std::string> ClassesRootDefault(const std::string& subkey);

} // namespace emu::shell
