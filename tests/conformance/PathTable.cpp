#include "tests/conformance/PathTable.h"
#include <algorithm>
#include <cstdio>

namespace conformance {

namespace {

constexpr DWORD kNoError = 0;

// Where Wine is known to answer otherwise than Windows.
constexpr const char* kSlashNote = "/ is \\; Wine takes a leading / for its Unix root (Z:)";
constexpr const char* kLetterNote = "Windows upper-cases the drive letter, Wine keeps it";
constexpr const char* kNetNote = "an unknown server; Wine without a network says ERROR_BAD_DEV_TYPE (66)";
constexpr const char* kDeviceNote =
    "a device name: Windows refuses it (cmd's \"md con\": the directory name is "
    "invalid); Wine opens its own devices, or makes the name";
constexpr const char* kTypeNote = "Wine's registry names no .txt type and calls another \".qqq file\"";

// The layout every side makes under the root: folders end with a backslash.
const char* const kLayout[] = {
    "data\\",   "data\\inner.txt", "file.txt",    "Long File Name.txt",
    "100%.txt", "it's.txt",        "caf\xE9.txt", "\xC4rger\\",
};

} // namespace

const std::vector<Case>& PathCases() {
    using C = Call;
    static const std::vector<Case> cases = {
        // Trailing periods and blanks: one period before a separator goes, and periods and blanks go only
        // at the very end of the text.
        {C::Attributes, "{R}\\data", "", "", "dir", kNoError, false, ""},
        {C::Attributes, "{R}\\data.", "", "", "dir", kNoError, false, "a final period goes"},
        {C::Attributes, "{R}\\data. .", "", "", "dir", kNoError, false, "final periods and blanks go"},
        {C::Attributes, "{R}\\data.\\", "", "", "dir", kNoError, false,
         "the period before the separator goes"},
        {C::Attributes, "{R}\\data.\\inner.txt", "", "", "file", kNoError, false, ""},
        {C::Attributes, "{R}\\data..\\inner.txt", "", "", "-", ERROR_PATH_NOT_FOUND, false,
         "only one period goes: the folder \"data.\" is missing"},
        {C::Attributes, "{R}\\data \\inner.txt", "", "", "-", ERROR_PATH_NOT_FOUND, false,
         "a blank before a separator stays"},
        {C::Attributes, "{R}\\ \\", "", "", "-", ERROR_FILE_NOT_FOUND, false, "the folder \" \" is missing"},
        {C::Attributes, "{R}\\...\\data", "", "", "-", ERROR_INVALID_NAME, false,
         "three periods lose one, and no file system takes the \"..\" left as a name"},
        {C::Attributes, "{R}\\...", "", "", "dir", kNoError, false, "final periods go, leaving the root"},
        {C::Attributes, ". ", "", "", "dir", kNoError, false, "the current folder"},
        {C::Attributes, " .", "", "", "dir", kNoError, false, "the current folder"},
        {C::Attributes, " ", "", "", "-", ERROR_PATH_NOT_FOUND, false, "all blank"},
        {C::Attributes, "   ", "", "", "-", ERROR_PATH_NOT_FOUND, false, "all blank"},
        {C::Attributes, " /", "", "", "-", ERROR_FILE_NOT_FOUND, false, "the folder \" \" is missing"},
        {C::Attributes, "{R}\\file.txt", "", "", "file", kNoError, false, ""},
        {C::Attributes, "{R}\\file.txt\\", "", "", "-", ERROR_INVALID_NAME, true,
         "a file named as a folder: NTFS refuses the name; Wine's file system finds no path (3)"},
        {C::Attributes, "{R}\\file.txt\\x", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::Attributes, "{R}\\missing\\x", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        // Drives, relative roots and separators.
        {C::Attributes, "C:", "", "", "dir", kNoError, false, "C:'s current folder"},
        {C::Attributes, "Q:", "", "", "-", ERROR_PATH_NOT_FOUND, false, "a drive that does not exist"},
        {C::Attributes, "Q:\\", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::Attributes, "\\.\\vconf\\data", "", "", "dir", kNoError, false, ""},
        {C::Attributes, "\\..\\vconf\\data", "", "", "dir", kNoError, false, ".. stops at the root"},
        {C::Attributes, "/../vconf/./data/", "", "", "dir", kNoError, true, kSlashNote},
        {C::Attributes, "{R}\\\\data//inner.txt", "", "", "file", kNoError, false, "doubled separators"},
        {C::Attributes, "c:\\VCONF\\DATA\\INNER.TXT", "", "", "file", kNoError, false, "case"},
        {C::Attributes, "{R}\\CAF\xC9.TXT", "", "", "file", kNoError, false,
         "case of the code page's letters"},
        {C::Attributes, "{R}\\\xE4RGER", "", "", "dir", kNoError, false, ""},
        {C::Attributes, "{R}\\100%.txt", "", "", "file", kNoError, false, ""},
        {C::Attributes, "{R}\\it's.txt", "", "", "file", kNoError, false, ""},
        {C::Attributes, "{R}\\a<b", "", "", "-", ERROR_INVALID_NAME, false, ""},
        {C::Attributes, "{R}\\*.txt", "", "", "-", ERROR_INVALID_NAME, false, ""},
        {C::Attributes, "{R}\\LONGFI~1.TXT", "", "", "file", kNoError, true,
         "Wine makes its 8.3 aliases by hashing the name (LONGF~XY.TXT)"},
        // UNC and \\?\ names.
        {C::Attributes, "\\\\nosuchserver", "", "", "-", ERROR_BAD_NETPATH, true, kNetNote},
        {C::Attributes, "\\\\nosuchserver\\share\\x", "", "", "-", ERROR_BAD_NETPATH, true, kNetNote},
        {C::Attributes, "\\\\?\\{R}\\data", "", "", "dir", kNoError, false, ""},
        {C::Attributes, "\\\\?\\{R}\\data.", "", "", "-", ERROR_FILE_NOT_FOUND, false, "taken as written"},
        {C::Attributes, "\\\\?\\{R}/data", "", "", "-", ERROR_INVALID_NAME, false, "/ is no separator here"},

        {C::FullPath, "{R}\\data.", "", "", "{R}\\data", kNoError, false, ""},
        {C::FullPath, "{R}\\data.\\x", "", "", "{R}\\data\\x", kNoError, false, ""},
        {C::FullPath, "{R}\\data..\\x", "", "", "{R}\\data.\\x", kNoError, false, ""},
        {C::FullPath, "{R}\\data .\\x", "", "", "{R}\\data \\x", kNoError, false, ""},
        {C::FullPath, "{R}\\a. .", "", "", "{R}\\a", kNoError, false, ""},
        {C::FullPath, "{R}\\ \\", "", "", "{R}\\ \\", kNoError, false, ""},
        {C::FullPath, "{R}\\...\\b", "", "", "{R}\\..\\b", kNoError, false, "one period of \"...\" goes"},
        {C::FullPath, "{R}\\a\\..\\..\\..\\b", "", "", "C:\\b", kNoError, false, ""},
        {C::FullPath, ". ", "", "", "{R}\\", kNoError, false, ""},
        {C::FullPath, "x.", "", "", "{R}\\x", kNoError, false, ""},
        {C::FullPath, "   ", "", "", "-", kNoError, false, "all blank"},
        {C::FullPath, "C:", "", "", "{R}\\", kNoError, false, "the current folder as kept, with a separator"},
        {C::FullPath, "Q:", "", "", "Q:\\", kNoError, false, ""},
        {C::FullPath, "q:x", "", "", "Q:\\x", kNoError, true, kLetterNote},
        {C::FullPath, "\\.\\x", "", "", "C:\\x", kNoError, false, ""},
        {C::FullPath, "/../x/", "", "", "C:\\x\\", kNoError, true, kSlashNote},
        {C::FullPath, "c:/a//b\\\\c", "", "", "C:\\a\\b\\c", kNoError, true, kLetterNote},
        {C::FullPath, "C:/a//b\\\\c", "", "", "C:\\a\\b\\c", kNoError, false, ""},
        {C::FullPath, "\\\\srv\\share\\a\\..\\..", "", "", "\\\\srv\\share\\", kNoError, false, ""},
        {C::FullPath, "\\\\srv\\share.", "", "", "\\\\srv\\share.", kNoError, false,
         "the share's name stays whole"},
        {C::FullPath, "//srv/share/a/", "", "", "\\\\srv\\share\\a\\", kNoError, false, ""},
        {C::FullPath, "\\\\srv", "", "", "\\\\srv", kNoError, false, ""},
        {C::FullPath, "\\\\?\\C:\\a\\..\\b", "", "", "\\\\?\\C:\\b", kNoError, false, ""},
        {C::FullPath, "{R}\\100%.txt", "", "", "{R}\\100%.txt", kNoError, false, ""},
        {C::FullPath, "caf\xE9.txt", "", "", "{R}\\caf\xE9.txt", kNoError, false, ""},

        {C::Find, "{R}\\data", "", "", "data", kNoError, false, ""},
        {C::Find, "{R}\\DATA.", "", "", "data", kNoError, false, ""},
        {C::Find, "{R}\\data\\", "", "", "-", ERROR_FILE_NOT_FOUND, false, ""},
        {C::Find, "{R}\\data\\*", "", "", ".|..|inner.txt", kNoError, false, ""},
        {C::Find, "{R}\\*.txt", "", "", "100%.txt|Long File Name.txt|caf\xE9.txt|file.txt|it's.txt", kNoError,
         false, ""},
        {C::Find, "{R}\\CAF?.TXT", "", "", "caf\xE9.txt", kNoError, false,
         "? takes one letter of the code page"},
        {C::Find, "{R}\\it's.txt", "", "", "it's.txt", kNoError, false, ""},
        {C::Find, "{R}\\missing", "", "", "-", ERROR_FILE_NOT_FOUND, false, ""},
        {C::Find, "{R}\\missing\\*", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::Find, "{R}\\ \\*", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::Find, "{R}\\file.txt\\*", "", "", "-", ERROR_PATH_NOT_FOUND, true,
         "a file named as a folder is no folder to search; Wine refuses the name (123)"},
        {C::Find, "{R}\\LONGFI~1.TXT", "", "", "Long File Name.txt", kNoError, true,
         "Wine hashes its 8.3 aliases"},

        {C::CreateDirectory, "{R}\\new.", "", "{R}\\new", "1", kNoError, false, ""},
        {C::CreateDirectory, "{R}\\new \\", "", "{R}\\new \\", "1", kNoError, false, "the blank stays"},
        {C::CreateDirectory, "{R}\\new\xE9", "", "{R}\\NEW\xC9", "1", kNoError, false, ""},
        {C::CreateDirectory, "{R}\\data", "", "", "-", ERROR_ALREADY_EXISTS, false, ""},
        {C::CreateDirectory, "{R}\\FILE.TXT", "", "", "-", ERROR_ALREADY_EXISTS, false,
         "a file of that name"},
        {C::CreateDirectory, "{R}\\file.txt\\", "", "", "-", ERROR_ALREADY_EXISTS, false,
         "a file of that name"},
        {C::CreateDirectory, "{R}\\...", "", "", "-", ERROR_ALREADY_EXISTS, false, "that is the root"},
        {C::CreateDirectory, "{R}\\missing\\new", "", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::CreateDirectory, "{R}\\a*b", "", "", "-", ERROR_INVALID_NAME, false, ""},
        {C::CreateDirectory, "{R}\\con", "", "", "-", ERROR_DIRECTORY, true, kDeviceNote},
        {C::CreateDirectory, "{R}\\Nul.txt", "", "", "-", ERROR_DIRECTORY, true, kDeviceNote},
        {C::CreateDirectory, "{R}\\lpt9", "", "", "-", ERROR_DIRECTORY, true, kDeviceNote},
        {C::CreateDirectory, "{R}\\com10", "", "{R}\\com10", "1", kNoError, false, "no device"},
        {C::CreateDirectory, "{R}\\console", "", "{R}\\console", "1", kNoError, false, "no device"},

        {C::Move, "{R}\\file.txt", "{R}\\moved.", "{R}\\moved", "1", kNoError, false, ""},
        {C::Move, "{R}\\file.txt", "{R}\\FILE.txt", "{R}\\FILE.txt", "1", kNoError, false,
         "a change of case"},
        {C::Move, "{R}\\file.txt",
         "{R}\\\xFC"
         "ber.txt",
         "{R}\\\xDC"
         "BER.TXT",
         "1", kNoError, false, ""},
        {C::Move, "{R}\\file.txt", "{R}\\data", "", "-", ERROR_ALREADY_EXISTS, false, ""},
        {C::Move, "{R}\\file.txt", "{R}\\missing\\x", "", "-", ERROR_PATH_NOT_FOUND, false, ""},
        {C::Move, "{R}\\nosuch", "{R}\\x", "", "-", ERROR_FILE_NOT_FOUND, false, ""},
        {C::Move, "{R}\\file.txt", "{R}\\a?b", "", "-", ERROR_INVALID_NAME, false, ""},
        {C::Move, "{R}\\file.txt", "{R}\\con", "", "-", ERROR_DIRECTORY, true, kDeviceNote},
        {C::Move, "{R}\\file.txt", "{R}\\aux.txt", "", "-", ERROR_DIRECTORY, true, kDeviceNote},
        {C::Move, "{R}\\data", "{R}\\com1", "", "-", ERROR_DIRECTORY, true, kDeviceNote},

        {C::TypeName, "{R}\\file.txt", "", "", "Text Document", kNoError, true, kTypeNote},
        {C::TypeName, "{R}\\DATA", "", "", "File Folder", kNoError, true, "Wine calls a folder \"Folder\""},
        {C::TypeName, "{R}\\missing.txt", "", "", "-", kNoError, false, "no such file"},
        {C::TypeNameOf, "{R}\\missing.txt", "", "", "Text Document", kNoError, true, kTypeNote},
        {C::TypeNameOf, "{R}\\missing.qqq", "", "", "QQQ File", kNoError, true, kTypeNote},
        {C::TypeNameOf, "{R}\\noext", "", "", "File", kNoError, false, ""},
        {C::TypeNameOf, "{R}\\missing", "dir", "", "File Folder", kNoError, true,
         "Wine calls a folder \"Folder\""},

        {C::Parse, "c:\\VCONF\\Data\\INNER.TXT", "", "", "{R}\\data\\inner.txt", kNoError, false,
         "the names as they are on the disk"},
        {C::Parse, "{R}\\CAF\xC9.TXT", "", "", "{R}\\caf\xE9.txt", kNoError, false, ""},
        {C::Parse, "{R}\\DATA\\", "", "", "{R}\\data", kNoError, false, ""},
        {C::Parse, "{R}\\missing.txt", "", "", "-", DWORD(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), false,
         ""},
    };
    return cases;
}

namespace {

std::string WithRoot(const char* text, const std::string& root) {
    std::string s = text ? text : "";
    for (size_t at = s.find("{R}"); at != std::string::npos; at = s.find("{R}", at + root.size()))
        s.replace(at, 3, root);
    return s;
}

// Removes a folder with everything in it.
void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA((dir + "\\").c_str()); // a name that ends in a blank keeps it before a separator
}

bool MakeLayout(const std::string& root) {
    RemoveTree(root);
    if (!CreateDirectoryA(root.c_str(), nullptr)) return false;
    for (const char* entry : kLayout) {
        std::string path = root + "\\" + entry;
        if (path.back() == '\\') {
            path.pop_back();
            if (!CreateDirectoryA(path.c_str(), nullptr)) return false;
            continue;
        }
        HANDLE h =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(h, "x", 1, &written, nullptr);
        CloseHandle(h);
    }
    return true;
}

std::string Kind(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) return "-";
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? "dir" : "file";
}

std::string FoundNames(const std::string& pattern) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return "-";
    std::vector<std::string> names;
    do
        names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : "|") + n;
    return out;
}

