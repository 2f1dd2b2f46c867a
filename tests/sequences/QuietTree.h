// A folder tree that does nothing: the control has a tree to hide, show and move, and every question gets
// the empty answer. Whether it is the root and whether it shows are set by its user. Shared by the native
// suite, the Wine checker and the benchmarks; a scene that records some calls overrides those.
#pragma once
#include "platform/FolderTree.h"

namespace seq {

class QuietTree : public vireo::FolderTree {
public:
    QuietTree(bool root, bool visible) : m_root(root), m_visible(visible) {}

    void SetEvents(vireo::FolderTreeEvents*) override {}
    HWND Window() override { return nullptr; }
    LONG_PTR SelectFolder(vireo::Variant&) override { return 0; }
    vireo::TreeFolder SelectedFolder() override { return {}; }
    vireo::TreeFolder StartFolder() override { return {}; }
    LONG_PTR ParentPidl() override { return 0; }
    void SetFont(std::string&, LONG_PTR&) override {}
    bool GoToParent() override { return false; }
    bool GoToChild(std::string&) override { return false; }
    bool IsRootFolder() override { return m_root; }
    void SelectMenuFolder(std::string&) override {}
    void ShellNotify(LONG_PTR) override {}
    void Terminate() override {}
    bool Visible() override { return m_visible; }
    void SetVisible(bool visible) override { m_visible = visible; }
    void Move(float, float, float, float) override {}

private:
    bool m_root;
    bool m_visible;
};

} // namespace seq
