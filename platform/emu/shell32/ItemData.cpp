// SHGetDataFromIDListA: the find data a file-system item carries, read from the item's bytes.
#include "platform/emu/api/shlobj_data.h"
#include "platform/emu/shell32/Items.h"
#include "platform/emu/shell32/Text.h"
#include <cstring>

using namespace emu::shell;

HRESULT WINAPI SHGetDataFromIDListA(IShellFolder* psf, LPCITEMIDLIST pidl, int nFormat, void* pv, int cb) {
    if (!psf || !pidl || !pv || nFormat != SHGDFIL_FINDDATA ||
        cb < static_cast<int>(sizeof(WIN32_FIND_DATAA)))
        return E_INVALIDARG;
    if (SizeOf(pidl) == 0) return E_INVALIDARG;
    // The item is the last of the list: the one the folder holds.
    LPCITEMIDLIST last = pidl;
    for (LPCITEMIDLIST p = NextOf(pidl); SizeOf(p) != 0; p = NextOf(p))
        last = p;
    auto item = ReadItem(last);
    if (!item || (item->type != ItemType::File && item->type != ItemType::Folder)) return E_INVALIDARG;
    auto* data = static_cast<WIN32_FIND_DATAA*>(pv);
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = item->attributes;
    data->nFileSizeHigh = static_cast<DWORD>(item->size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(item->size & 0xFFFFFFFF);
    data->ftLastWriteTime.dwHighDateTime = static_cast<DWORD>(item->written >> 32);
    data->ftLastWriteTime.dwLowDateTime = static_cast<DWORD>(item->written & 0xFFFFFFFF);
    const std::string name = Utf8ToAnsi(item->name);
    std::strncpy(data->cFileName, name.c_str(), MAX_PATH - 1);
    return S_OK;
}
