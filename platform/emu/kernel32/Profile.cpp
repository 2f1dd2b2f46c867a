// Initialisation files: GetPrivateProfileStringA and WritePrivateProfileStringA on files of the emulated
// drives. Sections and keys compare without regard to case; values lose surrounding blanks and one pair
// of matching quotes; lines starting with ";" are comments. Writing keeps every other line as it was and
// writes the file with CR LF line ends. A file name without a folder is looked for in the Windows folder.
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/Kernel.h"
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;
using emu::k32::Fail;
using emu::k32::Files;

namespace {

struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    std::string text;  // as in the file
    std::string name;  // section or key name
    std::string value; // of a key
};

std::string Trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return std::string(s.substr(b, e - b + 1));
}

Line ParseLine(std::string text) {
    Line line;
    std::string t = Trim(text);
    line.text = std::move(text);
    if (t.empty() || t[0] == ';') return line;
    if (t[0] == '[') {
        size_t close = t.find(']');
        line.kind = Line::Section;
        line.name =
            Trim(std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    line.kind = Line::Key;
    size_t eq = t.find('=');
    line.name = Trim(std::string_view(t).substr(0, eq));
    if (eq != std::string::npos) {
        line.value = Trim(std::string_view(t).substr(eq + 1));
        if (line.value.size() >= 2 && (line.value[0] == '"' || line.value[0] == '\'') &&
            line.value.back() == line.value[0])
            line.value = line.value.substr(1, line.value.size() - 2);
    }
    return line;
}

std::vector<Line> Parse(const std::string& content) {
    std::vector<Line> lines;
    size_t i = 0;
    while (i < content.size()) {
        size_t end = content.find_first_of("\r\n", i);
        if (end == std::string::npos) end = content.size();
        lines.push_back(ParseLine(content.substr(i, end - i)));
        if (end < content.size() && content[end] == '\r' && end + 1 < content.size() &&
            content[end + 1] == '\n')
            ++end;
        i = end + 1;
    }
    return lines;
}

// The file a profile name means: a bare name lives in the Windows folder.
std::string ProfilePath(LPCSTR fileName) {
    std::string f = fileName ? fileName : "win.ini";
    if (f.find_first_of("\\/") == std::string::npos) return emu::k32::Sys().WindowsDirectory() + "\\" + f;
    return f;
}

std::optional<std::string> ReadHost(const fs::path& host) {
    std::ifstream in(host, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The first line of a section, or lines.size().
size_t FindSection(const std::vector<Line>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == Line::Section && emu::AnsiEqualNoCase(lines[i].name, section)) return i;
    return lines.size();
}

// One past the last line of the section starting at `start`.
size_t SectionEnd(const std::vector<Line>& lines, size_t start) {
    size_t i = start + 1;
    while (i < lines.size() && lines[i].kind != Line::Section)
        ++i;
    return i;
}

// Names, each followed by a NUL, and a final NUL. When they do not fit, the last one is cut so that the
// buffer ends with two NULs, and the result is nSize - 2.
DWORD CopyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    if (size == 1) {
        buffer[0] = 0;
        return 0;
    }
    char* p = buffer;
    DWORD free = size - 1;
    for (const std::string& name : names) {
        DWORD len = static_cast<DWORD>(name.size() + 1);
        if (len > free) {
            if (free > 0) {
                std::memcpy(p, name.data(), free - 1);
                p += free - 1;
                *p++ = 0;
            }
            *p = 0;
            return size - 2;
        }
        std::memcpy(p, name.c_str(), len);
        p += len;
        free -= len;
    }
    *p = 0;
    return static_cast<DWORD>(p - buffer);
}

// A value cut to nSize - 1 characters and ended by a NUL.
DWORD CopyValue(std::string_view value, LPSTR buffer, DWORD size) {
    if (size == 0) return 0;
    DWORD n = static_cast<DWORD>(std::min<size_t>(value.size(), size - 1));
    std::memcpy(buffer, value.data(), n);
    buffer[n] = 0;
    return n;
}

} // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault,
                                      LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName) {
    if (!lpReturnedString || nSize == 0) return 0;
    // The default loses its trailing blanks.
    std::string def = lpDefault ? lpDefault : "";
    while (!def.empty() && def.back() == ' ')
        def.pop_back();

    std::vector<Line> lines;
    auto host = Files().Resolve(ProfilePath(lpFileName));
    std::optional<std::string> content = host ? ReadHost(*host) : std::nullopt;
    if (content)
        lines = Parse(*content);
    else
        SetLastError(ERROR_FILE_NOT_FOUND);

    if (!lpAppName) {
        std::vector<std::string> names;
        for (const Line& l : lines)
            if (l.kind == Line::Section) names.push_back(l.name);
        return CopyList(names, lpReturnedString, nSize);
    }
    size_t start = FindSection(lines, lpAppName);
    size_t end = start < lines.size() ? SectionEnd(lines, start) : start;
    if (!lpKeyName) {
        std::vector<std::string> names;
        for (size_t i = start + 1; i < end; ++i)
            if (lines[i].kind == Line::Key) names.push_back(lines[i].name);
        return CopyList(names, lpReturnedString, nSize);
    }
    for (size_t i = start + 1; i < end; ++i)
        if (lines[i].kind == Line::Key && emu::AnsiEqualNoCase(lines[i].name, lpKeyName))
            return CopyValue(lines[i].value, lpReturnedString, nSize);
    return CopyValue(def, lpReturnedString, nSize);
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString,
                                       LPCSTR lpFileName) {
    if (!lpAppName)
        return lpKeyName || lpString ? Fail(ERROR_INVALID_PARAMETER, FALSE) : TRUE; // all NULL: flush
    emu::FileSystem::Lookup r = Files().FindForCreate(ProfilePath(lpFileName));
    if (!r.host) return Fail(r.error, FALSE);
    if (r.isDir || (r.drive && Files().IsReadOnlyDrive(r.drive))) return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (r.exists && (Files().Attributes(r) & FILE_ATTRIBUTE_READONLY))
        return Fail(ERROR_ACCESS_DENIED, FALSE);

    std::vector<Line> lines;
    if (r.exists) {
        auto content = ReadHost(*r.host);
        if (!content) return Fail(ERROR_ACCESS_DENIED, FALSE);
        lines = Parse(*content);
    }
    size_t start = FindSection(lines, lpAppName);
    size_t end = start < lines.size() ? SectionEnd(lines, start) : start;
    bool changed = false;
    if (!lpKeyName) { // the whole section goes
        if (start < lines.size()) {
            lines.erase(lines.begin() + static_cast<long>(start), lines.begin() + static_cast<long>(end));
            changed = true;
        }
    } else {
        size_t key = end;
        for (size_t i = start + 1; i < end && start < lines.size(); ++i)
            if (lines[i].kind == Line::Key && emu::AnsiEqualNoCase(lines[i].name, lpKeyName)) {
                key = i;
                break;
            }
        if (!lpString) { // the key goes
            if (key < end) {
                lines.erase(lines.begin() + static_cast<long>(key));
                changed = true;
            }
        } else if (key < end) { // the value changes, the key keeps its spelling
            lines[key] = ParseLine(lines[key].name + "=" + lpString);
            changed = true;
        } else if (start < lines.size()) { // a new key after the section's last non-blank line
            size_t at = end;
            while (at > start + 1 && lines[at - 1].kind == Line::Other && Trim(lines[at - 1].text).empty())
                --at;
            lines.insert(lines.begin() + static_cast<long>(at),
                         ParseLine(std::string(lpKeyName) + "=" + lpString));
            changed = true;
        } else { // a new section at the end of the file
            if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back(ParseLine(""));
            lines.push_back(ParseLine("[" + std::string(lpAppName) + "]"));
            lines.push_back(ParseLine(std::string(lpKeyName) + "=" + lpString));
            changed = true;
        }
    }
    if (!changed) return TRUE;
    std::string out;
    for (const Line& l : lines)
        out += l.text + "\r\n";
    std::ofstream file(*r.host, std::ios::binary | std::ios::trunc);
    if (!file) return Fail(ERROR_ACCESS_DENIED, FALSE);
    file << out;
    file.close();
    if (!r.exists) Files().SetAttributes(*r.host, FILE_ATTRIBUTE_ARCHIVE);
    Files().MarkChanged(*r.host);
    return TRUE;
}
