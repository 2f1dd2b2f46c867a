// The host's toolbar actions: the "Tree" button shows and hides the tree; "Select Folder..." drops down the
// menu, or only presses and releases its button when the host has no icon menu.
#include "HostScript.h"
#include <gtest/gtest.h>

namespace {

TEST(ToolbarSessionTest, TheTreeButtonShowsAndHidesTheTreeAndAnUnknownButtonIsABadLine) {
    int bad = 0;
    auto out = RunHost(R"(mount C:
create
toolbar tree
show layout
toolbar TREE
show layout
toolbar sideways
)",
                       false, &bad);
    std::vector<std::string> layouts;
    for (const std::string& line : out)
        if (line.rfind("desktop Layout", 0) == 0) layouts.push_back(line.substr(0, line.find(" \"toolbar1")));
    EXPECT_EQ(layouts, (std::vector<std::string>{"desktop Layout \"tree 0 302 799 273\" \"web 0 25 799 274\"",
                                                 "desktop Layout \"tree hidden\" \"web 0 25 799 550\""}));
    EXPECT_EQ(bad, 1);
    EXPECT_TRUE(Contains(out, "error line 7: toolbar: select or tree, not sideways"));
}

TEST(ToolbarSessionTest, TheRealMenuOffersTheDrivesAndCarriesOutTheChoice) {
    int bad = 0;
    auto out = RunHost(R"(mount C: label SYSTEM
mount D: cdrom label AUDIO_CD
mkdir C:\work
cd C:\work
create
answer PopupMenu 0 "&Open Door"
toolbar select
answer PopupMenu 0 "C SYSTEM "
toolbar select
toolbar select
)",
                       false, &bad);
    EXPECT_EQ(bad, 0);
    std::vector<std::string> relevant;
    for (const std::string& line : out)
        if (line.rfind("desktop PopupMenu", 0) == 0 || line.rfind("desktop DeviceIoControl", 0) == 0 ||
            line.rfind("event NotifyURL", 0) == 0)
            relevant.push_back(line.substr(0, line.rfind("\" \"System Folder")).substr(0, 44));
    // The tray opened by the device call on D:, then drive C went to its current directory; the third
    // drop-down, unanswered, changed nothing.
    EXPECT_EQ(relevant, (std::vector<std::string>{
                            "desktop PopupMenu \"C SYSTEM \" \"D AUDIO_CD  >",
                            "desktop DeviceIoControl \"D:\" \"2967560\"",
                            "desktop PopupMenu \"C SYSTEM \" \"D AUDIO_CD  >",
                            "event NotifyURL \"C:\\work\\\" \"work\" \"C:\\work\" ",
                            "desktop PopupMenu \"C SYSTEM \" \"D AUDIO_CD  >",
                        }));
}

} // namespace
