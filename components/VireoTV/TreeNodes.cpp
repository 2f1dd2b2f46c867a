// VireoTreeView's items: inserting folders, listing them, and finding a folder by its item-ID list or by
// its display path.
#include "components/VireoTV/TreeControl.h"
#include "support/CaseFold.h"
#include "support/mmShellMacro.h"
#include <cstring>
#include <unordered_map>
#include <unordered_set>

namespace vireo {

namespace {

constexpr int kTextMax = 2 * MAX_PATH;

// Whether the list at pidl has exactly the given packed items.
bool HasBytes(LONG_PTR pidl, const std::string& bytes) {
    return pidl && static_cast<size_t>(PidlSize(pidl) - 2) == bytes.size() &&
           std::memcmp(reinterpret_cast<const void*>(pidl), bytes.data(), bytes.size()) == 0;
}

UniquePidl ListFromBytes(const std::string& bytes) {
    UniquePidl pidl(AllocZeroed(static_cast<LONG>(bytes.size() + 2)));
    if (pidl) std::memcpy(reinterpret_cast<void*>(pidl.get()), bytes.data(), bytes.size());
    return pidl;
}

} // namespace

FolderNode* VireoTreeView::NodeOf(HTREEITEM item) const {
    if (!m_tree || !item) return nullptr;
    TVITEMA tv{};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    if (!SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
    return reinterpret_cast<FolderNode*>(tv.lParam);
}

HTREEITEM VireoTreeView::Next(HTREEITEM item, UINT which) const {
    if (!m_tree) return nullptr;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(m_tree, TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

std::string VireoTreeView::TextOf(HTREEITEM item) const {
    char text[kTextMax] = "";
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = kTextMax;
    if (!m_tree || !SendMessageA(m_tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)))
        return std::string();
    return text;
}

void VireoTreeView::SetChildren(HTREEITEM item, int children) {
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    tv.cChildren = children;
    SendMessageA(m_tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
}

bool VireoTreeView::Select(HTREEITEM item) {
    if (!m_tree || !item) return false;
    SendMessageA(m_tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return Next(nullptr, TVGN_CARET) == item;
}

// The new item owns the folder's list; its icons and its button come through callbacks.
HTREEITEM VireoTreeView::InsertFolder(HTREEITEM parent, HTREEITEM after, vtv::Subfolder& folder) {
    auto* node = new FolderNode{std::move(folder.pidl), folder.attributes, false, false};
    TVINSERTSTRUCTA is{};
    is.hParent = parent;
    is.hInsertAfter = after;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    is.item.pszText = const_cast<LPSTR>(folder.name.c_str());
    is.item.iImage = I_IMAGECALLBACK;
    is.item.iSelectedImage = I_IMAGECALLBACK;
    is.item.cChildren = I_CHILDRENCALLBACK;
    is.item.lParam = reinterpret_cast<LPARAM>(node);
    auto item =
        reinterpret_cast<HTREEITEM>(SendMessageA(m_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    if (!item) delete node;
    return item;
}

bool VireoTreeView::EnsureListed(HTREEITEM item, HWND owner) {
    FolderNode* node = NodeOf(item);
    if (!node) return false;
    if (node->listed) return true;
    return Relist(item, owner);
}

bool VireoTreeView::Relist(HTREEITEM item, HWND owner) {
    FolderNode* node = NodeOf(item);
    if (!node) return false;
    std::vector<vtv::Subfolder> folders;
    if (!vtv::ListSubfolders(node->pidl.get(), owner, folders)) return false;
    if (!(node = NodeOf(item))) return false; // the shell's message may have let the tree change
    node->listed = true;

    std::unordered_map<std::string, HTREEITEM> present;
    for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
        if (FolderNode* child = NodeOf(c)) present.emplace(vtv::ListBytes(child->pidl.get()), c);
    std::unordered_set<HTREEITEM> kept;
    HTREEITEM previous = TVI_FIRST;
    for (vtv::Subfolder& folder : folders) {
        auto it = present.find(vtv::ListBytes(folder.pidl.get()));
        if (it != present.end()) {
            previous = it->second;
            kept.insert(previous);
            present.erase(it);
            continue;
        }
        if (HTREEITEM added = InsertFolder(item, previous, folder)) {
            previous = added;
            kept.insert(added);
        }
    }

    // Folders gone from the listing go from the tree; a selection inside one moves to this folder first.
    std::vector<HTREEITEM> gone;
    for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
        if (!kept.count(c)) gone.push_back(c);
    for (HTREEITEM c : gone) {
        HTREEITEM selected = Next(nullptr, TVGN_CARET);
        for (HTREEITEM p = selected; p; p = Next(p, TVGN_PARENT))
            if (p == c) {
                Select(item);
                break;
            }
        SendMessageA(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(c));
    }
    SetChildren(item, Next(item, TVGN_CHILD) ? 1 : 0);
    return true;
}

HTREEITEM VireoTreeView::ChildByName(HTREEITEM item, const std::string& name) const {
    for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
        if (SameTextNoCase(TextOf(c), name)) return c;
    return nullptr;
}

HTREEITEM VireoTreeView::FindFolder(LONG_PTR pidl, bool expand) {
    HTREEITEM item = m_root;
    int count = PidlItemCount(pidl);
    for (int level = 1; item && level <= count; ++level) {
        if (expand && !EnsureListed(item, nullptr)) return nullptr;
        HTREEITEM child = FindChild(item, pidl, level, expand);
        if (expand && child) SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        item = child;
    }
    return item;
}

// The child of item holding the first "level" items of pidl: by their bytes first, then as the folder
// compares them (an item may be written differently and name the same folder). Walking with expand, a
// folder missing from the tree is looked for again in a new listing, and one that the listing does not
// show (a hidden folder) is added by itself.
HTREEITEM VireoTreeView::FindChild(HTREEITEM item, LONG_PTR pidl, int level, bool expand) {
    FolderNode* node = NodeOf(item);
    if (!node) return nullptr;
    std::string want = vtv::PrefixBytes(pidl, level);
    auto byBytes = [&]() -> HTREEITEM {
        for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            if (FolderNode* child = NodeOf(c); child && HasBytes(child->pidl.get(), want)) return c;
        return nullptr;
    };
    if (HTREEITEM found = byBytes()) return found;

    const RefPtr<IShellFolder> folder = RefPtr<IShellFolder>::Adopt(vtv::BindFolder(node->pidl.get()));
    if (!folder) return nullptr;
    const UniquePidl wantItem(CopyPidlItem(vtv::ItemAt(pidl, level), 1));
    auto byFolder = [&]() -> HTREEITEM {
        for (HTREEITEM c = Next(item, TVGN_CHILD); c; c = Next(c, TVGN_NEXT))
            if (FolderNode* child = NodeOf(c);
                child && vtv::SameItem(folder.get(), vtv::ItemAt(child->pidl.get(), level), wantItem.get()))
                return c;
        return nullptr;
    };
    HTREEITEM found = byFolder();
    if (!found && expand && Relist(item, nullptr)) {
        found = byBytes();
        if (!found) found = byFolder();
    }
    if (!found && expand) {
        UniquePidl prefix = ListFromBytes(want);
        LONG attributes = vtv::ItemAttributes(prefix.get(), vtv::kListedAttributes);
        if (prefix && (static_cast<SFGAOF>(attributes) & SFGAO_FOLDER) && vtv::CanList(prefix.get())) {
            vtv::Subfolder sub;
            sub.pidl = std::move(prefix);
            sub.name = DisplayNameOf(folder.get(), wantItem.get(), SHGDN_INFOLDER);
            sub.attributes = attributes;
            found = InsertFolder(item, TVI_SORT, sub);
        }
    }
    return found;
}

HTREEITEM VireoTreeView::FindByDisplayPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty() || !m_root || !SameTextNoCase(parts[0], TextOf(m_root))) return nullptr;
    HTREEITEM item = m_root;
    for (size_t i = 1; item && i < parts.size(); ++i) {
        if (!EnsureListed(item, nullptr)) return nullptr;
        HTREEITEM child = ChildByName(item, parts[i]);
        if (child) SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        item = child;
    }
    return item;
}

} // namespace vireo
