// Item-ID list helpers as shell32 exports them. They step through items by their size fields; every new
// list comes from the shell allocator and belongs to the caller.
#include "platform/emu/api/shlobj.h"
#include <cstring>

namespace {

USHORT ItemSize(LPCITEMIDLIST pidl) {
    USHORT cb;
    std::memcpy(&cb, pidl, sizeof cb); // items are packed: the size may lie at an odd address
    return cb;
}

const BYTE* Bytes(LPCITEMIDLIST pidl) {
    return reinterpret_cast<const BYTE*>(pidl);
}

LPCITEMIDLIST Next(LPCITEMIDLIST pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(Bytes(pidl) + ItemSize(pidl));
}

// The bytes of the items, without the terminator.
UINT ItemsSize(LPCITEMIDLIST pidl) {
    UINT size = 0;
    for (; ItemSize(pidl) != 0; pidl = Next(pidl))
        size += ItemSize(pidl);
    return size;
}

LPITEMIDLIST Join(LPCITEMIDLIST first, UINT firstSize, LPCITEMIDLIST second, UINT secondSize) {
    auto* out = static_cast<BYTE*>(CoTaskMemAlloc(firstSize + secondSize + 2));
    if (!out) return nullptr;
    if (firstSize) std::memcpy(out, first, firstSize);
    if (secondSize) std::memcpy(out + firstSize, second, secondSize);
    out[firstSize + secondSize] = 0;
    out[firstSize + secondSize + 1] = 0;
    return reinterpret_cast<LPITEMIDLIST>(out);
}

} // namespace

UINT WINAPI ILGetSize(LPCITEMIDLIST pidl) {
    return pidl ? ItemsSize(pidl) + 2 : 0;
}

// NULL for NULL and for the terminator itself; otherwise the next item, which may be the terminator.
LPITEMIDLIST WINAPI ILGetNext(LPCITEMIDLIST pidl) {
    if (!pidl || ItemSize(pidl) == 0) return nullptr;
    return const_cast<LPITEMIDLIST>(Next(pidl));
}

// The last item; the terminator of an empty list.
LPITEMIDLIST WINAPI ILFindLastID(LPCITEMIDLIST pidl) {
    if (!pidl) return nullptr;
    LPCITEMIDLIST last = pidl;
    for (LPCITEMIDLIST p = pidl; ItemSize(p) != 0; p = Next(p))
        last = p;
    return const_cast<LPITEMIDLIST>(last);
}

// FALSE for NULL and for an empty list; otherwise the last item becomes the terminator.
BOOL WINAPI ILRemoveLastID(LPITEMIDLIST pidl) {
    if (!pidl || ItemSize(pidl) == 0) return FALSE;
    LPITEMIDLIST last = ILFindLastID(pidl);
    std::memset(last, 0, sizeof(USHORT));
    return TRUE;
}

LPITEMIDLIST WINAPI ILClone(LPCITEMIDLIST pidl) {
    if (!pidl) return nullptr;
    return Join(pidl, ItemsSize(pidl), nullptr, 0);
}

LPITEMIDLIST WINAPI ILCloneFirst(LPCITEMIDLIST pidl) {
    if (!pidl) return nullptr;
    return Join(pidl, ItemSize(pidl), nullptr, 0);
}

// NULL when both are NULL; a copy of the other when one is.
LPITEMIDLIST WINAPI ILCombine(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    if (!pidl1 && !pidl2) return nullptr;
    return Join(pidl1, pidl1 ? ItemsSize(pidl1) : 0, pidl2, pidl2 ? ItemsSize(pidl2) : 0);
}

void WINAPI ILFree(LPITEMIDLIST pidl) {
    CoTaskMemFree(pidl);
}
