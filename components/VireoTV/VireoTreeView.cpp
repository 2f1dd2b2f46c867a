// VireoTreeView: its window, its life, its events and the container's extender members.
#include "components/VireoTV/VireoTreeView.h"
#include "components/VireoTV/TreeControl.h"
#include "platform/ShellNotices.h"
#include "support/mmModule.h"
#include "support/mmShellMacro.h"
#include <cmath>

namespace vireo {

namespace {

constexpr char kClassName[] = "VireoTreeView";
constexpr int kTreeId = 1;
constexpr UINT kShellChange = WM_APP + 0x0301;
constexpr LONG kFolderEvents = SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEFOLDER | SHCNE_UPDATEDIR;

} // namespace

RefPtr<FolderTree> CreateVireoTreeView(HWND parent) {
    return RefPtr<FolderTree>::Adopt(new VireoTreeView(parent));
}

VireoTreeView::VireoTreeView(HWND parent) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterComponentClass(kClassName, WndProc, COLOR_WINDOW);
    RECT rc{};
    if (parent) GetClientRect(parent, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    m_hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                             parent, nullptr, ComponentInstance(), this);
    if (!m_hwnd) return;
    m_tree =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                            TVS_SHOWSELALWAYS,
                        0, 0, width, height, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)),
                        ComponentInstance(), nullptr);
    if (!m_tree) return;
    SendMessageA(m_tree, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(vtv::SmallSystemImageList()));

    // The desktop at the root, expanded; the computer's drives below it selected and shown.
    vtv::Subfolder desktop;
    desktop.pidl.reset(AllocZeroed(2));
    desktop.name = vtv::DesktopName();
    desktop.attributes = vtv::ItemAttributes(desktop.pidl.get(), vtv::kListedAttributes);
    if (desktop.pidl) m_root = InsertFolder(TVI_ROOT, TVI_LAST, desktop);
    if (!m_root) return;
    SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_root));
    m_computer.reset(SpecialFolderPidl(nullptr, CSIDL_DRIVES));
    m_drives = GetLogicalDrives();
    m_start = m_computer ? FindFolder(m_computer.get(), true) : nullptr;
    if (!m_start) m_start = m_root;
    SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(m_start));
    Select(m_start);
    const SHChangeNotifyEntry everywhere{nullptr, TRUE};
    m_notices = SHChangeNotifyRegister(m_hwnd, SHCNRF_ShellLevel | SHCNRF_NewDelivery, kFolderEvents,
                                       kShellChange, 1, &everywhere);
}

void VireoTreeView::OnShellChange(WPARAM wParam, LPARAM lParam) {
    LPITEMIDLIST* pidls = nullptr;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam),
                                            &pidls, &event);
    if (!lock) return;
    // The folders to list again: an updated folder itself, else the folder of each item.
    UniquePidl folders[2];
    for (int i = 0; i < 2; ++i) {
        if (!pidls || !pidls[i]) continue;
        LPITEMIDLIST folder = ILClone(pidls[i]);
        folders[i].reset(reinterpret_cast<LONG_PTR>(folder));
        if (folder && event != SHCNE_UPDATEDIR) ILRemoveLastID(folder);
    }
    SHChangeNotification_Unlock(lock);
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    for (const UniquePidl& folder : folders)
        if (folder) ShellNotify(folder.get());
}

VireoTreeView::~VireoTreeView() {
    Terminate();
}

