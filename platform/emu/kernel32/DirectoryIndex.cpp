#include "platform/emu/kernel32/DirectoryIndex.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/HostNames.h"
#include <algorithm>
#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace emu {

namespace {
constexpr size_t kMaxFolders = 4096;
constexpr uint32_t kEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MOVE_SELF | IN_ATTRIB | IN_ONLYDIR;
} // namespace

DirectoryIndex::DirectoryIndex() {
    m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
}

DirectoryIndex::~DirectoryIndex() {
    if (m_fd >= 0) ::close(m_fd);
}

void DirectoryIndex::Forget(const Key& key) {
    auto it = m_folders.find(key);
    if (it == m_folders.end()) return;
    if (it->second.passage) ++m_epoch;
    if (it->second.watch >= 0) {
        m_watches.erase(it->second.watch);
        inotify_rm_watch(m_fd, it->second.watch);
    }
    m_folders.erase(it);
}

void DirectoryIndex::ForgetAll() {
    for (auto& [key, folder] : m_folders)
        if (folder.watch >= 0) inotify_rm_watch(m_fd, folder.watch);
    m_folders.clear();
    m_watches.clear();
    ++m_epoch;
}

void DirectoryIndex::Drain() {
    if (m_fd < 0) return;
    alignas(inotify_event) char buf[65536];
    for (;;) {
        ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n <= 0) break;
        for (char* p = buf; p < buf + n;) {
            auto* ev = reinterpret_cast<inotify_event*>(p);
            p += sizeof(inotify_event) + ev->len;
            if (ev->mask & IN_Q_OVERFLOW) {
                ForgetAll();
                continue;
            }
            auto w = m_watches.find(ev->wd);
            if (w == m_watches.end()) continue;
            Key key = w->second;
            auto at = m_folders.find(key);
            if (at == m_folders.end()) continue;
            Folder& folder = at->second;
            if (ev->mask & IN_ATTRIB) { // a status changed: a way through the folder keeps the folder's own
                if (folder.passage && !ev->len) ++m_epoch;
                continue;
            }
            if (folder.passage) ++m_epoch; // any other change on a remembered way
            if (ev->mask & IN_IGNORED) {   // the folder is gone
                m_watches.erase(w);
                m_folders.erase(at);
                continue;
            }
            folder.sorted.reset();
            if (!ev->len) continue;
            if (folder.shortNames && TakesPartInAliases(ToWindowsName(ev->name))) folder.shortNames.reset();
            if (!folder.built) continue;
            std::string name(ev->name);
            std::string fold = FoldUtf8(name);
            if (ev->mask & (IN_CREATE | IN_MOVED_TO)) {
                // A name both read and then announced (made between the watch and the read) is one name.
                auto [held, added] = folder.byFold.Add(fold, name);
                if (!added && held && held->host != name) ++folder.spellings[fold];
            } else if (ev->mask & (IN_DELETE | IN_MOVED_FROM)) {
                if (folder.spellings.count(fold))
                    folder.stale = true; // another spelling of the name may still be there: read again
                else
                    folder.byFold.Erase(fold);
            }
        }
    }
}

void DirectoryIndex::Build(const std::string& dir, Folder& folder) {
    folder.byFold.Clear();
    folder.spellings.clear();
    folder.shortNames.reset();
    folder.sorted.reset();
    folder.stale = false;
    folder.built = true;
    ++m_scans;
    // The names are read first, so that the index is made at its size at once rather than grown.
    std::optional<std::vector<std::string>> names = ReadHostFolder(dir);
    if (!names) return;
    folder.byFold.Reserve(names->size());
    for (const std::string& name : *names) {
        auto [held, added] = folder.byFold.Add(FoldUtf8(name), name);
        if (!added && held) { // the same name under two spellings: the first in byte order wins
            ++folder.spellings[held->fold];
            if (name < held->host) held->host = name;
        }
    }
}

DirectoryIndex::Key DirectoryIndex::KeyOf(const struct stat& st) {
    return Key{static_cast<unsigned long>(st.st_dev), static_cast<unsigned long>(st.st_ino)};
}

