// The status bar, "msctls_statusbar32": parts with right edges (-1 reaching the right side), each with
// its own text and SBT_ drawing flags, plus a separate simple-mode text. It places itself along the
// bottom of its parent (unless CCS_NOPARENTALIGN / CCS_NORESIZE / CCS_TOP say otherwise) whenever it gets
// WM_SIZE, as parents forward it.
#include "platform/emu/comctl32/Controls.h"
#include <vector>

namespace emu::comctl32 {

namespace {

struct Part {
    int right = -1;
    std::string text;
    UINT flags = 0;       // SBT_ bits
    LPARAM ownerData = 0; // the value of an SBT_OWNERDRAW part
    HICON icon = nullptr;
    std::string tip;
};

struct Status {
    std::vector<Part> parts{Part{}};
    Part simple;
    bool isSimple = false;
    HFONT font = nullptr;
    int minHeight = 0;
    COLORREF background = CLR_DEFAULT;
};

int Height(const Status& s) {
    return std::max(s.minHeight, FontHeight(s.font) + 7);
}

void Place(HWND hwnd, const Status& s) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (style & CCS_NORESIZE) return;
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    RECT pc;
    GetClientRect(parent, &pc);
    int h = Height(s);
    if (style & CCS_NOPARENTALIGN) {
        RECT r;
        GetWindowRect(hwnd, &r);
        POINT p{r.left, r.top};
        ScreenToClient(parent, &p);
        MoveWindow(hwnd, p.x, p.y, pc.right, h, TRUE);
        return;
    }
    bool top = (style & CCS_BOTTOM) == CCS_TOP;
    MoveWindow(hwnd, 0, top ? 0 : pc.bottom - h, pc.right, h, TRUE);
}

Part* PartAt(Status& s, WPARAM index) {
    int i = LOBYTE(index);
    if (s.isSimple && i == SB_SIMPLEID) return &s.simple;
    if (i == SB_SIMPLEID) return &s.simple;
    return i < static_cast<int>(s.parts.size()) ? &s.parts[static_cast<size_t>(i)] : nullptr;
}

// SB_GETTEXT and SB_GETTEXTLENGTH give the length in the low word and the SBT_ flags in the high word.
LRESULT LengthAndFlags(const Part& p) {
    return MAKELRESULT(static_cast<WORD>(p.text.size()), static_cast<WORD>(p.flags));
}

} // namespace

LRESULT CALLBACK StatusProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Status* s = StateOf<Status>(hwnd);
    if (!s && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new Status;
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) state->parts[0].text = cs->lpszName;
        SetStateOf(hwnd, state);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_CREATE:
        Place(hwnd, *s);
        return 0;
    case WM_NCDESTROY:
        delete s;
        SetStateOf<Status>(hwnd, nullptr);
        return 0;
    case WM_SIZE:
        // Parents forward their WM_SIZE; the bar then takes its place again (its own size changes come
        // back here with the right size and change nothing).
        Place(hwnd, *s);
        return 0;
    case SB_SETTEXTA: {
        Part* p = PartAt(*s, wParam);
        if (!p) return FALSE;
        p->flags = static_cast<UINT>(wParam) & 0xFF00;
        if (p->flags & SBT_OWNERDRAW) {
            p->ownerData = lParam;
            p->text.clear();
        } else {
            p->text = TextOf(lParam);
        }
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case SB_GETTEXTA: {
        Part* p = PartAt(*s, wParam);
        if (!p) return 0;
        if (p->flags & SBT_OWNERDRAW) return p->ownerData;
        if (lParam) CopyText(p->text, p->text.size() + 1, lParam);
        return LengthAndFlags(*p);
    }
    case SB_GETTEXTLENGTHA: {
        Part* p = PartAt(*s, wParam);
        return p ? LengthAndFlags(*p) : 0;
    }
    case SB_SETPARTS: {
        int n = static_cast<int>(wParam);
        if (n <= 0 || n > 256 || !lParam) return FALSE;
        const int* edges = reinterpret_cast<const int*>(lParam);
        s->parts.resize(static_cast<size_t>(n)); // texts of the parts kept stay, new parts are empty
        for (int i = 0; i < n; ++i)
            s->parts[static_cast<size_t>(i)].right = edges[i];
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case SB_GETPARTS: {
        int n = static_cast<int>(s->parts.size());
        if (lParam)
            for (int i = 0; i < n && i < static_cast<int>(wParam); ++i)
                reinterpret_cast<int*>(lParam)[i] = s->parts[static_cast<size_t>(i)].right;
        return n;
    }
    case SB_GETBORDERS:
        if (!lParam) return FALSE;
        reinterpret_cast<int*>(lParam)[0] = 0;
        reinterpret_cast<int*>(lParam)[1] = 2;
        reinterpret_cast<int*>(lParam)[2] = 2;
        return TRUE;
    case SB_SETMINHEIGHT:
        s->minHeight = static_cast<int>(wParam);
        return 0;
    case SB_SIMPLE: {
        bool simple = wParam != 0;
        if (simple == s->isSimple) return 0;
        s->isSimple = simple;
        InvalidateRect(hwnd, nullptr, FALSE);
        NMHDR nm{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), SBN_SIMPLEMODECHANGE};
        if (HWND parent = GetParent(hwnd))
            SendMessageA(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
        return 0;
    }
    case SB_ISSIMPLE:
        return s->isSimple;
    case SB_GETRECT: {
        if (!lParam) return FALSE;
        RECT rc;
        GetClientRect(hwnd, &rc);
        int i = static_cast<int>(wParam);
        if (s->isSimple) {
            *reinterpret_cast<RECT*>(lParam) = rc;
            return TRUE;
        }
        if (i < 0 || i >= static_cast<int>(s->parts.size())) return FALSE;
        int left = i ? s->parts[static_cast<size_t>(i - 1)].right + 2 : 0;
        int right = s->parts[static_cast<size_t>(i)].right;
        if (right < 0) right = rc.right;
        *reinterpret_cast<RECT*>(lParam) = RECT{left, 2, right, rc.bottom};
        return TRUE;
    }
    case SB_SETICON: {
        Part* p = static_cast<INT>(wParam) == -1 ? &s->simple : PartAt(*s, wParam);
        if (!p) return FALSE;
        p->icon = reinterpret_cast<HICON>(lParam);
        return TRUE;
    }
    case SB_GETICON: {
        Part* p = static_cast<INT>(wParam) == -1 ? &s->simple : PartAt(*s, wParam);
        return p ? reinterpret_cast<LRESULT>(p->icon) : 0;
    }
    case SB_SETTIPTEXTA:
        if (Part* p = PartAt(*s, wParam)) p->tip = TextOf(lParam);
        return 0;
    case SB_GETTIPTEXTA:
        if (Part* p = PartAt(*s, LOWORD(wParam)); p && lParam) CopyText(p->tip, HIWORD(wParam), lParam);
        return 0;
    case SB_SETBKCOLOR: {
        COLORREF old = s->background;
        s->background = static_cast<COLORREF>(lParam);
        return static_cast<LRESULT>(old);
    }
    // The window text is the text of part 0.
    case WM_SETTEXT:
        s->parts[0].text = TextOf(lParam);
        s->parts[0].flags = 0;
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    case WM_GETTEXT:
        return CopyText(s->parts[0].text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->parts[0].text.size());
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_NCHITTEST:
        return HTCLIENT;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
