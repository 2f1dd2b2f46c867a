// Window properties. Windows names them by atoms: SetPropA adds the name to the global atom table, GetPropA
// and RemovePropA only look it up (a name never added finds nothing), so names match without regard to
// case and the lookup compares numbers. A window's properties go with it when it is destroyed.
#include "platform/emu/user32/WindowState.h"
#include <algorithm>

using namespace emu;

namespace {
auto FindProp(Window& w, ATOM atom) {
    return std::find_if(w.props.begin(), w.props.end(), [atom](const auto& p) { return p.first == atom; });
}
} // namespace

BOOL WINAPI SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    Window* w = S().Get(hwnd);
    if (!w || !name) return FALSE;
    ATOM atom = S().atoms.Add(name);
    if (!atom) return FALSE;
    auto it = FindProp(*w, atom);
    if (it != w->props.end())
        it->second = data;
    else
        w->props.emplace_back(atom, data);
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hwnd, LPCSTR name) {
    Window* w = S().Find(hwnd);
    if (!w || !name || w->props.empty()) return nullptr;
    ATOM atom = S().atoms.Find(name);
    auto it = atom ? FindProp(*w, atom) : w->props.end();
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND hwnd, LPCSTR name) {
    Window* w = S().Find(hwnd);
    if (!w || !name) return nullptr;
    ATOM atom = S().atoms.Find(name);
    auto it = atom ? FindProp(*w, atom) : w->props.end();
    if (it == w->props.end()) return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}
