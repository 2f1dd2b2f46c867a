// The one header through which the system's modules reach Windows.
// On Windows it is the SDK; elsewhere it declares the same names, types, constants and structure
// layouts for the subset the system calls, implemented by the emulated desktop in platform/emu.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <olectl.h>
#include <mmsystem.h>
#include <winioctl.h>
#else
#include "platform/emu/api/types.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/user32.h"
#include "platform/emu/api/gdi32.h"
#include "platform/emu/api/advapi32.h"
#include "platform/emu/api/comctl32.h"
#include "platform/emu/api/ole32.h"
#include "platform/emu/api/shell32.h"
#include "platform/emu/api/shlwapi.h"
#include "platform/emu/api/winmm.h"
#endif
