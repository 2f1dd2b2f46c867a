#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <array>

namespace emu {

namespace {

// 0x80-0x9F of Windows-1252; the undefined bytes map to themselves.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point of UTF-8 at s[i], advancing i; invalid bytes give `invalid` (or the byte itself
// when invalid is 0) and advance by one.
char32_t DecodeUtf8(std::string_view s, size_t& i, char32_t invalid) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    auto bad = [&] {
        ++i;
        return invalid ? invalid : char32_t(c);
    };
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xC2 && c <= 0xDF ? 1 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) return bad();
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return bad();
        cp = (cp << 6) | (cc & 0x3F);
    }
    bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return bad();
    i += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

unsigned char AnsiUpperChar(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
    case 0x9A:
        return 0x8A; // š
    case 0x9C:
        return 0x8C; // œ
    case 0x9E:
        return 0x8E; // ž
    case 0xFF:
        return 0x9F; // ÿ
    default:
        return c;
    }
}

unsigned char AnsiLowerChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
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
        return c;
    }
}

char16_t AnsiCharToWide(unsigned char c) {
    return c >= 0x80 && c <= 0x9F ? kHigh[c - 0x80] : char16_t(c);
}

namespace {
bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
} // namespace

int WideCharToAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

std::u16string AnsiToWide(std::string_view ansi) {
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        out += AnsiCharToWide(static_cast<unsigned char>(c));
    return out;
}

bool WideToAnsiInto(std::u16string_view wide, char* out, size_t room, char defaultChar) {
    bool used = false;
    for (size_t i = 0; i < wide.size(); ++i) {
        const int b = WideCharToAnsi(wide[i]);
        used |= b < 0;
        if (i < room) out[i] = b < 0 ? defaultChar : static_cast<char>(b);
    }
    return used;
}

std::string WideToAnsi(std::u16string_view wide, char defaultChar, bool* usedDefault) {
    std::string out(wide.size(), '\0');
    const bool used = WideToAnsiInto(wide, out.data(), out.size(), defaultChar);
    if (usedDefault) *usedDefault = used;
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    if (IsAscii(ansi)) return std::string(ansi); // the code page's lower half is ASCII, as UTF-8's is
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        AppendUtf8(out, AnsiCharToWide(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8, char defaultChar, bool* usedDefault) {
    if (IsAscii(utf8)) {
        if (usedDefault) *usedDefault = false;
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    bool used = false;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = DecodeUtf8(utf8, i, 0);
        int b = WideCharToAnsi(cp);
        if (b < 0) {
            used = true;
            out += defaultChar;
            if (cp > 0xFFFF) out += defaultChar; // a surrogate pair in UTF-16: one for each half
        } else {
            out += static_cast<char>(b);
        }
    }
    if (usedDefault) *usedDefault = used;
    return out;
}

std::u16string Utf8ToWide(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (const auto c = static_cast<unsigned char>(utf8[i]); c < 0x80) { // ASCII is one unit as it is
            out += static_cast<char16_t>(c);
            ++i;
            continue;
        }
        char32_t cp = DecodeUtf8(utf8, i, kReplacement);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string WideToUtf8(std::u16string_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = wide[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement; // a lone surrogate
        }
        AppendUtf8(out, cp);
    }
    return out;
}

bool IsValidUtf8(std::string_view utf8) {
    for (size_t i = 0; i < utf8.size();)
        if (DecodeUtf8(utf8, i, 0xFFFFFFFF) == 0xFFFFFFFF) return false;
    return true;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x100) {
        if (c == 0xFF) return 0x178;
        if (c == 0xB5) return c; // micro sign keeps its form, as in the file system's table
        return AnsiUpperChar(static_cast<unsigned char>(c));
    }
    switch (c) {
    case 0x161:
        return 0x160;
    case 0x153:
        return 0x152;
    case 0x17E:
        return 0x17D;
    default:
        return c;
    }
}

std::string FoldUtf8(std::string_view utf8) {
    // The fold of each ASCII character, which is ASCII: most names are read without decoding.
    static const std::array<char, 0x80> ascii = [] {
        std::array<char, 0x80> folded{};
        for (char32_t c = 0; c < 0x80; ++c)
            folded[c] = static_cast<char>(FoldCase(c));
        return folded;
    }();
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (const auto c = static_cast<unsigned char>(utf8[i]); c < 0x80) {
            out += ascii[c];
            ++i;
            continue;
        }
        size_t start = i;
        char32_t cp = DecodeUtf8(utf8, i, 0xFFFFFFFF);
        if (cp == 0xFFFFFFFF) {
            out.append(utf8.substr(start, 1)); // keep a stray byte as it is
            continue;
        }
        AppendUtf8(out, FoldCase(cp));
    }
    return out;
}

std::string AnsiUpper(std::string_view ansi) {
    std::string out(ansi);
    for (char& c : out)
        c = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(c)));
    return out;
}

std::string AnsiLower(std::string_view ansi) {
    std::string out(ansi);
    for (char& c : out)
        c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
    return out;
}

int AnsiCompareNoCase(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char32_t x = FoldCase(AnsiCharToWide(static_cast<unsigned char>(a[i])));
        char32_t y = FoldCase(AnsiCharToWide(static_cast<unsigned char>(b[i])));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool AnsiEqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiCompareNoCase(a, b) == 0;
}

} // namespace emu
