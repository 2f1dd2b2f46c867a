// FindFirstFileA / FindFirstFileExA / FindNextFileA / FindClose. A search takes the folder's names at its
// start, sorted without regard to case as NTFS returns them (the folder's index keeps them in that order),
// with "." and ".." first in any folder but a root; each entry's size, times and attributes are read from
// the host (one lstat) as it is returned. The 8.3 aliases are looked up only for names that do not fit 8.3
// and only for a caller that asks for them (FindExInfoBasic does not), from the folder's alias table as it
// was when the first one was needed.
#include "platform/emu/api/findex.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/Kernel.h"
#include "platform/emu/kernel32/ShortName.h"
#include "platform/emu/kernel32/WinPath.h"
#include <algorithm>
#include <cstring>
#include <dirent.h>
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
    std::string path; // the host folder and a separator, then the name of the entry being read
    char drive = 0;
    std::vector<std::string> dots;                         // "." and "..", when listed: first
    std::shared_ptr<const std::vector<std::string>> names; // then the host names
    size_t next = 0;                                       // over both
    bool aliases = true;                                   // the caller wants cAlternateFileName
    std::shared_ptr<const emu::ShortNameTable> shortNames;
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
    const size_t folderLength = find.dir.native().size() + 1;
    while (find.next < find.dots.size() + find.names->size()) {
        const size_t i = find.next++;
        const bool dots = i < find.dots.size();
        const std::string& name = dots ? find.dots[i] : (*find.names)[i - find.dots.size()];
        std::string dotsPath;
        if (dots) {
            dotsPath = name == "." ? find.dir.native() : find.dir.parent_path().native();
        } else {
            find.path.resize(folderLength);
            find.path += name;
        }
        struct stat st;
        if (::lstat((dots ? dotsPath : find.path).c_str(), &st) != 0)
            continue;                               // gone since the search started
        if (!dots && S_ISLNK(st.st_mode)) continue; // a host link is no entry of the folder's
        std::memset(data, 0, sizeof *data);
        data->dwFileAttributes = dots ? FILE_ATTRIBUTE_DIRECTORY : Files().Attributes(name, st, find.drive);
        data->ftLastWriteTime = emu::k32::ToFileTime(st.st_mtim);
        data->ftCreationTime = data->ftLastWriteTime;
        data->ftLastAccessTime = emu::k32::ToFileTime(st.st_atim);
        if (!S_ISDIR(st.st_mode)) {
            uint64_t size = static_cast<uint64_t>(st.st_size);
            data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
            data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
        }
        std::string ansi = dots ? name : emu::ToWindowsName(name);
        std::strncpy(data->cFileName, ansi.c_str(), MAX_PATH - 1);
        if (!dots && find.aliases && !emu::IsShortName(ansi)) {
            if (!find.shortNames) find.shortNames = Files().ShortNames(find.dir);
            std::string alias = find.shortNames ? find.shortNames->AliasOf(name) : std::string();
            std::strncpy(data->cAlternateFileName, alias.c_str(), sizeof data->cAlternateFileName - 1);
        }
        return true;
    }
    return false;
}

// The names of a host folder that a pattern matches, without symbolic links, in NTFS order.
std::vector<std::string> MatchingNames(const fs::path& dir, const std::string& pattern) {
    const bool everything = pattern == "*" || pattern == "*.*";
    std::vector<std::pair<std::string, std::string>> found; // folded name, host name
    if (DIR* d = ::opendir(dir.c_str())) {
        std::string path = dir.native() + "/";
        const size_t folderLength = path.size();
        while (const dirent* e = ::readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            bool link = e->d_type == DT_LNK;
            if (e->d_type == DT_UNKNOWN) {
                path.resize(folderLength);
                path += name;
                struct stat st;
                link = ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
            }
            if (link || (!everything && !Match(pattern, emu::ToWindowsName(name)))) continue;
            found.emplace_back(emu::FoldUtf8(name), std::move(name));
        }
        ::closedir(d);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    names.reserve(found.size() + 2);
    for (auto& [fold, name] : found)
        names.push_back(std::move(name));
    return names;
}

// The names a pattern matches, in NTFS order: from the folder's index (already in order, as NTFS walks
// its directory's index), else read from the host folder.
std::shared_ptr<const std::vector<std::string>> NamesInOrder(const fs::path& dir,
                                                             const std::string& pattern) {
    auto sorted = Files().SortedNames(dir.native());
    if (!sorted) return std::make_shared<std::vector<std::string>>(MatchingNames(dir, pattern));
    if (pattern == "*" || pattern == "*.*") return sorted;
    auto matching = std::make_shared<std::vector<std::string>>();
    for (const std::string& name : *sorted)
        if (Match(pattern, emu::ToWindowsName(name))) matching->push_back(name);
    return matching;
}

HANDLE FindFirst(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData, bool aliases) {
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
    find->aliases = aliases;
    if (!emu::winpath::HasWildcards(pattern)) {
        auto child = Files().FindChild(*parent.host, pattern);
        if (!child) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
        find->names = std::make_shared<std::vector<std::string>>(1, child->filename().string());
    } else {
        if (!parent.isRoot) {
            if (Match(pattern, ".")) find->dots.push_back(".");
            if (Match(pattern, "..")) find->dots.push_back("..");
        }
        find->names = NamesInOrder(*parent.host, pattern);
    }
    find->path = find->dir.native() + "/";
    if (!FillNext(*find, lpFindFileData)) return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    return Handles().Add(find);
}

} // namespace

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
    return FindFirst(lpFileName, lpFindFileData, true);
}

HANDLE WINAPI FindFirstFileExA(LPCSTR lpFileName, FINDEX_INFO_LEVELS fInfoLevelId, LPVOID lpFindFileData,
                               FINDEX_SEARCH_OPS fSearchOp, LPVOID lpSearchFilter, DWORD dwAdditionalFlags) {
    // Directory filtering is a hint NTFS does not act on; devices cannot be searched for; no filter exists.
    const DWORD known = FIND_FIRST_EX_CASE_SENSITIVE | FIND_FIRST_EX_LARGE_FETCH;
    if ((fInfoLevelId != FindExInfoStandard && fInfoLevelId != FindExInfoBasic) ||
        (fSearchOp != FindExSearchNameMatch && fSearchOp != FindExSearchLimitToDirectories) ||
        lpSearchFilter || (dwAdditionalFlags & ~known))
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    return FindFirst(lpFileName, static_cast<LPWIN32_FIND_DATAA>(lpFindFileData),
                     fInfoLevelId == FindExInfoStandard);
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
