#include "support/mmShellMacro.h"
#include "support/CaseFold.h"
#include "support/ThreadState.h"
#include "support/mmFile.h"
#include <cstring>
#include <vector>

namespace vireo {

namespace {

// IID_IShellFolder, built once.
const GUID& IidShellFolder() {
    static const GUID iid = [] {
        GUID guid{};
        MakeOleGuid(guid, 0x000214E6, 0, 0);
        return guid;
    }();
    return iid;
}

LPITEMIDLIST AsPidl(LONG_PTR pidl) {
    return reinterpret_cast<LPITEMIDLIST>(pidl);
}
LONG_PTR AsNumber(const void* p) {
    return reinterpret_cast<LONG_PTR>(p);
}

// The 16-bit size field at an address; items are packed, so it may be unaligned.
uint16_t SizeAt(LONG_PTR p) {
    uint16_t cb;
    std::memcpy(&cb, reinterpret_cast<const void*>(p), sizeof cb);
    return cb;
}

std::vector<WCHAR> ToWide(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> wide(n > 0 ? n : 1, 0);
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, wide.data(), n);
    return wide;
}

// UTF-16 text in the ANSI code page; a character the code page cannot hold becomes the digit 0.
std::string FromWide(LPCWSTR text) {
    int n = lstrlenW(text);
    if (n == 0) return std::string();
    std::vector<char> buffer(2 * n + 1, 0);
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer.data(), static_cast<int>(buffer.size()), "0", nullptr);
    return std::string(buffer.data());
}

// A folder BindToFolder gave: one reference, released when it goes.
using FolderRef = RefPtr<IShellFolder>;

} // namespace

IMalloc* GetMalloc() {
    IMalloc*& cached = Shared().shellMalloc;
    if (!cached) {
        IMalloc* malloc = nullptr;
        if (SHGetMalloc(&malloc) == S_OK && malloc) cached = malloc;
    }
    return cached;
}

IShellFolder* GetDesktopFolder() {
    IShellFolder*& cached = Shared().desktopFolder;
    if (!cached) {
        IShellFolder* desktop = nullptr;
        if (SHGetDesktopFolder(&desktop) == S_OK && desktop) cached = desktop;
    }
    return cached;
}

void MakeGuid(GUID& guid, DWORD data1, WORD data2, WORD data3, BYTE b0, BYTE b1, BYTE b2, BYTE b3, BYTE b4,
              BYTE b5, BYTE b6, BYTE b7) {
    guid.Data1 = data1;
    guid.Data2 = data2;
    guid.Data3 = data3;
    const BYTE bytes[8] = {b0, b1, b2, b3, b4, b5, b6, b7};
    std::memcpy(guid.Data4, bytes, sizeof bytes);
}

void MakeOleGuid(GUID& guid, DWORD data1, WORD data2, WORD data3) {
    MakeGuid(guid, data1, data2, data3, 0xC0, 0, 0, 0, 0, 0, 0, 0x46);
}

bool IsSucceeded(HRESULT hr) {
    return hr >= 0;
}

int16_t PidlItemSize(LONG_PTR pidl) {
    return pidl ? static_cast<int16_t>(SizeAt(pidl)) : 0;
}

LONG_PTR NextPidlItem(LONG_PTR pidl) {
    if (!pidl) return 0;
    uint16_t cb = SizeAt(pidl);
    return cb == 0 ? 0 : pidl + cb;
}

int16_t PidlItemCount(LONG_PTR pidl) {
    if (!pidl) return 0;
    int count = 0;
    for (uint16_t cb = SizeAt(pidl); cb != 0; cb = SizeAt(pidl)) {
        ++count;
        pidl += cb;
    }
    return static_cast<int16_t>(count);
}

int16_t PidlSize(LONG_PTR pidl) {
    if (!pidl) return 0;
    int size = 2;
    for (uint16_t cb = SizeAt(pidl); cb != 0; cb = SizeAt(pidl)) {
        size += cb;
        pidl += cb;
    }
    return static_cast<int16_t>(size);
}

LONG_PTR CopyPidlItem(LONG_PTR pidl, int16_t n) {
    if (!pidl) return 0;
    int16_t count = PidlItemCount(pidl);
    if (n > count || n == -1) n = count;
    for (int i = 1; i < n; ++i)
        pidl = NextPidlItem(pidl);
    uint16_t cb = SizeAt(pidl);
    LONG_PTR copy = AllocZeroed(cb + 2);
    if (!copy) return 0;
    std::memcpy(reinterpret_cast<void*>(copy), reinterpret_cast<const void*>(pidl), cb);
    return copy; // the two bytes after the item are already the terminator
}

