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
    std::vector<UniquePidl> items;
    items.reserve(static_cast<size_t>(count) + 1);
    auto add = [&](LONG index) {
        if (UniquePidl pidl(FindChildItem(parent, ItemName(control, index))); pidl)
            items.push_back(std::move(pidl));
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
        for (const UniquePidl& p : items)
            pidls.push_back(reinterpret_cast<PCUITEMID_CHILD>(p.get()));
        const RefPtr<IShellFolder> folder =
            RefPtr<IShellFolder>::Adopt(BindToFolder(GetDesktopFolder(), parent));
        POINT pt{};
        GetCursorPos(&pt);
        chosen = ShowShellContextMenu(hwnd, folder.get(), static_cast<UINT>(pidls.size()), pidls.data(), pt);
    }
    if (chosen) DoEvents();
}

} // namespace vireo
