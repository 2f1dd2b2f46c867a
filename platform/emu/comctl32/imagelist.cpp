// Image lists. An image here is the identity of the icon (or bitmap) it was made from, so a test can ask
// which icon sits at an index; ImageList_GetIcon hands out a new icon with that identity, which the
// caller destroys. The lists of a desktop die with it; LiveImageListCount shows the ones not destroyed.
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/gdi32/Gdi.h"
#include "platform/emu/user32/WindowState.h"
#include <memory>
#include <unordered_map>
#include <vector>

struct _IMAGELIST {
    int cx = 16;
    int cy = 16;
    UINT flags = 0;
    int grow = 4;
    COLORREF background = CLR_NONE;
    std::vector<std::string> images;
};

namespace emu::comctl32 {

namespace {
struct Registry {
    std::unordered_map<HIMAGELIST, std::unique_ptr<_IMAGELIST>> lists;
};

Registry& Lists() {
    WindowState& s = S();
    if (!s.comctl32) s.comctl32 = std::make_shared<Registry>();
    return *static_cast<Registry*>(s.comctl32.get());
}

_IMAGELIST* Find(HIMAGELIST h) {
    auto& lists = Lists().lists;
    auto it = lists.find(h);
    return it == lists.end() ? nullptr : it->second.get();
}
} // namespace

size_t LiveImageListCount() {
    return S().comctl32 ? Lists().lists.size() : 0;
}

} // namespace emu::comctl32

using namespace emu;
using emu::comctl32::Find;
using emu::comctl32::Lists;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0) return nullptr;
    auto list = std::make_unique<_IMAGELIST>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->grow = grow;
    list->images.reserve(static_cast<size_t>(initial));
    HIMAGELIST h = list.get();
    Lists().lists.emplace(h, std::move(list));
    return h;
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST h) {
    if (!Find(h)) return FALSE;
    Lists().lists.erase(h);
    return TRUE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST h) {
    _IMAGELIST* l = Find(h);
    return l ? static_cast<int>(l->images.size()) : 0;
}

BOOL WINAPI ImageList_SetImageCount(HIMAGELIST h, UINT count) {
    _IMAGELIST* l = Find(h);
    if (!l) return FALSE;
    l->images.resize(count);
    return TRUE;
}

// A bitmap strip holds as many images as its width has image widths.
int WINAPI ImageList_Add(HIMAGELIST h, HBITMAP image, HBITMAP) {
    _IMAGELIST* l = Find(h);
    if (!l || !image) return -1;
    SIZE size{l->cx, l->cy};
    if (auto* o = S().gdi->Find(image)) size = o->size;
    int n = std::max(1, static_cast<int>(size.cx) / l->cx);
    int first = static_cast<int>(l->images.size());
    for (int i = 0; i < n; ++i)
        l->images.push_back("bitmap:" + std::to_string(reinterpret_cast<uintptr_t>(image)) + "#" +
                            std::to_string(i));
    return first;
}

int WINAPI ImageList_AddMasked(HIMAGELIST h, HBITMAP image, COLORREF) {
    return ImageList_Add(h, image, nullptr);
}

// Index -1 appends; the icon is copied, the caller keeps (and destroys) its own.
int WINAPI ImageList_ReplaceIcon(HIMAGELIST h, int i, HICON icon) {
    _IMAGELIST* l = Find(h);
    if (!l || !icon) return -1;
    std::string identity = S().manager.IconIdentity(icon);
    if (identity.empty()) return -1;
    if (i == -1) {
        l->images.push_back(identity);
        return static_cast<int>(l->images.size()) - 1;
    }
    if (i < 0 || i >= static_cast<int>(l->images.size())) return -1;
    l->images[static_cast<size_t>(i)] = identity;
    return i;
}

HICON WINAPI ImageList_GetIcon(HIMAGELIST h, int i, UINT) {
    _IMAGELIST* l = Find(h);
    if (!l || i < 0 || i >= static_cast<int>(l->images.size())) return nullptr;
    return S().manager.NewIcon(l->images[static_cast<size_t>(i)]);
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST h, int* cx, int* cy) {
    _IMAGELIST* l = Find(h);
    if (!l || !cx || !cy) return FALSE;
    *cx = l->cx;
    *cy = l->cy;
    return TRUE;
}

// Changing the size empties the list, as Windows does.
BOOL WINAPI ImageList_SetIconSize(HIMAGELIST h, int cx, int cy) {
    _IMAGELIST* l = Find(h);
    if (!l || cx <= 0 || cy <= 0) return FALSE;
    l->cx = cx;
    l->cy = cy;
    l->images.clear();
    return TRUE;
}

BOOL WINAPI ImageList_Remove(HIMAGELIST h, int i) {
    _IMAGELIST* l = Find(h);
    if (!l) return FALSE;
    if (i == -1) {
        l->images.clear();
        return TRUE;
    }
    if (i < 0 || i >= static_cast<int>(l->images.size())) return FALSE;
    l->images.erase(l->images.begin() + i);
    return TRUE;
}

BOOL WINAPI ImageList_Draw(HIMAGELIST h, int i, HDC, int, int, UINT) {
    _IMAGELIST* l = Find(h);
    return l && i >= 0 && i < static_cast<int>(l->images.size());
}

COLORREF WINAPI ImageList_SetBkColor(HIMAGELIST h, COLORREF color) {
    _IMAGELIST* l = Find(h);
    if (!l) return CLR_NONE;
    COLORREF old = l->background;
    l->background = color;
    return old;
}

COLORREF WINAPI ImageList_GetBkColor(HIMAGELIST h) {
    _IMAGELIST* l = Find(h);
    return l ? l->background : CLR_NONE;
}

HIMAGELIST WINAPI ImageList_Duplicate(HIMAGELIST h) {
    _IMAGELIST* l = Find(h);
    if (!l) return nullptr;
    auto copy = std::make_unique<_IMAGELIST>(*l);
    HIMAGELIST dup = copy.get();
    Lists().lists.emplace(dup, std::move(copy));
    return dup;
}
