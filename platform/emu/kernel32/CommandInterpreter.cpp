#include "platform/emu/kernel32/CommandInterpreter.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace emu {

namespace {

struct Entry {
    std::string name;
    std::string upperName; // the sort keys, folded once
    std::string upperExtension;
    std::string shortName;
    bool folder = false;
    uint64_t size = 0;
    FILETIME written{};
};

struct DirOptions {
    bool all = false;
    std::string order; // empty: the order the folder gives
    std::string path;  // the folder or pattern named, if any
};

std::string Trim(const std::string& text) {
    size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    size_t e = text.find_last_not_of(" \t");
    return text.substr(b, e - b + 1);
}

// "/o /a/ogen/-p" and a path: a switch runs to the next "/" or blank.
DirOptions ParseDir(const std::string& arguments) {
    DirOptions o;
    size_t i = 0;
    while (i < arguments.size()) {
        char c = arguments[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '/') {
            size_t end = arguments.find_first_of("/ \t", i + 1);
            if (end == std::string::npos) end = arguments.size();
            std::string sw = AnsiUpper(arguments.substr(i + 1, end - i - 1));
            if (!sw.empty() && sw[0] == 'A') o.all = true;
            if (!sw.empty() && sw[0] == 'O') o.order = sw.size() > 1 ? sw.substr(1) : "GN";
            if (sw == "-O") o.order.clear();
            i = end;
        } else {
            size_t end = arguments.find_first_of(" \t", i);
            if (end == std::string::npos) end = arguments.size();
            o.path = arguments.substr(i, end - i);
            i = end;
        }
    }
    return o;
}

std::string Extension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? "" : name.substr(dot + 1);
}

uint64_t Ticks(const FILETIME& t) {
    return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

int CompareBy(char key, const Entry& a, const Entry& b) {
    switch (key) {
    case 'N':
        return AnsiUpper(a.name).compare(AnsiUpper(b.name));
    case 'E':
        return AnsiUpper(Extension(a.name)).compare(AnsiUpper(Extension(b.name)));
    case 'S':
        return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
    case 'D':
        return Ticks(a.written) < Ticks(b.written) ? -1 : Ticks(a.written) > Ticks(b.written) ? 1 : 0;
    case 'G':
        return a.folder == b.folder ? 0 : a.folder ? -1 : 1;
    default:
        return 0;
    }
}

void Sort(std::vector<Entry>& entries, const std::string& order) {
    // Each letter is a key in turn; "-" reverses the key after it.
    std::vector<std::pair<char, bool>> keys;
    for (size_t i = 0; i < order.size(); ++i) {
        bool reverse = order[i] == '-';
        if (reverse && ++i >= order.size()) break;
        keys.emplace_back(order[i], reverse);
    }
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        for (auto [key, reverse] : keys) {
            int c = CompareBy(key, a, b);
            if (c != 0) return reverse ? c > 0 : c < 0;
        }
        return false;
    });
}

std::string Grouped(uint64_t n) {
    std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string RightAligned(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

SYSTEMTIME LocalTime(const FILETIME& utc) {
    FILETIME local{};
    SYSTEMTIME st{};
    FileTimeToLocalFileTime(&utc, &local);
    FileTimeToSystemTime(&local, &st);
    return st;
}

// "12/05/2026  10:22 PM    <DIR>          name" or "...             1,024 name".
std::string NTLine(const Entry& e) {
    SYSTEMTIME t = LocalTime(e.written);
    int hour = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02u/%02u/%04u  %02d:%02u %s", unsigned(t.wMonth), unsigned(t.wDay),
                  unsigned(t.wYear), hour, unsigned(t.wMinute), t.wHour < 12 ? "AM" : "PM");
    std::string field = e.folder ? "<DIR>         " : RightAligned(Grouped(e.size), 14);
    return std::string(stamp) + "    " + field + " " + e.name + "\r\n";
}

// "NOTES    TXT            12  12-05-26 10:22p notes.txt": the short name in its two columns first.
std::string Win9xLine(const Entry& e) {
    std::string shortName = AnsiUpper(e.shortName.empty() ? e.name : e.shortName);
    std::string base = shortName, ext;
    if (shortName != "." && shortName != "..") {
        size_t dot = shortName.rfind('.');
        if (dot != std::string::npos) {
            base = shortName.substr(0, dot);
            ext = shortName.substr(dot + 1);
        }
    }
    SYSTEMTIME t = LocalTime(e.written);
    int hour = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02u-%02u-%02u %2d:%02u%c", unsigned(t.wMonth), unsigned(t.wDay),
                  unsigned(t.wYear % 100), hour, unsigned(t.wMinute), t.wHour < 12 ? 'a' : 'p');
    base.resize(std::max<size_t>(base.size(), 8), ' ');
    ext.resize(std::max<size_t>(ext.size(), 3), ' ');
    std::string field = e.folder ? "<DIR>        " : RightAligned(Grouped(e.size), 13);
    return base + " " + ext + " " + field + "  " + stamp + " " + e.name + "\r\n";
}

std::string FullPath(const std::string& path, const std::string& currentDirectory) {
    std::string base = currentDirectory;
    if (path.empty()) return base;
    char out[MAX_PATH * 2];
    std::string joined = path;
    bool absolute = path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
    if (!absolute) {
        if (!base.empty() && base.back() != '\\') base += '\\';
        joined = path[0] == '\\' ? base.substr(0, 2) + path : base + path;
    }
    DWORD n = GetFullPathNameA(joined.c_str(), sizeof out, out, nullptr);
    return n && n < sizeof out ? std::string(out, n) : joined;
}

} // namespace

