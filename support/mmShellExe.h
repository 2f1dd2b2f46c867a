// mmShellExe: starting programs and documents through the shell, and turning the system's raw answers
// into text: open a file or URL with its associated program, run a command line and wait for it, run the
// default verb on an item-ID list, show an item's property sheet, a system error's message, text from
// narrow and wide character pointers, and two 16-bit word utilities for message parameters.
#pragma once
#include "platform/Variant.h"
#include "platform/win32.h"
#include <cstdint>
#include <string>

namespace vireo {

// Whether a program is associated with the file (FindExecutable answers above 32); False for "".
bool HasAssociation(const std::string& sFile);
// Opens a path or URL with its program, as the "open" verb; with bCheck, only a file with an associated
// program. True when the shell accepted it.
bool ShellOpen(const std::string& sURL, bool bCheck);
// Runs a command line with the window style (an SW_ value) and waits until the program ends.
void ShellAndWait(const std::string& sCmdLine, int32_t nWindowStyle);
// Runs the default verb of the item an absolute item-ID list names.
void ExecutePidl(HWND hWnd, LONG_PTR nPidl);
// Shows the property sheet of a file or folder given by path (text), or by item-ID list (a Long; 0 is
// none). True when the shell showed it.
bool ShowProperties(HWND hWnd, const Variant& vItem);
// The system's message for an error code; "" for a code it has no message for.
std::string ApiErrorText(int32_t nError);
// The text at a narrow pointer, and at a UTF-16 pointer in the ANSI code page (characters the code page
// cannot hold become the digit 0).
std::string StrFromPtrA(LPCSTR pText);
std::string StrFromPtrW(LPCWSTR pText);
// The low 16 bits of a value, signed.
int16_t LoWord(int32_t nValue);
// nHi * 65536 combined with the low word.
int32_t MakeLong(int16_t nLo, int16_t nHi);

} // namespace vireo
