// What the folder tree asks of the shell namespace: the subfolders of a folder, an item's attributes, icons
// and path, and comparisons of item-ID lists. Lists are held as pointer-sized numbers, as mmShellMacro holds
// them; every list returned here is new and belongs to the caller.
#pragma once
#include "platform/Owners.h"
#include "platform/win32.h"
#include <string>
#include <vector>

namespace vireo::vtv {

// A subfolder as listed: its absolute list, its in-folder display name and its attributes (every bit but
// SFGAO_HASSUBFOLDER, which costs a listing of the folder itself).
struct Subfolder {
    UniquePidl pidl;
    std::string name;
    LONG attributes = 0;
};

// The attribute bits asked for a folder: all of them but the costly subfolder test and the validation.
constexpr SFGAOF kListedAttributes = ~static_cast<SFGAOF>(SFGAO_HASSUBFOLDER | SFGAO_VALIDATE);

// The folders directly below an absolute list, in the shell's order. False when the folder cannot be
// bound or listed (gone, or a drive without a medium: with an owner window the shell tells the user).
bool ListSubfolders(LONG_PTR pidl, HWND owner, std::vector<Subfolder>& folders);
// Whether the folder of an absolute list can still be bound and listed, without telling the user anything.
bool CanList(LONG_PTR pidl);

// An item's attributes among mask (0 when the shell does not know the list).
LONG ItemAttributes(LONG_PTR pidl, SFGAOF mask);
// The index of the item's small icon in the system image list (the open-folder form when asked).
int SmallIconIndex(LONG_PTR pidl, bool open);
// The system image list of small icons.
HIMAGELIST SmallSystemImageList();
// The file-system path of a list, with a trailing separator; "" for a virtual folder.
std::string FolderPath(LONG_PTR pidl, LONG attributes);
// The in-folder display name of the desktop itself, as the first part of a display path.
std::string DesktopName();

// The packed items of a list without its terminator; of its first n items for Prefix.
std::string ListBytes(LONG_PTR pidl);
std::string PrefixBytes(LONG_PTR pidl, int n);
// The address of the n-th item (1-based) of a list.
LONG_PTR ItemAt(LONG_PTR pidl, int n);
// Whether two one-item lists name the same item of a folder, as the folder compares them.
bool SameItem(IShellFolder* folder, LONG_PTR item1, LONG_PTR item2);
// The folder object of an absolute list (the desktop for an empty one), to be released; nullptr when it
// cannot be bound.
IShellFolder* BindFolder(LONG_PTR pidl);

} // namespace vireo::vtv
