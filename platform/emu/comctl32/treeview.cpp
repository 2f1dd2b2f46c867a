// The "SysTreeView32" control: items, their fields and callbacks, selection, expansion and deletion, with
// the notifications Windows sends through WM_NOTIFY to the parent:
// - TVM_SELECTITEM (TVGN_CARET) sends TVN_SELCHANGINGA, which may veto, then scrolls the item into view
//   (expanding its collapsed ancestors) and sends TVN_SELCHANGEDA; both carry the cause in their action.
// - TVM_EXPAND notifies (TVN_ITEMEXPANDINGA, which may veto, and TVN_ITEMEXPANDEDA) only the first time an
//   item expands, until TVE_COLLAPSERESET clears TVIS_EXPANDEDONCE; a collapse by message notifies
//   nothing. The user's clicks and keys always notify.
// - Deleting an item sends TVN_DELETEITEMA for every item of its subtree, children before their parent;
//   a selection inside it moves to the next sibling, else the parent, else the previous sibling, with the
//   selection notifications (TVC_UNKNOWN). Destroying the control deletes every item the same way.
// - A collapse hiding the selection selects the collapsed item (TVC_UNKNOWN).
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/comctl32/TreeView.h"
#include "platform/emu/user32/Cp1252.h"
#include <algorithm>
#include <cstring>
#include <vector>

