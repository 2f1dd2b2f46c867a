// The "Edit" control, single-line: its text, selection, limit and the typing a user does, with the
// EN_ notifications to the parent as Windows sends them.
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/user32/Cp1252.h"
#include <algorithm>

namespace emu::comctl32 {

namespace {

// The style bit a combo box gives its edit field (Windows keeps it internal): such an edit does not
// notify its parent when its text is set by a message, and passes the list keys to the combo box.
constexpr DWORD kComboEdit = 0x0200;
constexpr UINT kDefaultLimit = 0x7FFF;     // before EM_LIMITTEXT, as documented
constexpr UINT kMaximumLimit = 0x7FFFFFFE; // EM_LIMITTEXT(0) on a single-line edit

struct Edit {
    std::string text;
    size_t anchor = 0; // the selection runs from anchor to caret
    size_t caret = 0;
    UINT limit = kDefaultLimit;
    bool modified = false;
    HFONT font = nullptr;
};

DWORD Style(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
size_t SelStart(const Edit& e) {
    return std::min(e.anchor, e.caret);
}
size_t SelEnd(const Edit& e) {
    return std::max(e.anchor, e.caret);
}

std::string Cased(HWND hwnd, std::string s) {
    DWORD style = Style(hwnd);
    for (char& c : s) {
        if (style & ES_UPPERCASE)
            c = static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(c)));
        else if (style & ES_LOWERCASE)
            c = static_cast<char>(cp1252::ToLower(static_cast<unsigned char>(c)));
    }
    return s;
}

void Changed(HWND hwnd, Edit& e) {
    e.modified = true;
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
}

// Replaces the selection with the text, cut to the limit (EN_MAXTEXT when it had to be cut). Returns
// whether anything changed.
bool ReplaceSelection(HWND hwnd, Edit& e, std::string insert) {
    size_t start = SelStart(e), end = SelEnd(e);
    size_t room = e.limit - std::min<size_t>(e.limit, e.text.size() - (end - start));
    bool cut = insert.size() > room;
    if (cut) insert.resize(room);
    bool change = !insert.empty() || start != end;
    e.text.replace(start, end - start, insert);
    e.anchor = e.caret = start + insert.size();
    if (cut) NotifyParent(hwnd, EN_MAXTEXT);
    return change;
}

void SetSelection(Edit& e, LONG_PTR start, LONG_PTR end) {
    const LONG_PTR len = static_cast<LONG_PTR>(e.text.size());
    if (start == -1) {
        e.anchor = e.caret; // removes the selection, the caret stays
        return;
    }
    if (end == -1 || end > len) end = len;
    if (start < 0 || start > len) start = len;
    if (end < 0) end = len;
    e.anchor = static_cast<size_t>(start);
    e.caret = static_cast<size_t>(end);
}

LRESULT OnChar(HWND hwnd, Edit& e, WPARAM ch) {
    DWORD style = Style(hwnd);
    if (style & ES_READONLY) {
        MessageBeep(static_cast<UINT>(-1));
        return 0;
    }
    if (ch == 0x08) { // backspace
        if (SelStart(e) == SelEnd(e)) {
            if (e.caret == 0) return 0;
            e.anchor = e.caret - 1;
        }
        if (ReplaceSelection(hwnd, e, "")) Changed(hwnd, e);
        return 0;
    }
    if (ch < 0x20 || ch > 0xFF) return 0; // other control characters do nothing in a single-line edit
    if ((style & ES_NUMBER) && (ch < '0' || ch > '9')) {
        MessageBeep(static_cast<UINT>(-1));
        return 0;
    }
    std::string one = Cased(hwnd, std::string(1, static_cast<char>(ch)));
    size_t before = e.text.size() - (SelEnd(e) - SelStart(e));
    if (before >= e.limit) {
        NotifyParent(hwnd, EN_MAXTEXT);
        return 0;
    }
    if (ReplaceSelection(hwnd, e, one)) Changed(hwnd, e);
    return 0;
}

LRESULT OnKeyDown(HWND hwnd, Edit& e, WPARAM vk) {
    // In a combo box the list keys belong to the combo box.
    if ((Style(hwnd) & kComboEdit) && (vk == VK_UP || vk == VK_DOWN || vk == VK_F4 || vk == VK_RETURN ||
                                       vk == VK_ESCAPE || vk == VK_PRIOR || vk == VK_NEXT))
        return SendMessageA(GetParent(hwnd), WM_KEYDOWN, vk, 0);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    auto move = [&](size_t to) {
        e.caret = to;
        if (!shift) e.anchor = to;
    };
    switch (vk) {
    case VK_LEFT:
        move(e.caret ? e.caret - 1 : 0);
        break;
    case VK_RIGHT:
        move(std::min(e.caret + 1, e.text.size()));
        break;
    case VK_HOME:
        move(0);
        break;
    case VK_END:
        move(e.text.size());
        break;
    case VK_DELETE:
        if (Style(hwnd) & ES_READONLY) break;
        if (SelStart(e) == SelEnd(e)) {
            if (e.caret >= e.text.size()) break;
            e.anchor = e.caret + 1;
        }
        if (ReplaceSelection(hwnd, e, "")) Changed(hwnd, e);
        break;
    default:
        break;
    }
    return 0;
}

} // namespace

LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Edit* e = StateOf<Edit>(hwnd);
    if (!e && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new Edit;
        SetStateOf(hwnd, state);
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) state->text = Cased(hwnd, cs->lpszName);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
        delete e;
        SetStateOf<Edit>(hwnd, nullptr);
        return 0;
    case WM_SETTEXT:
        // The limit does not apply to text set by a message; the caret goes to the start.
        e->text = Cased(hwnd, TextOf(lParam));
        e->anchor = e->caret = 0;
        e->modified = false;
        DefWindowProcA(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        if (!(Style(hwnd) & kComboEdit)) {
            NotifyParent(hwnd, EN_UPDATE);
            NotifyParent(hwnd, EN_CHANGE);
        }
        return TRUE;
    case WM_GETTEXT:
        return CopyText(e->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(e->text.size());
    case EM_GETSEL: {
        auto start = static_cast<DWORD>(SelStart(*e)), end = static_cast<DWORD>(SelEnd(*e));
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
        return (start > 0xFFFF || end > 0xFFFF) ? -1 : MAKELRESULT(start, end);
    }
    case EM_SETSEL:
        SetSelection(*e, static_cast<INT>(wParam), static_cast<INT>(lParam));
        return 0;
    case EM_REPLACESEL:
        if (ReplaceSelection(hwnd, *e, Cased(hwnd, TextOf(lParam)))) Changed(hwnd, *e);
        return 0;
    case EM_LIMITTEXT:
        e->limit = wParam ? static_cast<UINT>(wParam) : kMaximumLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return e->limit;
    case EM_GETMODIFY:
        return e->modified;
    case EM_SETMODIFY:
        e->modified = wParam != 0;
        return 0;
    case EM_SETREADONLY: {
        DWORD style = Style(hwnd);
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
        return TRUE;
    }
    case EM_CANUNDO:
    case EM_UNDO:
        return FALSE;
    case EM_GETLINECOUNT:
        return 1;
    case EM_LINELENGTH:
        return static_cast<LRESULT>(e->text.size());
    case EM_SCROLLCARET:
        return TRUE;
    case WM_CLEAR:
        if (!(Style(hwnd) & ES_READONLY) && ReplaceSelection(hwnd, *e, "")) Changed(hwnd, *e);
        return 0;
    case WM_CHAR:
        return OnChar(hwnd, *e, wParam);
    case WM_KEYDOWN:
        return OnKeyDown(hwnd, *e, wParam);
    case WM_LBUTTONDOWN: {
        SetFocus(hwnd);
        if (!(e = StateOf<Edit>(hwnd))) return 0;
        int x = GET_X_LPARAM(lParam);
        size_t at = static_cast<size_t>(std::max(0, x) / FontCharWidth(e->font));
        e->anchor = e->caret = std::min(at, e->text.size());
        return 0;
    }
    case WM_SETFOCUS:
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_SETFONT:
        e->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(e->font);
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