std::string DirListing(const std::string& arguments, const std::string& currentDirectory,
                       ListingStyle style) {
    DirOptions o = ParseDir(arguments);
    std::string folder = FullPath(o.path, currentDirectory);
    while (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    std::string pattern = folder + (folder.back() == '\\' ? "*" : "\\*");

    std::vector<Entry> entries;
    WIN32_FIND_DATAA fd{};
    HANDLE find = FindFirstFileA(pattern.c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return "";
    do {
        const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        if (!o.all && (fd.dwFileAttributes & hiddenOrSystem)) continue;
        Entry e;
        e.name = fd.cFileName;
        e.upperName = AnsiUpper(e.name);
        e.upperExtension = AnsiUpper(Extension(e.name));
        e.shortName = fd.cAlternateFileName;
        e.folder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = (uint64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
        e.written = fd.ftLastWriteTime;
        entries.push_back(std::move(e));
    } while (FindNextFileA(find, &fd));
    FindClose(find);

    // "." and ".." (the find gives them below a root) lead, whatever the order.
    auto dots = std::stable_partition(entries.begin(), entries.end(),
                                      [](const Entry& e) { return e.name == "." || e.name == ".."; });
    std::vector<Entry> rest(dots, entries.end());
    entries.erase(dots, entries.end());
    if (!o.order.empty()) Sort(rest, o.order);
    entries.insert(entries.end(), rest.begin(), rest.end());

    const std::string root = folder.substr(0, 3);
    char label[MAX_PATH] = "";
    DWORD serial = 0;
    GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, nullptr, nullptr, nullptr, 0);
    char serialText[16];
    std::snprintf(serialText, sizeof serialText, "%04X-%04X", unsigned(serial >> 16),
                  unsigned(serial & 0xFFFF));

    std::string out = " Volume in drive " + std::string(1, root[0]);
    out += label[0] ? " is " + std::string(label) + "\r\n" : " has no label\r\n";
    out += " Volume Serial Number is " + std::string(serialText) + "\r\n";
    out += style == ListingStyle::NT ? "\r\n Directory of " + folder + "\r\n\r\n"
                                     : " Directory of " + folder + "\r\n\r\n";
    uint64_t files = 0, folders = 0, bytes = 0;
    for (const Entry& e : entries) {
        out += style == ListingStyle::NT ? NTLine(e) : Win9xLine(e);
        if (e.folder) {
            ++folders;
        } else {
            ++files;
            bytes += e.size;
        }
    }
    ULARGE_INTEGER freeBytes{};
    GetDiskFreeSpaceExA(root.c_str(), &freeBytes, nullptr, nullptr);
    if (style == ListingStyle::NT) {
        out += RightAligned(std::to_string(files), 16) + " File(s) " + RightAligned(Grouped(bytes), 14) +
               " bytes\r\n";
        out += RightAligned(std::to_string(folders), 16) + " Dir(s) " +
               RightAligned(Grouped(freeBytes.QuadPart), 15) + " bytes free\r\n";
    } else {
        out += RightAligned(std::to_string(files), 9) + " file(s) " + RightAligned(Grouped(bytes), 14) +
               " bytes\r\n";
        out += RightAligned(std::to_string(folders), 9) + " dir(s) " +
               RightAligned(Grouped(freeBytes.QuadPart), 15) + " bytes free\r\n";
    }
    return out;
}

uint32_t RunCommandInterpreter(const ProcessStart& start, ListingStyle style) {
    // The arguments follow the program's name (quoted or not).
    std::string line = start.commandLine;
    size_t at = line.starts_with("\"") ? line.find('"', 1) : line.find_first_of(" \t");
    std::string rest = at == std::string::npos ? "" : line.substr(at + 1);
    rest = Trim(rest);
    if (AnsiUpper(rest.substr(0, 2)) != "/C") return 0; // an interactive shell: nothing to play
    rest = rest.substr(2);

    // The redirection: "> file" or ">> file", the path up to the end of the line.
    std::string target;
    bool append = false;
    if (size_t gt = rest.find('>'); gt != std::string::npos) {
        append = rest.compare(gt, 2, ">>") == 0;
        target = Trim(rest.substr(gt + (append ? 2 : 1)));
        rest = rest.substr(0, gt);
    }
    rest = Trim(rest);
    size_t verbEnd = rest.find_first_of(" \t/");
    std::string verb = AnsiUpper(rest.substr(0, verbEnd));
    std::string arguments = verbEnd == std::string::npos ? "" : rest.substr(verbEnd);

    std::string output;
    uint32_t code = 0;
    if (verb == "DIR") {
        output = DirListing(arguments, start.currentDirectory, style);
        if (output.empty()) code = 1; // "File Not Found" goes to the error output
    } else if (verb == "VER") {
        output = style == ListingStyle::NT ? "\r\nMicrosoft Windows [Version 5.1.2600]\r\n"
                                           : "\r\nWindows 98 [Version 4.10.2222]\r\n\r\n";
    } else {
        code = 1; // not a command the interpreter knows: its message goes to the error output
    }

    if (!target.empty()) {
        std::string path = FullPath(target, start.currentDirectory);
        // The interpreter opens the file before the command runs, so a failed command leaves it empty.
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return 1;
        if (append) SetFilePointer(h, 0, nullptr, FILE_END);
        DWORD written = 0;
        WriteFile(h, output.data(), static_cast<DWORD>(output.size()), &written, nullptr);
        CloseHandle(h);
    }
    return code;
}

} // namespace emu