namespace emu::comctl32 {

namespace {

constexpr UINT kSelectionMask = TVIF_TEXT | TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
constexpr UINT kExpandMask =
    TVIF_TEXT | TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
constexpr UINT kDeleteMask = TVIF_HANDLE | TVIF_PARAM;
constexpr int kDispTextMax = 1024;

UINT_PTR ControlId(HWND hwnd) {
    return static_cast<UINT_PTR>(GetWindowLongPtrA(hwnd, GWLP_ID));
}

LRESULT SendToParent(HWND hwnd, NMHDR& hdr, UINT code) {
    hdr.hwndFrom = hwnd;
    hdr.idFrom = ControlId(hwnd);
    hdr.code = code;
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    return SendMessageA(parent, WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

// The window still has this state after a notification (its handler may destroy the control).
bool Alive(HWND hwnd, const Tree* t) {
    return IsWindow(hwnd) && StateOf<Tree>(hwnd) == t;
}

TVITEMA Describe(HTREEITEM item, UINT mask) {
    TVITEMA tv{};
    if (!item) return tv;
    tv.mask = mask;
    tv.hItem = item;
    tv.state = item->state;
    tv.stateMask = 0xFFFF;
    tv.lParam = item->lParam;
    if (mask & TVIF_TEXT) {
        tv.pszText = item->textCallback ? LPSTR_TEXTCALLBACKA : const_cast<LPSTR>(item->text.c_str());
        tv.cchTextMax = static_cast<int>(item->text.size() + 1);
    }
    tv.iImage = item->image;
    tv.iSelectedImage = item->selectedImage;
    tv.cChildren = item->childrenSet ? item->children : (item->firstChild ? 1 : 0);
    return tv;
}

// What the parent answers to TVN_GETDISPINFOA for the callback fields among mask; with TVIF_DI_SETITEM the
// control keeps the answer.
struct DispInfo {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    int children = 0;
};

DispInfo AskParent(Tree& t, HTREEITEM item, UINT mask) {
    DispInfo answer{item->text, item->image, item->selectedImage, item->children};
    if (!mask) return answer;
    std::vector<char> buffer(kDispTextMax, '\0');
    NMTVDISPINFOA info{};
    info.item = Describe(item, TVIF_HANDLE | TVIF_STATE | TVIF_PARAM);
    info.item.mask = mask;
    info.item.pszText = buffer.data();
    info.item.cchTextMax = kDispTextMax;
    SendToParent(t.hwnd, info.hdr, TVN_GETDISPINFOA);
    if ((mask & TVIF_TEXT) && info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACKA)
        answer.text.assign(info.item.pszText, strnlen(info.item.pszText, kDispTextMax));
    if (mask & TVIF_IMAGE) answer.image = info.item.iImage;
    if (mask & TVIF_SELECTEDIMAGE) answer.selectedImage = info.item.iSelectedImage;
    if (mask & TVIF_CHILDREN) answer.children = info.item.cChildren;
    if ((info.item.mask & TVIF_DI_SETITEM) && t.Valid(item)) {
        if (mask & TVIF_TEXT) {
            item->text = answer.text;
            item->textCallback = false;
        }
        if (mask & TVIF_IMAGE) item->image = answer.image;
        if (mask & TVIF_SELECTEDIMAGE) item->selectedImage = answer.selectedImage;
        if (mask & TVIF_CHILDREN) item->children = answer.children;
    }
    return answer;
}

UINT CallbackFields(HTREEITEM item, UINT mask) {
    UINT fields = 0;
    if (item->textCallback) fields |= TVIF_TEXT;
    if (item->image == I_IMAGECALLBACK) fields |= TVIF_IMAGE;
    if (item->selectedImage == I_IMAGECALLBACK) fields |= TVIF_SELECTEDIMAGE;
    if (item->childrenSet && item->children == I_CHILDRENCALLBACK) fields |= TVIF_CHILDREN;
    return fields & mask;
}

// True when descendant is item or lies below it.
bool Within(HTREEITEM item, HTREEITEM descendant) {
    for (HTREEITEM p = descendant; p; p = p->parent)
        if (p == item) return true;
    return false;
}

void Unlink(HTREEITEM item) {
    HTREEITEM parent = item->parent;
    if (item->prev)
        item->prev->next = item->next;
    else
        parent->firstChild = item->next;
    if (item->next)
        item->next->prev = item->prev;
    else
        parent->lastChild = item->prev;
    item->prev = item->next = nullptr;
}

// Links item under parent after "after" (nullptr: first).
void LinkAfter(HTREEITEM parent, HTREEITEM item, HTREEITEM after) {
    item->parent = parent;
    item->prev = after;
    item->next = after ? after->next : parent->firstChild;
    if (item->next)
        item->next->prev = item;
    else
        parent->lastChild = item;
    if (after)
        after->next = item;
    else
        parent->firstChild = item;
}

void ApplyFields(HTREEITEM item, const TVITEMA& in) {
    if (in.mask & TVIF_TEXT) {
        item->textCallback = in.pszText == LPSTR_TEXTCALLBACKA;
        item->text = item->textCallback || !in.pszText ? std::string() : std::string(in.pszText);
    }
    if (in.mask & TVIF_IMAGE) item->image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE) item->selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_PARAM) item->lParam = in.lParam;
    if (in.mask & TVIF_STATE) item->state = (item->state & ~in.stateMask) | (in.state & in.stateMask);
    if (in.mask & TVIF_CHILDREN) {
        item->children = in.cChildren;
        item->childrenSet = true;
    }
}

// TVI_SORT: after the siblings whose text sorts before or equal to the new one, as lstrcmpi orders them.
HTREEITEM SortedPlace(HTREEITEM parent, const std::string& text) {
    HTREEITEM after = nullptr;
    for (HTREEITEM s = parent->firstChild; s; s = s->next) {
        if (cp1252::CompareNoCase(s->text, text) > 0) break;
        after = s;
    }
    return after;
}

HTREEITEM Insert(Tree& t, const TVINSERTSTRUCTA* in) {
    if (!in) return nullptr;
    HTREEITEM parent = (!in->hParent || in->hParent == TVI_ROOT) ? &t.root : in->hParent;
    if (parent != &t.root && !t.Valid(parent)) return nullptr;
    auto* item = new _TREEITEM;
    ApplyFields(item, in->item);
    item->state &= ~(TVIS_SELECTED | TVIS_DROPHILITED);
    HTREEITEM after = in->hInsertAfter;
    if (after == TVI_FIRST)
        after = nullptr;
    else if (after == TVI_SORT)
        after = SortedPlace(parent, item->text);
    else if (after == TVI_LAST || !t.Valid(after) || after->parent != parent)
        after = parent->lastChild; // an item that is not a sibling appends, as TVI_LAST
    LinkAfter(parent, item, after);
    t.live.insert(item);
    InvalidateRect(t.hwnd, nullptr, TRUE);
    return item;
}

// Deletes the subtree, children first, each with TVN_DELETEITEMA.
void RemoveSubtree(Tree& t, HTREEITEM item) {
    while (item->firstChild)
        RemoveSubtree(t, item->firstChild);
    SendTreeNotify(t, TVN_DELETEITEMA, 0, item, nullptr, kDeleteMask);
    Unlink(item);
    if (t.selected == item) t.selected = nullptr;
    if (t.dropHilite == item) t.dropHilite = nullptr;
    if (t.firstVisible == item) t.firstVisible = nullptr;
    t.live.erase(item);
    delete item;
}

BOOL DeleteItem(Tree& t, HTREEITEM item) {
    if (!item || item == TVI_ROOT) {
        while (t.root.firstChild)
            RemoveSubtree(t, t.root.firstChild);
        t.selected = t.firstVisible = t.dropHilite = nullptr;
        InvalidateRect(t.hwnd, nullptr, TRUE);
        return TRUE;
    }
    if (!t.Valid(item)) return FALSE;
    HTREEITEM successor = nullptr;
    if (t.selected && Within(item, t.selected))
        successor = item->next ? item->next : item->parent != &t.root ? item->parent : item->prev;
    ForgetScroll(t, item);
    RemoveSubtree(t, item);
    InvalidateRect(t.hwnd, nullptr, TRUE);
    if (!t.selected && t.Valid(successor)) SelectCaret(t, successor, TVC_UNKNOWN);
    return TRUE;
}

BOOL Expand(Tree& t, HTREEITEM item, bool byUser) {
    if (item->state & TVIS_EXPANDED) return TRUE;
    HWND hwnd = t.hwnd;
    if (!HasChildren(t, item)) return FALSE;
    bool notify = byUser || !(item->state & TVIS_EXPANDEDONCE);
    if (notify && SendTreeNotify(t, TVN_ITEMEXPANDINGA, TVE_EXPAND, nullptr, item, kExpandMask)) return FALSE;
    if (!Alive(hwnd, &t) || !t.Valid(item) || !item->firstChild) return FALSE;
    item->state |= TVIS_EXPANDED;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (notify) {
        SendTreeNotify(t, TVN_ITEMEXPANDEDA, TVE_EXPAND, nullptr, item, kExpandMask);
        if (Alive(hwnd, &t) && t.Valid(item)) item->state |= TVIS_EXPANDEDONCE;
    }
    return TRUE;
}

BOOL Collapse(Tree& t, HTREEITEM item, bool reset, bool byUser) {
    HWND hwnd = t.hwnd;
    UINT action = TVE_COLLAPSE | (reset ? TVE_COLLAPSERESET : 0);
    if (!HasChildren(t, item)) return FALSE;
    if (byUser && SendTreeNotify(t, TVN_ITEMEXPANDINGA, action, nullptr, item, kExpandMask)) return FALSE;
    if (!Alive(hwnd, &t) || !t.Valid(item) || !item->firstChild) return FALSE;
    bool wasExpanded = item->state & TVIS_EXPANDED;
    bool moveSelection = t.selected && t.selected != item && Within(item, t.selected);
    item->state &= ~TVIS_EXPANDED;
    InvalidateRect(hwnd, nullptr, TRUE);
    if (wasExpanded && byUser) {
        SendTreeNotify(t, TVN_ITEMEXPANDEDA, action, nullptr, item, kExpandMask);
        if (!Alive(hwnd, &t) || !t.Valid(item)) return TRUE;
    }
    if (reset) {
        while (item->firstChild)
            RemoveSubtree(t, item->firstChild);
        item->state &= ~TVIS_EXPANDEDONCE;
    }
    if (moveSelection && (!t.selected || Within(item, t.selected))) SelectCaret(t, item, TVC_UNKNOWN);
    return TRUE;
}

BOOL Select(Tree& t, WPARAM which, HTREEITEM item) {
    switch (which) {
    case TVGN_CARET:
        return SelectCaret(t, item, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        if (item && !t.Valid(item)) return FALSE;
        if (t.Valid(t.dropHilite)) t.dropHilite->state &= ~TVIS_DROPHILITED;
        t.dropHilite = item;
        if (item) item->state |= TVIS_DROPHILITED;
        InvalidateRect(t.hwnd, nullptr, TRUE);
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        if (!t.Valid(item)) return FALSE;
        EnsureVisible(t, item);
        if (!IsShown(t, item)) return FALSE;
        t.firstVisible = item;
        InvalidateRect(t.hwnd, nullptr, TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}

HTREEITEM GetNextItem(Tree& t, WPARAM which, HTREEITEM item) {
    switch (which) {
    case TVGN_ROOT:
        return t.root.firstChild;
    case TVGN_CARET:
        return t.selected;
    case TVGN_DROPHILITE:
        return t.dropHilite;
    case TVGN_FIRSTVISIBLE:
        return TopItem(t);
    case TVGN_LASTVISIBLE:
        return LastShown(t);
    case TVGN_CHILD:
        if (!item || item == TVI_ROOT) return t.root.firstChild; // the children of no item are the top level
        break;
    default:
        break;
    }
    if (!t.Valid(item)) return nullptr;
    switch (which) {
    case TVGN_NEXT:
        return item->next;
    case TVGN_PREVIOUS:
        return item->prev;
    case TVGN_PARENT:
        return item->parent == &t.root ? nullptr : item->parent;
    case TVGN_CHILD:
        return item->firstChild;
    case TVGN_NEXTVISIBLE:
        return IsShown(t, item) ? NextShown(item) : nullptr;
    case TVGN_PREVIOUSVISIBLE:
        return IsShown(t, item) ? PrevShown(t, item) : nullptr;
    default:
        return nullptr;
    }
}

BOOL GetItem(Tree& t, TVITEMA* tv) {
    if (!tv || !t.Valid(tv->hItem)) return FALSE;
    HTREEITEM item = tv->hItem;
    UINT mask = tv->mask;
    DispInfo info = AskParent(t, item, CallbackFields(item, mask));
    if (!t.Valid(item)) return FALSE;
    if ((mask & TVIF_TEXT) && tv->pszText && tv->cchTextMax > 0) {
        size_t n = std::min(info.text.size(), static_cast<size_t>(tv->cchTextMax) - 1);
        std::copy_n(info.text.data(), n, tv->pszText);
        tv->pszText[n] = '\0';
    }
    if (mask & TVIF_IMAGE) tv->iImage = info.image;
    if (mask & TVIF_SELECTEDIMAGE) tv->iSelectedImage = info.selectedImage;
    if (mask & TVIF_PARAM) tv->lParam = item->lParam;
    if (mask & TVIF_STATE) tv->state = item->state & tv->stateMask;
    if (mask & TVIF_CHILDREN)
        tv->cChildren = !item->childrenSet                     ? (item->firstChild ? 1 : 0)
                        : item->children == I_CHILDRENCALLBACK ? info.children
                                                               : item->children;
    return TRUE;
}

BOOL SetItem(Tree& t, const TVITEMA* tv) {
    if (!tv || !t.Valid(tv->hItem)) return FALSE;
    HTREEITEM item = tv->hItem;
    UINT selected = item->state & TVIS_SELECTED;
    ApplyFields(item, *tv);
    // The selection is the caret's: a state change does not move it.
    item->state = (item->state & ~TVIS_SELECTED) | selected;
    InvalidateRect(t.hwnd, nullptr, TRUE);
    return TRUE;
}

// Stable sort of an item's children by text (callback texts as the parent gives them).
BOOL SortChildren(Tree& t, HTREEITEM parent, bool recurse) {
    if (!parent || parent == TVI_ROOT) parent = &t.root;
    if (parent != &t.root && !t.Valid(parent)) return FALSE;
    std::vector<std::pair<std::string, HTREEITEM>> kids;
    for (HTREEITEM c = parent->firstChild; c; c = c->next)
        kids.emplace_back(ItemText(t, c), c);
    std::stable_sort(kids.begin(), kids.end(), [](const auto& a, const auto& b) {
        return cp1252::CompareNoCase(a.first, b.first) < 0;
    });
    HTREEITEM after = nullptr;
    for (auto& [text, c] : kids) {
        Unlink(c);
        LinkAfter(parent, c, after);
        after = c;
        if (recurse) SortChildren(t, c, true);
    }
    InvalidateRect(t.hwnd, nullptr, TRUE);
    return TRUE;
}

} // namespace

LRESULT SendTreeCode(Tree& t, UINT code) {
    NMHDR hdr{};
    return SendToParent(t.hwnd, hdr, code);
}

LRESULT SendTreeNotify(Tree& t, UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, UINT mask) {
    NMTREEVIEWA nm{};
    nm.action = action;
    nm.itemOld = Describe(oldItem, mask);
    nm.itemNew = Describe(newItem, mask);
    return SendToParent(t.hwnd, nm.hdr, code);
}

bool HasChildren(Tree& t, HTREEITEM item) {
    if (!item->childrenSet) return item->firstChild != nullptr;
    if (item->children == I_CHILDRENCALLBACK) return AskParent(t, item, TVIF_CHILDREN).children > 0;
    return item->children > 0;
}

std::string ItemText(Tree& t, HTREEITEM item) {
    return item->textCallback ? AskParent(t, item, TVIF_TEXT).text : item->text;
}

BOOL ExpandItem(Tree& t, HTREEITEM item, UINT action, bool byUser) {
    if (!t.Valid(item)) return FALSE;
    switch (action & TVE_TOGGLE) {
    case TVE_EXPAND:
        return Expand(t, item, byUser);
    case TVE_COLLAPSE:
        return Collapse(t, item, action & TVE_COLLAPSERESET, byUser);
    case TVE_TOGGLE:
        return (item->state & TVIS_EXPANDED) ? Collapse(t, item, false, byUser) : Expand(t, item, byUser);
    default:
        return FALSE;
    }
}

BOOL SelectCaret(Tree& t, HTREEITEM item, UINT cause) {
    if (item && !t.Valid(item)) return FALSE;
    HWND hwnd = t.hwnd;
    HTREEITEM previous = t.selected;
    if (previous == item) {
        if (item) EnsureVisible(t, item);
        return TRUE;
    }
    if (SendTreeNotify(t, TVN_SELCHANGINGA, cause, previous, item, kSelectionMask)) return FALSE;
    if (!Alive(hwnd, &t) || (item && !t.Valid(item))) return FALSE;
    if (t.Valid(t.selected)) t.selected->state &= ~(TVIS_SELECTED | TVIS_FOCUSED);
    t.selected = item;
    if (item) {
        item->state |= TVIS_SELECTED | TVIS_FOCUSED;
        EnsureVisible(t, item);
        if (!Alive(hwnd, &t)) return TRUE;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    SendTreeNotify(t, TVN_SELCHANGEDA, cause, t.Valid(previous) ? previous : nullptr,
                   t.Valid(item) ? item : nullptr, kSelectionMask);
    return TRUE;
}

LRESULT CALLBACK TreeViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Tree* t = StateOf<Tree>(hwnd);
    if (!t && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCCREATE: {
        auto* state = new Tree;
        state->hwnd = hwnd;
        state->root.state = TVIS_EXPANDED;
        SetStateOf(hwnd, state);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    case WM_DESTROY:
        DeleteItem(*t, TVI_ROOT);
        return 0;
    case WM_NCDESTROY:
        delete t;
        SetStateOf<Tree>(hwnd, nullptr);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case TVM_INSERTITEMA:
        return reinterpret_cast<LRESULT>(Insert(*t, reinterpret_cast<const TVINSERTSTRUCTA*>(lParam)));
    case TVM_DELETEITEM:
        return DeleteItem(*t, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_EXPAND:
        return ExpandItem(*t, reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam), false);
    case TVM_GETITEMRECT: {
        // The item comes in the first bytes of the rectangle.
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect) return FALSE;
        HTREEITEM item;
        std::memcpy(&item, rect, sizeof item);
        if (!t->Valid(item)) return FALSE;
        return ItemRect(*t, item, wParam != 0, *rect);
    }
    case TVM_GETCOUNT:
        return static_cast<LRESULT>(t->live.size());
    case TVM_GETINDENT:
        return t->indent;
    case TVM_SETINDENT:
        t->indent = std::max(static_cast<int>(wParam), 0);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case TVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == TVSIL_NORMAL  ? t->normal
                                         : wParam == TVSIL_STATE ? t->stateImages
                                                                 : nullptr);
    case TVM_SETIMAGELIST: {
        HIMAGELIST* slot = wParam == TVSIL_NORMAL  ? &t->normal
                           : wParam == TVSIL_STATE ? &t->stateImages
                                                   : nullptr;
        if (!slot) return 0;
        HIMAGELIST old = *slot;
        *slot = reinterpret_cast<HIMAGELIST>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETNEXTITEM:
        return reinterpret_cast<LRESULT>(GetNextItem(*t, wParam, reinterpret_cast<HTREEITEM>(lParam)));
    case TVM_SELECTITEM:
        return Select(*t, wParam, reinterpret_cast<HTREEITEM>(lParam));
    case TVM_GETITEMA:
        return GetItem(*t, reinterpret_cast<TVITEMA*>(lParam));
    case TVM_SETITEMA:
        return SetItem(*t, reinterpret_cast<const TVITEMA*>(lParam));
    case TVM_GETVISIBLECOUNT:
        return VisibleRows(*t);
    case TVM_HITTEST: {
        auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
        return info ? reinterpret_cast<LRESULT>(HitTest(*t, *info)) : 0;
    }
    case TVM_SORTCHILDREN:
        return SortChildren(*t, reinterpret_cast<HTREEITEM>(lParam), wParam != 0);
    case TVM_ENSUREVISIBLE: {
        auto item = reinterpret_cast<HTREEITEM>(lParam);
        return t->Valid(item) ? EnsureVisible(*t, item) : FALSE;
    }
    case TVM_SETITEMHEIGHT: {
        // -1 goes back to the natural height; an odd height is rounded down unless TVS_NONEVENHEIGHT.
        int old = ItemHeight(*t);
        int height = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (height == -1) {
            t->itemHeight = 0;
        } else {
            if (!(t->Style() & TVS_NONEVENHEIGHT)) height &= ~1;
            t->itemHeight = std::max(height, 1);
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return old;
    }
    case TVM_GETITEMHEIGHT:
        return ItemHeight(*t);
    case TVM_SETBKCOLOR:
    case TVM_SETTEXTCOLOR: {
        COLORREF& slot = msg == TVM_SETBKCOLOR ? t->background : t->textColor;
        COLORREF old = slot;
        slot = static_cast<COLORREF>(lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return static_cast<LRESULT>(static_cast<LONG>(old));
    }
    case TVM_GETBKCOLOR:
        return static_cast<LRESULT>(static_cast<LONG>(t->background));
    case TVM_GETTEXTCOLOR:
        return static_cast<LRESULT>(static_cast<LONG>(t->textColor));
    case TVM_GETITEMSTATE: {
        auto item = reinterpret_cast<HTREEITEM>(wParam);
        return t->Valid(item) ? static_cast<LRESULT>(item->state & static_cast<UINT>(lParam)) : 0;
    }
    case WM_SETFONT:
        t->font = reinterpret_cast<HFONT>(wParam);
        if (lParam) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(t->font ? t->font : DefaultFont());
    case WM_SETFOCUS:
        t->focused = true;
        InvalidateRect(hwnd, nullptr, TRUE);
        SendTreeCode(*t, NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        t->focused = false;
        InvalidateRect(hwnd, nullptr, TRUE);
        SendTreeCode(*t, NM_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        LRESULT handled = OnMouse(*t, msg, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (msg == WM_RBUTTONUP && !handled) return DefWindowProcA(hwnd, msg, wParam, lParam);
        return 0;
    }
    case WM_KEYDOWN:
        return OnKeyDown(*t, wParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace emu::comctl32
