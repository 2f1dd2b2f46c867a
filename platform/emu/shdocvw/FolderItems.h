// The rows of the shell's folder view: a folder's items as IShellFolder lists them, with the texts of the
// details view's columns, folders first.
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace emu {

struct FolderRow {
    std::string pidl; // the relative list's bytes, terminator included
    std::string path; // the parsing name (the full path of a file-system item)
    bool folder = false;
    uint64_t bytes = 0; // files of a file-system folder
    int image = 0;      // index in the system image list
    std::string name, size, type, modified;
};

// The folder's items (absolute list bytes) in the order the view shows them; empty when it cannot be
// listed. owner is the window the shell reports to (a drive without a medium).
std::vector<FolderRow> ListFolder(const std::string& folderPidl, HWND owner);
// The row of one item of the folder, named as in the folder (ANSI); none when it is not there.
std::optional<FolderRow> ListItem(const std::string& folderPidl, const std::string& name);

} // namespace emu
