// The extended combo box, "ComboBoxEx32": a "ComboBox" child (with its "Edit" child for CBS_DROPDOWN)
// whose entries also carry image indexes into an image list, an indent and a value. The inner combo box's
// notifications reach the parent as the extended box's own WM_COMMAND; Enter and Escape in the edit field
// send CBEN_ENDEDITA, as the real control's edit subclass does.
#include "platform/emu/comctl32/Controls.h"
#include <vector>

namespace emu::comctl32 {

namespace {

constexpr int kComboId = 1001;
constexpr char kOwnerProp[] = "ComboBoxEx.Owner";
constexpr char kEditProcProp[] = "ComboBoxEx.EditProc";

struct Entry {
    int image = 0;
    int selectedImage = 0;
    int overlay = 0;
    int indent = 0;
    LPARAM lParam = 0;
};

struct ComboEx {
    HWND combo = nullptr;
    HWND edit = nullptr;
    HIMAGELIST images = nullptr;
    std::vector<Entry> entries; // parallel to the inner combo box's list
    DWORD exStyle = 0;
    bool editChanged = false;
};

int Count(const ComboEx& c) {
    return static_cast<int>(c.entries.size());
}

std::string EditText(HWND edit) {
    int len = GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    GetWindowTextA(edit, text.data(), len + 1);
    text.resize(static_cast<size_t>(len));
    return text;
}

void EndEdit(HWND owner, ComboEx& c, int why) {
    NMCBEENDEDITA nm{};
    nm.hdr = NMHDR{owner, static_cast<UINT_PTR>(GetDlgCtrlID(owner)), static_cast<UINT>(CBEN_ENDEDITA)};
    nm.fChanged = c.editChanged;
    nm.iNewSelection = static_cast<int>(SendMessageA(c.combo, CB_GETCURSEL, 0, 0));
    std::string text = EditText(c.edit);
    CopyText(text, sizeof nm.szText, reinterpret_cast<LPARAM>(nm.szText));
    nm.iWhy = why;
    c.editChanged = false;
    if (HWND parent = GetParent(owner))
        SendMessageA(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

LRESULT CALLBACK EditSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kEditProcProp));
    auto owner = static_cast<HWND>(GetPropA(hwnd, kOwnerProp));
    if (msg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE) && owner)
        if (ComboEx* c = StateOf<ComboEx>(owner))
            EndEdit(owner, *c, wParam == VK_RETURN ? CBENF_RETURN : CBENF_ESCAPE);
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kEditProcProp);
        RemovePropA(hwnd, kOwnerProp);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

LRESULT GetItem(ComboEx& c, COMBOBOXEXITEMA* item) {
    if (!item) return FALSE;
    int i = static_cast<int>(item->iItem);
    if (i == -1) { // the item in the edit field: its text only
        if (item->mask & CBEIF_TEXT)
            CopyText(EditText(c.edit), static_cast<WPARAM>(item->cchTextMax),
                     reinterpret_cast<LPARAM>(item->pszText));
        return TRUE;
    }
    if (i < 0 || i >= Count(c)) return FALSE;
    const Entry& e = c.entries[static_cast<size_t>(i)];
    if (item->mask & CBEIF_TEXT && item->pszText && item->cchTextMax > 0) {
        LRESULT len = SendMessageA(c.combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(len) + 1, '\0');
        SendMessageA(c.combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(len));
        CopyText(text, static_cast<WPARAM>(item->cchTextMax), reinterpret_cast<LPARAM>(item->pszText));
    }
    if (item->mask & CBEIF_IMAGE) item->iImage = e.image;
    if (item->mask & CBEIF_SELECTEDIMAGE) item->iSelectedImage = e.selectedImage;
    if (item->mask & CBEIF_OVERLAY) item->iOverlay = e.overlay;
    if (item->mask & CBEIF_INDENT) item->iIndent = e.indent;
    if (item->mask & CBEIF_LPARAM) item->lParam = e.lParam;
    return TRUE;
}

void Apply(Entry& e, const COMBOBOXEXITEMA& item) {
    if (item.mask & CBEIF_IMAGE) e.image = item.iImage;
    if (item.mask & CBEIF_SELECTEDIMAGE) e.selectedImage = item.iSelectedImage;
    if (item.mask & CBEIF_OVERLAY) e.overlay = item.iOverlay;
    if (item.mask & CBEIF_INDENT) e.indent = item.iIndent;
    if (item.mask & CBEIF_LPARAM) e.lParam = item.lParam;
}

} // namespace

