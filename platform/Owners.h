// Move-only owners of what the system receives from Windows and must give back: item-ID lists, GDI objects
// (fonts, brushes, bitmaps), menus, registry keys, device contexts and COM initialisation on the thread.
// Each owner frees its handle exactly once: when it goes, when it is reset to another handle, or never when
// release() hands the handle on. put() frees the old handle and gives the address for an out parameter.
// Freeing keeps the thread's last error, so an owner going out of scope never hides why a call failed.
// COM interface pointers are held by RefPtr (platform/RefCounted.h): RefPtr<T>::Adopt takes over a
// reference an out parameter returned.
#pragma once
#include "platform/RefCounted.h"
#include "platform/win32.h"
#include <utility>

namespace vireo {

// Frees an item-ID list of the shell allocator (the shell-namespace module's FreePidl; 0 is allowed).
LONG_PTR FreePidl(LONG_PTR pidl);

template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Handle{}; }
    // Gives up the handle without freeing it: the caller owns it now.
    Handle release() { return std::exchange(m_handle, Handle{}); }
    // Frees the handle held (if any) and holds the new one.
    void reset(Handle handle = Handle{}) {
        const Handle old = std::exchange(m_handle, handle);
        if (old == Handle{} || old == handle) return;
        const DWORD lastError = GetLastError();
        Traits::Free(old);
        SetLastError(lastError);
    }
    Handle* put() {
        reset();
        return &m_handle;
    }

private:
    Handle m_handle{};
};

struct PidlTraits {
    using Handle = LONG_PTR;
    static void Free(LONG_PTR pidl) { FreePidl(pidl); }
};
template <class T> struct GdiObjectTraits {
    using Handle = T;
    static void Free(T object) { DeleteObject(object); }
};
struct MemoryDCTraits {
    using Handle = HDC;
    static void Free(HDC dc) { DeleteDC(dc); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static void Free(HKEY key) { RegCloseKey(key); }
};

// An item-ID list as the system holds lists: a pointer-sized number, 0 for none.
using UniquePidl = UniqueHandle<PidlTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
// A memory device context of CreateCompatibleDC (a window's is a WindowDC).
using UniqueMemoryDC = UniqueHandle<MemoryDCTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
// An opened key; the predefined roots (HKEY_CLASSES_ROOT, ...) are never held.
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// A window's device context (the screen's for a null window), released when it goes.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (!m_dc) return;
        const DWORD lastError = GetLastError();
        ReleaseDC(m_hwnd, m_dc);
        SetLastError(lastError);
    }
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// An object selected into a device context for a while: the one it replaced goes back when this goes.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_old(dc && object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (m_old) SelectObject(m_dc, m_old);
    }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// COM on the thread for as long as the owner holds it: Initialize calls CoInitialize once, and only a call
// that succeeded (S_OK, or S_FALSE when COM was already there) is balanced by CoUninitialize at reset.
class ComInitialization {
public:
    ComInitialization() = default;
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;
    ~ComInitialization() { reset(); }

    // Initialises COM on the first call (again after reset); true while this owner holds it.
    bool Initialize() {
        if (!m_initialized) {
            const HRESULT result = CoInitialize(nullptr);
            m_initialized = result == S_OK || result == S_FALSE;
        }
        return m_initialized;
    }
    bool Initialized() const { return m_initialized; }
    void reset() {
        if (std::exchange(m_initialized, false)) CoUninitialize();
    }

private:
    bool m_initialized = false;
};

} // namespace vireo
