// VireoTV: the folder tree component. CreateVireoTreeView places a new tree in the parent window; the
// container moves and shows it through the extender members, and drops it with Terminate.
#pragma once
#include "platform/FolderTree.h"
#include "platform/RefCounted.h"
#include "platform/win32.h"

namespace vireo {

RefPtr<FolderTree> CreateVireoTreeView(HWND parent);

} // namespace vireo
