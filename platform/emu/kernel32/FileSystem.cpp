#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/DirectoryIndex.h"
#include "platform/emu/kernel32/RememberedWays.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/kernel32/WinPath.h"
#include <atomic>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace emu {

namespace fs = std::filesystem;
using winpath::RootKind;

namespace {

constexpr uint32_t kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY |
                               FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

struct Drive {
    fs::path host;
    unsigned type = DRIVE_FIXED;
    std::string label;
    bool media = true;
    std::optional<std::pair<uint64_t, uint64_t>> space;
};

struct Share {
    std::string server;
    std::string share;
    fs::path host;
};

// What creating or renaming to a reserved device name (CON, NUL, COM1...) fails with.
constexpr uint32_t kDeviceNameError = ERROR_DIRECTORY;

using InodeKey = std::pair<unsigned long, unsigned long>;

std::optional<InodeKey> InodeOf(const fs::path& host) {
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) return std::nullopt;
    return InodeKey{static_cast<unsigned long>(st.st_dev), static_cast<unsigned long>(st.st_ino)};
}

uint64_t NextFileSystemSerial() {
    static std::atomic<uint64_t> serial{0};
    return ++serial;
}

char UpperLetter(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

std::string ShareKey(std::string_view server, std::string_view share) {
    return AnsiUpper(server) + "\\" + AnsiUpper(share);
}

// How many leading components a full path shares with the temporary folder's path: a write below them
// makes the missing ones.
size_t TempFolderDepth(const std::optional<std::string>& temp, const winpath::FullPath& path) {
    auto t = temp ? winpath::Split(*temp) : std::nullopt;
    if (!t || t->kind != path.kind || !AnsiEqualNoCase(t->Root(), path.Root())) return 0;
    size_t n = 0;
    while (n < t->parts.size() && n < path.parts.size() && AnsiEqualNoCase(t->parts[n], path.parts[n]))
        ++n;
    return n;
}

} // namespace

struct FileSystem::State {
    std::map<char, Drive> drives;
    std::map<std::string, Share> shares;
    std::string cwd = "C:\\";
    std::map<InodeKey, uint32_t> attributes;
    mutable DirectoryIndex index;
    // Folders reached by earlier walks, by the Windows text of the root and the parts that led there:
    // the host path and its lstat.
    struct Reached {
        std::string host;
        struct stat status;
    };
    mutable RememberedWays<Reached> reached;
    // Moves on each change that the index does not see (recorded attributes, drives and shares); each
    // file system starts far from every other, so that no two ever give the same way count.
    uint64_t generation = NextFileSystemSerial() << 40;

    const Drive* DriveOf(char letter) const {
        auto it = drives.find(UpperLetter(letter));
        return it == drives.end() ? nullptr : &it->second;
    }
};

FileSystem::FileSystem(Desktop& desktop) : m_desktop(desktop), m_state(std::make_unique<State>()) {}
FileSystem::~FileSystem() = default;

// ---- Drives and shares ----

void FileSystem::Mount(char letter, const fs::path& hostDir, unsigned type, std::string label) {
    letter = UpperLetter(letter);
    if (letter < 'A' || letter > 'Z') throw std::invalid_argument("FileSystem::Mount: not a drive letter");
    std::error_code ec;
    fs::create_directories(hostDir, ec);
    Drive d;
    d.host = fs::absolute(hostDir, ec);
    d.type = type;
    d.label = std::move(label);
    fs::path host = d.host;
    m_state->drives[letter] = std::move(d);
    ++m_state->generation;
    // A drive of the desktop's own scratch space gets its temporary folder at once; a folder of the
    // user's mapped as a drive gets nothing written into it until something is written there.
    auto temp = TempPath();
    auto p = temp ? winpath::Split(*temp) : std::nullopt;
    fs::path below = fs::relative(host, m_desktop.ScratchDir(), ec);
    bool inScratch = !ec && !below.empty() && *below.begin() != "..";
    if (p && p->kind == RootKind::Drive && p->drive == letter && type != DRIVE_CDROM && inScratch)
        CreatePath(*temp, true);
}

fs::path FileSystem::MountScratch(char letter, unsigned type, std::string label) {
    fs::path host = m_desktop.ScratchDir() / std::string(1, UpperLetter(letter));
    Mount(letter, host, type, std::move(label));
    return host;
}

