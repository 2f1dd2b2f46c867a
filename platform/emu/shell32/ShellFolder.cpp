#include "platform/emu/shell32/ShellFolder.h"
#include "platform/emu/ole32/ComObject.h"
#include "platform/emu/shell32/ContextMenu.h"
#include "platform/emu/shell32/Host.h"
#include "platform/emu/shell32/Text.h"
#include <filesystem>
#include <memory>
#include <vector>

namespace emu::shell {

namespace {

// Lists the items a folder had when EnumObjects was called; each Next hands out new lists.
class EnumIDList final : public ComObject<IEnumIDList> {
public:
    explicit EnumIDList(std::shared_ptr<const std::vector<std::string>> items, size_t position = 0)
        : ComObject(IID_IEnumIDList), m_items(std::move(items)), m_position(position) {}

    // More than one item at a time needs somewhere to say how many came.
    STDMETHODIMP Next(ULONG celt, LPITEMIDLIST* rgelt, ULONG* pceltFetched) override {
        if (!rgelt || (celt > 1 && !pceltFetched)) return E_INVALIDARG;
        ULONG fetched = 0;
        while (fetched < celt && m_position < m_items->size()) {
            LPITEMIDLIST pidl = AllocList((*m_items)[m_position]);
            if (!pidl) break;
            rgelt[fetched++] = pidl;
            ++m_position;
        }
        if (pceltFetched) *pceltFetched = fetched;
        return fetched == celt ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG celt) override {
        size_t left = m_items->size() - m_position;
        m_position += std::min<size_t>(celt, left);
        return celt <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumIDList** ppenum) override {
        if (!ppenum) return E_POINTER;
        *ppenum = new EnumIDList(m_items, m_position);
        return S_OK;
    }

private:
    std::shared_ptr<const std::vector<std::string>> m_items;
    size_t m_position;
};

class ShellFolder : public ComObject<IShellFolder> {
public:
    explicit ShellFolder(Node node) : ComObject(IID_IShellFolder), m_node(std::move(node)) {}

    STDMETHODIMP ParseDisplayName(HWND, LPBC, LPWSTR pszDisplayName, ULONG* pchEaten, LPITEMIDLIST* ppidl,
                                  ULONG* pdwAttributes) override {
        if (!ppidl) return E_INVALIDARG;
        *ppidl = nullptr;
        if (!pszDisplayName) return E_INVALIDARG;
        std::u16string wide(pszDisplayName);
        std::string packed;
        HRESULT hr = ParseName(m_node, Utf16ToUtf8(wide), packed);
        if (FAILED(hr)) return hr;
        if (pdwAttributes && *pdwAttributes) {
            std::string terminated = packed + std::string(2, '\0');
            auto node = Descend(m_node, reinterpret_cast<LPCITEMIDLIST>(terminated.data()));
            *pdwAttributes = node ? (*pdwAttributes & Attributes(*node, *pdwAttributes)) : 0;
        }
        *ppidl = AllocList(packed);
        if (!*ppidl) return E_OUTOFMEMORY;
        if (pchEaten) *pchEaten = static_cast<ULONG>(wide.size());
        return S_OK;
    }

    // A drive without a medium fails with ERROR_NOT_READY; given an owner window, Windows first tells the
    // user so in a message box and then answers ERROR_CANCELLED.
    STDMETHODIMP EnumObjects(HWND hwnd, SHCONTF grfFlags, IEnumIDList** ppenum) override {
        if (!ppenum) return E_INVALIDARG;
        *ppenum = nullptr;
        auto items = std::make_shared<std::vector<std::string>>();
        HRESULT hr = ListChildren(m_node, grfFlags, *items);
        if (hr == HRESULT_FROM_WIN32(ERROR_NOT_READY) && hwnd) {
            ReportNotReady(hwnd, m_node.path);
            return HRESULT_FROM_WIN32(ERROR_CANCELLED);
        }
        if (FAILED(hr)) return hr;
        *ppenum = new EnumIDList(std::move(items));
        return S_OK;
    }

