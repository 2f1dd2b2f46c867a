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

void Normalize(FullPath& path) {
    std::vector<std::string> out;
    for (std::string& part : path.parts) {
        if (part == ".") continue;
        if (part == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(std::move(part));
    }
    bool endsWithDots = !path.parts.empty() && (path.parts.back() == "." || path.parts.back() == "..");
    if (!out.empty() && !endsWithDots) {
        // Windows drops trailing dots and spaces of the last component ("C:\dir." is C:\dir).
        std::string& last = out.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' '))
            last.pop_back();
        if (last.empty()) out.pop_back();
    }
    if (endsWithDots) path.trailingSep = false;
    path.parts = std::move(out);
    if (path.parts.empty() && path.kind != RootKind::Server) path.trailingSep = false;
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
