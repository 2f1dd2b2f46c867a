// The ANSI code page of the emulated desktop, Windows-1252, and the conversions between it, UTF-16 and
// UTF-8 (the host keeps file names in UTF-8). Used by the text functions of kernel32 and by every other
// emulated library that turns narrow text into wide text or host names into Windows names.
#pragma once
#include <string>
#include <string_view>

namespace emu {

constexpr unsigned kAnsiCodePage = 1252;

// The upper and lower case of one Windows-1252 byte, as CharUpperA and CharLowerA map it: the Latin-1 letters
// plus Š Œ Ž Ÿ and their small forms; µ, ß and the letters without a partner in the code page stay as they
// are.
unsigned char AnsiUpperChar(unsigned char c);
unsigned char AnsiLowerChar(unsigned char c);

// The UTF-16 unit of one Windows-1252 byte. Windows maps the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the control characters of the same value.
char16_t AnsiCharToWide(unsigned char c);
// The Windows-1252 byte of a code point, or -1 when the code page cannot hold it.
int WideCharToAnsi(char32_t c);

std::u16string AnsiToWide(std::string_view ansi);
// Characters outside the code page become defaultChar (each UTF-16 unit of a surrogate pair on its own,
// as Windows XP does); usedDefault, when given, tells whether that happened.
std::string WideToAnsi(std::u16string_view wide, char defaultChar = '?', bool* usedDefault = nullptr);
// The same, one byte for each UTF-16 unit, written straight into out as far as room goes (the rest is only
// read); true when some character became defaultChar.
bool WideToAnsiInto(std::u16string_view wide, char* out, size_t room, char defaultChar = '?');

std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8, char defaultChar = '?', bool* usedDefault = nullptr);
// Invalid UTF-8 bytes decode as U+FFFD (UTF-16) or as the Latin-1 character of the byte (Utf8ToAnsi, so
// that a host name of stray bytes still has a Windows name).
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);
bool IsValidUtf8(std::string_view utf8);

// The upper case of a code point as the file system compares names (ASCII, Latin-1 and the letters of
// Windows-1252 beyond them).
char32_t FoldCase(char32_t c);
// A UTF-8 name folded for comparisons without regard to case.
std::string FoldUtf8(std::string_view utf8);
// An ANSI text in upper and lower case, letter by letter in Windows-1252.
std::string AnsiUpper(std::string_view ansi);
std::string AnsiLower(std::string_view ansi);
// Compares two ANSI texts without regard to case: <0, 0 or >0.
int AnsiCompareNoCase(std::string_view a, std::string_view b);
bool AnsiEqualNoCase(std::string_view a, std::string_view b);

} // namespace emu
