// The folder tree's events.
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"

namespace vireo {

void VireoBrowser::FolderChanged() {
    // The web view follows the tree by item-ID list; an equal list ends the echo between the two.
    IgnoreErrors([&] {
        const TreeFolder selected = TreeView().SelectedFolder();
        if (selected.nPidl != m_CurFolder.nPidl) NavigateWB(Variant::Long(selected.nPidl));
    });
}

} // namespace vireo