void FileSystem::Unmount(char letter) {
    m_state->drives.erase(UpperLetter(letter));
    ++m_state->generation;
}

void FileSystem::SetMedia(char letter, bool present) {
    auto it = m_state->drives.find(UpperLetter(letter));
    if (it == m_state->drives.end()) return;
    if (it->second.type == DRIVE_REMOVABLE || it->second.type == DRIVE_CDROM) it->second.media = present;
}

void FileSystem::AddShare(std::string_view server, std::string_view share, const fs::path& hostDir) {
    std::error_code ec;
    fs::create_directories(hostDir, ec);
    m_state->shares[ShareKey(server, share)] =
        Share{std::string(server), std::string(share), fs::absolute(hostDir, ec)};
    ++m_state->generation;
}

fs::path FileSystem::MountScratchShare(std::string_view server, std::string_view share) {
    fs::path host = m_desktop.ScratchDir() / "unc" / ToHostName(server) / ToHostName(share);
    AddShare(server, share, host);
    return host;
}

bool FileSystem::IsMounted(char letter) const {
    return m_state->DriveOf(letter) != nullptr;
}

std::vector<char> FileSystem::Drives() const {
    std::vector<char> out;
    for (const auto& [letter, drive] : m_state->drives)
        out.push_back(letter);
    return out;
}

unsigned FileSystem::DriveType(char letter) const {
    const Drive* d = m_state->DriveOf(letter);
    return d ? d->type : DRIVE_NO_ROOT_DIR;
}

bool FileSystem::HasMedia(char letter) const {
    const Drive* d = m_state->DriveOf(letter);
    return d && d->media;
}

std::string FileSystem::Label(char letter) const {
    const Drive* d = m_state->DriveOf(letter);
    return d ? d->label : std::string();
}

void FileSystem::SetLabel(char letter, std::string label) {
    auto it = m_state->drives.find(UpperLetter(letter));
    if (it != m_state->drives.end()) it->second.label = std::move(label);
}

uint32_t FileSystem::SerialNumber(char letter) const {
    return 0x1C3E0000u + (static_cast<uint32_t>(UpperLetter(letter)) << 8) + DriveType(letter);
}

void FileSystem::SetDiskSpace(char letter, uint64_t total, uint64_t free) {
    auto it = m_state->drives.find(UpperLetter(letter));
    if (it != m_state->drives.end()) it->second.space = {total, free};
}

std::pair<uint64_t, uint64_t> FileSystem::DiskSpace(char letter) const {
    const Drive* d = m_state->DriveOf(letter);
    if (!d) return {0, 0};
    if (d->space) return *d->space;
    if (d->type == DRIVE_CDROM) return {650ull << 20, 0};
    return {20ull << 30, 10ull << 30};
}

std::vector<std::string> FileSystem::Servers() const {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& [key, share] : m_state->shares)
        if (seen.insert(AnsiUpper(share.server)).second) out.push_back(share.server);
    return out;
}

std::vector<std::string> FileSystem::Shares(std::string_view server) const {
    std::vector<std::string> out;
    for (const auto& [key, share] : m_state->shares)
        if (AnsiEqualNoCase(share.server, server)) out.push_back(share.share);
    return out;
}

bool FileSystem::IsReadOnlyDrive(char letter) const {
    return DriveType(letter) == DRIVE_CDROM;
}

// ---- Paths ----

std::string FileSystem::DriveDirectory(char letter) const {
    letter = UpperLetter(letter);
    auto cur = winpath::Split(m_state->cwd);
    if (cur && cur->kind == RootKind::Drive && cur->drive == letter) return m_state->cwd;
    // Windows keeps one current directory; another drive's is what its hidden variable "=X:" says (the C
    // runtime and the command interpreter set them), else the drive's root.
    auto remembered = m_desktop.System().Environment(std::string{'=', letter, ':'});
    return remembered && !remembered->empty() ? *remembered : std::string(1, letter) + ":\\";
}

std::string FileSystem::CurrentDirectory() const {
    return m_state->cwd;
}