DirectoryIndex::Folder* DirectoryIndex::Watched(const std::string& dir, const struct stat* dirStatus) {
    struct stat st;
    if (dirStatus)
        st = *dirStatus;
    else if (::stat(dir.c_str(), &st) != 0)
        return nullptr;
    if (!S_ISDIR(st.st_mode)) return nullptr;
    const Key key = KeyOf(st);
    auto it = m_folders.find(key);
    if (it != m_folders.end()) return &it->second;
    if (m_folders.size() >= kMaxFolders) ForgetAll();
    Folder& folder = m_folders[key];
    if (m_fd >= 0) {
        folder.watch = inotify_add_watch(m_fd, dir.c_str(), kEvents);
        if (folder.watch >= 0) {
            // The same inode under another path returns the same watch.
            m_watches[folder.watch] = key;
        }
    }
    return &folder;
}

DirectoryIndex::Folder* DirectoryIndex::Get(const std::string& dir, const struct stat* dirStatus) {
    Drain();
    Folder* folder = Watched(dir, dirStatus);
    // Watched first, then read: a change in between is both seen by the read and queued, which is harmless.
    if (folder && (folder->watch < 0 || folder->stale || !folder->built)) Build(dir, *folder);
    return folder;
}

void DirectoryIndex::Sync() {
    Drain();
}

bool DirectoryIndex::WatchPassage(const std::string& dir, const struct stat* dirStatus) {
    Folder* folder = Watched(dir, dirStatus);
    if (!folder || folder->watch < 0) return false;
    folder->passage = true;
    return true;
}

NamePresence DirectoryIndex::Has(const struct stat& dirStatus, std::string_view utf8Name) const {
    auto it = m_folders.find(KeyOf(dirStatus));
    if (it == m_folders.end()) return NamePresence::Unknown;
    const Folder& folder = it->second;
    if (folder.watch < 0 || folder.stale || !folder.built) return NamePresence::Unknown;
    return folder.byFold.Find(FoldUtf8(utf8Name)) ? NamePresence::Present : NamePresence::Absent;
}

std::optional<std::string> DirectoryIndex::Find(const std::string& dir, std::string_view utf8Name,
                                                const struct stat* dirStatus) {
    Folder* folder = Get(dir, dirStatus);
    if (!folder) return std::nullopt;
    const FoldedNames::Entry* it = folder->byFold.Find(FoldUtf8(utf8Name));
    if (!it) return std::nullopt;
    return it->host;
}

std::shared_ptr<const ShortNameTable> DirectoryIndex::ShortNames(const std::string& dir) {
    Folder* folder = Get(dir);
    if (!folder) return nullptr;
    if (!folder->shortNames) {
        // ASCII names in the index's order are already in the order the aliases are numbered in (both
        // compare folded text byte by byte); other names are ordered by the table itself.
        auto sorted = Sorted(*folder);
        const bool inOrder =
            sorted && std::all_of(sorted->begin(), sorted->end(), [](const std::string& name) {
                return std::all_of(name.begin(), name.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
            });
        std::vector<ShortNameTable::Name> names;
        names.reserve(folder->byFold.Size());
        if (inOrder) {
            for (const std::string& name : *sorted)
                names.push_back({name, name});
        } else {
            folder->byFold.ForEach([&](const FoldedNames::Entry& entry) {
                names.push_back({ToWindowsName(entry.host), entry.host});
            });
        }
        folder->shortNames = std::make_shared<const ShortNameTable>(names, inOrder);
    }
    return folder->shortNames;
}

} // namespace emu

namespace emu {

std::shared_ptr<const std::vector<std::string>> DirectoryIndex::SortedNames(const std::string& dir) {
    Folder* folder = Get(dir);
    return folder ? Sorted(*folder) : nullptr;
}

std::shared_ptr<const std::vector<std::string>> DirectoryIndex::Sorted(Folder& folder) {
    if (folder.watch < 0 || !folder.spellings.empty()) return nullptr;
    if (!folder.sorted) {
        // The folded names are copied end to end first: the sort then reads one block of memory rather
        // than the index's nodes, spread over many.
        struct Key {
            size_t offset, length;
            const std::string* host;
        };
        std::string folds;
        std::vector<Key> keys;
        keys.reserve(folder.byFold.Size());
        folder.byFold.ForEach([&](const FoldedNames::Entry& entry) {
            keys.push_back({folds.size(), entry.fold.size(), &entry.host});
            folds += entry.fold;
        });
        const char* base = folds.data();
        std::sort(keys.begin(), keys.end(), [base](const Key& a, const Key& b) {
            return std::string_view(base + a.offset, a.length) < std::string_view(base + b.offset, b.length);
        });
        auto names = std::make_shared<std::vector<std::string>>();
        names->reserve(keys.size());
        for (const Key& key : keys)
            names->push_back(*key.host);
        folder.sorted = std::move(names);
    }
    return folder.sorted;
}

} // namespace emu
