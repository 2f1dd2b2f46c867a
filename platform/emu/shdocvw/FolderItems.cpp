#include "platform/emu/shdocvw/FolderItems.h"
#include "platform/emu/api/shlobj_data.h"
#include "platform/emu/shdocvw/ShellText.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace emu {

namespace {

std::string NameOf(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name))) return "";
    switch (name.uType) {
    case STRRET_WSTR: {
        std::string text = WideToAnsi(name.pOleStr);
        CoTaskMemFree(name.pOleStr);
        return text;
    }
    case STRRET_CSTR:
        return name.cStr;
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(child) + name.uOffset;
    }
    return "";
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Type name and icon of an item, asked of the shell once per kind of file-system item: folders, and
// files by extension.
class TypeCache {
public:
    void Fill(FolderRow& row, DWORD attributes, LPCITEMIDLIST absolute) {
        if (absolute) {
            Ask(reinterpret_cast<LPCSTR>(absolute), 0, SHGFI_PIDL, row);
            return;
        }
        std::string key;
        if (row.folder) {
            key = "\\";
        } else {
            size_t dot = row.path.find_last_of(".\\");
            key = dot != std::string::npos && row.path[dot] == '.' ? Lower(row.path.substr(dot)) : "";
        }
        auto it = m_known.find(key);
        if (it == m_known.end()) {
            FolderRow probe;
            Ask(row.path.c_str(), attributes, SHGFI_USEFILEATTRIBUTES, probe);
            it = m_known.emplace(key, std::make_pair(probe.type, probe.image)).first;
        }
        row.type = it->second.first;
        row.image = it->second.second;
    }

private:
    static void Ask(LPCSTR what, DWORD attributes, UINT how, FolderRow& row) {
        SHFILEINFOA info{};
        if (SHGetFileInfoA(what, attributes, &info, sizeof info, how | SHGFI_TYPENAME | SHGFI_SYSICONINDEX)) {
            row.type = info.szTypeName;
            row.image = info.iIcon;
        }
    }
    std::unordered_map<std::string, std::pair<std::string, int>> m_known;
};

IShellFolder* BindFolder(const std::string& folderPidl) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return nullptr;
    auto list = reinterpret_cast<LPCITEMIDLIST>(folderPidl.data());
    if (folderPidl.size() <= 2) return desktop;
    void* bound = nullptr;
    HRESULT hr = desktop->BindToObject(list, nullptr, IID_IShellFolder, &bound);
    desktop->Release();
    return SUCCEEDED(hr) ? static_cast<IShellFolder*>(bound) : nullptr;
}

// Makes the rows of one folder's items.
class RowMaker {
public:
    RowMaker(IShellFolder* folder, const std::string& folderPidl)
        : m_folder(folder), m_folderList(reinterpret_cast<LPCITEMIDLIST>(folderPidl.data())),
          m_fileSystem(ShellNamespace::IsFileSystem(m_folderList)) {}

    FolderRow Make(LPCITEMIDLIST child) {
        FolderRow row;
        row.pidl.assign(reinterpret_cast<const char*>(child), ILGetSize(child));
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
        LPCITEMIDLIST one[] = {child};
        if (SUCCEEDED(m_folder->GetAttributesOf(1, one, &attributes)))
            row.folder = (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
        row.name = NameOf(m_folder, child, SHGDN_INFOLDER);
        row.path = NameOf(m_folder, child, SHGDN_FORPARSING);
        if (m_fileSystem) {
            // The size and time the item was listed with: the view reads no file twice.
            WIN32_FIND_DATAA data{};
            if (SUCCEEDED(SHGetDataFromIDListA(m_folder, child, SHGDFIL_FINDDATA, &data, sizeof data)) &&
                (data.ftLastWriteTime.dwLowDateTime || data.ftLastWriteTime.dwHighDateTime)) {
                if (!row.folder) {
                    row.bytes = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
                    row.size = FormatKBSize(row.bytes);
                }
                row.modified = FormatModified(data.ftLastWriteTime);
            }
            m_types.Fill(row, row.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, nullptr);
        } else {
            LPITEMIDLIST absolute = ILCombine(m_folderList, child);
            m_types.Fill(row, 0, absolute);
            ILFree(absolute);
        }
        return row;
    }

private:
    IShellFolder* m_folder;
    LPCITEMIDLIST m_folderList;
    bool m_fileSystem;
    TypeCache m_types;
};

} // namespace

std::vector<FolderRow> ListFolder(const std::string& folderPidl, HWND owner) {
    std::vector<FolderRow> rows;
    if (folderPidl.size() < 2) return rows;
    IShellFolder* folder = BindFolder(folderPidl);
    if (!folder) return rows;
    IEnumIDList* items = nullptr;
    if (folder->EnumObjects(owner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) != S_OK || !items) {
        folder->Release();
        return rows;
    }
    RowMaker maker(folder, folderPidl);
    LPITEMIDLIST child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        rows.push_back(maker.Make(child));
        ILFree(child);
    }
    items->Release();
    folder->Release();
    // Folders first, each group in the shell's order; a folder of files alone is left as it is.
    auto isFolder = [](const FolderRow& r) { return r.folder; };
    if (!std::is_partitioned(rows.begin(), rows.end(), isFolder))
        std::stable_partition(rows.begin(), rows.end(), isFolder);
    return rows;
}

std::optional<FolderRow> ListItem(const std::string& folderPidl, const std::string& name) {
    if (folderPidl.size() < 2 || name.empty()) return std::nullopt;
    IShellFolder* folder = BindFolder(folderPidl);
    if (!folder) return std::nullopt;
    std::u16string wide(name.size(), u'\0');
    for (size_t i = 0; i < name.size(); ++i)
        wide[i] = AnsiCharToWide(static_cast<unsigned char>(name[i]));
    LPITEMIDLIST child = nullptr;
    std::optional<FolderRow> row;
    if (SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &child, nullptr)) &&
        child) {
        RowMaker maker(folder, folderPidl);
        row = maker.Make(child);
        ILFree(child);
    }
    folder->Release();
    return row;
}

} // namespace emu
