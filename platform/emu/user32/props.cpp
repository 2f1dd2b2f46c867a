// Window properties. Windows names them by atoms, so the names match without regard to case; a window's
// properties go with it when it is destroyed.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace {
std::string PropName(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(LOWORD(name));
    return name;
}
} // namespace

BOOL WINAPI SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    Window* w = S().Get(hwnd);
    if (!w || !name) return FALSE;
    w->props[PropName(name)] = data;
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hwnd, LPCSTR name) {
    Window* w = S().Find(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(PropName(name));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND hwnd, LPCSTR name) {
    Window* w = S().Find(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->props.find(PropName(name));
    if (it == w->props.end()) return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}
