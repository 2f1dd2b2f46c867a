// The toolbar, "ToolbarWindow32": a row of buttons (image index, command, state, style) laid out from the
// left, with the image lists they draw from. A click is a press and a release over the same enabled
// button; the release checks a BTNS_CHECK button and sends WM_COMMAND (command, BN_CLICKED) to the
// toolbar's notify window. A drop-down button sends TBN_DROPDOWN on the press instead (with
// TBSTYLE_EX_DRAWDDARROWS only its arrow part does; the rest is an ordinary button).
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/user32/WindowState.h"
#include <cstring>
#include <vector>

namespace emu::comctl32 {

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kArrowWidth = 14;

struct Toolbar {
    std::vector<TBBUTTON> buttons;
    UINT structSize = sizeof(TBBUTTON);
    HIMAGELIST images = nullptr;
    HIMAGELIST hotImages = nullptr;
    HIMAGELIST disabledImages = nullptr;
    SIZE bitmap{16, 15};
    SIZE button{23, 22};
    bool buttonSizeSet = false;
    HWND notify = nullptr;
    DWORD exStyle = 0;
    int pressed = -1; // index of the button held down by the mouse
    HFONT font = nullptr;
};

int IndexOf(const Toolbar& t, WPARAM cmd) {
    for (size_t i = 0; i < t.buttons.size(); ++i)
        if (t.buttons[i].idCommand == static_cast<int>(cmd)) return static_cast<int>(i);
    return -1;
}

int WidthOf(const Toolbar& t, const TBBUTTON& b) {
    if (b.fsState & TBSTATE_HIDDEN) return 0;
    if (b.fsStyle & BTNS_SEP) return b.iBitmap > 0 ? b.iBitmap : kSeparatorWidth;
    int w = t.button.cx;
    if ((b.fsStyle & BTNS_DROPDOWN) && (t.exStyle & TBSTYLE_EX_DRAWDDARROWS)) w += kArrowWidth;
    return w;
}

RECT RectOf(const Toolbar& t, int index) {
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += WidthOf(t, t.buttons[static_cast<size_t>(i)]);
    const TBBUTTON& b = t.buttons[static_cast<size_t>(index)];
    return RECT{x, 2, x + WidthOf(t, b), 2 + t.button.cy};
}

int HitTest(const Toolbar& t, POINT pt) {
    for (size_t i = 0; i < t.buttons.size(); ++i) {
        RECT r = RectOf(t, static_cast<int>(i));
        if (!(t.buttons[i].fsStyle & BTNS_SEP) && !IsRectEmpty(&r) && PtInRect(&r, pt))
            return static_cast<int>(i);
    }
    return -1;
}

void ApplySizes(Toolbar& t) {
    if (!t.buttonSizeSet) t.button = SIZE{t.bitmap.cx + 7, t.bitmap.cy + 7};
}

HWND NotifyWindow(HWND hwnd, const Toolbar& t) {
    return t.notify ? t.notify : GetParent(hwnd);
}

void AutoSize(HWND hwnd, const Toolbar& t) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (style & CCS_NORESIZE) return;
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    RECT pc;
    GetClientRect(parent, &pc);
    int h = t.button.cy + 4;
    if (style & CCS_NOPARENTALIGN) {
        RECT r;
        GetWindowRect(hwnd, &r);
        POINT p{r.left, r.top};
        ScreenToClient(parent, &p);
        MoveWindow(hwnd, p.x, p.y, pc.right, h, TRUE);
    } else {
        bool bottom = (style & CCS_BOTTOM) == CCS_BOTTOM;
        MoveWindow(hwnd, 0, bottom ? pc.bottom - h : 0, pc.right, h, TRUE);
    }
}

// Checking a button of a check group unchecks the others of its group (the adjacent BTNS_GROUP buttons).
void Check(Toolbar& t, int index, bool on) {
    TBBUTTON& b = t.buttons[static_cast<size_t>(index)];
    if (on)
        b.fsState |= TBSTATE_CHECKED;
    else
        b.fsState &= ~TBSTATE_CHECKED;
    if (!on || !(b.fsStyle & BTNS_GROUP)) return;
    for (int i = index - 1; i >= 0 && (t.buttons[static_cast<size_t>(i)].fsStyle & BTNS_GROUP); --i)
        t.buttons[static_cast<size_t>(i)].fsState &= ~TBSTATE_CHECKED;
    for (size_t i = static_cast<size_t>(index) + 1;
         i < t.buttons.size() && (t.buttons[i].fsStyle & BTNS_GROUP); ++i)
        t.buttons[i].fsState &= ~TBSTATE_CHECKED;
}

