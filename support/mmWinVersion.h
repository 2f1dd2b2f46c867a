// mmWinVersion: which Windows the control runs on and which shlwapi it has.
#pragma once
#include <cstdint>

namespace vireo {

// dwMajorVersion of shlwapi's DllGetVersion; 0 when the library or its entry point is missing.
int32_t ShlwapiMajorVersion();
bool IsWinNT();   // the NT family
bool IsWin2000(); // any NT 5.x: Windows 2000 and XP
bool IsWinMe();   // Windows Me (4.90 of the 9x family)

} // namespace vireo