    // Binding does not look at the folder itself: a folder that has gone fails only when it is listed.
    STDMETHODIMP BindToObject(LPCITEMIDLIST pidl, LPBC, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!pidl || SizeOf(pidl) == 0) return E_INVALIDARG;
        auto node = Descend(m_node, pidl);
        if (!node) return E_INVALIDARG;
        if (!node->IsFolder()) return E_NOINTERFACE;
        IShellFolder* folder = NewFolder(*node);
        HRESULT hr = folder->QueryInterface(riid, ppv);
        folder->Release();
        return hr;
    }

    STDMETHODIMP BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void** ppv) override {
        if (ppv) *ppv = nullptr;
        return E_NOTIMPL;
    }

    // The low 16 bits of the result order the lists: negative, 0 or positive, level by level.
    STDMETHODIMP CompareIDs(LPARAM, LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) override {
        if (!pidl1 || !pidl2) return E_INVALIDARG;
        FileTypes types;
        Node a = m_node, b = m_node;
        LPCITEMIDLIST p = pidl1, q = pidl2;
        for (;;) {
            bool endA = SizeOf(p) == 0, endB = SizeOf(q) == 0;
            if (endA || endB) return Result(endA && endB ? 0 : endA ? -1 : 1);
            auto itemA = ReadItem(p);
            auto itemB = ReadItem(q);
            if (!itemA || !itemB) return E_INVALIDARG;
            auto childA = ChildOf(a, *itemA);
            auto childB = ChildOf(b, *itemB);
            if (!childA || !childB) return E_INVALIDARG;
            if (int order = CompareNodes(*childA, *childB, types)) return Result(order);
            a = std::move(*childA);
            b = std::move(*childB);
            p = NextOf(p);
            q = NextOf(q);
        }
    }

    STDMETHODIMP CreateViewObject(HWND, REFIID, void** ppv) override {
        if (ppv) *ppv = nullptr;
        return E_NOINTERFACE;
    }

    // With no items, the folder's own attributes. SFGAO_VALIDATE checks that the items still exist.
    STDMETHODIMP GetAttributesOf(UINT cidl, PCUITEMID_CHILD_ARRAY apidl, SFGAOF* rgfInOut) override {
        if (!rgfInOut || (cidl && !apidl)) return E_INVALIDARG;
        SFGAOF mask = *rgfInOut;
        if (cidl == 0) {
            *rgfInOut &= Attributes(m_node, mask);
            return S_OK;
        }
        for (UINT i = 0; i < cidl; ++i) {
            auto node = apidl[i] ? Descend(m_node, apidl[i]) : std::nullopt;
            if (!node) return E_INVALIDARG;
            if ((mask & SFGAO_VALIDATE) && node->IsFileSystem()) {
                std::error_code ec;
                if (node->host.empty() || !std::filesystem::exists(node->host, ec)) return E_FAIL;
            }
            *rgfInOut &= Attributes(*node, mask);
        }
        *rgfInOut &= ~SFGAO_VALIDATE;
        return S_OK;
    }

    STDMETHODIMP GetUIObjectOf(HWND, UINT cidl, PCUITEMID_CHILD_ARRAY apidl, REFIID riid, UINT*,
                               void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (!(riid == IID_IContextMenu)) return E_NOINTERFACE;
        if (cidl == 0 || !apidl) return E_INVALIDARG;
        std::vector<Node> nodes;
        for (UINT i = 0; i < cidl; ++i) {
            auto node = apidl[i] ? Descend(m_node, apidl[i]) : std::nullopt;
            if (!node) return E_INVALIDARG;
            nodes.push_back(std::move(*node));
        }
        *ppv = NewContextMenu(std::move(nodes));
        return S_OK;
    }