LRESULT CALLBACK ComboExProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    ComboEx* c = StateOf<ComboEx>(hwnd);
    if (!c && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new ComboEx);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_CREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        DWORD type = static_cast<DWORD>(cs->style) & 3;
        c->combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | type, 0, 0, cs->cx,
                                   cs->cy, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId)),
                                   cs->hInstance, nullptr);
        if (!c->combo) return -1;
        c->edit = FindWindowExA(c->combo, nullptr, "Edit", nullptr);
        if (c->edit) {
            SetPropA(c->edit, kOwnerProp, hwnd);
            SetPropA(c->edit, kEditProcProp,
                     reinterpret_cast<HANDLE>(
                         SetWindowLongPtrA(c->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclass))));
        }
        RECT r;
        GetWindowRect(c->combo, &r);
        SetWindowPos(hwnd, nullptr, 0, 0, cs->cx, r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_NCDESTROY:
        delete c;
        SetStateOf<ComboEx>(hwnd, nullptr);
        return 0;
    case WM_SIZE:
        if (c->combo) {
            RECT r;
            GetClientRect(hwnd, &r);
            MoveWindow(c->combo, 0, 0, r.right, r.bottom, TRUE);
        }
        return 0;
    case CBEM_INSERTITEMA: {
        auto* item = reinterpret_cast<const COMBOBOXEXITEMA*>(lParam);
        if (!item) return -1;
        int at = static_cast<int>(item->iItem);
        if (at < -1 || at > Count(*c)) return -1;
        if (at == -1) at = Count(*c);
        const char* text = (item->mask & CBEIF_TEXT) && item->pszText ? item->pszText : "";
        LRESULT r =
            SendMessageA(c->combo, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
        if (r < 0) return -1;
        Entry e;
        Apply(e, *item);
        c->entries.insert(c->entries.begin() + at, e);
        return at;
    }
    case CBEM_SETITEMA: {
        auto* item = reinterpret_cast<const COMBOBOXEXITEMA*>(lParam);
        if (!item) return FALSE;
        int i = static_cast<int>(item->iItem);
        if (i == -1) {
            if ((item->mask & CBEIF_TEXT) && c->edit) SetWindowTextA(c->edit, item->pszText);
            return TRUE;
        }
        if (i < 0 || i >= Count(*c)) return FALSE;
        Apply(c->entries[static_cast<size_t>(i)], *item);
        if ((item->mask & CBEIF_TEXT) && item->pszText) {
            // The inner list keeps the text: replace the entry's string, keeping the selection.
            LRESULT sel = SendMessageA(c->combo, CB_GETCURSEL, 0, 0);
            LRESULT data = SendMessageA(c->combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
            SendMessageA(c->combo, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
            SendMessageA(c->combo, CB_INSERTSTRING, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(item->pszText));
            SendMessageA(c->combo, CB_SETITEMDATA, static_cast<WPARAM>(i), data);
            if (sel == i) SendMessageA(c->combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        }
        return TRUE;
    }
    case CBEM_GETITEMA:
        return GetItem(*c, reinterpret_cast<COMBOBOXEXITEMA*>(lParam));
    case CBEM_DELETEITEM: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        c->entries.erase(c->entries.begin() + i);
        return SendMessageA(c->combo, CB_DELETESTRING, wParam, 0);
    }
    case CB_RESETCONTENT:
        c->entries.clear();
        return SendMessageA(c->combo, CB_RESETCONTENT, 0, 0);
    // The value of an entry is its lParam.
    case CB_SETITEMDATA: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        c->entries[static_cast<size_t>(i)].lParam = lParam;
        return TRUE;
    }
    case CB_GETITEMDATA: {
        int i = static_cast<INT>(wParam);
        if (i < 0 || i >= Count(*c)) return CB_ERR;
        return c->entries[static_cast<size_t>(i)].lParam;
    }
    case CBEM_SETIMAGELIST: {
        HIMAGELIST old = c->images;
        c->images = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case CBEM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(c->images);
    case CBEM_GETCOMBOCONTROL:
        return reinterpret_cast<LRESULT>(c->combo);
    case CBEM_GETEDITCONTROL:
        return reinterpret_cast<LRESULT>(c->edit);
    case CBEM_SETEXSTYLE:
    case CBEM_SETEXTENDEDSTYLE: {
        DWORD old = c->exStyle;
        DWORD mask = (msg == CBEM_SETEXTENDEDSTYLE && wParam) ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        c->exStyle = (c->exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        return static_cast<LRESULT>(old);
    }
    case CBEM_GETEXSTYLE:
        return static_cast<LRESULT>(c->exStyle);
    case CBEM_HASEDITCHANGED:
        return c->editChanged;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == c->combo) {
            WORD code = HIWORD(wParam);
            if (code == CBN_EDITCHANGE) c->editChanged = true;
            if (code == CBN_KILLFOCUS && c->editChanged && c->edit) EndEdit(hwnd, *c, CBENF_KILLFOCUS);
            if (!(c = StateOf<ComboEx>(hwnd))) return 0;
            return NotifyParent(hwnd, code);
        }
        return 0;
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETFONT:
    case WM_GETFONT:
        return c->combo ? SendMessageA(c->combo, msg, wParam, lParam) : 0;
    case WM_SETFOCUS:
        if (c->combo) SetFocus(c->combo);
        return 0;
    case WM_ENABLE:
        if (c->combo) EnableWindow(c->combo, static_cast<BOOL>(wParam));
        return 0;
    default:
        // The plain combo box messages go to the inner combo box.
        if (msg >= CB_GETEDITSEL && msg <= CB_INITSTORAGE && c->combo)
            return SendMessageA(c->combo, msg, wParam, lParam);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
