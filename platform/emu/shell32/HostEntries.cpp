// The file-system places of the namespace as the host holds them: an entry of a host folder (one lstat
// gives its kind, attributes, size and time), names parsed below a drive, share or folder, and a folder's
// items in the order the file system lists them.
#include "platform/emu/shell32/HostEntries.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/RememberedWays.h"
#include "platform/emu/shell32/Host.h"
#include "platform/emu/shell32/Items.h"
#include <sys/stat.h>

namespace emu::shell {

std::string_view SkipSeparators(std::string_view text) {
    while (!text.empty() && (text.front() == '\\' || text.front() == '/'))
        text.remove_prefix(1);
    return text;
}

std::pair<std::string_view, std::string_view> SplitFirst(std::string_view text) {
    size_t sep = text.find_first_of("\\/");
    if (sep == std::string_view::npos) return {text, std::string_view()};
    return {text.substr(0, sep), SkipSeparators(text.substr(sep + 1))};
}

char DriveLetter(const Node& node) {
    return node.path.size() > 1 && node.path[1] == ':' ? node.path[0] : 0;
}

namespace {

struct Entry {
    std::string name;
    bool folder;
    FileDetails details;
    struct stat status; // its lstat
};

// What an entry's lstat says of it. A symbolic link is listed with its target's kind but without a size
// or a time: Windows' searches do not show it (its details stay unknown, as in an item made from a path).
FileDetails DetailsOf(std::string_view hostName, const struct stat& st, char drive) {
    FileDetails details{HostAttributes(hostName, st, drive), 0, 0};
    if (!S_ISLNK(st.st_mode)) {
        details.size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
        details.written = HostWriteTime(st);
    }
    return details;
}

// Whether an entry is a folder, from its lstat: a symbolic link has its target's kind.
bool IsFolderEntry(const std::string& path, const struct stat& st) {
    if (!S_ISLNK(st.st_mode)) return S_ISDIR(st.st_mode);
    struct stat target;
    return ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
}

// The entry name of the host folder dir: one lstat gives its kind, attributes, size and time.
std::optional<Entry> EntryAt(const std::string& dir, std::string name, char drive) {
    const std::string path = JoinHostPath(dir, name);
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
    FileDetails details = DetailsOf(name, st, drive);
    return Entry{std::move(name), IsFolderEntry(path, st), details, st};
}

// The entry of a host folder whose name equals name without regard to case; the exact name wins, then
// the first spelling in byte order (through the folder's index), then an 8.3 alias. dirEntry is dir's own
// entry when the caller has just found it. synced: the way count has just been read, so a folder whose
// index is followed answers from it (a missing name costs no look at the disk).
std::optional<Entry> FindEntry(const std::string& dir, std::string_view name, char drive,
                               const Entry* dirEntry = nullptr, bool synced = false) {
    if (name.empty() || name == "." || name == "..") return std::nullopt;
    const bool realFolder = dirEntry && S_ISDIR(dirEntry->status.st_mode); // a link is looked at afresh
    // A missing name (that is no 8.3 alias, which the index does not hold) costs no look at the disk.
    if (synced && realFolder && name.find('~') == std::string_view::npos &&
        HostNamePresence(dirEntry->status, name) == NamePresence::Absent)
        return std::nullopt;
    if (auto exact = EntryAt(dir, std::string(name), drive)) return exact;
    if (auto hostName = FindHostName(dir, name, realFolder ? &dirEntry->status : nullptr))
        if (auto found = EntryAt(dir, *hostName, drive)) return found;
    if (auto alias = FindByShortName(dir, std::string(name))) {
        std::u8string u8 = alias->filename().u8string();
        return EntryAt(dir, std::string(u8.begin(), u8.end()), drive);
    }
    return std::nullopt;
}

// A way below a file-system place as a parse found it: the items packed for its folders, the host folder
// it ends in and that folder's entry.
struct ParsedWay {
    std::string packed;
    std::string dir;
    Entry entry;
};

RememberedWays<ParsedWay>& ParsedWays() {
    thread_local RememberedWays<ParsedWay> ways;
    return ways;
}

} // namespace

bool HasSubfolder(const std::filesystem::path& dir) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && !(HostAttributes(it->path(), 0) & FILE_ATTRIBUTE_HIDDEN)) return true;
    return false;
}

