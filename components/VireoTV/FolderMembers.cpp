// VireoTreeView's members: selecting folders and reporting the selection.
#include "components/VireoTV/TreeControl.h"
#include "support/mmFile.h"
#include "support/mmShellMacro.h"

namespace vireo {

TreeFolder VireoTreeView::Record(HTREEITEM item) const {
    TreeFolder folder;
    FolderNode* node = NodeOf(item);
    if (!node) return folder;
    folder.sName = TextOf(item);
    folder.sPath = vtv::FolderPath(node->pidl.get(), node->attributes);
    folder.nPidl = node->Lend();
    folder.nAttr = node->attributes;
    return folder;
}

// A path goes through PidlFromPathEx (so names whose extension the shell hides are found too); a list is
// copied first, since it may be one of the tree's own that the walk replaces.
LONG_PTR VireoTreeView::SelectFolder(Variant& folder) {
    if (!Usable()) return 0;
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    UniquePidl target;
    if (folder.HoldsText()) {
        target.reset(PidlFromPathEx(nullptr, folder.Text()));
    } else if (folder.Type() == VarType::Long || folder.Type() == VarType::Integer ||
               folder.Type() == VarType::Double) {
        if (LONG_PTR given = static_cast<LONG_PTR>(ToLongPtr(folder)))
            target.reset(ConcatPidls(given, 0, false, false));
    }
    if (!target) return 0;
    HTREEITEM item = FindFolder(target.get(), true);
    target.reset();
    if (!item || !Select(item)) return 0;
    FolderNode* node = NodeOf(item);
    return node ? node->Lend() : 0;
}

TreeFolder VireoTreeView::SelectedFolder() {
    return Usable() ? Record(Next(nullptr, TVGN_CARET)) : TreeFolder{};
}

TreeFolder VireoTreeView::StartFolder() {
    return Usable() && m_start ? Record(m_start) : TreeFolder{};
}

LONG_PTR VireoTreeView::ParentPidl() {
    if (!Usable()) return 0;
    HTREEITEM selected = Next(nullptr, TVGN_CARET);
    FolderNode* parent = selected ? NodeOf(Next(selected, TVGN_PARENT)) : nullptr;
    return parent ? parent->Lend() : 0;
}

bool VireoTreeView::GoToParent() {
    if (!Usable()) return false;
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    HTREEITEM selected = Next(nullptr, TVGN_CARET);
    HTREEITEM parent = selected ? Next(selected, TVGN_PARENT) : nullptr;
    return parent && Select(parent);
}

bool VireoTreeView::GoToChild(std::string& name) {
    if (!Usable()) return false;
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    HTREEITEM selected = Next(nullptr, TVGN_CARET);
    if (!selected || !EnsureListed(selected, m_hwnd)) return false;
    HTREEITEM child = ChildByName(selected, name);
    if (!child) return false;
    SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(selected));
    return Select(child);
}

bool VireoTreeView::IsRootFolder() {
    if (!Usable()) return true;
    HTREEITEM selected = Next(nullptr, TVGN_CARET);
    return !selected || !Next(selected, TVGN_PARENT);
}

// A drive entry's key is its root (C:\); the other entries' keys are display paths.
void VireoTreeView::SelectMenuFolder(std::string& key) {
    if (!Usable() || key.empty()) return;
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    if (key.size() >= 2 && key.compare(key.size() - 2, 2, ":\\") == 0) {
        Variant path(key);
        SelectFolder(path);
        return;
    }
    if (HTREEITEM item = FindByDisplayPath(key)) Select(item);
}

// The folder's subfolders are listed again when they were listed before (a folder never opened only
// asks again whether it has any); a folder that is gone is dropped through its parent. When the folder
// is the computer's and the drives are not those of the last time, the menus built from them are stale.
void VireoTreeView::ShellNotify(LONG_PTR pidl) {
    if (!Usable() || !pidl) return;
    RefPtr<VireoTreeView> keep(this); // a handler of the events raised may release the tree
    HTREEITEM item = FindFolder(pidl, false);
    FolderNode* node = NodeOf(item);
    if (!node) return;
    bool computer = m_computer && vtv::ListBytes(m_computer.get()) == vtv::ListBytes(node->pidl.get());
    bool present = node->listed ? Relist(item, nullptr) : vtv::CanList(node->pidl.get());
    if (!present) {
        if (HTREEITEM parent = Next(item, TVGN_PARENT)) Relist(parent, nullptr);
    } else if (!node->listed) {
        SetChildren(item, I_CHILDRENCALLBACK);
    }
    if (computer) {
        DWORD drives = GetLogicalDrives();
        if (drives != m_drives) {
            m_drives = drives;
            RaiseMenusChanged();
        }
    }
}

} // namespace vireo
