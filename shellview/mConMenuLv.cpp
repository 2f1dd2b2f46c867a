#include "shellview/mConMenuLv.h"
#include "shellview/FolderViewHost.h"
#include "shellview/mmConMenuTv.h"
#include "shellview/mmListView.h"
#include "support/mmEvents.h"
#include "support/mmShellMacro.h"
#include <vector>

namespace vireo {

void ListViewContextMenu(FolderViewHost& control, LONG nIndex) {
    const HWND hwnd = control.m_hwndLV;
    const LONG count = SelectedCount(hwnd);
    if (count == 0 || nIndex < -1) return;
    const LONG_PTR parent = control.SelFolder().nPidl;

    // The clicked item first, then the other selected ones in list order. An item the shell no longer
    // knows by its name is left out.
    std::vector<LONG_PTR> items;
    items.reserve(static_cast<size_t>(count) + 1);
    auto add = [&](LONG index) {
        if (LONG_PTR pidl = FindChildItem(parent, ItemName(control, index))) items.push_back(pidl);
    };
    add(nIndex);
    if (count > 1) {
        ItemWalk walk(hwnd, LVNI_SELECTED);
        for (LONG i = walk.Next(); i != -1; i = walk.Next())
            if (i != nIndex) add(i);
    }

    bool chosen = false;
    if (!items.empty()) {
        std::vector<PCUITEMID_CHILD> pidls;
        for (LONG_PTR p : items)
            pidls.push_back(reinterpret_cast<PCUITEMID_CHILD>(p));
        IShellFolder* folder = BindToFolder(GetDesktopFolder(), parent);
        POINT pt{};
        GetCursorPos(&pt);
        chosen = ShowShellContextMenu(hwnd, folder, static_cast<UINT>(pidls.size()), pidls.data(), pt);
        if (folder) folder->Release();
    }
    for (LONG_PTR p : items)
        FreePidl(p);
    if (chosen) DoEvents();
}

} // namespace vireo
