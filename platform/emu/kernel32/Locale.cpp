// GetLocaleInfoA for the user's number format: the decimal and thousands separators of SystemInfo.
#include "platform/emu/kernel32/Kernel.h"
#include <cstring>

using emu::k32::Fail;
using emu::k32::Sys;

// The count returned includes the NUL. cchData 0 asks for that count and leaves the buffer alone; a buffer
// too small fails with ERROR_INSUFFICIENT_BUFFER. A type the desktop does not know fails with
// ERROR_INVALID_FLAGS, a locale other than the user's or the system's with ERROR_INVALID_PARAMETER.
// LOCALE_NOUSEROVERRIDE would give the locale's own defaults; the desktop has no user overrides, so it
// answers the same.
int WINAPI GetLocaleInfoA(LCID Locale, LCTYPE LCType, LPSTR lpLCData, int cchData) {
    if (cchData < 0 || (cchData > 0 && !lpLCData)) return Fail(ERROR_INVALID_PARAMETER, 0);
    if (Locale != LOCALE_USER_DEFAULT && Locale != LOCALE_SYSTEM_DEFAULT && Locale != 0)
        return Fail(ERROR_INVALID_PARAMETER, 0);
    const std::string* value = nullptr;
    switch (LCType & ~static_cast<LCTYPE>(LOCALE_NOUSEROVERRIDE)) {
    case LOCALE_SDECIMAL:
        value = &Sys().DecimalSeparator();
        break;
    case LOCALE_STHOUSAND:
        value = &Sys().ThousandSeparator();
        break;
    default:
        return Fail(ERROR_INVALID_FLAGS, 0);
    }
    const int needed = static_cast<int>(value->size()) + 1;
    if (cchData == 0) return needed;
    if (cchData < needed) return Fail(ERROR_INSUFFICIENT_BUFFER, 0);
    std::memcpy(lpLCData, value->c_str(), static_cast<size_t>(needed));
    return needed;
}
