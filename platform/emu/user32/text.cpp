// Characters of the ANSI code page (Windows-1252) as user32 uses them: CharUpperA and friends, and the
// UTF-16 mapping the wide text messages use, both taken from kernel32's code page.
#include "platform/emu/user32/Cp1252.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/user32/WindowState.h"

namespace emu::cp1252 {

unsigned char ToUpper(unsigned char c) {
    return AnsiUpperChar(c);
}

unsigned char ToLower(unsigned char c) {
    return AnsiLowerChar(c);
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
    return AnsiCharToWide(c);
}

unsigned char FromWide(char16_t c) {
    const int b = WideCharToAnsi(c);
    return b < 0 ? '?' : static_cast<unsigned char>(b);
}

std::u16string ToWide(std::string_view text) {
    return AnsiToWide(text);
}

std::string FromWide(std::u16string_view text) {
    return WideToAnsi(text);
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
