// SHGetDataFromIDListA as the emulated desktop declares it (shlobj on Windows): what a file-system item
// recorded of its entry when it was listed, read from the item's own bytes without looking at the file
// again. Declared apart from shlobj.h because only the emulated shell's views and the tests call it.
#pragma once
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/shlobj.h"

// The one form this desktop answers: a WIN32_FIND_DATAA with the attributes, the size, the last-write
// time and the name (the creation and access times, and the 8.3 alias, are left zero).
#define SHGDFIL_FINDDATA 1

// E_INVALIDARG for a missing argument, a buffer smaller than the form, another form, or an item that is
// not a file-system item (a drive, a virtual folder's item).
HRESULT WINAPI SHGetDataFromIDListA(IShellFolder* psf, LPCITEMIDLIST pidl, int nFormat, void* pv, int cb);
