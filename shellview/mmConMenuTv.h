// mmConMenuTv: the shell's own context menu for items of one folder, shown by the control.
#pragma once
#include "platform/win32.h"

namespace vireo {

// Shows the menu that the folder's IContextMenu (IContextMenu2 when it has one) builds for the items
// (item-ID lists relative to the folder) at the screen point, owned by hwnd, and carries out the command
// chosen. True when a command was chosen.
bool ShowShellContextMenu(HWND hwnd, IShellFolder* folder, UINT count, PCUITEMID_CHILD_ARRAY items, POINT pt);

} // namespace vireo
