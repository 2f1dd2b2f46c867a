// Drives and shares, current directories, the temporary folder, attributes and the test conveniences;
// finding entries is in FileSystemLookup.cpp.
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystemState.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/emu/kernel32/WinPath.h"
#include <fstream>
#include <set>
#include <stdexcept>

namespace emu {

using winpath::RootKind;

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
