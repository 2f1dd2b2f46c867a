// The column header, "SysHeader32": a row of items (text, width, format, data) that the list view keeps
// equal to its columns in report view, and that others may read with the HDM_ messages.
#include "platform/emu/comctl32/ListView.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cstring>

namespace emu::comctl32 {

namespace {

struct HeaderItem {
    std::u16string text;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM param = 0;
    int image = 0;
};

struct Header {
    std::vector<HeaderItem> items;
    HFONT font = nullptr;
};

template <class HD> void Read(HeaderItem& item, const HD* in) {
    if (in->mask & HDI_TEXT) item.text = InText(in->pszText);
    if (in->mask & HDI_WIDTH) item.width = in->cxy;
    if (in->mask & HDI_FORMAT) item.fmt = in->fmt;
    if (in->mask & HDI_LPARAM) item.param = in->lParam;
    if (in->mask & HDI_IMAGE) item.image = in->iImage;
}

template <class HD> LRESULT Insert(HWND hwnd, Header& h, int index, const HD* in) {
    if (!in || index < 0) return -1;
    index = std::min(index, static_cast<int>(h.items.size()));
    HeaderItem item;
    Read(item, in);
    h.items.insert(h.items.begin() + index, item);
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

template <class HD> LRESULT Set(HWND hwnd, Header& h, int index, const HD* in) {
    if (!in || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    Read(h.items[static_cast<size_t>(index)], in);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

template <class HD> LRESULT Get(const Header& h, int index, HD* out) {
    if (!out || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    const HeaderItem& item = h.items[static_cast<size_t>(index)];
    if (out->mask & HDI_TEXT) OutText(item.text, out->pszText, out->cchTextMax);
    if (out->mask & HDI_WIDTH) out->cxy = item.width;
    if (out->mask & HDI_FORMAT) out->fmt = item.fmt;
    if (out->mask & HDI_LPARAM) out->lParam = item.param;
    if (out->mask & HDI_IMAGE) out->iImage = item.image;
    if (out->mask & HDI_ORDER) out->iOrder = index;
    return TRUE;
}

LRESULT ItemRectOf(const Header& h, int index, RECT* rc) {
    if (!rc || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += h.items[static_cast<size_t>(i)].width;
    *rc = RECT{left, 0, left + h.items[static_cast<size_t>(index)].width, kHeaderHeight};
    return TRUE;
}

HDITEMA Mirror(const LvColumn& c, std::string& text) {
    text = WideToAnsi(c.text);
    HDITEMA hd{};
    hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    hd.pszText = text.data();
    hd.cxy = c.width;
    hd.fmt = (c.fmt & LVCFMT_JUSTIFYMASK) | HDF_STRING;
    return hd;
}

} // namespace

LRESULT CALLBACK HeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Header* p = StateOf<Header>(hwnd);
    if (!p && msg != WM_NCCREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    const int index = static_cast<int>(wParam);
    switch (msg) {
    case WM_NCCREATE:
        SetStateOf(hwnd, new Header);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        delete p;
        SetStateOf<Header>(hwnd, nullptr);
        return 0;
    case WM_SETFONT:
        p->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(p->font);
    case HDM_GETITEMCOUNT:
        return static_cast<LRESULT>(p->items.size());
    case HDM_INSERTITEMA:
        return Insert(hwnd, *p, index, reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_INSERTITEMW:
        return Insert(hwnd, *p, index, reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_SETITEMA:
        return Set(hwnd, *p, index, reinterpret_cast<const HDITEMA*>(lParam));
    case HDM_SETITEMW:
        return Set(hwnd, *p, index, reinterpret_cast<const HDITEMW*>(lParam));
    case HDM_GETITEMA:
        return Get(*p, index, reinterpret_cast<HDITEMA*>(lParam));
    case HDM_GETITEMW:
        return Get(*p, index, reinterpret_cast<HDITEMW*>(lParam));
    case HDM_DELETEITEM:
        if (index < 0 || index >= static_cast<int>(p->items.size())) return FALSE;
        p->items.erase(p->items.begin() + index);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case HDM_GETITEMRECT:
        return ItemRectOf(*p, index, reinterpret_cast<RECT*>(lParam));
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

void HeaderInsert(HWND header, int index, const LvColumn& column) {
    std::string text;
    HDITEMA hd = Mirror(column, text);
    SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hd));
}

void HeaderUpdate(HWND header, int index, const LvColumn& column) {
    std::string text;
    HDITEMA hd = Mirror(column, text);
    SendMessageA(header, HDM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hd));
}

void HeaderDelete(HWND header, int index) {
    SendMessageA(header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

} // namespace emu::comctl32
