// SHGetFileInfoA: display name, type name, attributes and icon of a path, an item-ID list, or (with
// SHGFI_USEFILEATTRIBUTES) of a name alone, without touching any file.
#include "platform/emu/Desktop.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/api/shlobj.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/shell32/Icons.h"
#include "platform/emu/shell32/Namespace.h"
#include "platform/emu/shell32/Text.h"
#include <cstring>

using namespace emu::shell;

namespace {

void CopyText(const std::string& utf8, char* out, size_t size) {
    std::string ansi = Utf8ToAnsi(utf8);
    size_t n = std::min(ansi.size(), size - 1);
    std::memcpy(out, ansi.data(), n);
    out[n] = 0;
}

// What is asked about: a place of the namespace, or a name with the attributes the caller gave.
struct Subject {
    std::optional<Node> node;
    std::string name;
    bool folder = false;
};

std::optional<Subject> FindSubject(LPCSTR pszPath, DWORD dwFileAttributes, UINT uFlags) {
    Subject subject;
    if (uFlags & SHGFI_PIDL) {
        subject.node = Resolve(reinterpret_cast<LPCITEMIDLIST>(pszPath));
        if (!subject.node) return std::nullopt;
        return subject;
    }
    std::string path = AnsiToUtf8(pszPath);
    if (uFlags & SHGFI_USEFILEATTRIBUTES) {
        size_t sep = path.find_last_of("\\/");
        subject.name = sep == std::string::npos ? path : path.substr(sep + 1);
        subject.folder = dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        return subject;
    }
    if (path.empty()) return std::nullopt;
    if (path.substr(0, 2) != "::" && path.substr(0, 2) != "\\\\")
        path = AnsiToUtf8(emu::Desktop::Current().Files().FullPath(pszPath));
    std::string packed;
    if (FAILED(ParseName(DesktopNode(), path, packed))) return std::nullopt;
    packed.append(2, '\0');
    subject.node = Resolve(reinterpret_cast<LPCITEMIDLIST>(packed.data()));
    if (!subject.node) return std::nullopt;
    return subject;
}

SFGAOF NameAttributes(const Subject& s) {
    SFGAOF attributes = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME | SFGAO_CANDELETE |
                        SFGAO_HASPROPSHEET | SFGAO_FILESYSTEM;
    if (s.folder) return attributes | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET;
    return attributes | SFGAO_STREAM;
}

} // namespace

// Answers the system image list's handle when SHGFI_SYSICONINDEX is asked for, otherwise TRUE; 0 when the
// path or list names nothing.
DWORD_PTR WINAPI SHGetFileInfoA(LPCSTR pszPath, DWORD dwFileAttributes, SHFILEINFOA* psfi, UINT,
                                UINT uFlags) {
    if (!pszPath) return 0;
    auto subject = FindSubject(pszPath, dwFileAttributes, uFlags);
    if (!subject) return 0;
    FileTypes types;
    const Node* node = subject->node ? &*subject->node : nullptr;
    bool small = uFlags & SHGFI_SMALLICON;
    bool open = uFlags & SHGFI_OPENICON;
    int icon = 0;
    if (uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX))
        icon = node ? IconIndexOf(*node, types, open)
                    : IconIndexOfFile(subject->name, subject->folder, types, open);
    if (psfi) {
        SFGAOF mask = (uFlags & SHGFI_ATTR_SPECIFIED) ? psfi->dwAttributes : 0xFFFFFFFF;
        if (uFlags & SHGFI_ICON) psfi->hIcon = SystemIcon(icon, small);
        if (uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX)) psfi->iIcon = icon;
        if (uFlags & SHGFI_DISPLAYNAME) {
            std::string name = node              ? DisplayName(*node, SHGDN_NORMAL, types)
                               : subject->folder ? subject->name
                                                 : ShownFileName(subject->name, types);
            CopyText(name, psfi->szDisplayName, sizeof psfi->szDisplayName);
        }
        if (uFlags & SHGFI_TYPENAME) {
            std::string type =
                node ? TypeName(*node, types) : TypeNameOfFile(subject->name, subject->folder, types);
            CopyText(type, psfi->szTypeName, sizeof psfi->szTypeName);
        }
        if (uFlags & SHGFI_ATTRIBUTES)
            psfi->dwAttributes = (node ? Attributes(*node, mask) : NameAttributes(*subject)) & mask;
    }
    if (uFlags & SHGFI_SYSICONINDEX) return reinterpret_cast<DWORD_PTR>(SystemImageList(small));
    return TRUE;
}
