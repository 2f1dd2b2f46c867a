// Subclassing of the web view's windows: the previous procedure and the control's pointer live in two
// window properties, read back on every message by their atoms (a number, where a name would be looked
// up in the global atom table each time).
#include "shellview/FolderViewHost.h"
#include "shellview/mWndProc.h"
#include "support/ThreadState.h"

namespace vireo {

namespace {
constexpr const char* kOldWndProc = "OldWndProc";
constexpr const char* kObjectPtr = "ObjectPtr";

// The key to read a property with: its atom once the first subclassing has added it, else its name.
LPCSTR Key(const char* name, ATOM atom) {
    return atom ? MAKEINTATOM(atom) : name;
}
} // namespace

bool SubclassWindow(HWND hwnd, WNDPROC proc, FolderViewHost* control) {
    if (GetPropA(hwnd, kOldWndProc)) return true;
    if (!Shared().oldWndProcAtom) Shared().oldWndProcAtom = GlobalAddAtomA(kOldWndProc);
    if (!Shared().objectPtrAtom) Shared().objectPtrAtom = GlobalAddAtomA(kObjectPtr);
    const LONG_PTR old = SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    if (old == 0) return false;
    if (SetPropA(hwnd, kOldWndProc, reinterpret_cast<HANDLE>(old)) &&
        SetPropA(hwnd, kObjectPtr, static_cast<HANDLE>(control)))
        return true;
    RemovePropA(hwnd, kOldWndProc);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, old);
    return false;
}

bool UnsubclassWindow(HWND& hwnd) {
    const HANDLE old = GetPropA(hwnd, kOldWndProc);
    if (!old || !SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old))) return false;
    RemovePropA(hwnd, kOldWndProc);
    RemovePropA(hwnd, kObjectPtr);
    hwnd = nullptr;
    return true;
}

RefPtr<FolderViewHost> ObjectFromWindow(HWND hwnd) {
    auto* control = static_cast<FolderViewHost*>(GetPropA(hwnd, Key(kObjectPtr, Shared().objectPtrAtom)));
    // A control whose last reference is gone destroys its window, and with it the subclassed windows below
    // it: their last messages go on without it.
    if (!control || control->RefCount() == 0) return RefPtr<FolderViewHost>();
    return RefPtr<FolderViewHost>(control);
}

LRESULT CallOldWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, Key(kOldWndProc, Shared().oldWndProcAtom)));
    return old ? CallWindowProcA(old, hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace vireo