std::string FileSystem::FullPath(std::string_view in) const {
    if (in.empty() || winpath::IsAllBlank(in)) return {}; // Windows gives no full path to blanks alone
    std::string s(in);
    for (char& c : s)
        if (c == '/') c = '\\';
    std::string combined;
    if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
        combined = s;
    } else if (s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':') {
        if (s.size() >= 3 && s[2] == '\\') {
            combined = std::string(1, UpperLetter(s[0])) + s.substr(1);
        } else { // "D:" or "D:dir": against D's current directory
            combined = DriveDirectory(s[0]);
            // The current drive's folder is kept with its separator: "C:" alone names it with one.
            bool current = combined == m_state->cwd;
            if (s.size() > 2 || current) combined += "\\" + s.substr(2);
        }
    } else if (s[0] == '\\') {
        auto cur = winpath::Split(m_state->cwd);
        combined = (cur ? cur->Root() : std::string("C:\\")) + s;
    } else {
        combined = m_state->cwd + "\\" + s;
    }
    return winpath::Collapse(std::move(combined));
}

FileSystem::Lookup FileSystem::Walk(std::string_view winPath, bool forCreate) const {
    Lookup r;
    if (winPath.empty()) {
        r.error = ERROR_PATH_NOT_FOUND;
        return r;
    }
    // The narrow functions take at most MAX_PATH characters.
    if (winPath.size() >= MAX_PATH) {
        r.error = ERROR_FILENAME_EXCED_RANGE;
        return r;
    }
    if (winpath::IsAllBlank(winPath)) {
        r.error = ERROR_PATH_NOT_FOUND;
        return r;
    }
    // A \\?\ name goes to the file system as written: no / for \, no "." or "..", no trimming.
    bool literal = winPath.starts_with("\\\\?\\");
    auto p =
        literal ? winpath::SplitLiteral(winPath.substr(4)) : winpath::Split(r.fullPath = FullPath(winPath));
    if (!p || p->kind == RootKind::Device) {
        r.error = ERROR_INVALID_NAME;
        return r;
    }
    if (literal) r.fullPath = p->Text();
    if (r.fullPath.size() >= MAX_PATH) {
        r.error = ERROR_FILENAME_EXCED_RANGE;
        return r;
    }
    // "." and ".." left after the full path's rules ("...\" keeps ".."; a \\?\ name keeps both) are
    // no names.
    for (const std::string& part : p->parts)
        if (!winpath::IsValidName(part) || part == "." || part == "..") {
            r.error = ERROR_INVALID_NAME;
            return r;
        }
    std::string cur; // the host path reached, as text
    if (p->kind == RootKind::Drive) {
        const Drive* d = m_state->DriveOf(p->drive);
        if (!d) {
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        if (!d->media) {
            r.error = ERROR_NOT_READY;
            return r;
        }
        cur = d->host.native();
        r.drive = p->drive;
    } else {
        bool serverKnown = !Shares(p->server).empty();
        if (p->kind == RootKind::Server) {
            r.error = serverKnown ? ERROR_BAD_PATHNAME : ERROR_BAD_NETPATH;
            return r;
        }
        auto it = m_state->shares.find(ShareKey(p->server, p->share));
        if (it == m_state->shares.end()) {
            r.error = serverKnown ? ERROR_BAD_NET_NAME : ERROR_BAD_NETPATH;
            return r;
        }
        cur = it->second.host.native();
    }
    std::error_code ec;
    // The root's host folder is looked at only when nothing below it is found: a name found there shows
    // that it is a folder.
    if (p->parts.empty() && !fs::is_directory(cur, ec)) {
        r.error = ERROR_PATH_NOT_FOUND;
        return r;
    }
    bool isDir = true;
    struct stat st {};
    const size_t systemDepth = forCreate ? TempFolderDepth(TempPath(), *p) : 0;
    struct stat dirStatus {}; // cur's lstat, from the step that reached it (none for the root)
    // A path of two parts or more starts from the folder that holds its last part when an earlier walk
    // reached that folder and nothing on its way has changed since.
    const size_t n = p->parts.size();
    const bool remember = !forCreate && n >= 2;
    std::string way;
    size_t first = 0;
    if (remember) {
        m_state->reached.Check(WayCount());
        way = p->Root();
        for (size_t i = 0; i + 1 < n; ++i)
            (way += '\\') += p->parts[i];
        if (const State::Reached* hit = m_state->reached.Find(way)) {
            cur = hit->host;
            st = hit->status;
            first = n - 1;
        }
    }
    bool followed = remember; // every folder on the way so far is followed
    for (size_t i = first; i < n; ++i) {
        bool last = i + 1 == n;
        if (i > 0) dirStatus = st;
        const struct stat* curStatus = i > 0 ? &dirStatus : nullptr;
        if (followed && !last) followed = FollowWay(cur, curStatus);
        auto child = FindChildText(cur, p->parts[i], st, curStatus, remember && last);
        if (!child && i == 0 && !fs::is_directory(cur, ec)) {
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        if (!child && !last && i < systemDepth &&
            fs::create_directory(JoinHostPath(cur, ToHostName(p->parts[i])), ec)) {
            child = JoinHostPath(
                cur, ToHostName(p->parts[i])); // the Windows folder and its Temp, made at the first write
            if (::lstat(child->c_str(), &st) != 0) child.reset();
        }
        if (!child) {
            if (!last) {
                r.error = ERROR_PATH_NOT_FOUND;
            } else if (forCreate && winpath::IsDeviceName(p->parts[i])) {
                r.error = kDeviceNameError; // the name opens a device, never a new file or folder
            } else if (forCreate) {
                r.host = JoinHostPath(cur, ToHostName(p->parts[i]));
            } else {
                r.error = ERROR_FILE_NOT_FOUND;
            }
            return r;
        }
        isDir = S_ISDIR(st.st_mode);
        if (!last && !isDir) {
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        cur = std::move(*child);
        if (followed && i + 2 == n) m_state->reached.Keep(way, State::Reached{cur, st});
    }
    if (p->trailingSep && !isDir) { // "C:\file.txt\": no such folder, and none can be made there
        r.error = forCreate ? ERROR_ALREADY_EXISTS : ERROR_INVALID_NAME;
        return r;
    }
    r.host = cur;
    r.exists = true;
    r.isDir = isDir;
    r.isRoot = p->parts.empty();
    if (!r.isRoot) {
        r.entryKnown = true;
        r.entryMode = st.st_mode;
        r.entryDevice = static_cast<unsigned long>(st.st_dev);
        r.entryInode = static_cast<unsigned long>(st.st_ino);
    }
    return r;
}

FileSystem::Lookup FileSystem::Find(std::string_view winPath) const {
    return Walk(winPath, false);
}
FileSystem::Lookup FileSystem::FindForCreate(std::string_view winPath) const {
    return Walk(winPath, true);
}

std::optional<fs::path> FileSystem::Resolve(std::string_view winPath) const {
    return Find(winPath).host;
}

std::optional<fs::path> FileSystem::RootHost(std::string_view winRoot) const {
    auto p = winpath::Split(winRoot);
    if (!p || !p->parts.empty()) return std::nullopt;
    if (p->kind == RootKind::Drive) {
        const Drive* d = m_state->DriveOf(p->drive);
        if (!d || !d->media) return std::nullopt;
        return d->host;
    }
    if (p->kind != RootKind::Share) return std::nullopt;
    auto it = m_state->shares.find(ShareKey(p->server, p->share));
    if (it == m_state->shares.end()) return std::nullopt;
    return it->second.host;
}

std::optional<fs::path> FileSystem::ResolveForCreate(std::string_view winPath) const {
    return FindForCreate(winPath).host;
}

std::optional<fs::path> FileSystem::FindChild(const fs::path& hostDir, std::string_view ansiName) const {
    struct stat st;
    auto found = FindChildText(hostDir.native(), ansiName, st);
    if (!found) return std::nullopt;
    return fs::path(std::move(*found));
}

std::optional<std::string> FileSystem::FindChildText(const std::string& hostDir, std::string_view ansiName,
                                                     struct stat& st, const struct stat* dirStatus,
                                                     bool synced) const {
    if (ansiName.empty() || ansiName == "." || ansiName == "..") return std::nullopt;
    auto usable = [&](const std::string& p) { return ::lstat(p.c_str(), &st) == 0 && !S_ISLNK(st.st_mode); };
    std::string utf8 = ToHostName(ansiName);
    const bool alias = ansiName.find('~') != std::string_view::npos;
    if (synced && dirStatus) {
        // A folder whose index is read and followed answers from memory: a missing name costs no look at
        // the disk, and a name held in the spelling asked for is looked at once.
        std::string held;
        switch (m_state->index.Has(*dirStatus, utf8, held)) {
        case NamePresence::Absent:
            if (!alias) return std::nullopt;
            break;
        case NamePresence::Present:
            if (held == utf8) {
                std::string exact = JoinHostPath(hostDir, utf8);
                if (usable(exact)) return exact;
            }
            break;
        case NamePresence::Unknown:
            break;
        }
    }
    std::string exact = JoinHostPath(hostDir, utf8);
    if (usable(exact)) return exact;
    if (auto name = m_state->index.Find(hostDir, utf8, dirStatus)) {
        std::string found = JoinHostPath(hostDir, *name);
        if (usable(found)) return found;
    }
    if (alias) { // an 8.3 alias
        if (auto table = m_state->index.ShortNames(hostDir)) {
            std::string host = table->HostNameOf(ansiName);
            if (!host.empty() && usable(JoinHostPath(hostDir, host))) return JoinHostPath(hostDir, host);
        }
    }
    return std::nullopt;
}

uint64_t FileSystem::WayCount() const {
    m_state->index.Sync();
    return m_state->generation + m_state->index.PassageEpoch();
}

bool FileSystem::FollowWay(const std::string& hostDir, const struct stat* dirStatus) const {
    return m_state->index.WatchPassage(hostDir, dirStatus);
}

NamePresence FileSystem::Presence(const struct stat& dirStatus, std::string_view utf8Name,
                                  std::string& hostName) const {
    return m_state->index.Has(dirStatus, utf8Name, hostName);
}

std::optional<std::string> FileSystem::IndexedName(const std::string& hostDir, std::string_view utf8Name,
                                                   const struct stat* dirStatus) const {
    return m_state->index.Find(hostDir, utf8Name, dirStatus);
}

std::shared_ptr<const std::vector<std::string>> FileSystem::SortedNames(const std::string& hostDir) const {
    return m_state->index.SortedNames(hostDir);
}

size_t FileSystem::FolderScans() const {
    return m_state->index.Scans();
}

std::string FileSystem::WindowsName(const fs::path& hostEntry) {
    return ToWindowsName(hostEntry.filename().string());
}

std::string FileSystem::ShortName(const fs::path& hostEntry) const {
    auto table = m_state->index.ShortNames(hostEntry.parent_path().native());
    return table ? table->AliasOf(hostEntry.filename().string()) : std::string();
}

std::shared_ptr<const ShortNameTable> FileSystem::ShortNames(const fs::path& hostDir) const {
    return m_state->index.ShortNames(hostDir.native());
}

// ---- Current directories and the temporary folder ----

uint32_t FileSystem::SetCurrentDirectory(std::string_view winPath) {
    Lookup r = Find(winPath);
    if (!r.host) return r.error;
    if (!r.isDir) return ERROR_DIRECTORY;
    auto p = winpath::Split(r.fullPath);
    p->trailingSep = false;
    m_state->cwd = p->Text();
    return 0;
}

std::optional<std::string> FileSystem::TempPath() const {
    const SystemInfo& sys = m_desktop.System();
    std::string path;
    for (const char* name : {"TMP", "TEMP", "USERPROFILE"}) {
        auto v = sys.Environment(name);
        if (v && !v->empty()) {
            path = *v;
            break;
        }
    }
    if (path.empty()) path = sys.WindowsDirectory();
    std::string full = FullPath(path);
    auto p = winpath::Split(full);
    if (!p) return std::nullopt;
    if (p->kind == RootKind::Drive && !IsMounted(p->drive)) return std::nullopt;
    if (p->kind == RootKind::Share && !m_state->shares.count(ShareKey(p->server, p->share)))
        return std::nullopt;
    if (full.back() != '\\') full += '\\';
    return full;
}

// ---- Attributes ----

uint32_t FileSystem::Attributes(const Lookup& entry) const {
    if (!entry.host) return INVALID_FILE_ATTRIBUTES;
    if (entry.isRoot) {
        if (!entry.drive) return FILE_ATTRIBUTE_DIRECTORY; // a share's root
        switch (DriveType(entry.drive)) {
        case DRIVE_FIXED:
        case DRIVE_REMOTE:
        case DRIVE_RAMDISK:
            return FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        case DRIVE_CDROM:
            return FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY;
        default:
            return FILE_ATTRIBUTE_DIRECTORY;
        }
    }
    struct stat st {};
    if (entry.entryKnown) {
        st.st_mode = entry.entryMode;
        st.st_dev = entry.entryDevice;
        st.st_ino = entry.entryInode;
    } else if (::lstat(entry.host->c_str(), &st) != 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return Attributes(entry.host->filename().native(), st, entry.drive);
}

uint32_t FileSystem::Attributes(std::string_view hostName, const struct stat& st, char drive) const {
    bool isDir = S_ISDIR(st.st_mode);
    uint32_t a;
    auto it = m_state->attributes.empty()
                  ? m_state->attributes.end()
                  : m_state->attributes.find(InodeKey{static_cast<unsigned long>(st.st_dev),
                                                      static_cast<unsigned long>(st.st_ino)});
    if (it != m_state->attributes.end()) {
        a = it->second & ~FILE_ATTRIBUTE_NORMAL;
    } else {
        a = isDir ? 0 : FILE_ATTRIBUTE_ARCHIVE;
        if (hostName.starts_with('.')) a |= FILE_ATTRIBUTE_HIDDEN;
        if (!isDir && !(st.st_mode & S_IWUSR)) a |= FILE_ATTRIBUTE_READONLY;
    }
    if (!isDir && drive && IsReadOnlyDrive(drive)) a |= FILE_ATTRIBUTE_READONLY;
    if (isDir) a |= FILE_ATTRIBUTE_DIRECTORY;
    return a ? a : FILE_ATTRIBUTE_NORMAL;
}

void FileSystem::SetAttributes(const fs::path& host, uint32_t attributes) {
    if (auto key = InodeOf(host)) m_state->attributes[*key] = attributes & kSettable;
    ++m_state->generation;
}

void FileSystem::MarkChanged(const fs::path& host) {
    if (auto key = InodeOf(host)) {
        auto it = m_state->attributes.find(*key);
        if (it != m_state->attributes.end()) {
            it->second = (it->second & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_ARCHIVE;
            ++m_state->generation;
        }
    }
}

void FileSystem::ForgetAttributes(const fs::path& host) {
    if (auto key = InodeOf(host); key && m_state->attributes.erase(*key)) ++m_state->generation;
}

// ---- Test conveniences ----

fs::path FileSystem::CreatePath(std::string_view winPath, bool lastIsDir) {
    std::string full = FullPath(winPath);
    auto p = winpath::Split(full);
    auto fail = [&](const char* why) {
        return std::runtime_error("emu::FileSystem: cannot create " + std::string(winPath) + ": " + why);
    };
    if (!p || p->kind == RootKind::Device || p->kind == RootKind::Server)
        throw fail("not a drive or share path");
    fs::path cur;
    if (p->kind == RootKind::Drive) {
        const Drive* d = m_state->DriveOf(p->drive);
        if (!d) throw fail("the drive is not mounted");
        cur = d->host;
    } else {
        auto it = m_state->shares.find(ShareKey(p->server, p->share));
        if (it == m_state->shares.end()) throw fail("no such share");
        cur = it->second.host.native();
    }
    std::error_code ec;
    for (size_t i = 0; i < p->parts.size(); ++i) {
        if (!winpath::IsValidName(p->parts[i])) throw fail("invalid name");
        bool last = i + 1 == p->parts.size();
        if (auto child = FindChild(cur, p->parts[i])) {
            cur = *child;
        } else {
            cur /= ToHostName(p->parts[i]);
            if (!last || lastIsDir) fs::create_directory(cur, ec);
        }
    }
    return cur;
}

fs::path FileSystem::WriteFile(std::string_view winPath, std::string_view content) {
    fs::path host = CreatePath(winPath, false);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("emu::FileSystem: cannot write " + std::string(winPath));
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    return host;
}

fs::path FileSystem::MakeDir(std::string_view winPath) {
    return CreatePath(winPath, true);
}

} // namespace emu
