// The entries of an icon menu and the popup-menu tree built from them.
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <string>
#include <vector>

namespace vireo::pipit {

struct MenuEntry {
    std::string caption;  // "&" marks the access key; "-" is a separator
    int32_t picture = -1; // 0-based position in the menu's image list, -1 for none
    int32_t parent = 0;   // the identifier of the entry it is under, 0 for the top level
    std::string key;

    bool IsSeparator() const { return caption == "-"; }
};

// The identifier of an entry is its 1-based position. An entry's parent counts only when it is an earlier
// entry that is not a separator; otherwise the entry goes to the top level.
int32_t EffectiveParent(const std::vector<MenuEntry>& entries, size_t index);

// A popup menu holding the entries in order, each under its parent; an entry with children opens a
// submenu. Every item has its entry's identifier as command identifier and item data, and keeps its
// caption as text, so access keys work. An entry with a picture gets the HBMMENU_CALLBACK bitmap, which
// the menu's owner measures and draws. Returns NULL for no entries; the caller destroys the menu.
HMENU BuildMenu(const std::vector<MenuEntry>& entries);

} // namespace vireo::pipit
