#include "control/SizeText.h"
#include "platform/win32.h"

namespace vireo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool At(const std::string& text, size_t pos, const std::string& piece) {
    return !piece.empty() && text.compare(pos, piece.size(), piece) == 0;
}

// One value of the user's locale; the fallback when the system does not give it.
std::string UserLocaleText(LCTYPE type, const char* fallback) {
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 1) return fallback;
    return buf;
}

} // namespace

bool IsNumberText(const std::string& text, const std::string& decimal, const std::string& thousand) {
    size_t i = 0;
    const size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    // The integer part: a thousands separator only after a digit.
    while (i < n) {
        if (IsDigit(text[i])) {
            ++digits;
            ++i;
        } else if (digits && At(text, i, thousand)) {
            i += thousand.size();
        } else {
            break;
        }
    }
    if (At(text, i, decimal)) {
        i += decimal.size();
        while (i < n && IsDigit(text[i])) {
            ++digits;
            ++i;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        size_t exponent = 0;
        while (i < n && IsDigit(text[i])) {
            ++exponent;
            ++i;
        }
        if (!exponent) return false;
    }
    return i == n;
}

bool IsSizeText(const std::string& text) {
    const size_t blank = text.find(' ');
    if (blank == std::string::npos || text.find(' ', blank + 1) != std::string::npos) return false;
    const std::string number = text.substr(0, blank), unit = text.substr(blank + 1);
    if (unit != "BYTES" && unit != "KB" && unit != "MB") return false;
    return IsNumberText(number, UserLocaleText(LOCALE_SDECIMAL, "."), UserLocaleText(LOCALE_STHOUSAND, ","));
}

} // namespace vireo
