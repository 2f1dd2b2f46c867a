#include "platform/emu/shell32/Host.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/advapi32.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/user32.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/Kernel.h"
#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace emu::shell {

namespace {
FileSystem& Files() {
    return Desktop::Current().Files();
}
} // namespace

std::vector<char> DriveLetters() {
    return Files().Drives();
}

std::optional<DriveInfo> Drive(char letter) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    if (!Files().IsMounted(letter)) return std::nullopt;
    return DriveInfo{letter, Files().DriveType(letter), Files().HasMedia(letter), Files().Label(letter)};
}

std::optional<std::filesystem::path> HostRoot(const std::string& winRoot) {
    return Files().RootHost(Utf8ToAnsi(winRoot));
}

std::vector<std::pair<std::string, std::string>> Shares() {
    std::vector<std::pair<std::string, std::string>> shares;
    for (const std::string& server : Files().Servers())
        for (const std::string& share : Files().Shares(server))
            shares.emplace_back(server, share);
    return shares;
}

std::optional<std::filesystem::path> FindByShortName(const std::filesystem::path& dir,
                                                     const std::string& name) {
    if (name.find('~') == std::string::npos) return std::nullopt;
    return Files().FindChild(dir, Utf8ToAnsi(name));
}

std::optional<std::string> FindHostName(const std::string& dir, std::string_view utf8Name,
                                        const struct stat* dirStatus) {
    return Files().IndexedName(dir, utf8Name, dirStatus);
}

uint64_t WayCount() {
    return Files().WayCount();
}

bool FollowWay(const std::string& dir, const struct stat* dirStatus) {
    return Files().FollowWay(dir, dirStatus);
}

NamePresence HostNamePresence(const struct stat& dirStatus, std::string_view utf8Name) {
    return Files().Presence(dirStatus, utf8Name);
}

std::shared_ptr<const std::vector<std::string>> SortedHostNames(const std::string& dir) {
    if (auto sorted = Files().SortedNames(dir)) return sorted;
    // Not from the index: read the folder and order it here.
    std::optional<std::vector<std::string>> read = ReadHostFolder(dir);
    if (!read) return nullptr;
    std::vector<std::pair<std::string, std::string>> found; // folded name, host name
    found.reserve(read->size());
    for (std::string& name : *read)
        found.emplace_back(FoldUtf8(name), std::move(name));
    std::sort(found.begin(), found.end());
    auto names = std::make_shared<std::vector<std::string>>();
    names->reserve(found.size());
    for (auto& [fold, name] : found)
        names->push_back(std::move(name));
    return names;
}

DWORD HostAttributes(std::string_view hostName, const struct stat& st, char drive) {
    return Files().Attributes(hostName, st, drive);
}

DWORD HostAttributes(const std::filesystem::path& host, char drive) {
    FileSystem::Lookup entry;
    entry.host = host;
    entry.exists = true;
    entry.drive = drive;
    return Files().Attributes(entry);
}

uint64_t HostWriteTime(const struct stat& st) {
    const FILETIME time = k32::ToFileTime(st.st_mtim);
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

char SystemDrive() {
    char windows[MAX_PATH] = "";
    if (GetWindowsDirectoryA(windows, MAX_PATH) && windows[1] == ':')
        return static_cast<char>(std::toupper(static_cast<unsigned char>(windows[0])));
    return 'C';
}

void ReportNotReady(HWND owner, const std::string& root) {
    std::string text = Utf8ToAnsi(root) + " is not accessible.\n\nThe device is not ready.";
    MessageBoxA(owner, text.c_str(), Utf8ToAnsi(root).c_str(), MB_OK | MB_ICONERROR);
}

std::optional<std::string> ClassesRootDefault(const std::string& subkey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, Utf8ToAnsi(subkey).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    char value[MAX_PATH] = "";
    DWORD type = 0, size = sizeof value;
    std::string text;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        text.assign(value, strnlen(value, std::min<size_t>(size, sizeof value)));
    RegCloseKey(key);
    return AnsiToUtf8(text);
}

} // namespace emu::shell