HRESULT FileSystemUnavailable(const Node& folder) {
    if (folder.kind == NodeKind::Drive) {
        auto drive = Drive(folder.name[0]);
        if (drive && !drive->ready) return HRESULT_FROM_WIN32(ERROR_NOT_READY);
    }
    return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

HRESULT ParseFileSystem(const Node& folder, std::string_view text, std::string& packed) {
    std::string dir = folder.host;
    text = SkipSeparators(text);
    if (!text.empty() && dir.empty()) return FileSystemUnavailable(folder);
    std::vector<std::string_view> parts;
    for (std::string_view rest = text; !rest.empty();) {
        auto [part, next] = SplitFirst(rest);
        parts.push_back(part);
        rest = next;
    }
    // A name of two parts or more starts from the folder that holds its last part when an earlier parse
    // reached that folder and nothing on the way (the folder included) has changed since.
    const size_t n = parts.size();
    const bool remember = n >= 2;
    bool followed = remember; // every folder on the way so far is followed
    std::string way;
    size_t firstPart = 0;
    std::optional<Entry> dirEntry;
    if (remember) {
        ParsedWays().Check(WayCount());
        way = dir;
        for (size_t i = 0; i + 1 < n; ++i)
            (way += '\0') += parts[i];
        if (const ParsedWay* hit = ParsedWays().Find(way)) {
            packed += hit->packed;
            dir = hit->dir;
            dirEntry = hit->entry;
            firstPart = n - 1;
        }
    }
    const size_t wayStart = packed.size();
    for (size_t i = firstPart; i < n; ++i) {
        const bool last = i + 1 == n;
        if (followed && !last)
            followed = i == 0 ? FollowWay(dir, nullptr)
                              : S_ISDIR(dirEntry->status.st_mode) && FollowWay(dir, &dirEntry->status);
        auto entry = FindEntry(dir, parts[i], DriveLetter(folder), dirEntry ? &*dirEntry : nullptr, remember);
        std::error_code ec;
        if (!entry && i == 0 && !std::filesystem::is_directory(dir, ec)) return FileSystemUnavailable(folder);
        if (!entry) return HRESULT_FROM_WIN32(last ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        if (!last && !entry->folder) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        packed += PackFileItem(entry->folder, entry->name, entry->details);
        dir = JoinHostPath(dir, entry->name);
        dirEntry = std::move(entry);
        // The folder that holds the last part is followed too: its own item carries its time.
        if (followed && i + 2 == n && S_ISDIR(dirEntry->status.st_mode) && FollowWay(dir, &dirEntry->status))
            ParsedWays().Keep(way, ParsedWay{packed.substr(wayStart), dir, *dirEntry});
    }
    return S_OK;
}

HRESULT ListHostFolder(const Node& folder, SHCONTF flags, std::vector<std::string>& items) {
    const bool folders = flags & SHCONTF_FOLDERS;
    const bool files = flags & SHCONTF_NONFOLDERS;
    std::error_code ec;
    if (folder.host.empty() || !std::filesystem::is_directory(folder.host, ec))
        return FileSystemUnavailable(folder);
    auto names = SortedHostNames(folder.host);
    if (!names) return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    items.reserve(names->size());
    std::string path = JoinHostPath(folder.host, "");
    const size_t folderLength = path.size();
    for (const std::string& name : *names) {
        path.resize(folderLength);
        path += name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) continue; // gone since the names were read
        const bool isFolder = IsFolderEntry(path, st);
        if (isFolder ? !folders : !files) continue;
        FileDetails details = DetailsOf(name, st, DriveLetter(folder));
        if ((details.attributes & FILE_ATTRIBUTE_HIDDEN) && !(flags & SHCONTF_INCLUDEHIDDEN)) continue;
        items.push_back(PackFileItem(isFolder, name, details));
    }
    return S_OK;
}

} // namespace emu::shell
