// The progress bar, "msctls_progress32": a range (0..100 at first), a position kept inside it, a step.
#include "platform/emu/comctl32/Controls.h"

namespace emu::comctl32 {

namespace {
struct Progress {
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    COLORREF bar = CLR_DEFAULT;
    COLORREF background = CLR_DEFAULT;
};

int Clamp(const Progress& p, int v) {
    return v < p.low ? p.low : (v > p.high ? p.high : v);
}

// The previous range comes back as two 16-bit words, as PBM_SETRANGE has always answered.
LRESULT SetRange(HWND hwnd, Progress& p, int low, int high) {
    LRESULT old = MAKELRESULT(static_cast<WORD>(p.low), static_cast<WORD>(p.high));
    if (low == p.low && high == p.high) return old;
    p.low = low;
    p.high = high;
    p.pos = Clamp(p, p.pos);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT SetPos(HWND hwnd, Progress& p, int pos) {
    int old = p.pos;
    p.pos = Clamp(p, pos);
    if (p.pos != old) InvalidateRect(hwnd, nullptr, FALSE);
    return old;
}
} // namespace

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Progress* p = StateOf<Progress>(hwnd);
    if (!p && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new Progress);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        delete p;
        SetStateOf<Progress>(hwnd, nullptr);
        return 0;
    case PBM_SETRANGE:
        return SetRange(hwnd, *p, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
        return SetRange(hwnd, *p, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
        if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{p->low, p->high};
        return wParam ? p->low : p->high;
    case PBM_SETPOS:
        return SetPos(hwnd, *p, static_cast<int>(wParam));
    case PBM_DELTAPOS:
        return SetPos(hwnd, *p, p->pos + static_cast<int>(wParam));
    case PBM_GETPOS:
        return p->pos;
    case PBM_SETSTEP: {
        int old = p->step;
        p->step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT: {
        // Past the end the bar starts over from the other end.
        int old = p->pos;
        int next = p->pos + p->step;
        if (next > p->high)
            next = p->low;
        else if (next < p->low)
            next = p->high;
        p->pos = next;
        InvalidateRect(hwnd, nullptr, FALSE);
        return old;
    }
    case PBM_SETBARCOLOR: {
        COLORREF old = p->bar;
        p->bar = static_cast<COLORREF>(lParam);
        return static_cast<LRESULT>(old);
    }
    case PBM_SETBKCOLOR: {
        COLORREF old = p->background;
        p->background = static_cast<COLORREF>(lParam);
        return static_cast<LRESULT>(old);
    }
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
