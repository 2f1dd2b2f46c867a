// VireoTreeView: a tree-view common control showing the shell namespace from the desktop down, filled
// lazily: a folder's subfolders are listed the first time it expands (or a walk passes through it), and
// each item asks for its icons and its button only when the control needs them (callbacks). Every item
// holds a FolderNode in its lParam: the folder's absolute item-ID list, owned by the tree. The members
// hand these lists out as numbers, which the control keeps (its location, the address box's entries) and
// passes on to its host, so a list once handed out stays valid until the tree goes: when its item is
// deleted (a folder gone from a new listing), the list is withdrawn, not freed, and freed with the tree.
// A list never handed out is freed with its item (TVN_DELETEITEMA).
//
// The control lives in a window of its own class ("VireoTreeView"), a child of the container's window,
// which receives the control's notifications and turns them into the component's events.
#pragma once
#include "components/VireoTV/ShellFolders.h"
#include "platform/FolderTree.h"
#include "platform/win32.h"
#include <string>
#include <vector>

namespace vireo {

struct FolderNode {
    UniquePidl pidl;     // absolute
    LONG attributes = 0; // vtv::kListedAttributes of the folder
    bool listed = false; // its subfolders are in the tree
    bool lent = false;   // its list has been handed out

    // The list as a number for someone outside the tree, who may keep it until the tree goes.
    LONG_PTR Lend() {
        lent = true;
        return pidl.get();
    }
};

class VireoTreeView final : public FolderTree {
public:
    explicit VireoTreeView(HWND parent);
    ~VireoTreeView() override;

    void SetEvents(FolderTreeEvents* events) override { m_events = events; }
    HWND Window() override { return m_hwnd; }

    LONG_PTR SelectFolder(Variant& folder) override;
    TreeFolder SelectedFolder() override;
    TreeFolder StartFolder() override;
    LONG_PTR ParentPidl() override;
    void SetFont(std::string& fontName, LONG_PTR& hFont) override;
    bool GoToParent() override;
    bool GoToChild(std::string& name) override;
    bool IsRootFolder() override;
    void SelectMenuFolder(std::string& key) override;
    void ShellNotify(LONG_PTR pidl) override;
    void Terminate() override;

    bool Visible() override;
    void SetVisible(bool visible) override;
    void Move(float left, float top, float width, float height) override;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // A folder made, removed, renamed or changed anywhere: the folders of the items that are in the tree
    // are listed again, as ShellNotify lists them.
    void OnShellChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(const NMHDR* hdr);
    void OnDisplayInfo(NMTVDISPINFOA& info);

    // The tree-view control (TreeNodes.cpp).
    HTREEITEM InsertFolder(HTREEITEM parent, HTREEITEM after, vtv::Subfolder& folder);
    FolderNode* NodeOf(HTREEITEM item) const;
    HTREEITEM Next(HTREEITEM item, UINT which) const;
    std::string TextOf(HTREEITEM item) const;
    void SetChildren(HTREEITEM item, int children);
    bool Select(HTREEITEM item);
    TreeFolder Record(HTREEITEM item) const;
    // Lists the subfolders of an item not listed yet; false when the folder cannot be listed.
    bool EnsureListed(HTREEITEM item, HWND owner);
    // Lists an item's subfolders again: new ones are added in the shell's order, gone ones deleted. False
    // when the folder cannot be listed any more.
    bool Relist(HTREEITEM item, HWND owner);
    HTREEITEM ChildByName(HTREEITEM item, const std::string& name) const;
    // The item of an absolute list, walking down from the desktop; with expand, listing and expanding each
    // level (and looking again, or adding the folder, when it is missing), else only among the items there.
    HTREEITEM FindFolder(LONG_PTR pidl, bool expand);
    HTREEITEM FindChild(HTREEITEM item, LONG_PTR pidl, int level, bool expand);
    HTREEITEM FindByDisplayPath(const std::string& path);

    // Events, with the component kept alive while the handler runs.
    void RaiseFolderChanged();
    void RaiseMenusChanged();
    void RaiseGotFocus();
    bool Usable() const { return m_tree && !m_terminating; }

    HWND m_hwnd = nullptr;
    HWND m_tree = nullptr;
    HTREEITEM m_root = nullptr;
    HTREEITEM m_start = nullptr;
    FolderTreeEvents* m_events = nullptr;
    UniqueFont m_ownFont;
    DWORD m_drives = 0; // the drive letters when the computer folder was last listed or notified
    UniquePidl m_computer;
    // The lists handed out whose items have been deleted since: kept until the tree goes.
    std::vector<UniquePidl> m_withdrawn;
    ULONG m_notices = 0; // the registration for the shell's change notices
    bool m_terminating = false;
};

} // namespace vireo
