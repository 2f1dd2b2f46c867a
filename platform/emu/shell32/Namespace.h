// The emulated shell's namespace: the desktop, My Computer with its drives and the control panel, My
// Network Places with the mounted servers and shares, and the file-system folders and files below each
// drive and share. A Node is one place of it, read from an item-ID list; the folder objects and the
// shell's file-information functions all answer from these functions.
#pragma once
#include "platform/emu/api/shlobj.h"
#include "platform/emu/shell32/Items.h"
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace emu::shell {

enum class NodeKind { Desktop, Computer, ControlPanel, Applet, Network, Server, Share, Drive, Folder, File };

struct Node {
    NodeKind kind = NodeKind::Desktop;
    std::string path;     // Windows path (UTF-8) of file-system places, \\server, the applet's file
    std::string name;     // the item's own name: file-system name, server, share, applet, "C:\"
    DWORD attributes = 0; // file-system items: FILE_ATTRIBUTE_* as listed
    uint64_t size = 0;    // file-system items: size and last-write time as listed (0: not known)
    uint64_t written = 0;
    std::string host; // file-system places: the host path (empty for a drive without medium),
                      // joined as text: a path object is made only where the host is used

    bool IsFolder() const { return kind != NodeKind::Applet && kind != NodeKind::File; }
    bool IsFileSystem() const {
        return kind == NodeKind::Drive || kind == NodeKind::Share || kind == NodeKind::Folder ||
               kind == NodeKind::File;
    }
};

// Registered file types, looked up once per extension for as long as the cache lives (one folder object).
class FileTypes {
public:
    struct Type {
        bool registered = false; // HKCR\.ext names a class that exists: Explorer hides the extension
        std::string className;
        std::string typeName; // UTF-8
    };
    const Type& Lookup(const std::string& extension); // extension with its dot, any case; "" for none

private:
    std::unordered_map<std::string, Type> m_types;
};

// The extension of a name as PathFindExtension finds it: from its last dot on, "" when it has none.
std::string ExtensionOf(const std::string& name);

Node DesktopNode();
// The place an absolute list names; none when a byte of it is not one of ours or a level is not a folder.
std::optional<Node> Resolve(LPCITEMIDLIST absolute);
// The place a relative list names below a folder.
std::optional<Node> Descend(const Node& folder, LPCITEMIDLIST relative);
std::optional<Node> ChildOf(const Node& folder, const Item& item);

// The items of a folder, packed, in the order the shell lists them. Fails with the Win32 error of a
// folder that is missing or a drive that is not ready.
HRESULT ListChildren(const Node& folder, SHCONTF flags, std::vector<std::string>& items);

// Parses a display name relative to a folder into packed items.
HRESULT ParseName(const Node& folder, std::string_view text, std::string& packed);

// A file's name as Explorer shows it: without the extension of a registered type, unless nothing would be
// left of it.
std::string ShownFileName(const std::string& name, FileTypes& types);
std::string DisplayName(const Node& node, SHGDNF flags, FileTypes& types);
std::string TypeName(const Node& node, FileTypes& types);
std::string TypeNameOfFile(const std::string& name, bool folder, FileTypes& types);
SFGAOF Attributes(const Node& node, SFGAOF mask);
// Orders two places of one folder as the shell view sorts by name: folders first, then by name.
int CompareNodes(const Node& a, const Node& b, FileTypes& types);

std::string GuidText(const GUID& guid);

// Class identifiers of the virtual folders.
extern const GUID CLSID_MyComputer;
extern const GUID CLSID_NetworkPlaces;
extern const GUID CLSID_ControlPanel;

} // namespace emu::shell
