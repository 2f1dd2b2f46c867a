// Finds a name in a host folder without regard to case, fast in folders of 100,000 entries: each folder
// looked into gets an index of its names by folded case, built once and kept up to date by the kernel's
// change notices (inotify), so a lookup never scans a folder twice and changes made by anyone (the
// desktop, a test writing host files directly) are seen at once. Indexes are keyed by the folder's
// inode, so renaming a folder keeps its index and a new folder at an old path gets a fresh one.
#pragma once
#include "platform/emu/kernel32/FoldedNames.h"
#include "platform/emu/kernel32/NamePresence.h"
#include "platform/emu/kernel32/ShortName.h"
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct stat;

namespace emu {

// Folders are named by their host paths, as text.
class DirectoryIndex {
public:
    DirectoryIndex();
    ~DirectoryIndex();
    DirectoryIndex(const DirectoryIndex&) = delete;
    DirectoryIndex& operator=(const DirectoryIndex&) = delete;

    // The host name of the entry of dir whose name equals utf8Name without regard to case. A caller that
    // has just read dir's status (lstat of a folder that is no link) passes it, and the folder is not
    // looked at again.
    std::optional<std::string> Find(const std::string& dir, std::string_view utf8Name,
                                    const struct stat* dirStatus = nullptr);
    // The folder's 8.3 alias table (names as Windows sees them), made when first asked for after a change
    // that can move an alias (a name of 8.3 form without "~" coming or going moves none); a table handed
    // out stays valid, unchanged, after the folder changes.
    std::shared_ptr<const ShortNameTable> ShortNames(const std::string& dir);
    // The folder's host names in the order NTFS lists them (by folded name), as the folder's index
    // holds them now (a list handed out stays as it is after the folder changes); made when first asked
    // for after a change. Null when the folder cannot be followed or holds a name under several spellings:
    // the caller then reads the folder itself.
    std::shared_ptr<const std::vector<std::string>> SortedNames(const std::string& dir);
    // How many times a folder has been read whole.
    size_t Scans() const { return m_scans; }

    // Reads the change notices the kernel has queued: the answers below hold until the next change.
    void Sync();
    // Follows a folder that a remembered path passes through (without reading it): false when it cannot
    // be followed. dirStatus: its lstat, when the caller has it.
    bool WatchPassage(const std::string& dir, const struct stat* dirStatus = nullptr);
    // Grows when a name changes in a folder given to WatchPassage, or the folder's own status (times,
    // mode), or when the index lets go of folders: a path remembered at one count still leads to the same
    // folders, as they were, while the count stays.
    uint64_t PassageEpoch() const { return m_epoch; }
    // Whether dir (a folder that is no link, with its lstat) holds utf8Name without regard to case, from
    // an index already read and followed, with no look at the disk and no Sync: Unknown when the folder
    // has no such index, so that the caller looks itself.
    NamePresence Has(const struct stat& dirStatus, std::string_view utf8Name) const;

private:
    struct Folder {
        int watch = -1;
        FoldedNames byFold;                                  // folded UTF-8 name -> host name
        std::unordered_map<std::string, unsigned> spellings; // folded names held under several spellings
        std::shared_ptr<const ShortNameTable> shortNames;
        std::shared_ptr<const std::vector<std::string>> sorted;
        bool stale = false;
        bool built = false;   // the names have been read
        bool passage = false; // a remembered path passes through the folder
    };
    using Key = std::pair<unsigned long, unsigned long>; // device, inode
    static Key KeyOf(const struct stat& st);

    Folder* Get(const std::string& dir, const struct stat* dirStatus = nullptr);
    // The folder's names in order (see SortedNames), made when missing.
    std::shared_ptr<const std::vector<std::string>> Sorted(Folder& folder);
    // The folder's record, made and watched (not read) when new; null when dir is no folder.
    Folder* Watched(const std::string& dir, const struct stat* dirStatus);
    void Build(const std::string& dir, Folder& folder);
    void Drain();
    void Forget(const Key& key);
    void ForgetAll();

    int m_fd = -1;
    std::map<Key, Folder> m_folders;
    std::unordered_map<int, Key> m_watches;
    size_t m_scans = 0;
    uint64_t m_epoch = 0;
};

} // namespace emu
