// mPopMenu: the drive and folder menu of tBar1's "Select Folder..." button, with its pictures, and the
// module-wide list of drive roots that GoToNextDrive walks.
//
// The menu, in order: one entry per drive ("&C LOCAL DISK ", keyed "C:\"), with "&Explore", "&Open Door"
// and "&Close Door" under a CD-ROM drive (keyed by the root, and by "Open Door" or "Close Door", a NUL
// and the root); a separator "Bar1"; "&Favorites" and "&History"; a separator "Bar2"; "&System Folder"
// with the desktop, the computer, the network and the control panel under it (keyed by display path).
#pragma once
#include "platform/IconMenu.h"
#include "support/KeyedImageList.h"
#include <string>
#include <vector>

namespace vireo {

// Empties images and menu and fills both again; refills the drive list. A menu that is not set (nullptr)
// is skipped call by call, as every call on it fails: the pictures and the drive list are still built.
void BuildPopupMenu(IconMenu* menu, KeyedImageList& images);
// Adds the small icon of every logical drive to images, keyed by its root in capitals and tagged with
// its upper-cased display name; nothing when the shell has no computer folder.
void AddDriveImages(KeyedImageList& images);
// Adds the small icon of a special folder, keyed by its display path and tagged with name (its display
// name when name is empty); nothing when the shell does not report it as a folder.
void AddSpecialFolderImage(KeyedImageList& images, int csidl, std::string name);
// The drive label of a drive's display name: the text before " (C:)"; "" when it has no colon. A colon
// in the first two characters leaves no room for the tail: that is an invalid call (RuntimeError 5).
std::string DriveLabel(const std::string& text);

// The drive roots ("C:\") in menu order, shared by every control on the thread.
const std::vector<std::string>& DriveList();
// Refills the drive list from the keys of the drive pictures at the head of images, and counts the CD-ROM
// drives among them.
void FillDriveList(const KeyedImageList& images);
int CDDriveCount();
// Empties the list.
void ClearDriveList();
// The folder to go to for the next drive after path's: the current directory of the first drive after it
// whose root is a folder, wrapping around (path's own drive when no other is usable); "" when none is.
std::string NextDriveFolder(const std::string& path);

} // namespace vireo