std::string TypeName(const std::string& path, DWORD attributes, UINT flags) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(path.c_str(), attributes, &info, sizeof info, SHGFI_TYPENAME | flags)) return "-";
    return info.szTypeName;
}

std::string Parsed(const std::string& path, DWORD& error) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return "no desktop";
    WCHAR wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &pidl, nullptr);
    desktop->Release();
    if (FAILED(hr)) {
        error = static_cast<DWORD>(hr);
        return "-";
    }
    char out[MAX_PATH] = {};
    std::string text = SHGetPathFromIDListA(pidl, out) ? out : "no path";
    CoTaskMemFree(pidl);
    return text;
}

// CreateDirectoryA, then whether `made` is the folder it made (removed again).
std::string Created(const std::string& path, const std::string& made) {
    if (!CreateDirectoryA(path.c_str(), nullptr)) return "-";
    std::string result = Kind(GetFileAttributesA(made.c_str())) == "dir" ? "1" : "1, but not " + made;
    RemoveDirectoryA(made.empty() ? path.c_str() : made.c_str());
    SetLastError(0);
    return result;
}

// MoveFileA, then whether `made` is what it made (moved back again).
std::string Moved(const std::string& from, const std::string& to, const std::string& made) {
    if (!MoveFileA(from.c_str(), to.c_str())) return "-";
    std::string result = Kind(GetFileAttributesA(made.c_str())) != "-" ? "1" : "1, but not " + made;
    MoveFileA(made.empty() ? to.c_str() : made.c_str(), from.c_str());
    SetLastError(0);
    return result;
}

