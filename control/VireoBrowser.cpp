// The control object: construction, the tree's members passed through, and the private operations
// that several concerns share.
#include "control/VireoBrowser.h"
#include "support/ThreadState.h"
#include "support/IgnoreErrors.h"
#include "platform/RuntimeError.h"
#include "shellview/mWndProc.h"
#include "support/mmFile.h"
#include "support/mmWinVersion.h"

namespace vireo {

VireoBrowser::VireoBrowser(Container& container) : m_container(container) {
    CreateChildControls();
    UserControl_Initialize();
}

VireoBrowser::~VireoBrowser() {
    if (m_WebBrowser1) m_WebBrowser1->SetEvents(nullptr);
    if (m_TreeView) m_TreeView->SetEvents(nullptr);
    if (m_hWnd && IsWindow(m_hWnd)) {
        // The windows being destroyed must not reach the object being deleted.
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        DetachSplitter();
        ReleaseFolderViewWindows(true);
        DestroyWindow(m_hWnd);
    }
}

namespace {
[[noreturn]] void NotSet(const char* what) {
    throw RuntimeError(91, "VireoBR",
                       std::string("Object variable or With block variable not set (") + what + ")");
}
} // namespace

WebView& VireoBrowser::WebBrowser1() const {
    if (!m_WebBrowser1) NotSet("WebBrowser1");
    return *m_WebBrowser1;
}

FolderTree& VireoBrowser::TreeView() const {
    if (!m_TreeView) NotSet("TreeView");
    return *m_TreeView;
}

void VireoBrowser::UserControl_Initialize() {
    // m_TreeView was taken when the child controls were created.
    Shared().g_bWinNT = IsWinNT();
    Shared().g_bWin2000 = IsWin2000();
    Shared().g_bWinMe = IsWinMe();
    m_nSplitPercent = 50;
    SetWindowPos(m_DragLine, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(m_pBar1, SW_HIDE);
    KillTimer(m_hWnd, kStatusTimer);
    IgnoreErrors([&] { TreeView().SetVisible(true); });
}

void VireoBrowser::ReleaseFolderViewWindows(bool andEmbedding) {
    UnsubclassWindow(m_hwndLV2);
    UnsubclassWindow(m_hwndLV);
    UnsubclassWindow(m_hwndSV);
    if (andEmbedding) UnsubclassWindow(m_hwndWB);
}

bool VireoBrowser::GoToParent() {
    return TreeView().GoToParent();
}

bool VireoBrowser::GoToChild(std::string& sName) {
    return TreeView().GoToChild(sName);
}

void VireoBrowser::ShellNotify() {
    if (m_CurFolder.nPidl == 0) return;
    TreeView().ShellNotify(m_CurFolder.nPidl);
}

LONG_PTR VireoBrowser::ParentPidl() {
    return TreeView().ParentPidl();
}

bool VireoBrowser::IsBusy() {
    bool busy = false;
    IgnoreErrors([&] { busy = WebBrowser1().Busy(); });
    return busy;
}

void VireoBrowser::OpenArchiveEx(const std::string& URL) {
    if (m_events) m_events->OpenArchive(URL);
}

void VireoBrowser::SetForeColor(LONG color) {
    m_nForeColor = color;
    m_container.PropertyChanged("ForeColor");
}

void VireoBrowser::SetBackColor(LONG color) {
    m_nBackColor = color;
    m_container.PropertyChanged("BackColor");
}

bool VireoBrowser::IsVirtualLocation() const {
    const LONG attr = m_CurFolder.nAttr;
    if (attr == 0) return false;
    // can-copy and can-delete, and on NT 5 and Me also file-system-ancestor, mark a plain folder.
    const LONG mask = (Shared().g_bWin2000 || Shared().g_bWinMe) ? LONG(0x10000021) : LONG(0x21);
    return (attr & mask) != mask;
}

std::string VireoBrowser::LocationDisplayText() const {
    return IsVirtualLocation() ? m_CurFolder.sLocName : m_CurFolder.sURL;
}

bool VireoBrowser::CanGoUp() {
    if (m_CurFolder.nPidl != 0) return !TreeView().IsRootFolder();
    return IsUNCShare(m_CurFolder.sURL);
}

} // namespace vireo
