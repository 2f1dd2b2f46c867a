#include "platform/emu/kernel32/WinPath.h"
#include <cctype>

namespace emu::winpath {

namespace {

bool IsSep(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string> SplitParts(std::string_view rest) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSep(rest[i]))
            ++i;
        size_t start = i;
        while (i < rest.size() && !IsSep(rest[i]))
            ++i;
        if (i > start) parts.emplace_back(rest.substr(start, i - start));
    }
    return parts;
}

} // namespace

std::string FullPath::Root() const {
    switch (kind) {
    case RootKind::Drive:
        return std::string(1, drive) + ":\\";
    case RootKind::Share:
        return "\\\\" + server + "\\" + share;
    case RootKind::Server:
        return "\\\\" + server;
    case RootKind::Device:
        return "\\\\.\\";
    }
    return {};
}

std::string FullPath::Text() const {
    std::string s = Root();
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!s.empty() && s.back() != '\\') s += '\\';
        s += parts[i];
    }
    if (trailingSep && !parts.empty()) s += '\\';
    if (trailingSep && parts.empty() && kind != RootKind::Drive) s += '\\';
    return s;
}

std::optional<FullPath> Split(std::string_view full) {
    FullPath p;
    if (full.size() >= 2 && IsSep(full[0]) && IsSep(full[1])) {
        if (full.size() >= 4 && (full[2] == '.' || full[2] == '?') && IsSep(full[3])) {
            p.kind = RootKind::Device;
            p.parts = SplitParts(full.substr(4));
            return p;
        }
        std::vector<std::string> all = SplitParts(full.substr(2));
        if (all.empty()) return std::nullopt;
        p.server = all[0];
        if (all.size() == 1) {
            p.kind = RootKind::Server;
            p.trailingSep = IsSep(full.back()) && full.size() > 2;
            return p;
        }
        p.kind = RootKind::Share;
        p.share = all[1];
        p.parts.assign(all.begin() + 2, all.end());
        p.trailingSep = IsSep(full.back());
        return p;
    }
    if (full.size() >= 3 && std::isalpha(static_cast<unsigned char>(full[0])) && full[1] == ':' &&
        IsSep(full[2])) {
        p.kind = RootKind::Drive;
        p.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(full[0])));
        p.parts = SplitParts(full.substr(3));
        p.trailingSep = !p.parts.empty() && IsSep(full.back());
        return p;
    }
    return std::nullopt;
}

std::optional<FullPath> SplitLiteral(std::string_view rest) {
    if (rest.size() < 3 || !std::isalpha(static_cast<unsigned char>(rest[0])) || rest[1] != ':' ||
        rest[2] != '\\')
        return std::nullopt;
    FullPath p;
    p.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    rest.remove_prefix(3);
    p.trailingSep = !rest.empty() && rest.back() == '\\';
    if (p.trailingSep) rest.remove_suffix(1);
    while (!rest.empty()) {
        size_t end = rest.find('\\');
        std::string_view part = rest.substr(0, end);
        if (part.empty()) return std::nullopt;
        p.parts.emplace_back(part);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return p;
}

namespace {

// Where the root of a full path ends: after "C:\", after "\\server\share\", after "\\?\" or "\\.\".
size_t RootEnd(std::string_view p) {
    if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        if (p.size() >= 4 && (p[2] == '.' || p[2] == '?') && p[3] == '\\') return 4;
        size_t i = 2;
        for (int part = 0; part < 2; ++part) { // the server, then the share, each with its separators
            while (i < p.size() && p[i] != '\\')
                ++i;
            while (i < p.size() && p[i] == '\\')
                ++i;
        }
        return i;
    }
    if (p.size() >= 3 && p[1] == ':' && p[2] == '\\') return 3;
    return 0;
}

} // namespace

std::string Collapse(std::string s) {
    for (char& c : s)
        if (c == '/') c = '\\';
    const size_t mark = RootEnd(s);
    std::string single = s.substr(0, mark); // doubled separators after the root count once
    for (size_t i = mark; i < s.size(); ++i)
        if (s[i] != '\\' || single.empty() || single.back() != '\\') single += s[i];
    s = std::move(single);

    auto at = [&s](size_t i) { return i < s.size() ? s[i] : '\0'; };
    size_t p = mark;
    while (p < s.size()) {
        if (s[p] == '.') {
            if (at(p + 1) == '\\') { // ".\"
                s.erase(p, 2);
                continue;
            }
            if (at(p + 1) == '\0') { // a final ".": it goes with the separator before it
                if (p > mark) --p;
                s.erase(p);
                continue;
            }
            if (at(p + 1) == '.' && (at(p + 2) == '\\' || at(p + 2) == '\0')) { // "..\" or a final ".."
                bool final = at(p + 2) == '\0';
                size_t next = final ? p + 2 : p + 3;
                size_t q = p;
                if (q > mark) {
                    --q;
                    while (q > mark && s[q - 1] != '\\')
                        --q;
                    if (final && q > mark) --q;
                }
                s.erase(q, next - q);
                p = q;
                continue;
            }
        }
        while (p < s.size() && s[p] != '\\')
            ++p;
        if (p < s.size()) {
            if (p > mark && s[p - 1] == '.')
                s.erase(p - 1, 1); // one period before a separator goes
            else
                ++p;
        }
    }
    while (s.size() > mark && (s.back() == ' ' || s.back() == '.'))
        s.pop_back();
    return s;
}

bool IsAllBlank(std::string_view path) {
    return !path.empty() && path.find_first_not_of(' ') == std::string_view::npos;
}

bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    std::string upper;
    for (char c : base)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

bool IsFullyQualified(std::string_view path) {
    if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) return true;
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           IsSep(path[2]);
}

bool IsValidName(std::string_view name) {
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 32) return false;
        switch (c) {
        case '<':
        case '>':
        case ':':
        case '"':
        case '/':
        case '\\':
        case '|':
        case '?':
        case '*':
            return false;
        default:
            break;
        }
    }
    return true;
}

bool HasWildcards(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

} // namespace emu::winpath
