// The shell's change notices (SHChangeNotify, SHChangeNotifyRegister, SHChangeNotification_Lock): on
// Windows they come with shlobj.h; the emulated desktop declares them apart.
#pragma once
#include "platform/win32.h"
#ifndef _WIN32
#include "platform/emu/api/shlobj_notify.h"
#endif
