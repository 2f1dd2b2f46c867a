// mConMenuLv: the control's own context menu for the list view's items, used where the shell's own one
// does not serve the control's folders (NT 5.x and Me).
#pragma once
#include "platform/win32.h"

namespace vireo {

class FolderViewHost;

// The shell's menu for the clicked item (nIndex) and the other selected items of the current location,
// at the cursor. Nothing when no item is selected.
void ListViewContextMenu(FolderViewHost& control, LONG nIndex);

} // namespace vireo
