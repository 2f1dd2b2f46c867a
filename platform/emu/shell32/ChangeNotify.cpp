// The shell's change notices. SHChangeNotify turns its two items into item-ID lists (a path that names
// nothing any more, a deleted or renamed-away item, gets a simple list: its folder's list and one item for
// the name) and hands a notice to every registration that watches the folder of either item, or the item
// itself: posted, or sent before SHChangeNotify returns with SHCNF_FLUSH. A notice lives until its
// receiver unlocks it, or until its registration goes.
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/shlobj_notify.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/shell32/Items.h"
#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/emu/user32/WindowState.h"
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

namespace {

struct Registration {
    HWND hwnd = nullptr;
    LONG events = 0;
    UINT msg = 0;
    std::vector<std::pair<std::string, bool>> folders; // upper-cased parsing path ("" for all), recursive
};

struct Notice {
    ULONG registration = 0;
    LONG event = 0;
    std::string bytes[2]; // the lists, terminators included
    LPITEMIDLIST pidls[2] = {nullptr, nullptr};
};

struct Notices {
    ULONG nextId = 1;
    std::map<ULONG, Registration> registrations;
    std::unordered_map<uintptr_t, std::unique_ptr<Notice>> pending;
    uintptr_t nextNotice = 0x04000010;
};

Notices& State() {
    auto& slot = emu::S().shellNotices;
    if (!slot) slot = std::make_shared<Notices>();
    return *static_cast<Notices*>(slot.get());
}

const std::string kTerminator(2, '\0');

std::optional<std::string> Parse(const std::string& ansiPath) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return std::nullopt;
    std::u16string wide = emu::AnsiToWide(ansiPath);
    LPITEMIDLIST pidl = nullptr;
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(wide.c_str()), nullptr, &pidl,
                                           nullptr);
    desktop->Release();
    if (FAILED(hr) || !pidl) return std::nullopt;
    std::string bytes = emu::shell::ListBytes(pidl);
    ILFree(pidl);
    return bytes;
}

// The list of a path: parsed when it names something, else its folder's list and a simple item.
std::string ListOfPath(LPCSTR path, bool folder) {
    char full[MAX_PATH] = "";
    if (!path || !GetFullPathNameA(path, MAX_PATH, full, nullptr)) return "";
    std::string text = full;
    if (auto bytes = Parse(text)) return *bytes + kTerminator;
    size_t slash = text.find_last_of('\\');
    if (slash == std::string::npos || slash + 1 == text.size()) return "";
    std::string parentPath = text.substr(0, slash);
    if (parentPath.size() == 2 && parentPath[1] == ':') parentPath += '\\';
    auto parent = Parse(parentPath);
    if (!parent) return "";
    DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    return *parent +
           emu::shell::PackFileItem(folder, emu::AnsiToUtf8(text.substr(slash + 1)), {attributes, 0, 0}) +
           kTerminator;
}

std::string ListOf(UINT type, LPCVOID item, bool folder) {
    if (!item) return "";
    switch (type) {
    case SHCNF_IDLIST: {
        auto pidl = static_cast<LPCITEMIDLIST>(item);
        return emu::shell::ListBytes(pidl) + kTerminator;
    }
    case SHCNF_PATHA:
        return ListOfPath(static_cast<LPCSTR>(item), folder);
    default:
        return "";
    }
}

// The parsing path of a list, upper-cased and without a trailing backslash, for comparing.
std::string Key(const std::string& bytes) {
    if (bytes.size() < 2) return "";
    std::string path = emu::ShellNamespace::DisplayPath(reinterpret_cast<LPCITEMIDLIST>(bytes.data()));
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return emu::AnsiUpper(path);
}

