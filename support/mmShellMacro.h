// mmShellMacro: item-ID lists and the shell namespace. Lists are held as pointer-sized numbers (0 for none);
// every list returned here is new, comes from the shell allocator and belongs to the caller, who frees it
// with FreePidl, or holds it in a UniquePidl (platform/Owners.h), which frees it once. Lists passed in are
// borrowed, except where ConcatPidls is told to free them.
// The allocator and the desktop folder are fetched once per thread and kept.
#pragma once
#include "platform/Owners.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include <cstdint>
#include <string>

namespace vireo {

// Allocator, desktop and identifiers. The objects returned are the cached ones (borrowed: do not release);
// nullptr when the shell cannot give them.
IMalloc* GetMalloc();
IShellFolder* GetDesktopFolder();
void MakeGuid(GUID& guid, DWORD data1, WORD data2, WORD data3, BYTE b0, BYTE b1, BYTE b2, BYTE b3, BYTE b4,
              BYTE b5, BYTE b6, BYTE b7);
// A GUID of the OLE family: the eight bytes C0 00 00 00 00 00 00 46.
void MakeOleGuid(GUID& guid, DWORD data1, WORD data2, WORD data3);
bool IsSucceeded(HRESULT hr);

// Item-ID list arithmetic. Sizes and counts are 16-bit: lists of 32767 bytes or more are not supported.
int16_t PidlItemSize(LONG_PTR pidl);
LONG_PTR NextPidlItem(LONG_PTR pidl);
int16_t PidlItemCount(LONG_PTR pidl);
int16_t PidlSize(LONG_PTR pidl);
// A one-item list copied from the n-th item (1-based); n beyond the last item, or -1, means the last.
LONG_PTR CopyPidlItem(LONG_PTR pidl, int16_t n);
LONG_PTR AllocZeroed(LONG size);
LONG_PTR ConcatPidls(LONG_PTR first, LONG_PTR second, bool bFreeFirst, bool bFreeSecond);
// Frees the list (0 is allowed) and returns 0: pidl = FreePidl(pidl).
LONG_PTR FreePidl(LONG_PTR pidl);
// A byte array of exactly PidlSize bytes, Empty for 0.
Variant PidlToBytes(LONG_PTR pidl);
// Whether a number from outside is a whole list the functions above may read: a block of the shell
// allocator (it must not deny having allocated it, and it must know its size) whose item sizes, each at
// least 2, end with a zero size inside the block and below 32767 bytes. Nothing outside the block is read.
bool IsAllocatedPidl(LONG_PTR pidl);

// Namespace operations.
LONG_PTR SpecialFolderPidl(HWND hwndOwner, int nCsidl);
LONG_PTR PidlFromPath(HWND hwndOwner, const std::string& sPath);
// Like PidlFromPath, but a drive path the shell does not parse (a file named without its hidden
// extension) is found by walking its parts from the root and matching display names.
LONG_PTR PidlFromPathEx(HWND hwndOwner, const std::string& sPath);
std::string DisplayNameOf(IShellFolder* folder, LONG_PTR pidl, DWORD nFlags);
// The text of a STRRET; a STRRET_WSTR answer is freed.
std::string StrRetToString(STRRET& strret, LONG_PTR pidl);
// The folder of the list below the given folder (to be released by the caller); the desktop when binding
// fails or the list is 0 or empty.
IShellFolder* BindToFolder(IShellFolder* folder, LONG_PTR pidl);
LONG_PTR FindChildItem(LONG_PTR parentPidl, const std::string& sName);
LONG_PTR ChildPidlByName(LONG_PTR parentPidl, const std::string& sName);
bool CanEnumerate(HWND hwndOwner, LONG_PTR pidl);
bool IsFolderAccessible(HWND hwndOwner, const std::string& sPath);
// The desktop's name and the in-folder name of every level, each followed by "\".
std::string PidlDisplayPath(LONG_PTR pidl);

// Shell file information: item is a path (text) or a list (number).
DWORD_PTR FileInfo(const Variant& item, UINT nFlags, SHFILEINFOA& info);
LONG FileAttributes(const Variant& item);
std::string DisplayNameOfPath(const Variant& item);
std::string GetTypeName(const std::string& sPath, UINT nFlags);

} // namespace vireo
