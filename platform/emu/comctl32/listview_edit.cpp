// In-place label editing: an "Edit" child over the item's label, LVN_BEGINLABELEDIT before it shows and
// LVN_ENDLABELEDIT when Enter, Escape or the loss of the focus ends it.
#include "platform/emu/comctl32/ListView.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cstring>

namespace emu::comctl32 {

namespace {

// The edit keeps its own procedure; this one, in front of it, ends the editing on Enter (keeping the text),
// Escape (cancelling) and the loss of the focus (keeping the text), as comctl32's edit subclass does.
LRESULT CALLBACK LabelEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND owner = GetParent(hwnd);
    ListView* lv = owner ? StateOf<ListView>(owner) : nullptr;
    if (!lv || !lv->editProc) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC next = lv->editProc;
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (lv->edit == hwnd && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
            EndEditLabel(*lv, wParam == VK_ESCAPE);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 0x1B) return 0;
        break;
    case WM_KILLFOCUS: {
        LRESULT r = CallWindowProcA(next, hwnd, msg, wParam, lParam);
        if (lv->edit == hwnd) EndEditLabel(*lv, false);
        return r;
    }
    default:
        break;
    }
    return CallWindowProcA(next, hwnd, msg, wParam, lParam);
}

std::u16string EditText(HWND edit) {
    int len = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    GetWindowTextA(edit, text.data(), len + 1);
    text.resize(static_cast<size_t>(len));
    return AnsiToWide(text);
}

// LVN_BEGINLABELEDIT (with the item's text) and LVN_ENDLABELEDIT (with the edited text, NULL when the editing
// was cancelled) in the parent's character set. The answer is the parent's.
LRESULT NotifyLabel(ListView& lv, bool begin, int item, const std::u16string* text) {
    const LvItem& it = lv.items[static_cast<size_t>(item)];
    if (lv.unicodeNotify) {
        std::u16string copy = text ? *text : std::u16string();
        NMLVDISPINFOW di{};
        di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        di.item.iItem = item;
        di.item.state = it.state;
        di.item.lParam = it.param;
        di.item.pszText = text ? copy.data() : nullptr;
        di.item.cchTextMax = text ? static_cast<int>(copy.size()) + 1 : 0;
        return Notify(lv, begin ? LVN_BEGINLABELEDITW : LVN_ENDLABELEDITW, &di.hdr);
    }
    std::string copy = text ? WideToAnsi(*text) : std::string();
    NMLVDISPINFOA di{};
    di.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    di.item.iItem = item;
    di.item.state = it.state;
    di.item.lParam = it.param;
    di.item.pszText = text ? copy.data() : nullptr;
    di.item.cchTextMax = text ? static_cast<int>(copy.size()) + 1 : 0;
    return Notify(lv, begin ? LVN_BEGINLABELEDITA : LVN_ENDLABELEDITA, &di.hdr);
}

} // namespace

// LVM_EDITLABEL: item -1 ends an editing in progress (cancelled). Only a list with LVS_EDITLABELS edits;
// the list view takes the focus, the item becomes the selected and focused one, the parent may refuse in
// LVN_BEGINLABELEDIT (TRUE), and otherwise the edit, showing the item's text all selected, gets the focus.
HWND EditLabel(ListView& lv, int item) {
    if (lv.edit) EndEditLabel(lv, true);
    if (item < 0 || item >= Count(lv)) return nullptr;
    if (!(GetWindowLongA(lv.hwnd, GWL_STYLE) & LVS_EDITLABELS)) return nullptr;
    HWND self = lv.hwnd;
    if (GetFocus() != self) SetFocus(self);
    DeselectAllBut(lv, item);
    SetState(lv, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!IsWindow(self) || item >= Count(lv)) return nullptr;
    EnsureVisible(lv, item, false);
    RECT rc{};
    ItemRect(lv, item, LVIR_LABEL, rc);
    std::string text = WideToAnsi(lv.items[static_cast<size_t>(item)].text);
    HWND edit = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_EDITA, text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, rc.left, rc.top,
        std::max(rc.right - rc.left, 40), rc.bottom - rc.top, self, nullptr, nullptr, nullptr);
    if (!edit) return nullptr;
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(lv.font), FALSE);
    lv.editItem = item;
    std::u16string current = lv.items[static_cast<size_t>(item)].text;
    if (NotifyLabel(lv, true, item, &current)) {
        lv.editItem = -1;
        DestroyWindow(edit);
        return nullptr;
    }
    if (!IsWindow(self) || !IsWindow(edit)) return nullptr;
    lv.edit = edit;
    lv.editProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelEditProc)));
    ShowWindow(edit, SW_SHOW);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return edit;
}

// LVN_ENDLABELEDIT carries the edited text, or NULL when cancelled; a parent answering TRUE takes the text as
// the item's new label. The edit is destroyed afterwards, and the focus goes back to the list view.
void EndEditLabel(ListView& lv, bool cancel) {
    HWND edit = lv.edit;
    int item = lv.editItem;
    if (!edit) return;
    lv.edit = nullptr;
    lv.editItem = -1;
    std::u16string text = EditText(edit);
    HWND self = lv.hwnd;
    if (item >= 0 && item < Count(lv)) {
        if (NotifyLabel(lv, false, item, cancel ? nullptr : &text) && !cancel && IsWindow(self) &&
            item < Count(lv)) {
            lv.items[static_cast<size_t>(item)].text = text;
            lv.items[static_cast<size_t>(item)].textCallback = false;
            InvalidateRect(self, nullptr, TRUE);
        }
    }
    if (!IsWindow(self)) return;
    if (GetFocus() == edit) SetFocus(self);
    // The edit's own procedure sees it to its end (and frees its state).
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(lv.editProc));
    lv.editProc = nullptr;
    DestroyWindow(edit);
}

} // namespace emu::comctl32