std::string FolderKey(const std::string& key) {
    size_t slash = key.find_last_of('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

// Whether a registration watches an item: its folder, the item itself, or (recursive) a folder above it.
bool Watches(const Registration& r, const std::string& item) {
    if (item.empty()) return false;
    for (const auto& [folder, recursive] : r.folders) {
        if (folder.empty() && recursive) return true;
        if (item == folder || FolderKey(item) == folder) return true;
        if (recursive && item.size() > folder.size() && item.compare(0, folder.size(), folder) == 0 &&
            item[folder.size()] == '\\')
            return true;
    }
    return false;
}

constexpr LONG kFolderEvents = SHCNE_MKDIR | SHCNE_RMDIR | SHCNE_RENAMEFOLDER | SHCNE_UPDATEDIR;

} // namespace

void WINAPI SHChangeNotify(LONG wEventId, UINT uFlags, LPCVOID dwItem1, LPCVOID dwItem2) {
    Notices& state = State();
    if (state.registrations.empty()) return;
    const UINT type = uFlags & SHCNF_TYPE;
    const bool folder = (wEventId & kFolderEvents) != 0;
    std::string lists[2] = {ListOf(type, dwItem1, folder), ListOf(type, dwItem2, folder)};
    const std::string keys[2] = {Key(lists[0]), Key(lists[1])};
    const bool flush = (uFlags & SHCNF_FLUSHNOWAIT) == SHCNF_FLUSH;
    std::vector<std::pair<HWND, UINT>> sends;
    std::vector<uintptr_t> handles;
    for (const auto& [id, r] : state.registrations) {
        if (!(r.events & wEventId) || !(Watches(r, keys[0]) || Watches(r, keys[1]))) continue;
        auto notice = std::make_unique<Notice>();
        notice->registration = id;
        notice->event = wEventId;
        for (int i = 0; i < 2; ++i) {
            notice->bytes[i] = lists[i];
            if (!lists[i].empty()) notice->pidls[i] = reinterpret_cast<LPITEMIDLIST>(notice->bytes[i].data());
        }
        uintptr_t handle = state.nextNotice++;
        state.pending.emplace(handle, std::move(notice));
        sends.emplace_back(r.hwnd, r.msg);
        handles.push_back(handle);
    }
    const LPARAM process = static_cast<LPARAM>(GetCurrentProcessId());
    for (size_t i = 0; i < sends.size(); ++i) {
        auto wParam = static_cast<WPARAM>(handles[i]);
        if (flush)
            SendMessageA(sends[i].first, sends[i].second, wParam, process);
        else if (!PostMessageA(sends[i].first, sends[i].second, wParam, process))
            State().pending.erase(handles[i]);
    }
}

ULONG WINAPI SHChangeNotifyRegister(HWND hwnd, int fSources, LONG fEvents, UINT wMsg, int cEntries,
                                    const SHChangeNotifyEntry* pshcne) {
    if (!IsWindow(hwnd) || !(fSources & SHCNRF_NewDelivery) || cEntries < 1 || !pshcne) return 0;
    Registration r{hwnd, fEvents, wMsg, {}};
    for (int i = 0; i < cEntries; ++i) {
        LPCITEMIDLIST pidl = pshcne[i].pidl;
        std::string key = pidl ? Key(emu::shell::ListBytes(pidl) + kTerminator) : std::string();
        r.folders.emplace_back(key, pshcne[i].fRecursive != FALSE);
    }
    Notices& state = State();
    ULONG id = state.nextId++;
    state.registrations.emplace(id, std::move(r));
    return id;
}

BOOL WINAPI SHChangeNotifyDeregister(ULONG ulID) {
    Notices& state = State();
    if (!state.registrations.erase(ulID)) return FALSE;
    std::erase_if(state.pending, [ulID](const auto& p) { return p.second->registration == ulID; });
    return TRUE;
}

HANDLE WINAPI SHChangeNotification_Lock(HANDLE hChange, DWORD, LPITEMIDLIST** pppidl, LONG* plEvent) {
    Notices& state = State();
    auto it = state.pending.find(reinterpret_cast<uintptr_t>(hChange));
    if (it == state.pending.end()) return nullptr;
    if (pppidl) *pppidl = it->second->pidls;
    if (plEvent) *plEvent = it->second->event;
    return hChange;
}

BOOL WINAPI SHChangeNotification_Unlock(HANDLE hLock) {
    return State().pending.erase(reinterpret_cast<uintptr_t>(hLock)) ? TRUE : FALSE;
}
