// What the file system's two halves share (FileSystem.cpp: drives, shares, directories, attributes;
// FileSystemLookup.cpp: finding entries): the drives and shares, and the state behind a FileSystem.
#pragma once
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/DirectoryIndex.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/RememberedWays.h"
#include <atomic>
#include <cctype>
#include <map>
#include <sys/stat.h>

namespace emu {

namespace fs = std::filesystem;

inline constexpr uint32_t kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

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
inline constexpr uint32_t kDeviceNameError = ERROR_DIRECTORY;

using InodeKey = std::pair<unsigned long, unsigned long>;

inline std::optional<InodeKey> InodeOf(const fs::path& host) {
    struct stat st;
    if (::lstat(host.c_str(), &st) != 0) return std::nullopt;
    return InodeKey{static_cast<unsigned long>(st.st_dev), static_cast<unsigned long>(st.st_ino)};
}

inline uint64_t NextFileSystemSerial() {
    static std::atomic<uint64_t> serial{0};
    return ++serial;
}

inline char UpperLetter(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

inline std::string ShareKey(std::string_view server, std::string_view share) {
    return AnsiUpper(server) + "\\" + AnsiUpper(share);
}

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

} // namespace emu
