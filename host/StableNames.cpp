#include "host/StableNames.h"
#include "platform/win32.h"

namespace host {

namespace {

// The location an item-ID list stands for: its file-system path (a folder with a trailing separator), or
// the display name of a virtual folder such as the computer.
std::string PidlLocation(LPCITEMIDLIST pidl) {
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(pidl, path) && path[0]) {
        std::string s = path;
        const DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
            s.back() != '\\')
            s += '\\';
        return s;
    }
    SHFILEINFOA info{};
    if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME))
        return info.szDisplayName;
    return "?";
}

} // namespace

std::string CursorName(int64_t pointer) {
    static const char* const kNames[] = {
        "default",  "arrow",  "cross",   "ibeam", "icon",   "size",      "sizenesw",      "sizens",
        "sizenwse", "sizewe", "uparrow", "wait",  "nodrop", "arrowwait", "arrowquestion", "sizeall"};
    if (pointer >= 0 && pointer < int64_t(std::size(kNames))) return std::string("cursor:") + kNames[pointer];
    if (pointer == 99) return "cursor:custom";
    return "cursor:" + std::to_string(pointer);
}

std::string StableNames::Name(NameKind kind, int64_t number) {
    if (kind == NameKind::Cursor) return CursorName(number);
    if (number == 0 || kind == NameKind::None) return std::to_string(number);
    if (kind == NameKind::Pidl)
        return "pidl:" + PidlLocation(reinterpret_cast<LPCITEMIDLIST>(static_cast<intptr_t>(number)));
    return Window(static_cast<uintptr_t>(number));
}

std::string StableNames::Window(uintptr_t hwnd) {
    char cls[128] = "";
    if (!GetClassNameA(reinterpret_cast<HWND>(hwnd), cls, sizeof cls)) return "hwnd:gone";
    // A handle the system gave to a window of another class since is another window.
    auto it = m_windows.find(hwnd);
    if (it != m_windows.end() && it->second.cls == cls) return it->second.name;
    std::string name = "hwnd:" + std::string(cls) + "#" + std::to_string(++m_perClass[cls]);
    m_windows[hwnd] = Seen{cls, name};
    return name;
}

} // namespace host
