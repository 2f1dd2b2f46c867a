// FindFirstFileA / FindNextFileA / FindClose. A search takes the folder's names at its start, sorted
// without regard to case as NTFS returns them, with "." and ".." first in any folder but a root; each
// entry's size, times and attributes are read from the host as it is returned.
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/Kernel.h"
#include "platform/emu/kernel32/WinPath.h"
#include <algorithm>
#include <cstring>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;
using emu::FileSystem;
using emu::k32::Fail;
using emu::k32::Files;
using emu::k32::Handles;

namespace {

struct FindObject : emu::KernelObject {
    fs::path dir;
    char drive = 0;
    std::vector<std::string> names; // host names
    size_t next = 0;
};

bool SameLetter(char a, char b) {
    return emu::FoldCase(emu::AnsiCharToWide(static_cast<unsigned char>(a))) ==
           emu::FoldCase(emu::AnsiCharToWide(static_cast<unsigned char>(b)));
}

// The wildcards of a search: * any run, ? any one character, "*.*" everything, "*." names without an
// extension, and a pattern ending in ".*" also matches names without a dot (as DOS did).
bool Match(std::string_view pat, std::string_view name) {
    if (pat == "*" || pat == "*.*") return true;
    if (pat == "*.") return name.find('.') == std::string_view::npos || name == "." || name == "..";
    size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pat.size() && (pat[p] == '?' || (pat[p] != '*' && SameLetter(pat[p], name[n])))) {
            ++p;
            ++n;
        } else if (p < pat.size() && pat[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*')
        ++p;
    std::string_view rest = pat.substr(p);
    return rest.empty() || rest == ".*" || rest == ".";
}

bool FillNext(FindObject& find, WIN32_FIND_DATAA* data) {
    while (find.next < find.names.size()) {
        const std::string& name = find.names[find.next++];
        fs::path host = name == "." ? find.dir : name == ".." ? find.dir.parent_path() : find.dir / name;
        struct stat st;
        if (::lstat(host.c_str(), &st) != 0) continue; // gone since the search started
        std::memset(data, 0, sizeof *data);
        FileSystem::Lookup entry;
        entry.host = host;
        entry.exists = true;
        entry.isDir = S_ISDIR(st.st_mode);
        entry.drive = find.drive;
        data->dwFileAttributes =
            name == "." || name == ".." ? FILE_ATTRIBUTE_DIRECTORY : Files().Attributes(entry);
        data->ftLastWriteTime = emu::k32::ToFileTime(st.st_mtim);
        data->ftCreationTime = data->ftLastWriteTime;
        data->ftLastAccessTime = emu::k32::ToFileTime(st.st_atim);
        if (!entry.isDir) {
            uint64_t size = static_cast<uint64_t>(st.st_size);
            data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
            data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
        }
        std::string ansi = name == "." || name == ".." ? name : FileSystem::WindowsName(host);
        std::strncpy(data->cFileName, ansi.c_str(), MAX_PATH - 1);
        if (name != "." && name != "..") {
            std::string alias = Files().ShortName(host);
            std::strncpy(data->cAlternateFileName, alias.c_str(), sizeof data->cAlternateFileName - 1);
        }
        return true;
    }
    return false;
}

} // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    if (!lpFileName || !lpFindFileData) return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    std::string_view searchText = lpFileName;
    if (searchText.empty()) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (searchText.back() == '\\' || searchText.back() == '/')
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    // A name without wildcards is found as the path names it; a pattern is taken as written (a trailing
    // dot means "no extension") in the folder before it.
    size_t slash = searchText.find_last_of("\\/");
    std::string folderText(slash != std::string_view::npos                  ? searchText.substr(0, slash + 1)
                           : searchText.size() >= 2 && searchText[1] == ':' ? searchText.substr(0, 2)
                                                                            : std::string_view("."));
    std::string pattern(searchText.substr(slash != std::string_view::npos                  ? slash + 1
                                          : searchText.size() >= 2 && searchText[1] == ':' ? 2
                                                                                           : 0));
    std::optional<emu::winpath::FullPath> folder;
    if (emu::winpath::HasWildcards(pattern)) {
        folder = emu::winpath::Split(Files().FullPath(folderText));
    } else {
        folder = emu::winpath::Split(Files().FullPath(searchText));
        if (folder && !folder->parts.empty()) {
            pattern = folder->parts.back();
            folder->parts.pop_back();
        } else {
            pattern.clear();
        }
    }
    if (!folder || folder->kind == emu::winpath::RootKind::Device)
        return Fail(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);
    if (pattern.empty()) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    std::string plain = pattern;
    std::erase_if(plain, [](char c) { return c == '*' || c == '?'; });
    if (!emu::winpath::IsValidName(plain)) return Fail(ERROR_INVALID_NAME, INVALID_HANDLE_VALUE);
    // The folder as the text names it, its separator kept: a blank before it stays ("C:\dir\ \*").
    folder->trailingSep = !folder->parts.empty();
    FileSystem::Lookup parent = Files().Find(folder->Text());
    if (!parent.host && parent.error == ERROR_INVALID_NAME) { // perhaps a file, named as a folder
        folder->trailingSep = false;
        parent = Files().Find(folder->Text());
    }
    if (!parent.host)
        return Fail(parent.error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : parent.error,
                    INVALID_HANDLE_VALUE);
    if (!parent.isDir) return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);

    auto find = std::make_shared<FindObject>();
    find->dir = *parent.host;
    find->drive = parent.drive;
    if (!emu::winpath::HasWildcards(pattern)) {
        auto child = Files().FindChild(*parent.host, pattern);
        if (!child) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        find->names.push_back(child->filename().string());
    } else {
        std::vector<std::pair<std::string, std::string>> found; // folded name, host name
        std::error_code ec;
        for (fs::directory_iterator it(*parent.host, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_symlink(ec)) continue;
            std::string name = it->path().filename().string();
            if (Match(pattern, emu::ToWindowsName(name)))
                found.emplace_back(emu::FoldUtf8(name), std::move(name));
        }
        std::sort(found.begin(), found.end());
        if (!parent.isRoot) {
            if (Match(pattern, ".")) find->names.push_back(".");
            if (Match(pattern, "..")) find->names.push_back("..");
        }
        for (auto& [fold, name] : found)
            find->names.push_back(std::move(name));
    }
    if (!FillNext(*find, lpFindFileData)) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    return Handles().Add(find);
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
    FindObject* find = Handles().Get<FindObject>(hFindFile);
    if (!find) return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!lpFindFileData) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    if (!FillNext(*find, lpFindFileData)) return Fail(ERROR_NO_MORE_FILES, FALSE);
    return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
    if (!Handles().Get<FindObject>(hFindFile)) return Fail(ERROR_INVALID_HANDLE, FALSE);
    Handles().Close(hFindFile);
    return TRUE;
}
