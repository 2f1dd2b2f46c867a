#include "platform/emu/shell32/Icons.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/api/comctl32.h"
#include "platform/emu/api/user32.h"
#include "platform/emu/user32/WindowManager.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/shell32/Host.h"
#include "platform/emu/shell32/Text.h"
#include <map>
#include <memory>

namespace emu::shell {

namespace {

// The fixed places of shell32's own icons in the system image lists.
enum : int {
    kFileIcon = 0,
    kAppletIcon = 2,
    kFolderIcon = 3,
    kOpenFolderIcon = 4,
    kFloppyIcon = 6,
    kRemovableIcon = 7,
    kFixedDriveIcon = 8,
    kNetworkDriveIcon = 9,
    kShareIcon = 10,
    kCdDriveIcon = 11,
    kComputerIcon = 15,
    kNetworkIcon = 17,
    kServerIcon = 18,
    kControlPanelIcon = 21,
    kDesktopIcon = 34,
    kFirstTypeIcon = 40, // registered types get their icons from here on
};

// The lists and the type icons of one emulated desktop. The shell never destroys its system image lists;
// they go with the desktop's window manager.
struct IconState {
    const Desktop* desktop = nullptr;
    std::filesystem::path scratch;
    HIMAGELIST lists[2] = {nullptr, nullptr}; // small, large
    std::map<std::string, int> byClass;
    int count = kFirstTypeIcon;
};

thread_local std::unique_ptr<IconState> t_state;

IconState& State() {
    Desktop& desktop = Desktop::Current();
    if (!t_state || t_state->desktop != &desktop || t_state->scratch != desktop.ScratchDir()) {
        t_state = std::make_unique<IconState>();
        t_state->desktop = &desktop;
        t_state->scratch = desktop.ScratchDir();
    }
    return *t_state;
}

// Every icon has an identity naming its index and size, so tests can tell them apart.
void Fill(IconState& state, int which) {
    HIMAGELIST list = state.lists[which];
    for (int i = ImageList_GetImageCount(list); i < state.count; ++i) {
        HICON icon = Desktop::Current().Windows().NewIcon("shell32:" + std::to_string(i) +
                                                          (which ? ":large" : ":small"));
        ImageList_ReplaceIcon(list, -1, icon);
        DestroyIcon(icon);
    }
}

int DriveIcon(char letter) {
    auto drive = Drive(letter);
    if (!drive) return kFixedDriveIcon;
    switch (drive->type) {
    case DRIVE_REMOVABLE:
        return letter == 'A' || letter == 'B' ? kFloppyIcon : kRemovableIcon;
    case DRIVE_REMOTE:
        return kNetworkDriveIcon;
    case DRIVE_CDROM:
        return kCdDriveIcon;
    default:
        return kFixedDriveIcon;
    }
}

} // namespace

int IconIndexOfFile(const std::string& name, bool folder, FileTypes& types, bool open) {
    if (folder) return open ? kOpenFolderIcon : kFolderIcon;
    const FileTypes::Type& type = types.Lookup(ExtensionOf(name));
    if (!type.registered) return kFileIcon;
    IconState& state = State();
    auto [it, added] = state.byClass.emplace(FoldCase(type.className), state.count);
    if (added) {
        ++state.count;
        for (int which = 0; which < 2; ++which)
            if (state.lists[which]) Fill(state, which);
    }
    return it->second;
}

int IconIndexOf(const Node& node, FileTypes& types, bool open) {
    switch (node.kind) {
    case NodeKind::Desktop:
        return kDesktopIcon;
    case NodeKind::Computer:
        return kComputerIcon;
    case NodeKind::Network:
        return kNetworkIcon;
    case NodeKind::ControlPanel:
        return kControlPanelIcon;
    case NodeKind::Applet:
        return kAppletIcon;
    case NodeKind::Server:
        return kServerIcon;
    case NodeKind::Share:
        return kShareIcon;
    case NodeKind::Drive:
        return DriveIcon(node.name[0]);
    case NodeKind::Folder:
    case NodeKind::File:
        return IconIndexOfFile(node.name, node.kind == NodeKind::Folder, types, open);
    }
    return kFileIcon;
}

HIMAGELIST SystemImageList(bool small) {
    IconState& state = State();
    int which = small ? 0 : 1;
    if (!state.lists[which]) {
        int size = small ? 16 : 32;
        state.lists[which] = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, state.count, 8);
        Fill(state, which);
    }
    return state.lists[which];
}

HICON SystemIcon(int index, bool small) {
    return ImageList_GetIcon(SystemImageList(small), index, ILD_NORMAL);
}

} // namespace emu::shell
