// The favourites members with the shell's dialogs, and the CD tray by device control or MCI command.
#include "commands/mMedia.h"
#include "control/ControlFixture.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "support/mmFile.h"

namespace {

class FavoritesTest : public ControlFixture {
protected:
    // The user's favourites folder, made when it is not there yet.
    std::string FavoritesFolder() {
        char path[MAX_PATH] = "";
        EXPECT_EQ(SHGetFolderPathA(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
        return path;
    }
    void At(const std::string& url, const std::string& name) {
        vireo::Folder f;
        f.sURL = url;
        f.sLocName = name;
        control->SetCurrentFolder(f);
    }
};

TEST_F(FavoritesTest, WithoutAFavouritesFolderNothingIsShown) {
    desk.Answers().Push("AddToFavorites", emu::Answer{1, ""});
    control->AddFavoriteEx();
    control->OrgFavoriteEx();
    EXPECT_EQ(desk.Log().Count("AddToFavorites"), 0u);
    EXPECT_EQ(desk.Log().Count("OrganizeFavorites"), 0u);
}

TEST_F(FavoritesTest, AConfirmedFavouriteIsAShortcutToTheLocationText) {
    const std::string folder = FavoritesFolder();
    struct Case {
        const char* what;
        std::optional<emu::Answer> answer;
        const char* file; // the shortcut expected in the favourites folder, "" for none
        const char* record;
    } cases[] = {
        {"confirmed as proposed", emu::Answer{1, ""}, "data.url", "data | ok"},
        {"renamed by the user", emu::Answer{1, "My data"}, "My data.url", "My data | ok"},
        {"cancelled", emu::Answer{0, ""}, "", "data | cancel"},
        {"closed without an answer", std::nullopt, "", "data | cancel"},
    };
    for (const Case& c : cases) {
        desk.Log().Clear();
        At("C:\\data", "data");
        if (c.answer) desk.Answers().Push("AddToFavorites", *c.answer);
        control->AddFavoriteEx();
        const auto records = desk.Log().OfKind("AddToFavorites");
        ASSERT_EQ(records.size(), 1u) << c.what;
        EXPECT_EQ(records[0].Text(), "AddToFavorites: " + folder + " | " + c.record) << c.what;
        EXPECT_EQ(control->SelFolder().sLocName, "data") << "the location keeps its fields: " << c.what;
        if (*c.file) {
            const std::string file = folder + "\\" + c.file;
            EXPECT_EQ(vireo::ReadUrlShortcut(file), "C:\\data") << c.what;
            char value[64] = "";
            GetPrivateProfileStringA("InternetShortcut", "URL", "", value, sizeof value, file.c_str());
            EXPECT_STREQ(value, "C:\\data") << c.what;
            DeleteFileA(file.c_str());
        }
    }
    WIN32_FIND_DATAA fd;
    const std::string pattern = folder + "\\*.url";
    EXPECT_EQ(FindFirstFileA(pattern.c_str(), &fd), INVALID_HANDLE_VALUE) << "nothing written when cancelled";
}

TEST_F(FavoritesTest, OrganizeOpensTheDialogOnTheFavouritesFolder) {
    const std::string folder = FavoritesFolder();
    control->OrgFavoriteEx();
    const auto records = desk.Log().OfKind("OrganizeFavorites");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields[0], folder);
}

class MediaTest : public ::testing::Test {
protected:
    MediaTest() {
        desk.Files().MountScratch('C');
        desk.Files().MountScratch('E', DRIVE_CDROM, "AUDIO");
    }
    emu::Desktop desk;
};

TEST_F(MediaTest, TheTrayMovesByDeviceControlOnNTAndByMCIElsewhere) {
    struct Case {
        emu::WinVersion system;
        const char* drive;
        bool open;
        const char* record;
        bool mediaAfter; // E:'s medium afterwards
    } cases[] = {
        {emu::WinVersion::XP, "E:\\", true, "DeviceIoControl: E: | 2967560", false},
        {emu::WinVersion::XP, "E:\\", false, "DeviceIoControl: E: | 2967564", true},
        {emu::WinVersion::Win2000, "C:\\", true, "DeviceIoControl: C: | 2967560",
         true}, // a fixed disk refuses
        {emu::WinVersion::Win98, "E:\\", true, "MCI: Set CDAudio Door Open Wait", false},
        {emu::WinVersion::WinMe, "C:\\", false, "MCI: Set CDAudio Door Closed Wait", true}, // the CD device
    };
    for (const Case& c : cases) {
        desk.System().SetVersion(c.system);
        desk.Log().Clear();
        c.open ? vireo::OpenCDDoor(c.drive) : vireo::CloseCDDoor(c.drive);
        ASSERT_FALSE(desk.Log().All().empty()) << c.record;
        EXPECT_EQ(desk.Log().All().back().Text(), c.record);
        EXPECT_EQ(desk.Files().HasMedia('E'), c.mediaAfter) << c.record;
    }
}

TEST_F(MediaTest, ADriveThatCannotBeOpenedIsRefusedQuietly) {
    EXPECT_FALSE(vireo::DriveIoControl("Q:\\", 0x2D4808));
    EXPECT_FALSE(vireo::DriveIoControl("C:\\", 0x2D4808));
    EXPECT_TRUE(vireo::DriveIoControl("E:\\", 0x2D4808));
    // The MCI door command: letter case and "wait" are free; other devices and commands fail.
    EXPECT_EQ(mciSendStringA("set cdaudio door open", nullptr, 0, nullptr), 0u);
    EXPECT_FALSE(desk.Files().HasMedia('E'));
    EXPECT_NE(mciSendStringA("set waveaudio door closed wait", nullptr, 0, nullptr), 0u);
    EXPECT_NE(mciSendStringA("play cdaudio", nullptr, 0, nullptr), 0u);
    EXPECT_FALSE(desk.Files().HasMedia('E'));
}

} // namespace
