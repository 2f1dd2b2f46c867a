#include "platform/emu/shell32/Text.h"
#include "platform/emu/api/ole32.h"
#include <cstring>

namespace emu::shell {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a == b || FoldCase(a) == FoldCase(b);
}

LPWSTR TaskString(std::string_view utf8) {
    std::u16string wide = Utf8ToUtf16(utf8);
    auto* out = static_cast<WCHAR*>(CoTaskMemAlloc((wide.size() + 1) * sizeof(WCHAR)));
    if (!out) return nullptr;
    std::memcpy(out, wide.data(), wide.size() * sizeof(WCHAR));
    out[wide.size()] = 0;
    return out;
}

} // namespace emu::shell