bool AddButtons(HWND hwnd, Toolbar& t, int at, int count, const BYTE* data) {
    if (!data || count < 0) return false;
    std::vector<TBBUTTON> add;
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        std::memcpy(&b, data + static_cast<size_t>(i) * t.structSize,
                    std::min<size_t>(t.structSize, sizeof b));
        add.push_back(b);
    }
    if (at < 0 || at > static_cast<int>(t.buttons.size())) at = static_cast<int>(t.buttons.size());
    t.buttons.insert(t.buttons.begin() + at, add.begin(), add.end());
    InvalidateRect(hwnd, nullptr, TRUE);
    return true;
}

LRESULT SetFlag(HWND hwnd, Toolbar& t, WPARAM cmd, BYTE flag, bool on) {
    int i = IndexOf(t, cmd);
    if (i < 0) return FALSE;
    BYTE& s = t.buttons[static_cast<size_t>(i)].fsState;
    s = on ? static_cast<BYTE>(s | flag) : static_cast<BYTE>(s & ~flag);
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT HasFlag(const Toolbar& t, WPARAM cmd, BYTE flag) {
    int i = IndexOf(t, cmd);
    return i < 0 ? -1 : (t.buttons[static_cast<size_t>(i)].fsState & flag);
}

LRESULT ButtonInfo(Toolbar& t, WPARAM id, TBBUTTONINFOA* info, bool set) {
    if (!info) return -1;
    int i = (info->dwMask & TBIF_BYINDEX) ? static_cast<int>(id) : IndexOf(t, id);
    if (i < 0 || i >= static_cast<int>(t.buttons.size())) return -1;
    TBBUTTON& b = t.buttons[static_cast<size_t>(i)];
    if (set) {
        if (info->dwMask & TBIF_COMMAND) b.idCommand = info->idCommand;
        if (info->dwMask & TBIF_IMAGE) b.iBitmap = info->iImage;
        if (info->dwMask & TBIF_STATE) b.fsState = info->fsState;
        if (info->dwMask & TBIF_STYLE) b.fsStyle = info->fsStyle;
        if (info->dwMask & TBIF_LPARAM) b.dwData = info->lParam;
        return TRUE;
    }
    if (info->dwMask & TBIF_COMMAND) info->idCommand = b.idCommand;
    if (info->dwMask & TBIF_IMAGE) info->iImage = b.iBitmap;
    if (info->dwMask & TBIF_STATE) info->fsState = b.fsState;
    if (info->dwMask & TBIF_STYLE) info->fsStyle = b.fsStyle;
    if (info->dwMask & TBIF_LPARAM) info->lParam = b.dwData;
    if (info->dwMask & TBIF_SIZE) info->cx = static_cast<WORD>(WidthOf(t, b));
    return i;
}

bool Usable(const TBBUTTON& b) {
    return (b.fsState & TBSTATE_ENABLED) && !(b.fsState & TBSTATE_HIDDEN) && !(b.fsStyle & BTNS_SEP);
}

LRESULT OnButtonDown(HWND hwnd, Toolbar& t, POINT pt) {
    int i = HitTest(t, pt);
    if (i < 0 || !Usable(t.buttons[static_cast<size_t>(i)])) return 0;
    TBBUTTON b = t.buttons[static_cast<size_t>(i)];
    RECT r = RectOf(t, i);
    bool arrowOnly = (t.exStyle & TBSTYLE_EX_DRAWDDARROWS) && !(b.fsStyle & BTNS_WHOLEDROPDOWN);
    bool onArrow = arrowOnly && pt.x >= r.right - kArrowWidth;
    if ((b.fsStyle & BTNS_DROPDOWN) && (!arrowOnly || onArrow)) {
        NMTOOLBARA nm{};
        nm.hdr = NMHDR{hwnd, static_cast<UINT_PTR>(GetDlgCtrlID(hwnd)), TBN_DROPDOWN};
        nm.iItem = b.idCommand;
        nm.tbButton = b;
        nm.rcButton = r;
        if (HWND to = NotifyWindow(hwnd, t))
            SendMessageA(to, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        return 0;
    }
    t.pressed = i;
    t.buttons[static_cast<size_t>(i)].fsState |= TBSTATE_PRESSED;
    SetCapture(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnButtonUp(HWND hwnd, Toolbar& t, POINT pt) {
    int i = t.pressed;
    t.pressed = -1;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (!(StateOf<Toolbar>(hwnd)) || i < 0 || i >= static_cast<int>(t.buttons.size())) return 0;
    TBBUTTON& b = t.buttons[static_cast<size_t>(i)];
    b.fsState &= ~TBSTATE_PRESSED;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (HitTest(t, pt) != i || !Usable(b)) return 0;
    if (b.fsStyle & BTNS_CHECK) {
        bool group = (b.fsStyle & BTNS_GROUP) != 0;
        Check(t, i, group ? true : !(b.fsState & TBSTATE_CHECKED));
    }
    int cmd = b.idCommand;
    if (HWND to = NotifyWindow(hwnd, t))
        SendMessageA(to, WM_COMMAND, MAKEWPARAM(cmd, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
    return 0;
}

} // namespace

LRESULT CALLBACK ToolbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Toolbar* t = StateOf<Toolbar>(hwnd);
    if (!t && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new Toolbar);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        delete t;
        SetStateOf<Toolbar>(hwnd, nullptr);
        return 0;
    case TB_BUTTONSTRUCTSIZE:
        t->structSize = static_cast<UINT>(wParam);
        return 0;
    case TB_ADDBUTTONSA:
        return AddButtons(hwnd, *t, -1, static_cast<int>(wParam), reinterpret_cast<const BYTE*>(lParam));
    case TB_INSERTBUTTONA:
        return AddButtons(hwnd, *t, static_cast<int>(wParam), 1, reinterpret_cast<const BYTE*>(lParam));
    case TB_DELETEBUTTON: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(t->buttons.size())) return FALSE;
        t->buttons.erase(t->buttons.begin() + i);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case TB_GETBUTTON: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(t->buttons.size()) || !lParam) return FALSE;
        *reinterpret_cast<TBBUTTON*>(lParam) = t->buttons[static_cast<size_t>(i)];
        return TRUE;
    }
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(t->buttons.size());
    case TB_COMMANDTOINDEX:
        return IndexOf(*t, wParam);
    case TB_SETCMDID: {
        int i = static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(t->buttons.size())) return FALSE;
        t->buttons[static_cast<size_t>(i)].idCommand = static_cast<int>(lParam);
        return TRUE;
    }
    case TB_CHECKBUTTON: {
        int i = IndexOf(*t, wParam);
        if (i < 0) return FALSE;
        Check(*t, i, LOWORD(lParam) != 0);
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case TB_PRESSBUTTON:
        return SetFlag(hwnd, *t, wParam, TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_ENABLEBUTTON:
        return SetFlag(hwnd, *t, wParam, TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON:
        return SetFlag(hwnd, *t, wParam, TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_INDETERMINATE:
        return SetFlag(hwnd, *t, wParam, TBSTATE_INDETERMINATE, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED:
        return HasFlag(*t, wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED:
        return HasFlag(*t, wParam, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED:
        return HasFlag(*t, wParam, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN:
        return HasFlag(*t, wParam, TBSTATE_HIDDEN);
    case TB_ISBUTTONINDETERMINATE:
        return HasFlag(*t, wParam, TBSTATE_INDETERMINATE);
    case TB_SETSTATE: {
        int i = IndexOf(*t, wParam);
        if (i < 0) return FALSE;
        t->buttons[static_cast<size_t>(i)].fsState = static_cast<BYTE>(LOWORD(lParam));
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case TB_GETSTATE: {
        int i = IndexOf(*t, wParam);
        return i < 0 ? -1 : t->buttons[static_cast<size_t>(i)].fsState;
    }
    case TB_CHANGEBITMAP: {
        int i = IndexOf(*t, wParam);
        if (i < 0) return FALSE;
        t->buttons[static_cast<size_t>(i)].iBitmap = static_cast<int>(LOWORD(lParam));
        InvalidateRect(hwnd, nullptr, FALSE);
        return TRUE;
    }
    case TB_GETBITMAP: {
        int i = IndexOf(*t, wParam);
        return i < 0 ? -1 : t->buttons[static_cast<size_t>(i)].iBitmap;
    }
    case TB_SETIMAGELIST: {
        HIMAGELIST old = t->images;
        t->images = reinterpret_cast<HIMAGELIST>(lParam);
        int cx, cy;
        if (t->images && ImageList_GetIconSize(t->images, &cx, &cy)) {
            t->bitmap = SIZE{cx, cy};
            ApplySizes(*t);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(t->images);
    case TB_SETHOTIMAGELIST:
    case TB_SETDISABLEDIMAGELIST: {
        HIMAGELIST& slot = msg == TB_SETHOTIMAGELIST ? t->hotImages : t->disabledImages;
        HIMAGELIST old = slot;
        slot = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETHOTIMAGELIST:
        return reinterpret_cast<LRESULT>(t->hotImages);
    case TB_GETDISABLEDIMAGELIST:
        return reinterpret_cast<LRESULT>(t->disabledImages);
    case TB_SETBITMAPSIZE:
        t->bitmap = SIZE{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
        ApplySizes(*t);
        return TRUE;
    case TB_SETBUTTONSIZE:
        t->button = SIZE{static_cast<LONG>(LOWORD(lParam)), static_cast<LONG>(HIWORD(lParam))};
        t->buttonSizeSet = true;
        return TRUE;
    case TB_GETBUTTONSIZE:
        return MAKELRESULT(t->button.cx, t->button.cy);
    case TB_GETRECT:
    case TB_GETITEMRECT: {
        int i = msg == TB_GETRECT ? IndexOf(*t, wParam) : static_cast<int>(wParam);
        if (i < 0 || i >= static_cast<int>(t->buttons.size()) || !lParam) return FALSE;
        *reinterpret_cast<RECT*>(lParam) = RectOf(*t, i);
        return TRUE;
    }
    case TB_HITTEST:
        // The index of the button under the point; -1 when the point is on no button.
        return lParam ? HitTest(*t, *reinterpret_cast<const POINT*>(lParam)) : -1;
    case TB_AUTOSIZE:
        AutoSize(hwnd, *t);
        return 0;
    case TB_SETPARENT: {
        HWND old = NotifyWindow(hwnd, *t);
        t->notify = reinterpret_cast<HWND>(wParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case TB_SETSTYLE:
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(lParam));
        return 0;
    case TB_GETSTYLE:
        return GetWindowLongA(hwnd, GWL_STYLE);
    case TB_SETEXTENDEDSTYLE: {
        DWORD old = t->exStyle;
        t->exStyle = static_cast<DWORD>(lParam);
        return static_cast<LRESULT>(old);
    }
    case TB_GETEXTENDEDSTYLE:
        return static_cast<LRESULT>(t->exStyle);
    case TB_GETBUTTONINFOA:
        return ButtonInfo(*t, wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam), false);
    case TB_SETBUTTONINFOA: {
        LRESULT r = ButtonInfo(*t, wParam, reinterpret_cast<TBBUTTONINFOA*>(lParam), true);
        InvalidateRect(hwnd, nullptr, FALSE);
        return r == -1 ? FALSE : TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnButtonDown(hwnd, *t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP:
        return OnButtonUp(hwnd, *t, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_CAPTURECHANGED:
        if (t->pressed >= 0 && reinterpret_cast<HWND>(lParam) != hwnd) {
            if (t->pressed < static_cast<int>(t->buttons.size()))
                t->buttons[static_cast<size_t>(t->pressed)].fsState &= ~TBSTATE_PRESSED;
            t->pressed = -1;
        }
        return 0;
    case WM_SIZE:
        return 0;
    case WM_SETFONT:
        t->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(t->font);
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool ClickToolbarButton(HWND toolbar, int idCommand) {
    RECT r;
    if (!SendMessageA(toolbar, TB_GETRECT, static_cast<WPARAM>(idCommand), reinterpret_cast<LPARAM>(&r)))
        return false;
    if (IsRectEmpty(&r)) return false;
    S().manager.Click(toolbar, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return true;
}

} // namespace emu::comctl32
