#include "platform/emu/shell32/Namespace.h"
#include "platform/emu/shell32/HostEntries.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/HostNames.h"
#include "platform/emu/shell32/Host.h"
#include "platform/emu/shell32/SpecialFolders.h"
#include "platform/emu/shell32/Text.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace emu::shell {

const GUID CLSID_MyComputer = {0x20D04FE0, 0x3AEA, 0x1069, {0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};
const GUID CLSID_NetworkPlaces = {
    0x208D2C60, 0x3AEA, 0x1069, {0xA2, 0xD7, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};
const GUID CLSID_ControlPanel = {
    0x21EC2020, 0x3AEA, 0x1069, {0xA2, 0xDD, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D}};

namespace {

// The desktop lists My Computer and My Network Places with the sort orders XP gives them.
constexpr BYTE kComputerOrder = 0x50;
constexpr BYTE kNetworkOrder = 0x58;

struct Applet {
    const char* file;
    const char* name;
};
// The control panel's applets, in the order it lists them (by name).
const Applet kApplets[] = {
    {"access.cpl", "Accessibility Options"},
    {"appwiz.cpl", "Add or Remove Programs"},
    {"timedate.cpl", "Date and Time"},
    {"desk.cpl", "Display"},
    {"main.cpl", "Mouse"},
    {"intl.cpl", "Regional and Language Options"},
    {"mmsys.cpl", "Sounds and Audio Devices"},
    {"sysdm.cpl", "System"},
};

const Applet* FindApplet(std::string_view text) {
    for (const Applet& applet : kApplets)
        if (EqualNoCase(text, applet.file) || EqualNoCase(text, applet.name)) return &applet;
    return nullptr;
}

std::string JoinPath(const std::string& parent, const std::string& name) {
    if (!parent.empty() && parent.back() == '\\') return parent + name;
    return parent + "\\" + name;
}

bool ParseGuid(std::string_view text, GUID& guid) {
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    unsigned d1, d2, d3, b[8];
    std::string s(text);
    int n = std::sscanf(s.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}", &d1, &d2, &d3, &b[0], &b[1],
                        &b[2], &b[3], &b[4], &b[5], &b[6], &b[7]);
    if (n != 11) return false;
    guid.Data1 = d1;
    guid.Data2 = static_cast<WORD>(d2);
    guid.Data3 = static_cast<WORD>(d3);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = static_cast<BYTE>(b[i]);
    return true;
}

// "::{guid}" at the start of text: the class and the length taken.
bool ParseClassPrefix(std::string_view text, GUID& guid, size_t& taken) {
    if (text.size() < 40 || text.substr(0, 2) != "::") return false;
    if (!ParseGuid(text.substr(2, 38), guid)) return false;
    taken = 40;
    return true;
}

std::string DriveDefaultName(const DriveInfo& drive) {
    switch (drive.type) {
    case DRIVE_REMOVABLE:
        return drive.letter == 'A' || drive.letter == 'B' ? "3\xC2\xBD Floppy" : "Removable Disk";
    case DRIVE_REMOTE:
        return "Network Drive";
    case DRIVE_CDROM:
        return "CD Drive";
    case DRIVE_RAMDISK:
        return "RAM Disk";
    default:
        return "Local Disk";
    }
}

std::string DriveTypeName(const DriveInfo& drive) {
    switch (drive.type) {
    case DRIVE_REMOVABLE:
        return drive.letter == 'A' || drive.letter == 'B' ? "3\xC2\xBD-Inch Floppy Disk" : "Removable Disk";
    case DRIVE_REMOTE:
        return "Network Drive";
    case DRIVE_CDROM:
        return "CD Drive";
    case DRIVE_RAMDISK:
        return "RAM Disk";
    default:
        return "Local Disk";
    }
}

// Parses the rest of a name below the child just added to packed.
HRESULT ParseBelow(const Node& folder, const std::string& item, std::string_view rest, std::string& packed) {
    packed += item;
    rest = SkipSeparators(rest);
    if (rest.empty()) return S_OK;
    auto parsed = ReadItem(reinterpret_cast<LPCITEMIDLIST>(item.data()));
    auto child = parsed ? ChildOf(folder, *parsed) : std::nullopt;
    if (!child) return E_INVALIDARG;
    return ParseName(*child, rest, packed);
}

} // namespace

std::string GuidText(const GUID& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

std::string ExtensionOf(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

const FileTypes::Type& FileTypes::Lookup(const std::string& extension) {
    std::string key = FoldCase(extension);
    auto it = m_types.find(key);
    if (it != m_types.end()) return it->second;
    Type type;
    if (!extension.empty()) {
        if (auto className = ClassesRootDefault(extension); className && !className->empty()) {
            if (auto friendly = ClassesRootDefault(*className)) {
                type.registered = true;
                type.className = *className;
                type.typeName = *friendly;
            }
        }
    }
    return m_types.emplace(std::move(key), std::move(type)).first->second;
}

Node DesktopNode() {
    return Node{};
}

std::optional<Node> ChildOf(const Node& folder, const Item& item) {
    Node child;
    switch (folder.kind) {
    case NodeKind::Desktop:
        if (item.type != ItemType::RootClass) return std::nullopt;
        if (item.clsid == CLSID_MyComputer)
            child.kind = NodeKind::Computer;
        else if (item.clsid == CLSID_NetworkPlaces)
            child.kind = NodeKind::Network;
        else
            return std::nullopt;
        return child;
    case NodeKind::Computer:
        if (item.type == ItemType::ComputerClass && item.clsid == CLSID_ControlPanel) {
            child.kind = NodeKind::ControlPanel;
            return child;
        }
        if (item.type != ItemType::Drive) return std::nullopt;
        child.kind = NodeKind::Drive;
        child.name = item.name;
        child.name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(child.name[0])));
        child.path = child.name;
        if (auto root = HostRoot(child.path)) child.host = root->native();
        return child;
    case NodeKind::ControlPanel:
        if (item.type != ItemType::Applet || !FindApplet(item.name)) return std::nullopt;
        child.kind = NodeKind::Applet;
        child.name = item.name;
        child.path = item.name;
        return child;
    case NodeKind::Network:
        if (item.type != ItemType::Server) return std::nullopt;
        child.kind = NodeKind::Server;
        child.name = item.name;
        child.path = "\\\\" + item.name;
        return child;
    case NodeKind::Server:
        if (item.type != ItemType::Share) return std::nullopt;
        child.kind = NodeKind::Share;
        child.name = item.name;
        child.path = folder.path + "\\" + item.name;
        if (auto root = HostRoot(child.path)) child.host = root->native();
        return child;
    case NodeKind::Drive:
    case NodeKind::Share:
    case NodeKind::Folder:
        if (item.type != ItemType::Folder && item.type != ItemType::File) return std::nullopt;
        child.kind = item.type == ItemType::Folder ? NodeKind::Folder : NodeKind::File;
        child.name = item.name;
        child.attributes = item.attributes;
        child.size = item.size;
        child.written = item.written;
        child.path = JoinPath(folder.path, item.name);
        if (!folder.host.empty()) child.host = JoinHostPath(folder.host, item.name); // UTF-8, as the name is
        return child;
    case NodeKind::Applet:
    case NodeKind::File:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Node> Descend(const Node& folder, LPCITEMIDLIST relative) {
    if (!relative) return std::nullopt;
    if (SizeOf(relative) != 0 && SizeOf(NextOf(relative)) == 0) { // one item below: no copy of folder
        auto item = ReadItem(relative);
        return item ? ChildOf(folder, *item) : std::nullopt;
    }
    std::optional<Node> node = folder;
    for (LPCITEMIDLIST p = relative; node && SizeOf(p) != 0; p = NextOf(p)) {
        auto item = ReadItem(p);
        if (!item) return std::nullopt;
        node = ChildOf(*node, *item);
    }
    return node;
}

std::optional<Node> Resolve(LPCITEMIDLIST absolute) {
    return Descend(DesktopNode(), absolute);
}

HRESULT ListChildren(const Node& folder, SHCONTF flags, std::vector<std::string>& items) {
    items.clear();
    bool folders = flags & SHCONTF_FOLDERS;
    bool files = flags & SHCONTF_NONFOLDERS;
    switch (folder.kind) {
    case NodeKind::Desktop:
        if (folders) {
            items.push_back(PackClassItem(ItemType::RootClass, CLSID_MyComputer, kComputerOrder));
            items.push_back(PackClassItem(ItemType::RootClass, CLSID_NetworkPlaces, kNetworkOrder));
        }
        return S_OK;
    case NodeKind::Computer:
        if (folders) {
            for (char letter : DriveLetters())
                items.push_back(PackNamedItem(ItemType::Drive, std::string(1, letter) + ":\\"));
            items.push_back(PackClassItem(ItemType::ComputerClass, CLSID_ControlPanel));
        }
        return S_OK;
    case NodeKind::ControlPanel:
        if (files)
            for (const Applet& applet : kApplets)
                items.push_back(PackNamedItem(ItemType::Applet, applet.file));
        return S_OK;
    case NodeKind::Network:
        if (folders) {
            std::string last;
            for (const auto& [server, share] : Shares()) {
                if (!last.empty() && EqualNoCase(last, server)) continue;
                last = server;
                items.push_back(PackNamedItem(ItemType::Server, server));
            }
        }
        return S_OK;
    case NodeKind::Server:
        if (folders)
            for (const auto& [server, share] : Shares())
                if (EqualNoCase(server, folder.name)) items.push_back(PackNamedItem(ItemType::Share, share));
        return S_OK;
    case NodeKind::Drive:
    case NodeKind::Share:
    case NodeKind::Folder:
        return ListHostFolder(folder, flags, items);
    case NodeKind::Applet:
    case NodeKind::File:
        return E_INVALIDARG;
    }
    return E_INVALIDARG;
}

HRESULT ParseName(const Node& folder, std::string_view text, std::string& packed) {
    GUID clsid;
    size_t taken = 0;
    switch (folder.kind) {
    case NodeKind::Desktop:
        if (ParseClassPrefix(text, clsid, taken)) {
            if (clsid == CLSID_MyComputer)
                return ParseBelow(folder, PackClassItem(ItemType::RootClass, clsid, kComputerOrder),
                                  text.substr(taken), packed);
            if (clsid == CLSID_NetworkPlaces)
                return ParseBelow(folder, PackClassItem(ItemType::RootClass, clsid, kNetworkOrder),
                                  text.substr(taken), packed);
            if (clsid ==
                CLSID_ControlPanel) // the control panel also answers to its own class below the desktop
                return ParseBelow(folder,
                                  PackClassItem(ItemType::RootClass, CLSID_MyComputer, kComputerOrder), text,
                                  packed);
            return E_INVALIDARG;
        }
        if (text.size() >= 2 && text.substr(0, 2) == "\\\\")
            return ParseBelow(folder, PackClassItem(ItemType::RootClass, CLSID_NetworkPlaces, kNetworkOrder),
                              text, packed);
        if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':')
            return ParseBelow(folder, PackClassItem(ItemType::RootClass, CLSID_MyComputer, kComputerOrder),
                              text, packed);
        return E_INVALIDARG;
    case NodeKind::Computer: {
        if (ParseClassPrefix(text, clsid, taken)) {
            if (clsid != CLSID_ControlPanel) return E_INVALIDARG;
            return ParseBelow(folder, PackClassItem(ItemType::ComputerClass, clsid), text.substr(taken),
                              packed);
        }
        if (text.size() < 2 || text[1] != ':' || (text.size() > 2 && text[2] != '\\' && text[2] != '/'))
            return E_INVALIDARG;
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
        auto letters = DriveLetters();
        if (std::find(letters.begin(), letters.end(), letter) == letters.end())
            return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
        return ParseBelow(folder, PackNamedItem(ItemType::Drive, std::string(1, letter) + ":\\"),
                          text.substr(2), packed);
    }
    case NodeKind::ControlPanel: {
        const Applet* applet = FindApplet(text);
        if (!applet) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        packed += PackNamedItem(ItemType::Applet, applet->file);
        return S_OK;
    }
    case NodeKind::Network: {
        auto [server, rest] = SplitFirst(SkipSeparators(text));
        for (const auto& share : Shares())
            if (EqualNoCase(share.first, server))
                return ParseBelow(folder, PackNamedItem(ItemType::Server, share.first), rest, packed);
        return HRESULT_FROM_WIN32(ERROR_BAD_NETPATH);
    }
    case NodeKind::Server: {
        auto [name, rest] = SplitFirst(SkipSeparators(text));
        for (const auto& share : Shares())
            if (EqualNoCase(share.first, folder.name) && EqualNoCase(share.second, name))
                return ParseBelow(folder, PackNamedItem(ItemType::Share, share.second), rest, packed);
        return HRESULT_FROM_WIN32(ERROR_BAD_NETPATH);
    }
    case NodeKind::Drive:
    case NodeKind::Share:
    case NodeKind::Folder:
        return ParseFileSystem(folder, text, packed);
    case NodeKind::Applet:
    case NodeKind::File:
        return E_INVALIDARG;
    }
    return E_INVALIDARG;
}

std::string DisplayName(const Node& node, SHGDNF flags, FileTypes& types) {
    bool parsing = flags & SHGDN_FORPARSING;
    bool inFolder = flags & SHGDN_INFOLDER;
    switch (node.kind) {
    case NodeKind::Desktop:
        return parsing ? SpecialFolderPath(CSIDL_DESKTOPDIRECTORY) : "Desktop";
    case NodeKind::Computer:
        return parsing ? "::" + GuidText(CLSID_MyComputer) : "My Computer";
    case NodeKind::Network:
        return parsing ? "::" + GuidText(CLSID_NetworkPlaces) : "My Network Places";
    case NodeKind::ControlPanel:
        if (!parsing) return "Control Panel";
        return inFolder ? "::" + GuidText(CLSID_ControlPanel)
                        : "::" + GuidText(CLSID_MyComputer) + "\\::" + GuidText(CLSID_ControlPanel);
    case NodeKind::Applet: {
        if (!parsing) return FindApplet(node.name)->name;
        if (inFolder) return node.name;
        return "::" + GuidText(CLSID_MyComputer) + "\\::" + GuidText(CLSID_ControlPanel) + "\\" + node.name;
    }
    case NodeKind::Server:
        return parsing ? node.path : node.name;
    case NodeKind::Share:
        return parsing && !inFolder ? node.path : node.name;
    case NodeKind::Drive: {
        if (parsing) return node.path;
        auto drive = Drive(node.name[0]);
        if (!drive) return node.path;
        std::string label = drive->label.empty() ? DriveDefaultName(*drive) : drive->label;
        return label + " (" + node.name.substr(0, 2) + ")";
    }
    case NodeKind::Folder:
        return parsing && !inFolder ? node.path : node.name;
    case NodeKind::File: {
        if (parsing) return inFolder ? node.name : node.path;
        return ShownFileName(node.name, types);
    }
    }
    return std::string();
}

std::string ShownFileName(const std::string& name, FileTypes& types) {
    std::string ext = ExtensionOf(name);
    if (ext.empty() || ext.size() == name.size() || !types.Lookup(ext).registered) return name;
    return name.substr(0, name.size() - ext.size());
}

std::string TypeNameOfFile(const std::string& name, bool folder, FileTypes& types) {
    if (folder) return "File Folder";
    std::string ext = ExtensionOf(name);
    if (ext.empty()) return "File";
    const FileTypes::Type& type = types.Lookup(ext);
    if (type.registered && !type.typeName.empty()) return type.typeName;
    std::string upper = ext.substr(1);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper + " File";
}

std::string TypeName(const Node& node, FileTypes& types) {
    switch (node.kind) {
    case NodeKind::Desktop:
    case NodeKind::Computer:
    case NodeKind::Network:
    case NodeKind::ControlPanel:
        return "System Folder";
    case NodeKind::Applet:
        return "Control Panel Item";
    case NodeKind::Server:
        return "Computer";
    case NodeKind::Share:
        return "Share";
    case NodeKind::Drive: {
        auto drive = Drive(node.name[0]);
        return drive ? DriveTypeName(*drive) : "Local Disk";
    }
    case NodeKind::Folder:
    case NodeKind::File:
        return TypeNameOfFile(node.name, node.kind == NodeKind::Folder, types);
    }
    return std::string();
}

SFGAOF Attributes(const Node& node, SFGAOF mask) {
    const SFGAOF virtualFolder = SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_CANLINK |
                                 SFGAO_CANRENAME | SFGAO_HASPROPSHEET | SFGAO_DROPTARGET;
    const SFGAOF fileSystem = SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME |
                              SFGAO_CANDELETE | SFGAO_HASPROPSHEET | SFGAO_FILESYSTEM;
    auto subfolders = [&](const std::filesystem::path& dir) -> SFGAOF {
        if (!(mask & SFGAO_HASSUBFOLDER) || dir.empty()) return 0;
        return HasSubfolder(dir) ? SFGAO_HASSUBFOLDER : 0;
    };
    auto display = [&](DWORD attributes) -> SFGAOF {
        return ((attributes & FILE_ATTRIBUTE_HIDDEN) ? SFGAO_HIDDEN : 0) |
               ((attributes & FILE_ATTRIBUTE_READONLY) ? SFGAO_READONLY : 0);
    };
    switch (node.kind) {
    case NodeKind::Desktop:
        return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_HASPROPSHEET;
    case NodeKind::Computer:
    case NodeKind::Network:
        return virtualFolder;
    case NodeKind::ControlPanel:
        return SFGAO_FOLDER | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    case NodeKind::Applet:
        return SFGAO_CANLINK;
    case NodeKind::Server:
        return SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
    case NodeKind::Share:
        return SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_CANLINK | SFGAO_HASPROPSHEET |
               SFGAO_DROPTARGET | subfolders(node.host);
    case NodeKind::Drive: {
        SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_CANLINK |
                            SFGAO_CANRENAME | SFGAO_HASPROPSHEET | SFGAO_DROPTARGET;
        auto drive = Drive(node.name[0]);
        if (drive && (drive->type == DRIVE_REMOVABLE || drive->type == DRIVE_CDROM)) {
            // Windows does not spin up removable media to answer: such drives always claim subfolders.
            attributes |= SFGAO_REMOVABLE | SFGAO_HASSUBFOLDER;
            if (drive->type == DRIVE_CDROM) attributes |= SFGAO_READONLY;
            return attributes;
        }
        return attributes | subfolders(node.host);
    }
    case NodeKind::Folder:
        return fileSystem | SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_DROPTARGET |
               display(node.attributes) | subfolders(node.host);
    case NodeKind::File:
        return fileSystem | SFGAO_STREAM | display(node.attributes);
    }
    return 0;
}

int CompareNodes(const Node& a, const Node& b, FileTypes& types) {
    auto rank = [](const Node& n) { return n.IsFolder() ? 0 : 1; };
    if (rank(a) != rank(b)) return rank(a) < rank(b) ? -1 : 1;
    if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
    std::string x =
        FoldCase(a.IsFileSystem() || a.kind == NodeKind::Server ? a.name : DisplayName(a, 0, types));
    std::string y =
        FoldCase(b.IsFileSystem() || b.kind == NodeKind::Server ? b.name : DisplayName(b, 0, types));
    if (x != y) return x < y ? -1 : 1;
    return a.name == b.name ? 0 : (a.name < b.name ? -1 : 1);
}

} // namespace emu::shell
