// Activate: the control takes hold of the web view's top window, from which it finds the folder views
// the web view creates; turns on address completion, hides the tree and takes the temporary directory.
#include "support/ThreadState.h"
#include "support/IgnoreErrors.h"
#include "control/VireoBrowser.h"
#include "shellview/mWndProc.h"
#include "support/mmFile.h"
#include "support/mmWinVersion.h"

namespace vireo {

void VireoBrowser::Activate() {
    m_hwndWB = FindWindowExA(m_hWnd, nullptr, "Shell Embedding", nullptr);
    SubclassWindow(m_hwndWB, EmbeddingWndProc, this);
    if (ShlwapiMajorVersion() >= 5) {
        // Once per control, however often Activate runs; Terminate balances it.
        m_com.Initialize();
        SHAutoComplete(FindWindowExA(m_cmbURL, nullptr, "Edit", nullptr), 0);
    }
    IgnoreErrors([&] { TreeView().SetVisible(false); });
    Shared().g_sTempDir.clear();
    IgnoreErrors([&] { Shared().g_sTempDir = GetTempDir(); });
}

} // namespace vireo
