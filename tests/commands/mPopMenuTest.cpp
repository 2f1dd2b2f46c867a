// The drive list the drive menu keeps, and the next drive that GoToNextDrive goes to.
#include "commands/mPopMenu.h"
#include "control/ControlFixture.h"
#include "support/mmFile.h"

namespace {

class DriveListTest : public ControlFixture {
protected:
    DriveListTest() {
        desk.Files().MountScratch('A', DRIVE_REMOVABLE);
        desk.Files().SetMedia('A', false);
        desk.Files().MountScratch('D', DRIVE_FIXED);
        desk.Files().MountScratch('E', DRIVE_CDROM);
        desk.Files().MakeDir("C:\\Windows");
        desk.Files().MakeDir("D:\\Data");
        // Each drive keeps its own current directory; the last one set is the current drive.
        vireo::SetCurrentDir("D:\\Data");
        vireo::SetCurrentDir("C:\\Windows");
        vireo::KeyedImageList images(16, 16);
        vireo::AddDriveImages(images);
        vireo::FillDriveList(images);
    }
    ~DriveListTest() override { vireo::ClearDriveList(); }
};

TEST_F(DriveListTest, TheListHoldsEveryDriveRootInCapitals) {
    EXPECT_EQ(vireo::DriveList(), (std::vector<std::string>{"A:\\", "C:\\", "D:\\", "E:\\"}));
    EXPECT_EQ(vireo::CDDriveCount(), 1);
}

TEST_F(DriveListTest, TheNextUsableDriveWrapsAround) {
    desk.Files().SetMedia('E', false);
    struct Case {
        const char* from;
        const char* next;
    } cases[] = {
        {"C:\\x\\", "D:\\Data\\"},
        {"D:\\y\\", "C:\\Windows\\"},   // past E: (no medium) and A: (no medium), round to C:
        {"c:\\dir\\", "C:\\Windows\\"}, // not in the list as written: from the first drive
        {"\\\\server\\share\\", "C:\\Windows\\"},
        {"http://example.org/", "C:\\Windows\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vireo::NextDriveFolder(c.from), c.next) << c.from;
}

TEST_F(DriveListTest, WithOneUsableDriveItIsTheNextAndWithNoneThereIsNone) {
    desk.Files().SetMedia('E', false);
    desk.Files().Unmount('D');
    EXPECT_EQ(vireo::NextDriveFolder("C:\\x\\"), "C:\\Windows\\");
    vireo::ClearDriveList();
    EXPECT_EQ(vireo::NextDriveFolder("C:\\x\\"), "");
}

TEST_F(DriveListTest, GoToNextDriveNavigatesTheTreeThere) {
    vireo::Folder f;
    f.sURL = "C:\\Windows\\";
    control->SetCurrentFolder(f);
    log.clear();
    control->GoToNextDrive();
    EXPECT_EQ(log, (fakes::Log{"Tree.SelectFolder D:\\Data\\"}));
}

} // namespace
