// The folder tree the control hosts (VireoTreeView1, component VireoTV): the members and events the control
// relies on. A failing member throws RuntimeError, which the control passes on to its host.
#pragma once
#include "platform/RefCounted.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include <string>

namespace vireo {

// The tree's folder record: path with trailing separator, item-ID list, shell attribute bits. The list
// belongs to the tree.
struct TreeFolder {
    std::string sName;
    std::string sPath;
    LONG_PTR nPidl = 0;
    LONG nAttr = 0;
};

class FolderTreeEvents {
public:
    virtual ~FolderTreeEvents() = default;
    virtual void FolderChanged() = 0;
    virtual void MenusChanged() = 0;
    virtual void GotFocus() = 0;
};

class FolderTree : public RefCounted {
public:
    virtual void SetEvents(FolderTreeEvents* events) = 0;
    virtual HWND Window() = 0;

    // Selects a drive-folder path (text) or an item-ID list (Long); returns the tree's own list of the
    // selected folder, 0 on failure.
    virtual LONG_PTR SelectFolder(Variant& folder) = 0;
    virtual TreeFolder SelectedFolder() = 0;
    virtual TreeFolder StartFolder() = 0;
    virtual LONG_PTR ParentPidl() = 0;
    virtual void SetFont(std::string& fontName, LONG_PTR& hFont) = 0;
    virtual bool GoToParent() = 0;
    virtual bool GoToChild(std::string& name) = 0;
    virtual bool IsRootFolder() = 0;
    virtual void SelectMenuFolder(std::string& key) = 0;
    virtual void ShellNotify(LONG_PTR pidl) = 0;
    virtual void Terminate() = 0;

    // Extender members.
    virtual bool Visible() = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void Move(float left, float top, float width, float height) = 0;
};

} // namespace vireo
