#include "components/VireoTV/ShellFolders.h"
#include "support/mmFile.h"
#include "support/mmShellMacro.h"
#include <cstring>

namespace vireo::vtv {

namespace {

LPCITEMIDLIST AsList(LONG_PTR pidl) {
    return reinterpret_cast<LPCITEMIDLIST>(pidl);
}

SHFILEINFOA Info(LONG_PTR pidl, UINT flags, DWORD_PTR& result) {
    SHFILEINFOA info{};
    result = SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, flags | SHGFI_PIDL);
    return info;
}

} // namespace

IShellFolder* BindFolder(LONG_PTR pidl) {
    IShellFolder* desktop = GetDesktopFolder();
    if (!desktop || !pidl) return nullptr;
    if (PidlItemCount(pidl) == 0) {
        desktop->AddRef();
        return desktop;
    }
    void* bound = nullptr;
    if (FAILED(desktop->BindToObject(AsList(pidl), nullptr, IID_IShellFolder, &bound))) return nullptr;
    return static_cast<IShellFolder*>(bound);
}

bool ListSubfolders(LONG_PTR pidl, HWND owner, std::vector<Subfolder>& folders) {
    folders.clear();
    const RefPtr<IShellFolder> folder = RefPtr<IShellFolder>::Adopt(BindFolder(pidl));
    if (!folder) return false;
    IEnumIDList* enumerator = nullptr;
    // S_FALSE (and no enumerator) is how a folder the user declined to open answers.
    HRESULT hr = folder->EnumObjects(owner, SHCONTF_FOLDERS, &enumerator);
    const RefPtr<IEnumIDList> items = RefPtr<IEnumIDList>::Adopt(enumerator);
    if (hr != S_OK || !items) return false;
    LPITEMIDLIST item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK && item) {
        const UniquePidl child(reinterpret_cast<LONG_PTR>(item));
        LPCITEMIDLIST one[] = {item};
        SFGAOF attributes = kListedAttributes;
        if (FAILED(folder->GetAttributesOf(1, one, &attributes))) attributes = 0;
        // Only browsable folders: a compressed file that the shell also shows as a folder is a stream.
        if ((attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM)) {
            Subfolder sub;
            sub.name = DisplayNameOf(folder.get(), child.get(), SHGDN_INFOLDER);
            sub.attributes = static_cast<LONG>(attributes);
            sub.pidl.reset(ConcatPidls(pidl, child.get(), false, false));
            if (sub.pidl) folders.push_back(std::move(sub));
        }
        item = nullptr;
    }
    return true;
}

bool CanList(LONG_PTR pidl) {
    const RefPtr<IShellFolder> folder = RefPtr<IShellFolder>::Adopt(BindFolder(pidl));
    if (!folder) return false;
    IEnumIDList* items = nullptr;
    HRESULT hr = folder->EnumObjects(nullptr, SHCONTF_FOLDERS, &items);
    if (items) items->Release();
    return hr == S_OK;
}

LONG ItemAttributes(LONG_PTR pidl, SFGAOF mask) {
    SHFILEINFOA info{};
    info.dwAttributes = mask;
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                        SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED))
        return 0;
    return static_cast<LONG>(info.dwAttributes & mask);
}

int SmallIconIndex(LONG_PTR pidl, bool open) {
    DWORD_PTR result = 0;
    SHFILEINFOA info = Info(pidl, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0), result);
    return result ? info.iIcon : 0;
}

HIMAGELIST SmallSystemImageList() {
    const UniquePidl desktop(AllocZeroed(2));
    DWORD_PTR result = 0;
    Info(desktop.get(), SHGFI_SYSICONINDEX | SHGFI_SMALLICON, result);
    return reinterpret_cast<HIMAGELIST>(result);
}

std::string FolderPath(LONG_PTR pidl, LONG attributes) {
    if (!(static_cast<SFGAOF>(attributes) & SFGAO_FILESYSTEM)) return std::string();
    char path[MAX_PATH] = "";
    if (!SHGetPathFromIDListA(AsList(pidl), path)) return std::string();
    return AddTrailingSep(path);
}

std::string DesktopName() {
    return DisplayNameOf(GetDesktopFolder(), 0, SHGDN_INFOLDER);
}

std::string ListBytes(LONG_PTR pidl) {
    if (!pidl) return std::string();
    return std::string(reinterpret_cast<const char*>(pidl), static_cast<size_t>(PidlSize(pidl) - 2));
}

LONG_PTR ItemAt(LONG_PTR pidl, int n) {
    for (int i = 1; pidl && i < n; ++i)
        pidl = NextPidlItem(pidl);
    return pidl;
}

std::string PrefixBytes(LONG_PTR pidl, int n) {
    if (!pidl) return std::string();
    LONG_PTR end = ItemAt(pidl, n + 1);
    if (!end) end = pidl + PidlSize(pidl) - 2;
    return std::string(reinterpret_cast<const char*>(pidl), static_cast<size_t>(end - pidl));
}

bool SameItem(IShellFolder* folder, LONG_PTR item1, LONG_PTR item2) {
    if (!folder || !item1 || !item2) return false;
    HRESULT hr = folder->CompareIDs(0, AsList(item1), AsList(item2));
    return SUCCEEDED(hr) && static_cast<short>(HRESULT_CODE(hr)) == 0;
}

} // namespace vireo::vtv
