#include "commands/mMedia.h"
#include "platform/win32.h"
#include "support/mmWinVersion.h"

namespace vireo {

namespace {
constexpr DWORD kEjectMedia = 0x2D4808; // IOCTL_STORAGE_EJECT_MEDIA
constexpr DWORD kLoadMedia = 0x2D480C;  // IOCTL_STORAGE_LOAD_MEDIA

// Both wait until the tray has moved: the control code call is synchronous, the MCI command says "Wait".
void MoveTray(const std::string& drive, DWORD code, const char* mciCommand) {
    if (IsWinNT()) {
        DriveIoControl(drive, code);
    } else {
        char ret[] = "0";
        // The CD audio device is the system's default one, whatever drive was chosen.
        mciSendStringA(mciCommand, ret, 0, nullptr);
    }
}
} // namespace

bool DriveIoControl(const std::string& drive, unsigned long code) {
    const std::string device = "\\\\.\\" + drive.substr(0, 2);
    HANDLE h = CreateFileA(device.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD input = 0, bytes = 0;
    const bool ok = DeviceIoControl(h, static_cast<DWORD>(code), &input, 0, nullptr, 0, &bytes, nullptr) != 0;
    CloseHandle(h);
    return ok;
}

void OpenCDDoor(const std::string& drive) {
    MoveTray(drive, kEjectMedia, "Set CDAudio Door Open Wait");
}

void CloseCDDoor(const std::string& drive) {
    MoveTray(drive, kLoadMedia, "Set CDAudio Door Closed Wait");
}

} // namespace vireo