// Runs one row; what it leaves behind is put back so that the next row sees the layout as it was made.
Outcome Run(const Case& row, const std::string& root) {
    Outcome o{&row, WithRoot(row.arg, root), WithRoot(row.arg2, root), "", 0, false, false};
    const std::string& arg2 = o.arg2;
    const std::string made = WithRoot(row.made, root);
    SetLastError(0);
    switch (row.call) {
    case Call::Attributes:
        o.got = Kind(GetFileAttributesA(o.arg.c_str()));
        break;
    case Call::FullPath: {
        char buffer[MAX_PATH] = {};
        o.got = GetFullPathNameA(o.arg.c_str(), MAX_PATH, buffer, nullptr) ? buffer : "-";
        break;
    }
    case Call::Find:
        o.got = FoundNames(o.arg);
        break;
    case Call::CreateDirectory:
        o.got = Created(o.arg, made);
        break;
    case Call::Move:
        o.got = Moved(o.arg, arg2, made);
        break;
    case Call::TypeName:
        o.got = TypeName(o.arg, 0, 0);
        break;
    case Call::TypeNameOf:
        o.got = TypeName(o.arg, arg2 == "dir" ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL,
                         SHGFI_USEFILEATTRIBUTES);
        break;
    case Call::Parse:
        o.got = Parsed(o.arg, o.error);
        break;
    }
    if (row.call != Call::Parse) o.error = o.got == "-" ? GetLastError() : 0;
    o.ok = o.got == WithRoot(row.want, root) && (row.error == 0 || o.error == row.error);
    return o;
}

} // namespace

