#include "platform/emu/shdocvw/FolderItems.h"
#include "platform/emu/shdocvw/ShellText.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace emu {

namespace {

std::string NarrowOf(LPCWSTR wide) {
    int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return "";
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n) - 1);
    return out;
}

std::string NameOf(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name))) return "";
    switch (name.uType) {
    case STRRET_WSTR: {
        std::string text = NarrowOf(name.pOleStr);
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

struct Found {
    uint64_t bytes = 0;
    FILETIME written{};
};

// One walk of a file-system folder: the size and time of each entry, by name.
std::unordered_map<std::string, Found> FindAll(const std::string& folderPath) {
    std::unordered_map<std::string, Found> found;
    std::string pattern = folderPath;
    if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return found;
    do {
        found[data.cFileName] =
            Found{(uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow, data.ftLastWriteTime};
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return found;
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
    auto folderList = reinterpret_cast<LPCITEMIDLIST>(folderPidl.data());
    bool fileSystem = ShellNamespace::IsFileSystem(folderList);
    std::unordered_map<std::string, Found> found;
    if (fileSystem) found = FindAll(ShellNamespace::DisplayPath(folderList));
    TypeCache types;
    LPITEMIDLIST child = nullptr;
    while (items->Next(1, &child, nullptr) == S_OK) {
        FolderRow row;
        row.pidl.assign(reinterpret_cast<const char*>(child), ILGetSize(child));
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_STREAM;
        LPCITEMIDLIST one[] = {child};
        if (SUCCEEDED(folder->GetAttributesOf(1, one, &attributes)))
            row.folder = (attributes & SFGAO_FOLDER) && !(attributes & SFGAO_STREAM);
        row.name = NameOf(folder, child, SHGDN_INFOLDER);
        row.path = NameOf(folder, child, SHGDN_FORPARSING);
        if (fileSystem) {
            auto it = found.find(row.path.substr(row.path.find_last_of('\\') + 1));
            if (it != found.end()) {
                if (!row.folder) {
                    row.bytes = it->second.bytes;
                    row.size = FormatKBSize(row.bytes);
                }
                row.modified = FormatModified(it->second.written);
            }
            types.Fill(row, row.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL, nullptr);
        } else {
            LPITEMIDLIST absolute = ILCombine(folderList, child);
            types.Fill(row, 0, absolute);
            ILFree(absolute);
        }
        ILFree(child);
        rows.push_back(std::move(row));
    }
    items->Release();
    folder->Release();
    std::stable_partition(rows.begin(), rows.end(), [](const FolderRow& r) { return r.folder; });
    return rows;
}

} // namespace emu
