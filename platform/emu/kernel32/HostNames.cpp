#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/CodePage.h"

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

} // namespace emu
