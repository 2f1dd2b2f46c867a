// The ANSI code page of the emulated desktop, Windows-1252, as user32 sees it: letter case, letters, and the
// conversion to and from UTF-16 that the wide text messages need.
#pragma once
#include <string>
#include <string_view>

namespace emu::cp1252 {

// Case mapping as CharUpperA / CharLowerA do it: the Latin-1 letters plus Š Œ Ž Ÿ and their small forms;
// µ, ß and ÿ's neighbours without a case partner in the code page stay as they are.
unsigned char ToUpper(unsigned char c);
unsigned char ToLower(unsigned char c);
bool IsAlpha(unsigned char c);
bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);

// Comparison without regard to case (both sides upper-cased), as lstrcmpiA compares for equality.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualNoCase(std::string_view a, std::string_view b) {
    return CompareNoCase(a, b) == 0;
}
// True when text starts with prefix, without regard to case.
bool StartsNoCase(std::string_view text, std::string_view prefix);

// Byte to UTF-16 code unit: every byte has one (the five unassigned bytes map to U+0081 and so on, as
// MultiByteToWideChar does).
char16_t ToWide(unsigned char c);
// UTF-16 code unit to byte; '?' for characters outside the code page (the default character).
unsigned char FromWide(char16_t c);
std::u16string ToWide(std::string_view text);
std::string FromWide(std::u16string_view text);

} // namespace emu::cp1252

namespace emu {
struct NoCaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return cp1252::CompareNoCase(a, b) < 0; }
};
} // namespace emu
