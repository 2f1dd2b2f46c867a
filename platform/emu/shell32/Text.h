// Text inside the emulated shell: names and paths are UTF-8 (as the host stores them), so no name is
// lost on the way from a folder to an item-ID list and back; the A functions convert at their edge with
// kernel32's code page, and names compare without regard to case as the file system compares them.
#pragma once
#include "platform/emu/api/types.h"
#include "platform/emu/kernel32/CodePage.h"
#include <string>
#include <string_view>

namespace emu::shell {

using emu::AnsiToUtf8;
using emu::Utf8ToAnsi;
inline std::u16string Utf8ToUtf16(std::string_view text) {
    return emu::Utf8ToWide(text);
}
inline std::string Utf16ToUtf8(std::u16string_view text) {
    return emu::WideToUtf8(text);
}
inline std::string FoldCase(std::string_view utf8) {
    return emu::FoldUtf8(utf8);
}
bool EqualNoCase(std::string_view a, std::string_view b);

// A copy in the task allocator, as STRRET_WSTR and other shell answers hand out text.
LPWSTR TaskString(std::string_view utf8);

} // namespace emu::shell