    // NULL or an empty list names the folder itself. The answer is always a STRRET_WSTR.
    STDMETHODIMP GetDisplayNameOf(LPCITEMIDLIST pidl, SHGDNF uFlags, STRRET* pName) override {
        if (!pName) return E_INVALIDARG;
        std::optional<Node> node;
        if (!pidl || SizeOf(pidl) == 0)
            node = m_node;
        else
            node = Descend(m_node, pidl);
        if (!node) return E_INVALIDARG;
        pName->uType = STRRET_WSTR;
        pName->pOleStr = TaskString(DisplayName(*node, uFlags, Types()));
        return pName->pOleStr ? S_OK : E_OUTOFMEMORY;
    }

    // Renames a file-system item in place. A name typed without the hidden extension of a registered
    // type keeps that extension, as in Explorer.
    STDMETHODIMP SetNameOf(HWND, LPCITEMIDLIST pidl, LPCWSTR pszName, SHGDNF uFlags,
                           LPITEMIDLIST* ppidlOut) override {
        if (ppidlOut) *ppidlOut = nullptr;
        if (!pidl || !pszName || SizeOf(pidl) == 0 || SizeOf(NextOf(pidl)) != 0) return E_INVALIDARG;
        auto node = Descend(m_node, pidl);
        if (!node || (node->kind != NodeKind::Folder && node->kind != NodeKind::File) || node->host.empty())
            return E_INVALIDARG;
        std::string name = Utf16ToUtf8(pszName);
        if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos)
            return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
        if (node->kind == NodeKind::File && !(uFlags & SHGDN_FORPARSING)) {
            std::string ext = ExtensionOf(node->name);
            if (DisplayName(*node, SHGDN_INFOLDER, Types()) != node->name &&
                !EqualNoCase(ExtensionOf(name), ext))
                name += ext;
        }
        std::filesystem::path target = std::filesystem::path(node->host).parent_path() /
                                       std::filesystem::path(std::u8string(name.begin(), name.end()));
        std::error_code ec;
        if (std::filesystem::exists(target, ec) && !EqualNoCase(name, node->name))
            return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS);
        std::filesystem::rename(node->host, target, ec);
        if (ec) return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
        if (ppidlOut) {
            *ppidlOut = AllocList(PackFileItem(node->kind == NodeKind::Folder, name,
                                               FileDetails{node->attributes, node->size, node->written}));
            if (!*ppidlOut) return E_OUTOFMEMORY;
        }
        return S_OK;
    }

protected:
    virtual FileTypes& Types() { return m_types; }

private:
    static HRESULT Result(int order) { return MAKE_HRESULT(SEVERITY_SUCCESS, 0, static_cast<USHORT>(order)); }

    Node m_node;
    FileTypes m_types;
};

// The desktop lives as long as the process and serves every emulated desktop in turn, so it keeps no
// file types between calls: each call looks them up afresh.
class Desktop final : public ShellFolder {
public:
    Desktop() : ShellFolder(DesktopNode()) {}
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

protected:
    FileTypes& Types() override {
        m_fresh = FileTypes();
        return m_fresh;
    }

private:
    FileTypes m_fresh;
};

} // namespace

IShellFolder* DesktopFolder() {
    static Desktop* desktop = new Desktop; // never destroyed: callers may cache it for the process
    return desktop;
}

IShellFolder* NewFolder(const Node& node) {
    if (!node.IsFolder()) return nullptr;
    if (node.kind == NodeKind::Desktop) return DesktopFolder();
    return new ShellFolder(node);
}

} // namespace emu::shell

HRESULT WINAPI SHGetDesktopFolder(IShellFolder** ppshf) {
    if (!ppshf) return E_INVALIDARG;
    *ppshf = emu::shell::DesktopFolder();
    return S_OK;
}

// Two lists are equal when the desktop orders them the same, so the case of a file name does not matter.
BOOL WINAPI ILIsEqual(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2) {
    if (!pidl1 || !pidl2) return FALSE;
    HRESULT hr = emu::shell::DesktopFolder()->CompareIDs(0, pidl1, pidl2);
    return SUCCEEDED(hr) && HRESULT_CODE(hr) == 0;
}
