// The folder objects of the emulated shell: one IShellFolder per folder bound, and the desktop's, which is
// one object for the whole process (its reference count never reaches zero), as on Windows.
#pragma once
#include "platform/emu/api/shlobj.h"
#include "platform/emu/shell32/Namespace.h"

namespace emu::shell {

IShellFolder* DesktopFolder();
// A new folder object for a place (one reference), or nullptr when the place is not a folder.
IShellFolder* NewFolder(const Node& node);

} // namespace emu::shell
