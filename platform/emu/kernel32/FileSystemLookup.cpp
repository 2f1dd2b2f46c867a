// Finding entries: the walk down a Windows path to a host entry (without regard to case, through 8.3
// aliases, never through a host link), the folders earlier walks reached, and names in host folders.
#include "platform/emu/kernel32/FileSystemState.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/WinPath.h"

namespace emu {

using winpath::RootKind;

namespace {

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
    // A folder whose index is read and followed answers from memory: a missing name (that is no 8.3
    // alias, which the index does not hold) costs no look at the disk.
    if (synced && dirStatus && !alias && m_state->index.Has(*dirStatus, utf8) == NamePresence::Absent)
        return std::nullopt;
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

NamePresence FileSystem::Presence(const struct stat& dirStatus, std::string_view utf8Name) const {
    return m_state->index.Has(dirStatus, utf8Name);
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

} // namespace emu
