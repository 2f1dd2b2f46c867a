// mPopMenu: the drive and folder menu's module-wide list of drive roots, which GoToNextDrive walks.
#pragma once
#include <string>
#include <vector>

namespace vireo {

// The drive roots ("C:\") in menu order, shared by every control on the thread.
const std::vector<std::string>& DriveList();
// Refills the list from the system's logical drives, upper-cased (nothing when the shell has no computer
// folder), and counts the CD-ROM drives among them.
void FillDriveList();
int CDDriveCount();
// Empties the list.
void ClearDriveList();
// The folder to go to for the next drive after path's: the current directory of the first drive after it
// whose root is a folder, wrapping around (path's own drive when no other is usable); "" when none is.
std::string NextDriveFolder(const std::string& path);

} // namespace vireo
