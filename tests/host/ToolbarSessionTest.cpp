// The host's toolbar actions: the "Tree" button shows and hides the tree; "Select Folder..." drops down the
// menu, or only presses and releases its button when the host has no icon menu.
#include "HostScript.h"
#include "host/Tokens.h"
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
            relevant.push_back(line.substr(0, line.find(" \"&System Folder")));
    // The tray opened by the device call on D:, then drive C went to its current directory; the third
    // drop-down, unanswered, changed nothing. The captions are written as the menu has them, a submenu's
    // entries in braces.
    const std::string menu =
        "desktop PopupMenu \"&C SYSTEM \" \"&D AUDIO_CD \" { \"&Explore\" \"&Open Door\" \"&Close Door\" }";
    EXPECT_EQ(relevant, (std::vector<std::string>{
                            menu,
                            "desktop DeviceIoControl \"D:\" \"2967560\"",
                            menu,
                            "event NotifyURL \"C:\\work\\\" \"work\" \"C:\\work\" pidl:C:\\work\\ 1879048567",
                            menu,
                        }));
}

TEST(ToolbarSessionTest, EveryCaptionTheMenuRecordPrintsIsOneAnAnswerChooses) {
    const std::string setup = "mount C: label SYSTEM\nmount D: cdrom label AUDIO_CD\ncreate\n";
    auto out = RunHost(setup + "toolbar select\n");
    std::string record;
    for (const std::string& line : out)
        if (line.rfind("desktop PopupMenu ", 0) == 0) record = line;
    const auto words = host::Tokenize(record);
    ASSERT_GT(words.size(), 6u) << record;
    int captions = 0;
    // desktop PopupMenu CAPTION ... CHOSEN ANSWERED: every caption but a submenu's own is a choice.
    for (size_t i = 2; i + 2 < words.size(); ++i) {
        if (!words[i].quoted || (i + 1 < words.size() && words[i + 1].text == "{" && !words[i + 1].quoted))
            continue;
        ++captions;
        const std::string answer = "answer PopupMenu 0 " + host::Quote(words[i].text) + "\n";
        auto chosen = RunHost(setup + answer + "toolbar select\n");
        bool answered = false;
        for (const std::string& line : chosen)
            if (line.rfind("desktop PopupMenu ", 0) == 0)
                answered = line.size() > 17 && line.substr(line.size() - 17) != "\"0\" \"answered\"" &&
                           line.find("\"answered\"") != std::string::npos;
        EXPECT_TRUE(answered) << words[i].text;
    }
    EXPECT_GE(captions, 8);
}

} // namespace
