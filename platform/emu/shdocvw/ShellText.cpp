#include "platform/emu/shdocvw/ShellText.h"
#include <cstdio>

namespace emu {

std::string FormatByteSize(uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    // The unit: the first whose value is below 1000 (EB holds everything else).
    unsigned unit = 0;
    unsigned __int128 divisor = 1024;
    while (unit + 1 < std::size(kUnits) && bytes >= 1000 * divisor) {
        divisor *= 1024;
        ++unit;
    }
    // The value in hundredths of the unit, cut, then cut again to three significant digits.
    uint64_t hundredths = static_cast<uint64_t>(static_cast<unsigned __int128>(bytes) * 100 / divisor);
    char text[32];
    if (hundredths < 1000)
        std::snprintf(text, sizeof text, "%u.%02u %s", unsigned(hundredths / 100), unsigned(hundredths % 100),
                      kUnits[unit]);
    else if (hundredths < 10000)
        std::snprintf(text, sizeof text, "%u.%u %s", unsigned(hundredths / 100),
                      unsigned(hundredths / 10 % 10), kUnits[unit]);
    else
        std::snprintf(text, sizeof text, "%u %s", unsigned(hundredths / 100), kUnits[unit]);
    return text;
}

std::string FormatKBSize(uint64_t bytes) {
    std::string digits = std::to_string((bytes + 1023) / 1024);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out + " KB";
}

std::string FormatModified(const FILETIME& utc) {
    if (utc.dwLowDateTime == 0 && utc.dwHighDateTime == 0) return "";
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return "";
    // "M/D/YYYY h:mm AM", written by hand: a folder view formats one for every item.
    const unsigned hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
    std::string text;
    text.reserve(24);
    auto number = [&text](unsigned n, bool twoDigits) {
        char digits[8];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n);
        if (twoDigits && count < 2) digits[count++] = '0';
        while (count)
            text += digits[--count];
    };
    number(st.wMonth, false);
    text += '/';
    number(st.wDay, false);
    text += '/';
    number(st.wYear, false);
    text += ' ';
    number(hour12, false);
    text += ':';
    number(st.wMinute, true);
    text += st.wHour < 12 ? " AM" : " PM";
    return text;
}

} // namespace emu
