// The drive and folder menu as it is built: its items in order with parents, pictures and keys, and the
// image list behind it.
#include "commands/mPopMenu.h"
#include "fakes/Recorder.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/RuntimeError.h"
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

class PopupMenuBuildTest : public ::testing::Test {
protected:
    PopupMenuBuildTest() { desk.Files().MountScratch('C'); }
    ~PopupMenuBuildTest() override { vireo::ClearDriveList(); }
    Lines Build() {
        menu = vireo::RefPtr<fakes::FakeIconMenu>::Make(log);
        vireo::BuildPopupMenu(menu.get(), images);
        return menu->ItemLines();
    }
    // The items before the first separator: the drives and their CD entries.
    Lines BuildDrives() {
        Lines all = Build();
        Lines drives;
        for (const std::string& line : all) {
            if (line.rfind("- |", 0) == 0) break;
            drives.push_back(line);
        }
        return drives;
    }
    Lines Images() const {
        Lines lines;
        for (int i = 1; i <= images.Count(); ++i)
            lines.push_back(images.Key(i) + " | " + images.Tag(i));
        return lines;
    }
    static void MakeFolder(int csidl) {
        char path[MAX_PATH] = "";
        SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
    }
    emu::Desktop desk;
    fakes::Log log;
    vireo::RefPtr<fakes::FakeIconMenu> menu;
    vireo::KeyedImageList images{16, 16, RGB(192, 192, 192)};
};

// The display path of the user's profile folder, where favourites and history are.
const std::string kProfile = "Desktop\\My Computer\\Local Disk (C:)\\Documents and Settings\\User\\";

TEST_F(PopupMenuBuildTest, CDEntriesFollowTheSystemAndTheNumberOfCDDrives) {
    const Lines c = {"&C LOCAL DISK  | 0 | 0 | C:\\"};
    auto cd = [](const char* letter, int parent) {
        const std::string root = std::string(letter) + ":\\", id = std::to_string(parent);
        return Lines{"&Explore | " + id + " | -1 | " + root,
                     "&Open Door | " + id + " | -1 | Open Door|" + root,
                     "&Close Door | " + id + " | -1 | Close Door|" + root};
    };
    auto join = [](std::initializer_list<Lines> parts) {
        Lines all;
        for (const Lines& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const Lines e = {"&E AUDIO  | 0 | 1 | E:\\"};
    const Lines f = {"&F CD DRIVE  | 0 | 2 | F:\\"};
    const Lines fAfterE = {"&F CD DRIVE  | 0 | 2 | F:\\"};
    struct Case {
        emu::WinVersion system;
        int cdDrives;
        Lines expected;
    } cases[] = {
        {emu::WinVersion::XP, 0, c},
        {emu::WinVersion::XP, 1, join({c, e, cd("E", 2)})},
        {emu::WinVersion::XP, 2, join({c, e, cd("E", 2), fAfterE, cd("F", 6)})},
        {emu::WinVersion::NT4, 2, join({c, e, cd("E", 2), fAfterE, cd("F", 6)})},
        {emu::WinVersion::Win98, 1, join({c, e, cd("E", 2)})},
        {emu::WinVersion::WinMe, 2, join({c, e, f})}, // one CD audio device: no tray entries at all
        {emu::WinVersion::Win98, 0, c},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.system) * 10 + k.cdDrives);
        desk.System().SetVersion(k.system);
        desk.Files().Unmount('E');
        desk.Files().Unmount('F');
        if (k.cdDrives >= 1) desk.Files().MountScratch('E', DRIVE_CDROM, "AUDIO");
        if (k.cdDrives >= 2) desk.Files().MountScratch('F', DRIVE_CDROM);
        EXPECT_EQ(BuildDrives(), k.expected);
        EXPECT_EQ(vireo::CDDriveCount(), k.cdDrives);
    }
}

TEST_F(PopupMenuBuildTest, ACDDriveWithoutMediumKeepsItsEntries) {
    desk.Files().MountScratch('E', DRIVE_CDROM);
    desk.Files().SetMedia('E', false);
    const Lines drives = BuildDrives();
    ASSERT_EQ(drives.size(), 5u);
    EXPECT_EQ(drives[1], "&E CD DRIVE  | 0 | 1 | E:\\");
    EXPECT_EQ(drives[3], "&Open Door | 2 | -1 | Open Door|E:\\");
}

