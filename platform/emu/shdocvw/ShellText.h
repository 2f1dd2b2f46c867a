// The texts the shell's folder view writes: sizes as StrFormatByteSize and StrFormatKBSize give them in
// the English (United States) locale, and dates as the view's Modified column shows them.
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <string>

namespace emu {

// "512 bytes", "1.46 KB", "12.5 KB", "123 KB", "0.97 MB", "1.20 MB", "3.14 GB": below 1024 the bytes
// themselves; otherwise the value in the largest unit that leaves it under 1000 (so 1000 KB to 1023 KB
// show as 0.97 to 0.99 MB), with three significant digits, cut (not rounded) as Windows does.
std::string FormatByteSize(uint64_t bytes);
// The Size column of the details view: whole kilobytes rounded up, with thousands separators ("0 KB",
// "1 KB", "1,235 KB").
std::string FormatKBSize(uint64_t bytes);
// The Modified column: the local time of a file time as "12/5/2026 7:05 PM" (short date, short time).
// "" for a zero time.
std::string FormatModified(const FILETIME& utc);

} // namespace emu
