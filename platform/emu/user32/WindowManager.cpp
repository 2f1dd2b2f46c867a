// The window manager object: its state's life, and the lookups and counts tests use.
#include "platform/emu/user32/WindowManager.h"
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/gdi32/Gdi.h"
#include "platform/emu/user32/WindowState.h"
#include <cstdio>
#include <cstdlib>

namespace emu {

constinit thread_local WindowState* t_state = nullptr;

void NoDesktop() {
    std::fprintf(stderr, "emu: a user32 function was called with no emu::Desktop on this thread\n");
    std::abort();
}

void SetError(DWORD code) {
    SetLastError(code);
}

WindowState::WindowState(WindowManager& m) : manager(m), gdi(std::make_unique<Gdi>()) {
    // The desktop window: parent of every top-level window, covering the screen.
    auto cls = std::make_unique<WindowClass>();
    cls->name = "#32769";
    cls->atom = 32769;
    cls->proc = DefWindowProcA;
    cls->system = true;
    auto w = std::make_unique<Window>();
    w->cls = cls.get();
    w->proc = DefWindowProcA;
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    w->rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    cls->windows = 1;
    desktop = Adopt(std::move(w));
    classes.emplace(cls->name, std::move(cls));
}

WindowState::~WindowState() = default;

HWND WindowState::Adopt(std::unique_ptr<Window> w) {
    HWND hwnd = reinterpret_cast<HWND>(nextWindow);
    nextWindow += 4;
    w->hwnd = hwnd;
    slots.push_back(w.get());
    windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(w));
    return hwnd;
}

void WindowState::Drop(HWND hwnd) {
    if (Find(hwnd)) slots[(reinterpret_cast<uintptr_t>(hwnd) - kFirstWindow) / 4] = nullptr;
    windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

Window* WindowState::Get(HWND hwnd) {
    Window* w = Find(hwnd);
    if (!w) SetError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

WindowManager::WindowManager(Desktop& desktop) : m_desktop(desktop) {
    m_state = std::make_unique<WindowState>(*this);
    t_state = m_state.get();
    comctl32::RegisterSystemClasses();
}

WindowManager::~WindowManager() {
    // Windows still open are destroyed as at the end of their thread, so their procedures free their state.
    for (HWND top : ChildrenOf(m_state->desktop))
        DestroyWindow(top);
    m_state->comctl32.reset();
    if (t_state == m_state.get()) t_state = nullptr;
}

size_t WindowManager::LiveWindowCount() const {
    return m_state->windows.size() - 1;
}
size_t WindowManager::LiveGdiObjectCount() const {
    return m_state->gdi->LiveObjectCount();
}
size_t WindowManager::LiveMenuCount() const {
    return m_state->menus.size();
}
size_t WindowManager::LiveImageListCount() const {
    return comctl32::LiveImageListCount();
}
Gdi& WindowManager::Graphics() {
    return *m_state->gdi;
}

size_t WindowManager::LiveIconCount() const {
    size_t n = 0;
    for (const auto& [h, icon] : m_state->icons)
        n += !icon.shared;
    return n;
}

std::vector<HWND> WindowManager::FindByClass(std::string_view className) const {
    // Depth-first in z-order, parents before their children.
    std::vector<HWND> out;
    std::vector<HWND> stack{m_state->desktop};
    while (!stack.empty()) {
        Window* w = m_state->Find(stack.back());
        stack.pop_back();
        if (!w) continue;
        if (w->hwnd != m_state->desktop && cp1252::EqualNoCase(w->cls->name, className))
            out.push_back(w->hwnd);
        for (HWND c = w->lastChild; c; c = m_state->Find(c)->prev)
            stack.push_back(c);
    }
    return out;
}

} // namespace emu
