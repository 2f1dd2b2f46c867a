// The bytes of the emulated shell's items. Only the namespace reads them; everyone else sees opaque items.
//
//   root class item  (below the desktop)  : cb, 0x1F, sort order, 16-byte class id
//   computer class item (below My Computer): cb, 0x2E, 0, 16-byte class id
//   drive            : cb, 0x2F, "C:\" and a NUL
//   applet           : cb, 0x71, 0, its .cpl file name and a NUL
//   server / share   : cb, 0x42 / 0x43, 0, the name and a NUL
//   file-system item : cb, 0x31 folder / 0x32 file, 0, 32-bit attributes, 64-bit size, 64-bit last-write
//                      time (a FILETIME's count, 0 when not known), the UTF-8 name and a NUL
//
// A file-system item carries what the listing saw of its entry (as Windows' own items carry their
// WIN32_FIND_DATA's attributes, size and time), so the folder view's columns need no second look at the
// file.
#pragma once
#include "platform/emu/api/shlobj.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace emu::shell {

enum class ItemType : BYTE {
    RootClass = 0x1F,
    ComputerClass = 0x2E,
    Drive = 0x2F,
    Folder = 0x31,
    File = 0x32,
    Server = 0x42,
    Share = 0x43,
    Applet = 0x71,
};

// One item read back from its bytes.
struct Item {
    ItemType type = ItemType::File;
    GUID clsid{};         // the class items
    std::string name;     // drive root "C:\", applet, server, share or file-system name
    DWORD attributes = 0; // file-system items
    uint64_t size = 0;    // file-system items: the file's size in bytes
    uint64_t written = 0; // file-system items: the last-write time as a FILETIME count; 0 when not known
};

// What a file-system item records of its entry.
struct FileDetails {
    DWORD attributes = 0;
    uint64_t size = 0;
    uint64_t written = 0;
};

// Packed bytes of one item, size field included, without the list's terminator.
std::string PackClassItem(ItemType type, const GUID& clsid, BYTE order = 0);
std::string PackNamedItem(ItemType type, std::string_view name);
std::string PackFileItem(bool folder, std::string_view name, const FileDetails& details);

// The item at p, or none when its bytes are not one of ours (wrong type, size or missing terminator).
std::optional<Item> ReadItem(LPCITEMIDLIST p);

// A list in the task allocator from packed items (the terminator is added).
LPITEMIDLIST AllocList(std::string_view packedItems);
// The packed items of a list, without its terminator ("" for an empty list or NULL).
std::string ListBytes(LPCITEMIDLIST pidl);
USHORT SizeOf(LPCITEMIDLIST p);
LPCITEMIDLIST NextOf(LPCITEMIDLIST p);

} // namespace emu::shell
