// winmm as the emulated desktop declares it: the functions, constants and structures the system calls.
#pragma once
#include "platform/emu/api/types.h"

typedef DWORD MCIERROR;

#define MCIERR_BASE 256
#define MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5)
#define MCIERR_DEVICE_NOT_READY (MCIERR_BASE + 20)
#define MCIERR_INVALID_DEVICE_NAME (MCIERR_BASE + 7)

MCIERROR WINAPI mciSendStringA(LPCSTR lpstrCommand, LPSTR lpstrReturnString, UINT uReturnLength,
                               HWND hwndCallback);
