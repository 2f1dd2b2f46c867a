// The context menu of items of the emulated shell: the verbs Explorer offers for them. Building the menu
// and invoking a verb are recorded in the desktop's journal as "ContextMenu" records.
#pragma once
#include "platform/emu/api/shlobj.h"
#include "platform/emu/shell32/Namespace.h"
#include <vector>

namespace emu::shell {

IContextMenu* NewContextMenu(std::vector<Node> items);

} // namespace emu::shell
