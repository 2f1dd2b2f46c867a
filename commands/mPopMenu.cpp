#include "commands/mPopMenu.h"
#include "support/IgnoreErrors.h"
#include "platform/RuntimeError.h"
#include "platform/win32.h"
#include "support/CaseFold.h"
#include "support/ThreadState.h"
#include "support/mDrive.h"
#include "support/mmFile.h"
#include "support/mmFileIcon.h"
#include "support/mmShellMacro.h"
#include "support/mmWinVersion.h"

namespace vireo {

namespace {

constexpr LONG kSmall = 0;
constexpr LONG kFolderAttribute = LONG(0x20000000); // SFGAO_FOLDER
constexpr int kFavorites = 6, kHistory = 34;
constexpr int kSystemFolders[] = {0, 17, 18, 3}; // desktop, the computer, the network, control panel

// The key of a tray entry: the command, a NUL character, the drive root.
std::string DoorKey(const char* command, const std::string& root) {
    std::string key(command);
    key.push_back('\0');
    key.append(root);
    return key;
}

// A caption with its access key on the first character.
std::string Accel(const std::string& text) {
    std::string caption(1, '&');
    caption.append(text);
    return caption;
}

bool IsCDDrive(const std::string& root) {
    return GetDriveTypeA(root.c_str()) == DRIVE_CDROM;
}

// The menu's calls: the outside component may fail on any of them, and the build goes on with the next.
// An item that could not be added leaves id as it was.
void Refresh(IconMenu* menu) {
    if (menu) IgnoreErrors([&] { menu->RefreshMenu(); });
}

void Add(IconMenu* menu, int32_t& id, const std::string& caption, int32_t parent, int32_t picture,
         const std::string& key) {
    if (menu) IgnoreErrors([&] { id = menu->AddMenuItem(caption, "", 0, parent, picture, 0, true, key); });
}

void Add(IconMenu* menu, const std::string& caption, int32_t parent, int32_t picture,
         const std::string& key) {
    int32_t id = 0;
    Add(menu, id, caption, parent, picture, key);
}

void AddDriveItems(IconMenu* menu, const KeyedImageList& images) {
    int32_t id = 0;
    for (int i = 1; i <= images.Count(); ++i) {
        const std::string& key = images.Key(i);
        if (key.empty()) continue;
        IgnoreErrors([&] {
            std::string letter = key.substr(0, 1);
            letter.push_back(' ');
            letter.append(DriveLabel(images.Tag(i)));
            Add(menu, id, Accel(letter), 0, i - 1, key);
        });
        // Outside the NT family the tray is moved through the one CD audio device: with several CD-ROM
        // drives none of them gets the door entries.
        if (IsCDDrive(key) && (IsWinNT() || Shared().g_nCDDrives == 1)) {
            Add(menu, "&Explore", id, -1, key);
            Add(menu, "&Open Door", id, -1, DoorKey("Open Door", key));
            Add(menu, "&Close Door", id, -1, DoorKey("Close Door", key));
        }
    }
}

} // namespace

std::string DriveLabel(const std::string& text) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return std::string();
    if (colon < 2) throw RuntimeError(5, "mPopMenu", "Invalid procedure call or argument");
    return text.substr(0, colon - 2);
}

void AddDriveImages(KeyedImageList& images) {
    const UniquePidl computer(SpecialFolderPidl(nullptr, 17));
    if (!computer) return;
    const std::string drives = LogicalDriveString();
    for (size_t at = 0; at < drives.size();) {
        const size_t end = drives.find('\0', at);
        const std::string root = UpperText(drives.substr(at, end == std::string::npos ? end : end - at));
        at = end == std::string::npos ? drives.size() : end + 1;
        if (root.empty()) continue;
        PicturePtr picture = GetFileIconPicture(Variant(root), kSmall, 0);
        // A drive whose picture cannot be added ends the drive pictures there.
        if (!images.Add(picture.get(), root, UpperText(DisplayNameOfPath(Variant(root))))) break;
    }
}

void AddSpecialFolderImage(KeyedImageList& images, int csidl, std::string name) {
    const UniquePidl pidl(SpecialFolderPidl(nullptr, csidl));
    if (!pidl) return;
    const LONG attributes = FileAttributes(Variant::Long(pidl.get()));
    if (attributes != 0 && (attributes & kFolderAttribute)) {
        const std::string key = PidlDisplayPath(pidl.get());
        if (name.empty()) name = DisplayNameOf(GetDesktopFolder(), pidl.get(), SHGDN_NORMAL);
        PicturePtr picture = GetFileIconPicture(Variant::Long(pidl.get()), kSmall, 0);
        images.Add(picture.get(), key, name);
    }
}

void BuildPopupMenu(IconMenu* menu, KeyedImageList& images) {
    Refresh(menu);
    images.Clear();
    AddDriveImages(images);
    FillDriveList(images);
    AddDriveItems(menu, images);

    int first = images.Count() + 1;
    Add(menu, "-", 0, -1, "Bar1");
    AddSpecialFolderImage(images, kFavorites, "Favorites");
    AddSpecialFolderImage(images, kHistory, "History");
    for (int i = first; i <= images.Count(); ++i)
        Add(menu, Accel(images.Tag(i)), 0, i - 1, images.Key(i));

    first = images.Count() + 1;
    Add(menu, "-", 0, -1, "Bar2");
    for (int csidl : kSystemFolders)
        AddSpecialFolderImage(images, csidl, "");
    // The entry shows the first system folder's picture (a position past the list when none was added).
    int32_t parent = 0;
    Add(menu, parent, "&System Folder", 0, first - 1, "System Folder");
    for (int i = first; i <= images.Count(); ++i)
        Add(menu, Accel(images.Tag(i)), parent, i - 1, images.Key(i));
    Refresh(menu);
}

const std::vector<std::string>& DriveList() {
    return Shared().g_colDrives;
}

int CDDriveCount() {
    return Shared().g_nCDDrives;
}

void ClearDriveList() {
    Shared().g_colDrives.clear();
}

void FillDriveList(const KeyedImageList& images) {
    ClearDriveList();
    Shared().g_nCDDrives = 0;
    for (int i = 1; i <= images.Count(); ++i) {
        Shared().g_colDrives.push_back(images.Key(i));
        if (IsCDDrive(images.Key(i))) ++Shared().g_nCDDrives;
    }
}

std::string NextDriveFolder(const std::string& path) {
    const std::vector<std::string>& drives = Shared().g_colDrives;
    const size_t count = drives.size();
    size_t i = 0; // 1-based position of the current drive; 0 starts from the first
    if (IsDrivePath(path)) {
        const std::string root = path.substr(0, path.find('\\') + 1);
        i = count + 1;
        for (size_t k = 0; k < count; ++k)
            if (drives[k] == root) {
                i = k + 1;
                break;
            }
        if (i == count) i = 0;
    }
    while (i < count) {
        ++i;
        if (IsFolder(drives[i - 1])) return GetCurrentDir(drives[i - 1]);
    }
    for (i = 0; i < count;) {
        ++i;
        if (IsFolder(drives[i - 1])) return GetCurrentDir(drives[i - 1]);
    }
    return "";
}

} // namespace vireo
