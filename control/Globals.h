// Module-wide values: one copy per user-interface thread, shared by every control instance on it.
#pragma once
#include "platform/win32.h"
#include <string>

namespace vireo {

extern thread_local std::string g_sTempDir;  // temporary directory, with trailing separator
extern thread_local std::string g_sFontName; // face name given to SetFontColor
extern thread_local LONG_PTR g_hFontSmall;   // small font handle given to SetFontColor
extern thread_local bool g_bWinNT;           // the platform is NT
extern thread_local bool g_bWin2000;         // NT major version 5
extern thread_local bool g_bWinMe;           // Windows 9x version 4.90

} // namespace vireo