TEST_F(PopupMenuBuildTest, TheWholeMenuWithFavouritesAndHistory) {
    MakeFolder(CSIDL_FAVORITES);
    MakeFolder(CSIDL_HISTORY);
    const Lines expected = {
        "&C LOCAL DISK  | 0 | 0 | C:\\",
        "- | 0 | -1 | Bar1",
        "&Favorites | 0 | 1 | " + kProfile + "Favorites\\",
        "&History | 0 | 2 | " + kProfile + "Local Settings\\History\\",
        "- | 0 | -1 | Bar2",
        "&System Folder | 0 | 3 | System Folder",
        "&Desktop | 6 | 3 | Desktop\\",
        "&My Computer | 6 | 4 | Desktop\\My Computer\\",
        "&My Network Places | 6 | 5 | Desktop\\My Network Places\\",
        "&Control Panel | 6 | 6 | Desktop\\My Computer\\Control Panel\\",
    };
    EXPECT_EQ(Build(), expected);
    EXPECT_EQ(log.front(), "Menu.RefreshMenu");
    EXPECT_EQ(log.back(), "Menu.RefreshMenu");
}

TEST_F(PopupMenuBuildTest, AMissingFavouritesFolderLeavesItsEntryOutButBothSeparators) {
    MakeFolder(CSIDL_HISTORY);
    const Lines all = Build();
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(all[1], "- | 0 | -1 | Bar1");
    EXPECT_EQ(all[2].substr(0, 18), "&History | 0 | 1 |");
    EXPECT_EQ(all[3], "- | 0 | -1 | Bar2");
    EXPECT_EQ(all[4], "&System Folder | 0 | 2 | System Folder");
    EXPECT_EQ(all[5], "&Desktop | 5 | 2 | Desktop\\");
}

TEST_F(PopupMenuBuildTest, ThePicturesCarryKeysAndTags) {
    desk.Files().MountScratch('E', DRIVE_CDROM, "Audio Disc");
    MakeFolder(CSIDL_FAVORITES);
    Build();
    const Lines expected = {
        "C:\\ | LOCAL DISK (C:)",
        "E:\\ | AUDIO DISC (E:)",
        kProfile + "Favorites\\ | Favorites",
        "Desktop\\ | Desktop",
        "Desktop\\My Computer\\ | My Computer",
        "Desktop\\My Network Places\\ | My Network Places",
        "Desktop\\My Computer\\Control Panel\\ | Control Panel",
    };
    EXPECT_EQ(Images(), expected);
    EXPECT_EQ(vireo::DriveList(), (std::vector<std::string>{"C:\\", "E:\\"}));
}

TEST_F(PopupMenuBuildTest, ARebuildReplacesPicturesAndDrives) {
    desk.Files().MountScratch('E', DRIVE_CDROM);
    Build();
    const int before = images.Count();
    desk.Files().Unmount('E');
    Build();
    EXPECT_EQ(images.Count(), before - 1);
    EXPECT_EQ(images.Key(1), "C:\\");
    EXPECT_EQ(images.Key(2), "Desktop\\");
    EXPECT_EQ(vireo::DriveList(), (std::vector<std::string>{"C:\\"}));
    EXPECT_EQ(vireo::CDDriveCount(), 0);
}

TEST_F(PopupMenuBuildTest, WithoutAMenuOrWithAFailingOneThePicturesAndDrivesAreStillBuilt) {
    desk.Files().MountScratch('E', DRIVE_CDROM);
    for (bool failing : {false, true}) {
        SCOPED_TRACE(failing);
        vireo::ClearDriveList();
        images.Clear();
        if (failing) {
            menu = vireo::RefPtr<fakes::FakeIconMenu>::Make(log);
            menu->failAll = true;
            vireo::BuildPopupMenu(menu.get(), images);
            EXPECT_TRUE(menu->items.empty());
        } else {
            vireo::BuildPopupMenu(nullptr, images);
        }
        EXPECT_EQ(images.Count(), 6);
        EXPECT_EQ(vireo::DriveList(), (std::vector<std::string>{"C:\\", "E:\\"}));
        EXPECT_EQ(vireo::CDDriveCount(), 1);
    }
}

TEST(DriveLabelTest, TheLabelIsTheNameBeforeItsDriveTail) {
    struct Case {
        const char* name;
        const char* label;
    } cases[] = {
        {"LOCAL DISK (C:)", "LOCAL DISK "},
        {"AUDIO (E:)", "AUDIO "},
        {"(D:)", ""},
        {"NETWORK", ""}, // no colon: no label
        {"", ""},
        {"AB:C (D:)", ""}, // the first colon counts
        {"WORK: OLD (D:)", "WO"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vireo::DriveLabel(c.name), c.label) << c.name;
    // A colon among the first two characters leaves nothing to cut.
    EXPECT_THROW(vireo::DriveLabel("A:"), vireo::RuntimeError);
    EXPECT_THROW(vireo::DriveLabel(":x"), vireo::RuntimeError);
}

} // namespace