LRESULT CALLBACK VireoTreeView::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<VireoTreeView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        break;
    }
    case WM_SIZE:
        if (self && self->m_tree) MoveWindow(self->m_tree, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        // The tree takes the focus; its NM_SETFOCUS raises GotFocus.
        if (self && self->m_tree) SetFocus(self->m_tree);
        return 0;
    case WM_NOTIFY:
        return self ? self->OnNotify(reinterpret_cast<const NMHDR*>(lParam)) : 0;
    case kShellChange:
        if (self) self->OnShellChange(wParam, lParam);
        return 0;
    case WM_NCDESTROY:
        // Gone with its parent: the items have gone with their lists, and nothing is left to show.
        if (self) {
            if (self->m_notices) SHChangeNotifyDeregister(self->m_notices);
            self->m_notices = 0;
            self->m_hwnd = self->m_tree = nullptr;
            self->m_root = self->m_start = nullptr;
            self->m_withdrawn.clear();
            self->m_computer.reset();
        }
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT VireoTreeView::OnNotify(const NMHDR* hdr) {
    if (!hdr || !m_tree || hdr->hwndFrom != m_tree) return 0;
    switch (hdr->code) {
    case TVN_DELETEITEMA: {
        const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(hdr);
        if (auto* node = reinterpret_cast<FolderNode*>(nm->itemOld.lParam)) {
            if (node->lent) m_withdrawn.push_back(std::move(node->pidl));
            delete node;
        }
        if (nm->itemOld.hItem == m_start) m_start = nullptr;
        if (nm->itemOld.hItem == m_root) m_root = nullptr;
        return 0;
    }
    case TVN_GETDISPINFOA:
        OnDisplayInfo(*reinterpret_cast<NMTVDISPINFOA*>(const_cast<NMHDR*>(hdr)));
        return 0;
    case TVN_ITEMEXPANDINGA: {
        // The first expansion lists the folder; one that cannot be listed (a drive without a medium, a
        // folder gone since its parent was listed) does not open.
        const auto* nm = reinterpret_cast<const NMTREEVIEWA*>(hdr);
        if ((nm->action & TVE_TOGGLE) != TVE_EXPAND) return FALSE;
        return EnsureListed(nm->itemNew.hItem, m_hwnd) ? FALSE : TRUE;
    }
    case TVN_SELCHANGEDA:
        if (reinterpret_cast<const NMTREEVIEWA*>(hdr)->itemNew.hItem) RaiseFolderChanged();
        return 0;
    case NM_SETFOCUS:
        RaiseGotFocus();
        return 0;
    default:
        return 0;
    }
}

// Icons and buttons are asked for when the control first needs them, and kept (TVIF_DI_SETITEM).
void VireoTreeView::OnDisplayInfo(NMTVDISPINFOA& info) {
    auto* node = reinterpret_cast<FolderNode*>(info.item.lParam);
    if (!node) return;
    if (info.item.mask & TVIF_IMAGE) info.item.iImage = vtv::SmallIconIndex(node->pidl.get(), false);
    if (info.item.mask & TVIF_SELECTEDIMAGE)
        info.item.iSelectedImage = vtv::SmallIconIndex(node->pidl.get(), true);
    if (info.item.mask & TVIF_CHILDREN) {
        if (node->listed)
            info.item.cChildren = Next(info.item.hItem, TVGN_CHILD) ? 1 : 0;
        else
            info.item.cChildren =
                (vtv::ItemAttributes(node->pidl.get(), SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER) ? 1 : 0;
    }
    info.item.mask |= TVIF_DI_SETITEM;
}

void VireoTreeView::RaiseFolderChanged() {
    if (!m_events || m_terminating) return;
    RefPtr<VireoTreeView> keep(this);
    m_events->FolderChanged();
}

void VireoTreeView::RaiseMenusChanged() {
    if (!m_events || m_terminating) return;
    RefPtr<VireoTreeView> keep(this);
    m_events->MenusChanged();
}

void VireoTreeView::RaiseGotFocus() {
    if (!m_events || m_terminating) return;
    RefPtr<VireoTreeView> keep(this);
    m_events->GotFocus();
}

void VireoTreeView::SetFont(std::string& fontName, LONG_PTR& hFont) {
    if (!Usable()) return;
    HFONT font = reinterpret_cast<HFONT>(hFont);
    HFONT created = nullptr;
    if (!font && !fontName.empty()) {
        // Only a face name: the tree makes its own 8-point font of it.
        created =
            CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, fontName.c_str());
        font = created;
    }
    if (!font) return;
    SendMessageA(m_tree, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    m_ownFont.reset(created);
}

bool VireoTreeView::Visible() {
    return m_hwnd && (GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE);
}

void VireoTreeView::SetVisible(bool visible) {
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE);
}

void VireoTreeView::Move(float left, float top, float width, float height) {
    if (!m_hwnd) return;
    MoveWindow(m_hwnd, static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
               static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)), TRUE);
}

// Deleting every item frees every list the tree holds, then the lists withdrawn before go; the windows and
// the font go with them. Events stop at once, and every member answers its failure value afterwards.
void VireoTreeView::Terminate() {
    if (m_terminating) return;
    m_terminating = true;
    m_events = nullptr;
    if (m_notices) SHChangeNotifyDeregister(m_notices);
    m_notices = 0;
    if (m_tree) SendMessageA(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (m_hwnd) DestroyWindow(m_hwnd);
    m_hwnd = m_tree = nullptr;
    m_root = m_start = nullptr;
    m_withdrawn.clear();
    m_ownFont.reset();
    m_computer.reset();
}

} // namespace vireo