LONG_PTR AllocZeroed(LONG size) {
    IMalloc* malloc = GetMalloc();
    if (!malloc || size < 0) return 0;
    void* p = malloc->Alloc(static_cast<SIZE_T>(size));
    if (!p) return 0;
    std::memset(p, 0, static_cast<size_t>(size));
    return AsNumber(p);
}

LONG_PTR ConcatPidls(LONG_PTR first, LONG_PTR second, bool bFreeFirst, bool bFreeSecond) {
    int size1 = first ? PidlSize(first) - 2 : 0;
    int size2 = second ? PidlSize(second) - 2 : 0;
    LONG_PTR joined = AllocZeroed(size1 + size2 + 2);
    if (joined) {
        auto* out = reinterpret_cast<BYTE*>(joined);
        if (size1) std::memcpy(out, reinterpret_cast<const void*>(first), size1);
        if (size2) std::memcpy(out + size1, reinterpret_cast<const void*>(second), size2);
    }
    if (bFreeFirst && first) FreePidl(first);
    if (bFreeSecond && second) FreePidl(second);
    return joined;
}

LONG_PTR FreePidl(LONG_PTR pidl) {
    if (pidl) {
        if (IMalloc* malloc = GetMalloc())
            malloc->Free(AsPidl(pidl));
        else
            CoTaskMemFree(AsPidl(pidl));
    }
    return 0;
}

bool IsAllocatedPidl(LONG_PTR pidl) {
    IMalloc* malloc = GetMalloc();
    if (!pidl || !malloc || malloc->DidAlloc(AsPidl(pidl)) == 0) return false;
    const SIZE_T block = malloc->GetSize(AsPidl(pidl));
    if (block == static_cast<SIZE_T>(-1)) return false;
    const SIZE_T end = block < 32766 ? block : 32766; // a whole list is shorter than 32767 bytes
    for (SIZE_T at = 0; at + 2 <= end;) {
        const uint16_t cb = SizeAt(pidl + static_cast<LONG_PTR>(at));
        if (cb == 0) return true;
        if (cb < 2) return false;
        at += cb;
    }
    return false;
}

Variant PidlToBytes(LONG_PTR pidl) {
    if (!pidl) return Variant();
    const auto* bytes = reinterpret_cast<const uint8_t*>(pidl);
    return Variant::Bytes(std::vector<uint8_t>(bytes, bytes + static_cast<uint16_t>(PidlSize(pidl))));
}

LONG_PTR SpecialFolderPidl(HWND hwndOwner, int nCsidl) {
    LPITEMIDLIST pidl = nullptr;
    if (SHGetSpecialFolderLocation(hwndOwner, nCsidl, &pidl) == S_OK && pidl) return AsNumber(pidl);
    return 0;
}

LONG_PTR PidlFromPath(HWND hwndOwner, const std::string& sPath) {
    IShellFolder* desktop = GetDesktopFolder();
    if (!desktop) return 0;
    std::vector<WCHAR> wide = ToWide(sPath);
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0, attributes = 0;
    HRESULT hr = desktop->ParseDisplayName(hwndOwner, nullptr, wide.data(), &eaten, &pidl, &attributes);
    if (IsSucceeded(hr) && pidl) return AsNumber(pidl);
    return 0;
}

