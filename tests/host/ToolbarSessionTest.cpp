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

} // namespace
