// The system's one case fold against the ANSI code page (Windows-1252), run from the same source by the
// native suite and by the Wine checker. The texts are bytes of the code page: "\xC0" is À, "\xE0" is à.
#pragma once

namespace conformance {

struct FoldCase {
    const char* a;
    const char* b;
    bool same;         // the two texts are the same regardless of case
    const char* lower; // the fold of a
    const char* upper; // the capitals of a
    const char* note;
};

inline constexpr FoldCase kFoldCases[] = {
    {"Temp", "TEMP", true, "temp", "TEMP", "ASCII letters"},
    {"\xC0\xC9\xCE", "\xE0\xE9\xEE", true, "\xE0\xE9\xEE", "\xC0\xC9\xCE",
     "\xC0\xC9\xCE and their small forms"},
    {"\xD8\xDE", "\xF8\xFE", true, "\xF8\xFE", "\xD8\xDE", "O with stroke and thorn"},
    {"\x8A\x8C\x8E", "\x9A\x9C\x9E", true, "\x9A\x9C\x9E", "\x8A\x8C\x8E",
     "S and Z with caron, OE, in 0x80-0x9F"},
    {"\x9F", "\xFF", true, "\xFF", "\x9F", "Y with diaeresis: capital at 0x9F, small at 0xFF"},
    {"\xD7", "\xF7", false, "\xD7", "\xD7", "multiplication and division signs are not letters"},
    {"\xC6", "AE", false, "\xE6", "\xC6", "the ligature is one letter, not two"},
    {"r\xE9sum\xE9.TXT", "R\xC9SUM\xC9.txt", true, "r\xE9sum\xE9.txt", "R\xC9SUM\xC9.TXT", "a file name"},
    {"a", "ab", false, "a", "A", "a prefix is not the same text"},
    {"", "", true, "", "", "empty texts"},
    {"1-2_3 \\:", "1-2_3 \\:", true, "1-2_3 \\:", "1-2_3 \\:", "digits and punctuation stay"},
};

} // namespace conformance
