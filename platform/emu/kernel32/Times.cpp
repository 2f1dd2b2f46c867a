// FILETIME and SYSTEMTIME. The emulated desktop's time zone is UTC, so local and universal times agree.
#include "platform/emu/kernel32/Kernel.h"

using emu::k32::Fail;

namespace {

constexpr int64_t kTicksPerDay = 864000000000LL; // 100 ns units
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDaysTo1970 = 134774;

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

} // namespace

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    uint64_t v = (static_cast<uint64_t>(lpFileTime->dwHighDateTime) << 32) | lpFileTime->dwLowDateTime;
    if (v > 0x7FFFFFFFFFFFFFFFull) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    int64_t days = static_cast<int64_t>(v) / kTicksPerDay;
    int64_t rest = static_cast<int64_t>(v) % kTicksPerDay;
    int64_t y;
    unsigned m, d;
    CivilFromDays(days - kDaysTo1970, y, m, d);
    lpSystemTime->wYear = static_cast<WORD>(y);
    lpSystemTime->wMonth = static_cast<WORD>(m);
    lpSystemTime->wDay = static_cast<WORD>(d);
    lpSystemTime->wDayOfWeek = static_cast<WORD>((days + 1) % 7); // 1601-01-01 was a Monday
    lpSystemTime->wHour = static_cast<WORD>(rest / 36000000000LL);
    lpSystemTime->wMinute = static_cast<WORD>(rest / 600000000LL % 60);
    lpSystemTime->wSecond = static_cast<WORD>(rest / 10000000LL % 60);
    lpSystemTime->wMilliseconds = static_cast<WORD>(rest / 10000LL % 1000);
    return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (!lpSystemTime || !lpFileTime) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    const SYSTEMTIME& s = *lpSystemTime;
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (s.wYear % 4 == 0 && s.wYear % 100 != 0) || s.wYear % 400 == 0;
    if (s.wYear < 1601 || s.wYear > 30827 || s.wMonth < 1 || s.wMonth > 12 || s.wDay < 1 ||
        s.wDay > kDays[s.wMonth - 1] + (s.wMonth == 2 && leap) || s.wHour > 23 || s.wMinute > 59 ||
        s.wSecond > 59 || s.wMilliseconds > 999)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    int64_t days = DaysFromCivil(s.wYear, s.wMonth, s.wDay) + kDaysTo1970;
    int64_t v = days * kTicksPerDay + ((s.wHour * 60LL + s.wMinute) * 60 + s.wSecond) * 10000000LL +
                s.wMilliseconds * 10000LL;
    lpFileTime->dwLowDateTime = static_cast<DWORD>(v & 0xFFFFFFFF);
    lpFileTime->dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) >> 32);
    return TRUE;
}

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (!lpFileTime || !lpLocalFileTime) return Fail(ERROR_INVALID_PARAMETER, FALSE);
    *lpLocalFileTime = *lpFileTime;
    return TRUE;
}
