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
    // "M/D/YYYY h:mm AM", without snprintf: a folder view formats one for every item.
    const unsigned hour12 = st.wHour % 12 == 0 ? 12 : st.wHour % 12;
    return std::to_string(st.wMonth) + '/' + std::to_string(st.wDay) + '/' + std::to_string(st.wYear) + ' ' +
           std::to_string(hour12) + (st.wMinute < 10 ? ":0" : ":") + std::to_string(st.wMinute) +
           (st.wHour < 12 ? " AM" : " PM");
}

} // namespace emu
