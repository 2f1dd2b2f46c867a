#include "components/PipitIconMenu/MenuEntries.h"

namespace vireo::pipit {

int32_t EffectiveParent(const std::vector<MenuEntry>& entries, size_t index) {
    const int32_t parent = entries[index].parent;
    if (parent < 1 || static_cast<size_t>(parent) > index) return 0;
    return entries[static_cast<size_t>(parent) - 1].IsSeparator() ? 0 : parent;
}

HMENU BuildMenu(const std::vector<MenuEntry>& entries) {
    if (entries.empty()) return nullptr;
    HMENU root = CreatePopupMenu();
    if (!root) return nullptr;
    // Submenus first, so each entry finds its parent's menu; one pass each way keeps it linear.
    std::vector<int32_t> parents(entries.size());
    std::vector<HMENU> submenus(entries.size(), nullptr);
    for (size_t i = 0; i < entries.size(); ++i) {
        parents[i] = EffectiveParent(entries, i);
        if (parents[i]) {
            HMENU& sub = submenus[static_cast<size_t>(parents[i]) - 1];
            if (!sub) sub = CreatePopupMenu();
        }
    }
    std::vector<UINT> counts(entries.size(), 0);
    UINT rootCount = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& e = entries[i];
        const UINT id = static_cast<UINT>(i + 1);
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.wID = id;
        if (e.IsSeparator()) {
            mi.fMask = MIIM_FTYPE | MIIM_ID;
            mi.fType = MFT_SEPARATOR;
        } else {
            mi.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA;
            mi.dwTypeData = const_cast<LPSTR>(e.caption.c_str());
            mi.dwItemData = id;
            if (submenus[i]) {
                mi.fMask |= MIIM_SUBMENU;
                mi.hSubMenu = submenus[i];
            }
            if (e.picture >= 0) {
                mi.fMask |= MIIM_BITMAP;
                mi.hbmpItem = HBMMENU_CALLBACK;
            }
        }
        HMENU target = parents[i] ? submenus[static_cast<size_t>(parents[i]) - 1] : root;
        UINT& count = parents[i] ? counts[static_cast<size_t>(parents[i]) - 1] : rootCount;
        // A submenu that could not be attached is not destroyed with the root: destroy it here.
        if (InsertMenuItemA(target, count, TRUE, &mi))
            ++count;
        else if (submenus[i])
            DestroyMenu(submenus[i]);
    }
    return root;
}

} // namespace vireo::pipit
