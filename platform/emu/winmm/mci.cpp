// The MCI command string, for the one device the system drives: the CD audio device's door. The device
// is the first CD-ROM drive; opening the door takes its medium out, closing it puts the medium back.
// Every command is recorded as ("MCI", command).
#include "platform/emu/Desktop.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/winmm.h"
#include "platform/emu/core/Journal.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <sstream>
#include <vector>

MCIERROR WINAPI mciSendStringA(LPCSTR lpstrCommand, LPSTR lpstrReturnString, UINT uReturnLength, HWND) {
    if (!lpstrCommand) return MCIERR_UNRECOGNIZED_COMMAND;
    emu::Desktop& desk = emu::Desktop::Current();
    desk.Log().Add("MCI", {lpstrCommand});
    if (lpstrReturnString && uReturnLength > 0) lpstrReturnString[0] = '\0';

    std::istringstream words(emu::AnsiLower(lpstrCommand));
    std::vector<std::string> w;
    for (std::string s; words >> s;)
        w.push_back(s);
    // set cdaudio door open|closed [wait]
    const bool door = w.size() >= 4 && w[0] == "set" && w[2] == "door" &&
                      (w[3] == "open" || w[3] == "closed") &&
                      (w.size() == 4 || (w.size() == 5 && w[4] == "wait"));
    if (!door) return MCIERR_UNRECOGNIZED_COMMAND;
    if (w[1] != "cdaudio") return MCIERR_INVALID_DEVICE_NAME;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (desk.Files().DriveType(letter) != DRIVE_CDROM) continue;
        desk.Files().SetMedia(letter, w[3] == "closed");
        return 0;
    }
    return MCIERR_DEVICE_NOT_READY;
}
