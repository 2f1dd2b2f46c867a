// gdi32 as the emulated desktop declares it: the functions, constants and structures the system calls.
#pragma once
#include "platform/emu/api/types.h"
