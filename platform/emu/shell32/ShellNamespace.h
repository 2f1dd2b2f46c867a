// What the rest of the emulated desktop (shell execution, the web view, the host) and tests may ask the
// emulated shell about an item-ID list, without reading its bytes. Texts are in the ANSI code page.
#pragma once
#include "platform/emu/api/shlobj.h"
#include <string>

namespace emu {

class ShellNamespace {
public:
    // The parsing name of an absolute list: the path of a file-system item ("C:\dir\file.txt",
    // "\\server\share"), or the class path of a virtual folder ("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    // "" for NULL or a list that names nothing of this namespace. This is how a SHELLEXECUTEINFO's
    // lpIDList is shown.
    static std::string DisplayPath(LPCITEMIDLIST pidl);
    // The name Explorer shows for it ("Local Disk (C:)", "readme" for readme.txt); "" when it names nothing.
    static std::string DisplayName(LPCITEMIDLIST pidl);
    // Whether it names a file-system item (drive, share, folder or file).
    static bool IsFileSystem(LPCITEMIDLIST pidl);
    // Whether it names a folder (and so can be browsed) rather than a file or an applet.
    static bool IsFolder(LPCITEMIDLIST pidl);
    // The path of a special folder of the emulated user (CSIDL_FAVORITES...), created first when asked;
    // "" for a virtual folder.
    static std::string SpecialFolderPath(int csidl, bool create = false);
};

} // namespace emu
