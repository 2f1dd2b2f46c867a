#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/kernel32/CodePage.h"

namespace emu {

std::string ToHostName(std::string_view ansi) {
    return AnsiToUtf8(ansi);
}

std::string ToWindowsName(std::string_view utf8) {
    return Utf8ToAnsi(utf8, '?');
}

} // namespace emu