std::string Outcome::Describe() const {
    if (!row) return "the layout could not be made";
    static const char* const kCalls[] = {"GetFileAttributesA",
                                         "GetFullPathNameA",
                                         "FindFirstFileA",
                                         "CreateDirectoryA",
                                         "MoveFileA",
                                         "SHGetFileInfoA",
                                         "SHGetFileInfoA(USEFILEATTRIBUTES)",
                                         "ParseDisplayName"};
    char error[16];
    std::snprintf(error, sizeof error, "%lu", static_cast<unsigned long>(this->error));
    std::string s = std::string(kCalls[static_cast<int>(row->call)]) + " \"" + arg + "\"";
    if (!arg2.empty()) s += " \"" + arg2 + "\"";
    s += " -> \"" + got + "\"";
    if (got == "-") s += std::string(" error ") + error;
    if (!ok && !skipped) s += std::string(", want \"") + row->want + "\"";
    if (*row->note) s += std::string(" (") + row->note + ")";
    return s;
}

std::vector<Outcome> RunPathCases(const std::string& root, bool onWine) {
    std::vector<Outcome> out;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    if (!MakeLayout(root) || !SetCurrentDirectoryA(root.c_str())) {
        out.push_back(Outcome{nullptr, root, "", "", GetLastError(), false, false});
        RemoveTree(root);
        return out;
    }
    for (const Case& row : PathCases()) {
        Outcome o = Run(row, root);
        o.skipped = onWine && row.wineDiffers;
        out.push_back(std::move(o));
    }
    SetCurrentDirectoryA(previous);
    RemoveTree(root);
    return out;
}

} // namespace conformance
