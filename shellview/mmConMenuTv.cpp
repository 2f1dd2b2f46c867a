#include "shellview/mmConMenuTv.h"
#include "support/ThreadState.h"
#include "support/mmShellMacro.h"

namespace vireo {

namespace {

constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7FFF;

} // namespace

bool ShowShellContextMenu(HWND hwnd, IShellFolder* folder, UINT count, PCUITEMID_CHILD_ARRAY items,
                          POINT pt) {
    if (!folder || count == 0) return false;
    void* object = nullptr;
    if (!IsSucceeded(folder->GetUIObjectOf(hwnd, count, items, IID_IContextMenu, nullptr, &object)) ||
        !object)
        return false;
    const RefPtr<IContextMenu> menu1 = RefPtr<IContextMenu>::Adopt(static_cast<IContextMenu*>(object));
    // The menu's IContextMenu2 while it is shown, in the thread's one slot. Its first methods are
    // IContextMenu's, which are all that is called through it here.
    IContextMenu*& t_contextMenu2 = Shared().contextMenu2;
    GUID iidContextMenu2{};
    MakeOleGuid(iidContextMenu2, 0x000214F4, 0, 0);
    if (!IsSucceeded(menu1->QueryInterface(iidContextMenu2, reinterpret_cast<void**>(&t_contextMenu2))))
        t_contextMenu2 = nullptr;
    IContextMenu* menu = t_contextMenu2 ? t_contextMenu2 : menu1.get();

    bool chosen = false;
    if (const UniqueMenu popup(CreatePopupMenu()); popup) {
        if (IsSucceeded(menu->QueryContextMenu(popup.get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE))) {
            const UINT command = static_cast<UINT>(
                TrackPopupMenu(popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd, nullptr));
            if (command != 0) {
                CMINVOKECOMMANDINFO info{};
                info.cbSize = sizeof info;
                info.hwnd = hwnd;
                info.lpVerb = MAKEINTRESOURCEA(command - kFirstCommand);
                info.nShow = SW_SHOWNORMAL;
                menu->InvokeCommand(&info);
                chosen = true;
            }
        }
    }
    if (t_contextMenu2) t_contextMenu2->Release();
    t_contextMenu2 = nullptr;
    return chosen;
}

} // namespace vireo
