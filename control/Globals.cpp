#include "control/Globals.h"

namespace vireo {

thread_local std::string g_sTempDir;
thread_local std::string g_sFontName;
thread_local LONG_PTR g_hFontSmall = 0;
thread_local bool g_bWinNT = false;
thread_local bool g_bWin2000 = false;
thread_local bool g_bWinMe = false;

} // namespace vireo
