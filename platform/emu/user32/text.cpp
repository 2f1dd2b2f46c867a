// Characters of the ANSI code page (Windows-1252): CharUpperA and friends, and the UTF-16 mapping the
// wide text messages use.
#include "platform/emu/user32/Cp1252.h"
#include "platform/emu/user32/WindowState.h"

namespace emu::cp1252 {

namespace {
// 0x80..0x9F: the characters Windows-1252 puts where Latin-1 has control codes.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

unsigned char ToUpper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    switch (c) {
    case 0x9A:
        return 0x8A; // š
    case 0x9C:
        return 0x8C; // œ
    case 0x9E:
        return 0x8E; // ž
    case 0xFF:
        return 0x9F; // ÿ -> Ÿ
    default:
        break;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20; // à..þ except ÷
    return c;                                                 // µ, ß, ƒ have no capital in the code page
}

unsigned char ToLower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20; // À..Þ except ×
    return c;
}

bool IsUpper(unsigned char c) {
    return ToLower(c) != c;
}

bool IsLower(unsigned char c) {
    // ƒ µ ß and the ordinal indicators are small letters without a capital in the code page.
    return ToUpper(c) != c || c == 0x83 || c == 0xAA || c == 0xB5 || c == 0xBA || c == 0xDF;
}

bool IsAlpha(unsigned char c) {
    return IsUpper(c) || IsLower(c);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = ToUpper(static_cast<unsigned char>(a[i]));
        unsigned char y = ToUpper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

char16_t ToWide(unsigned char c) {
    return (c >= 0x80 && c <= 0x9F) ? kHigh[c - 0x80] : char16_t(c);
}

unsigned char FromWide(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

std::u16string ToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(ToWide(static_cast<unsigned char>(c)));
    return out;
}

std::string FromWide(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(static_cast<char>(FromWide(c)));
    return out;
}

} // namespace emu::cp1252

using namespace emu;

namespace {
template <class F> DWORD MapBuffer(LPSTR s, DWORD n, F f) {
    if (!s) return 0;
    for (DWORD i = 0; i < n; ++i)
        s[i] = static_cast<char>(f(static_cast<unsigned char>(s[i])));
    return n;
}

// CharUpperA/CharLowerA take either a string or, with a zero high word, one character in the low byte.
template <class F> LPSTR MapString(LPSTR s, F f) {
    if (IS_INTRESOURCE(s))
        return reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(f(static_cast<unsigned char>(LOBYTE(s)))));
    for (char* p = s; *p; ++p)
        *p = static_cast<char>(f(static_cast<unsigned char>(*p)));
    return s;
}
} // namespace

LPSTR WINAPI CharUpperA(LPSTR lpsz) {
    return MapString(lpsz, cp1252::ToUpper);
}
LPSTR WINAPI CharLowerA(LPSTR lpsz) {
    return MapString(lpsz, cp1252::ToLower);
}
DWORD WINAPI CharUpperBuffA(LPSTR lpsz, DWORD n) {
    return MapBuffer(lpsz, n, cp1252::ToUpper);
}
DWORD WINAPI CharLowerBuffA(LPSTR lpsz, DWORD n) {
    return MapBuffer(lpsz, n, cp1252::ToLower);
}
BOOL WINAPI IsCharAlphaA(CHAR ch) {
    return cp1252::IsAlpha(static_cast<unsigned char>(ch));
}
BOOL WINAPI IsCharUpperA(CHAR ch) {
    return cp1252::IsUpper(static_cast<unsigned char>(ch));
}
BOOL WINAPI IsCharLowerA(CHAR ch) {
    return cp1252::IsLower(static_cast<unsigned char>(ch));
}
BOOL WINAPI IsCharAlphaNumericA(CHAR ch) {
    return IsCharAlphaA(ch) || (ch >= '0' && ch <= '9');
}

// A single-byte code page: the next character is the next byte (never past the terminating NUL).
LPSTR WINAPI CharNextA(LPCSTR lpsz) {
    return const_cast<LPSTR>(*lpsz ? lpsz + 1 : lpsz);
}
LPSTR WINAPI CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent) {
    return const_cast<LPSTR>(lpszCurrent > lpszStart ? lpszCurrent - 1 : lpszStart);
}
