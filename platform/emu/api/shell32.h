// shell32 as the emulated desktop declares it: shell execution and file operations (shellapi.h) and the
// shell namespace (shlobj.h).
#pragma once
#include "platform/emu/api/shellapi.h"
#include "platform/emu/api/shlobj.h"