LONG_PTR PidlFromPathEx(HWND hwndOwner, const std::string& sPath) {
    if (sPath.empty()) return 0;
    std::string path = RemoveTrailingSep(sPath);
    if (LONG_PTR pidl = PidlFromPath(hwndOwner, path)) return pidl;
    if (path.size() < 3 || path.compare(1, 2, ":\\") != 0) return 0;
    UniquePidl pidl(PidlFromPath(hwndOwner, path.substr(0, 3)));
    std::string rest = path.substr(3);
    size_t start = 0;
    while (pidl && !rest.empty()) {
        size_t end = rest.find('\\', start);
        std::string part = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        pidl.reset(ChildPidlByName(pidl.get(), part));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return pidl.release();
}

std::string DisplayNameOf(IShellFolder* folder, LONG_PTR pidl, DWORD nFlags) {
    if (!folder) return std::string();
    STRRET strret{};
    if (!IsSucceeded(folder->GetDisplayNameOf(AsPidl(pidl), nFlags, &strret))) return std::string();
    return StrRetToString(strret, pidl);
}

std::string StrRetToString(STRRET& strret, LONG_PTR pidl) {
    switch (strret.uType) {
    case STRRET_WSTR: {
        if (!strret.pOleStr) return std::string();
        std::string text = FromWide(strret.pOleStr);
        CoTaskMemFree(strret.pOleStr);
        strret.pOleStr = nullptr;
        return text;
    }
    case STRRET_OFFSET:
        return pidl ? std::string(reinterpret_cast<const char*>(pidl) + strret.uOffset) : std::string();
    case STRRET_CSTR:
        return std::string(strret.cStr, strnlen(strret.cStr, sizeof strret.cStr));
    default:
        return std::string();
    }
}

IShellFolder* BindToFolder(IShellFolder* folder, LONG_PTR pidl) {
    IShellFolder* bound = nullptr;
    if (folder && pidl) {
        void* object = nullptr;
        if (IsSucceeded(folder->BindToObject(AsPidl(pidl), nullptr, IidShellFolder(), &object)) && object)
            bound = static_cast<IShellFolder*>(object);
    }
    if (!bound) {
        bound = GetDesktopFolder();
        if (bound) bound->AddRef();
    }
    return bound;
}

LONG_PTR FindChildItem(LONG_PTR parentPidl, const std::string& sName) {
    const FolderRef folder = FolderRef::Adopt(BindToFolder(GetDesktopFolder(), parentPidl));
    if (!folder.get()) return 0;
    IEnumIDList* enumerator = nullptr;
    HRESULT hr = folder.get()->EnumObjects(
        nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &enumerator);
    const RefPtr<IEnumIDList> items = RefPtr<IEnumIDList>::Adopt(enumerator);
    if (hr != S_OK || !items) return 0;
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (items->Next(1, &item, &fetched) == S_OK) {
        UniquePidl child(AsNumber(item));
        if (SameTextNoCase(DisplayNameOf(folder.get(), child.get(), SHGDN_NORMAL), sName))
            return child.release();
    }
    return 0;
}

LONG_PTR ChildPidlByName(LONG_PTR parentPidl, const std::string& sName) {
    LONG_PTR relative = FindChildItem(parentPidl, sName);
    if (!relative) return 0;
    return ConcatPidls(parentPidl, relative, false, true);
}

bool CanEnumerate(HWND hwndOwner, LONG_PTR pidl) {
    const FolderRef folder = FolderRef::Adopt(BindToFolder(GetDesktopFolder(), pidl));
    if (!folder.get()) return false;
    IEnumIDList* items = nullptr;
    HRESULT hr = folder.get()->EnumObjects(
        hwndOwner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, &items);
    if (items) items->Release();
    return IsSucceeded(hr);
}

bool IsFolderAccessible(HWND hwndOwner, const std::string& sPath) {
    const UniquePidl pidl(PidlFromPathEx(hwndOwner, sPath));
    return pidl && CanEnumerate(hwndOwner, pidl.get());
}

std::string PidlDisplayPath(LONG_PTR pidl) {
    IShellFolder* desktop = GetDesktopFolder();
    if (!desktop) return std::string();
    std::string text = DisplayNameOf(desktop, 0, SHGDN_INFOLDER) + "\\";
    FolderRef folder(desktop);
    int16_t count = PidlItemCount(pidl);
    for (int16_t n = 1; n <= count; ++n) {
        const UniquePidl item(CopyPidlItem(pidl, n));
        if (!item) break;
        text += DisplayNameOf(folder.get(), item.get(), SHGDN_INFOLDER) + "\\";
        void* object = nullptr;
        HRESULT hr = folder.get()->BindToObject(AsPidl(item.get()), nullptr, IidShellFolder(), &object);
        if (!IsSucceeded(hr) || !object) break;
        folder = FolderRef::Adopt(static_cast<IShellFolder*>(object));
    }
    return text;
}

DWORD_PTR FileInfo(const Variant& item, UINT nFlags, SHFILEINFOA& info) {
    if (item.HoldsText()) {
        std::string path = item.Text();
        return SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, nFlags);
    }
    LONG_PTR pidl = item.IsLong() ? static_cast<LONG_PTR>(item.LongValue()) : 0;
    return SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, nFlags | SHGFI_PIDL);
}

LONG FileAttributes(const Variant& item) {
    SHFILEINFOA info{};
    if (!FileInfo(item, SHGFI_ATTRIBUTES, info)) return 0;
    return static_cast<LONG>(info.dwAttributes);
}

std::string DisplayNameOfPath(const Variant& item) {
    SHFILEINFOA info{};
    if (!FileInfo(item, SHGFI_DISPLAYNAME, info)) return std::string();
    return std::string(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName));
}

std::string GetTypeName(const std::string& sPath, UINT nFlags) {
    SHFILEINFOA info{};
    if (!SHGetFileInfoA(sPath.c_str(), 0, &info, sizeof info, nFlags | SHGFI_TYPENAME)) return std::string();
    return std::string(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName));
}

} // namespace vireo
