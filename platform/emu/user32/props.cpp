// Window properties. Windows names them by atoms: SetPropA adds the name to the global atom table, GetPropA
// and RemovePropA only look it up (a name never added finds nothing), so names match without regard to
// case and the lookup compares numbers. A name given as MAKEINTATOM(n) is the atom n itself, a string
// atom GlobalAddAtomA gave as well as an integer atom, and is not looked up. A window's properties go with
// it when it is destroyed.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace {
// The atom that names a property: MAKEINTATOM(n) is n; a string is added to the table or looked up in it.
ATOM PropAtom(LPCSTR name, bool add) {
    if (IS_INTRESOURCE(name)) return static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return add ? GlobalAtoms().Add(name) : GlobalAtoms().Find(name);
}

// The newest property first, as Windows keeps them.
auto FindProp(Window& w, ATOM atom) {
    for (auto it = w.props.end(); it != w.props.begin();)
        if ((--it)->first == atom) return it;
    return w.props.end();
}
} // namespace

BOOL WINAPI SetPropA(HWND hwnd, LPCSTR name, HANDLE data) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w || !name) return FALSE;
    ATOM atom = PropAtom(name, true);
    if (!atom) return FALSE;
    auto it = FindProp(*w, atom);
    if (it != w->props.end())
        it->second = data;
    else
        w->props.emplace_back(atom, data);
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hwnd, LPCSTR name) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    if (!w || !name || w->props.empty()) return nullptr;
    ATOM atom = PropAtom(name, false);
    auto it = atom ? FindProp(*w, atom) : w->props.end();
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropA(HWND hwnd, LPCSTR name) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    if (!w || !name) return nullptr;
    ATOM atom = PropAtom(name, false);
    auto it = atom ? FindProp(*w, atom) : w->props.end();
    if (it == w->props.end()) return nullptr;
    HANDLE data = it->second;
    w->props.erase(it);
    return data;
}
