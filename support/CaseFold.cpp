#include "support/CaseFold.h"
#include "platform/win32.h"

namespace vireo {

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    if (!folded.empty()) CharLowerBuffA(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

std::string UpperText(std::string_view text) {
    std::string upper(text);
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

} // namespace vireo
