#include "platform/emu/shell32/ShellNamespace.h"
#include "platform/emu/shell32/Namespace.h"
#include "platform/emu/shell32/SpecialFolders.h"
#include "platform/emu/shell32/Text.h"

namespace emu {

using namespace shell;

std::string ShellNamespace::DisplayPath(LPCITEMIDLIST pidl) {
    auto node = pidl ? Resolve(pidl) : std::nullopt;
    if (!node) return std::string();
    FileTypes types;
    return Utf8ToAnsi(shell::DisplayName(*node, SHGDN_FORPARSING, types));
}

std::string ShellNamespace::DisplayName(LPCITEMIDLIST pidl) {
    auto node = pidl ? Resolve(pidl) : std::nullopt;
    if (!node) return std::string();
    FileTypes types;
    return Utf8ToAnsi(shell::DisplayName(*node, SHGDN_NORMAL, types));
}

bool ShellNamespace::IsFileSystem(LPCITEMIDLIST pidl) {
    auto node = pidl ? Resolve(pidl) : std::nullopt;
    return node && node->IsFileSystem();
}

bool ShellNamespace::IsFolder(LPCITEMIDLIST pidl) {
    auto node = pidl ? Resolve(pidl) : std::nullopt;
    return node && node->IsFolder();
}

std::string ShellNamespace::SpecialFolderPath(int csidl, bool create) {
    if (create) {
        LPITEMIDLIST pidl = nullptr;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl | CSIDL_FLAG_CREATE, &pidl))) ILFree(pidl);
    }
    return Utf8ToAnsi(shell::SpecialFolderPath(csidl));
}

} // namespace emu
