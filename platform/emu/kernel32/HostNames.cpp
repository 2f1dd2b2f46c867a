#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/CodePage.h"
#include <dirent.h>

namespace emu {

std::string ToHostName(std::string_view ansi) {
    return AnsiToUtf8(ansi);
}

std::string ToWindowsName(std::string_view utf8) {
    return Utf8ToAnsi(utf8, '?');
}

std::string JoinHostPath(const std::string& dir, std::string_view name) {
    if (dir.empty()) return std::string(name);
    std::string out;
    out.reserve(dir.size() + 1 + name.size());
    out = dir;
    if (out.back() != '/') out += '/';
    out += name;
    return out;
}

std::optional<std::vector<std::string>> ReadHostFolder(const std::string& dir) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(d)) {
        const std::string_view name(entry->d_name);
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(d);
    return names;
}

} // namespace emu
