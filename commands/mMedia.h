// mMedia: the tray of a CD-ROM drive, through device control on the NT family and the CD audio device's
// MCI command string elsewhere.
#pragma once
#include <string>

namespace vireo {

// drive: a drive path such as E:\. Neither reports anything.
void OpenCDDoor(const std::string& drive);
void CloseCDDoor(const std::string& drive);
// Sends a control code to the drive's device (\\.\E:); False when the device cannot be opened or refuses.
bool DriveIoControl(const std::string& drive, unsigned long code);

} // namespace vireo
