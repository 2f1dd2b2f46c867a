// Icons and cursors. An icon here has no pixels, only an identity (a text naming what it shows) so that
// tests can tell icons apart; stock icons and cursors are shared and never destroyed.
#include "platform/emu/user32/WindowState.h"

using namespace emu;

namespace emu {

HICON StockIcon(uintptr_t resourceId, bool cursor) {
    WindowState& s = S();
    std::string identity = std::string(cursor ? "cursor:" : "icon:") + std::to_string(resourceId);
    for (auto& [h, icon] : s.icons)
        if (icon.shared && icon.identity == identity) return reinterpret_cast<HICON>(h);
    uintptr_t h = s.nextIcon;
    s.nextIcon += 4;
    s.icons.emplace(h, Icon{identity, true});
    return reinterpret_cast<HICON>(h);
}

HICON WindowManager::NewIcon(std::string identity) {
    uintptr_t h = m_state->nextIcon;
    m_state->nextIcon += 4;
    m_state->icons.emplace(h, Icon{std::move(identity), false});
    return reinterpret_cast<HICON>(h);
}

std::string WindowManager::IconIdentity(HICON icon) const {
    auto it = m_state->icons.find(reinterpret_cast<uintptr_t>(icon));
    return it == m_state->icons.end() ? std::string() : it->second.identity;
}

} // namespace emu

namespace {
// Only the system's own resources exist: a module's named or numbered resources are not found.
HICON LoadStock(HINSTANCE instance, LPCSTR name, bool cursor, uintptr_t first, uintptr_t last) {
    auto id = reinterpret_cast<uintptr_t>(name);
    if (instance || !IS_INTRESOURCE(name) || id < first || id > last) {
        SetError(1814); // ERROR_RESOURCE_NAME_NOT_FOUND
        return nullptr;
    }
    return StockIcon(id, cursor);
}

Icon* FindIcon(HICON icon) {
    auto& icons = S().icons;
    auto it = icons.find(reinterpret_cast<uintptr_t>(icon));
    return it == icons.end() ? nullptr : &it->second;
}
} // namespace

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
    return LoadStock(instance, name, true, 32512, 32651);
}
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name) {
    return LoadStock(instance, name, false, 32512, 32518);
}

HICON WINAPI CopyIcon(HICON icon) {
    Icon* i = FindIcon(icon);
    if (!i) {
        SetError(1402); // ERROR_INVALID_CURSOR_HANDLE
        return nullptr;
    }
    return S().manager.NewIcon(i->identity);
}

HICON WINAPI CreateIconIndirect(PICONINFO info) {
    if (!info) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return S().manager.NewIcon("bitmap:" + std::to_string(reinterpret_cast<uintptr_t>(info->hbmColor)));
}

BOOL WINAPI GetIconInfo(HICON icon, PICONINFO info) {
    if (!FindIcon(icon) || !info) return FALSE;
    *info = ICONINFO{TRUE, 16, 16, nullptr, nullptr};
    return TRUE;
}

BOOL WINAPI DestroyIcon(HICON icon) {
    Icon* i = FindIcon(icon);
    if (!i) {
        SetError(1402); // ERROR_INVALID_CURSOR_HANDLE
        return FALSE;
    }
    if (!i->shared) S().icons.erase(reinterpret_cast<uintptr_t>(icon));
    return TRUE;
}

BOOL WINAPI DestroyCursor(HCURSOR cursor) {
    return DestroyIcon(cursor);
}

BOOL WINAPI DrawIconEx(HDC, int, int, HICON icon, int, int, UINT, HBRUSH, UINT) {
    return FindIcon(icon) != nullptr;
}
