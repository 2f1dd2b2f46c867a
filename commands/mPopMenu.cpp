#include "commands/mPopMenu.h"
#include "platform/win32.h"
#include "support/mDrive.h"
#include "support/mmFile.h"
#include "support/mmShellMacro.h"

namespace vireo {

namespace {
thread_local std::vector<std::string> g_colDrives;
thread_local int g_nCDDrives = 0;
} // namespace

const std::vector<std::string>& DriveList() {
    return g_colDrives;
}

int CDDriveCount() {
    return g_nCDDrives;
}

void ClearDriveList() {
    g_colDrives.clear();
}

void FillDriveList() {
    ClearDriveList();
    g_nCDDrives = 0;
    const LONG_PTR computer = SpecialFolderPidl(nullptr, 17);
    if (!computer) return;
    const std::string drives = LogicalDriveString();
    for (size_t at = 0; at < drives.size();) {
        const size_t end = drives.find('\0', at);
        std::string root = drives.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? drives.size() : end + 1;
        if (root.empty()) continue;
        CharUpperBuffA(root.data(), static_cast<DWORD>(root.size()));
        g_colDrives.push_back(root);
        if (GetDriveTypeA(root.c_str()) == DRIVE_CDROM) ++g_nCDDrives;
    }
    FreePidl(computer);
}

std::string NextDriveFolder(const std::string& path) {
    const size_t count = g_colDrives.size();
    size_t i = 0; // 1-based position of the current drive; 0 starts from the first
    if (IsDrivePath(path)) {
        const std::string root = path.substr(0, path.find('\\') + 1);
        i = count + 1;
        for (size_t k = 0; k < count; ++k)
            if (g_colDrives[k] == root) {
                i = k + 1;
                break;
            }
        if (i == count) i = 0;
    }
    while (i < count) {
        ++i;
        if (IsFolder(g_colDrives[i - 1])) return GetCurrentDir(g_colDrives[i - 1]);
    }
    for (i = 0; i < count;) {
        ++i;
        if (IsFolder(g_colDrives[i - 1])) return GetCurrentDir(g_colDrives[i - 1]);
    }
    return "";
}

} // namespace vireo
