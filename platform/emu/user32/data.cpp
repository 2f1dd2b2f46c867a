// A window's data: the GetWindowLong values (procedure, styles, identifier, user data, extra bytes) and its
// text through WM_GETTEXT / WM_SETTEXT.
#include "platform/emu/user32/WindowState.h"
#include <cstring>

using namespace emu;

namespace {

constexpr DWORD kInvalidIndex = 1413; // ERROR_INVALID_INDEX

bool ExtraRange(const Window& w, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= w.extra.size();
}

LONG_PTR GetLong(HWND hwnd, int index, size_t size) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return 0;
    if (index >= 0) {
        if (!ExtraRange(*w, index, size)) {
            SetError(kInvalidIndex);
            return 0;
        }
        if (size == sizeof(LONG)) {
            LONG v;
            std::memcpy(&v, w->extra.data() + index, sizeof v);
            return v;
        }
        LONG_PTR v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
    }
    switch (index) {
    case GWLP_WNDPROC:
        // A procedure does not fit a LONG in 64-bit code: Windows refuses the narrow read there.
        if (size == sizeof(LONG) && sizeof(LONG) != sizeof(LONG_PTR)) break;
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWLP_ID:
        return w->id;
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA:
        return w->userData;
    default:
        break;
    }
    SetError(kInvalidIndex);
    return 0;
}

// Style changes go through WM_STYLECHANGING (which may alter the new value) and WM_STYLECHANGED, sent
// even when the value does not change, as Windows does.
LONG_PTR SetStyle(HWND hwnd, int index, DWORD value) {
    WindowState& s = S();
    Window* w = s.Find(hwnd);
    STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
    SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    if (!(w = s.Find(hwnd))) return 0;
    DWORD old = index == GWL_STYLE ? w->style : w->exStyle;
    ss.styleOld = old;
    if (index == GWL_STYLE) {
        if (w->parent == s.desktop) ss.styleNew |= WS_CLIPSIBLINGS; // top-level windows always keep it
        w->style = ss.styleNew;
    } else {
        w->exStyle = ss.styleNew;
    }
    SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(old);
}

LONG_PTR SetLong(HWND hwnd, int index, LONG_PTR value, size_t size) {
    WindowState& s = S();
    Window* w = s.Get(hwnd);
    if (!w) return 0;
    if (hwnd == s.desktop) {
        SetError(ERROR_ACCESS_DENIED);
        return 0;
    }
    if (index >= 0) {
        if (!ExtraRange(*w, index, size)) {
            SetError(kInvalidIndex);
            return 0;
        }
        LONG_PTR old = GetLong(hwnd, index, size);
        if (size == sizeof(LONG)) {
            LONG v = static_cast<LONG>(value);
            std::memcpy(w->extra.data() + index, &v, sizeof v);
        } else {
            std::memcpy(w->extra.data() + index, &value, sizeof value);
        }
        return old;
    }
    LONG_PTR old = 0;
    switch (index) {
    case GWLP_WNDPROC:
        if (size == sizeof(LONG) && sizeof(LONG) != sizeof(LONG_PTR)) break;
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        // For a top-level window this sets the owner.
        old = reinterpret_cast<LONG_PTR>(w->owner);
        if (!(w->style & WS_CHILD)) {
            if (Window* o = w->owner ? s.Find(w->owner) : nullptr) o->owned--;
            Window* n = s.Find(reinterpret_cast<HWND>(value));
            w->owner = n ? n->hwnd : nullptr;
            if (n) n->owned++;
        }
        return old;
    case GWLP_ID:
        old = w->id;
        w->id = value;
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        return SetStyle(hwnd, index, static_cast<DWORD>(value));
    default:
        break;
    }
    SetError(kInvalidIndex);
    return 0;
}

} // namespace

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
    return static_cast<LONG>(GetLong(hwnd, index, sizeof(LONG)));
}
LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
    return GetLong(hwnd, index, sizeof(LONG_PTR));
}
LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
    return static_cast<LONG>(SetLong(hwnd, index, value, sizeof(LONG)));
}
LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
    return SetLong(hwnd, index, value, sizeof(LONG_PTR));
}

// ---- Text ------------------------------------------------------------------------------------------------

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buf, int max) {
    if (!buf || max <= 0) return 0;
    buf[0] = 0;
    if (!S().Get(hwnd)) return 0;
    return static_cast<int>(
        SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
    if (!S().Get(hwnd)) return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
    if (!S().Get(hwnd)) return FALSE;
    LRESULT r = SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    return r != 0 && r != CB_ERR && r != CB_ERRSPACE;
}

UINT WINAPI GetDlgItemTextA(HWND dlg, int id, LPSTR buf, int max) {
    if (buf && max > 0) buf[0] = 0;
    HWND item = GetDlgItem(dlg, id);
    return item ? static_cast<UINT>(GetWindowTextA(item, buf, max)) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND dlg, int id, LPCSTR text) {
    HWND item = GetDlgItem(dlg, id);
    return item ? SetWindowTextA(item, text) : FALSE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dlg, id);
    return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}
