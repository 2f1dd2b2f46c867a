#include "ControlFixture.h"
#include "support/ThreadState.h"
#include "control/PrintSave.h"
#include <fstream>
#include <sstream>

using vireo::Folder;

namespace {

class PrintSaveTest : public ControlFixture {
protected:
    PrintSaveTest() {
        desk.Files().MakeDir("C:\\Temp");
        desk.Files().MakeDir("C:\\Docs");
        desk.Files().MakeDir("C:\\Other");
        desk.Files().WriteFile("C:\\Docs\\notes.txt", "twelve bytes");
        desk.Files().WriteFile("C:\\Docs\\page.htm", "<html></html>");
        desk.Files().WriteFile("C:\\Other\\report.doc", "x");
        vireo::Shared().g_sTempDir = "C:\\Temp\\";
    }
    ~PrintSaveTest() override { vireo::Shared().g_bWinNT = true; }
    void At(const char* url) {
        control->SetCurrentFolder(Folder{url, "", "", 0, 0});
        log.clear();
        desk.Log().Clear();
    }
    std::vector<std::string> Processes() {
        std::vector<std::string> out;
        for (const emu::Record& r : desk.Log().OfKind("Process"))
            out.push_back(r.fields[0] + " | " + r.fields[1]);
        return out;
    }
    std::string Listing() {
        auto host = desk.Files().Resolve("C:\\Temp\\VireoBR.txt");
        if (!host) return "(missing)";
        std::ifstream in(*host, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(PrintSaveTest, PrintExListsAFolderHiddenThenOpensTheListingInNotepad) {
    struct Case {
        bool winNT;
        const char* interpreter;
    } cases[] = {{true, "cmd.exe"}, {false, "command.com"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interpreter);
        vireo::Shared().g_bWinNT = c.winNT;
        At("C:\\Docs\\");
        control->PrintEx();
        EXPECT_EQ(Processes(),
                  (std::vector<std::string>{std::string(c.interpreter) +
                                                " /c dir /o /a/ogen/-p  >  C:\\Temp\\VireoBR.txt | 0",
                                            "Notepad.exe C:\\Temp\\VireoBR.txt | 1"}));
        // The listing was complete when Notepad started: it is of the folder the control shows.
        EXPECT_NE(Listing().find("notes.txt\r\n"), std::string::npos);
        EXPECT_NE(Listing().find("Directory of C:\\Docs"), std::string::npos);
        char dir[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, dir);
        EXPECT_STREQ(dir, "C:\\Docs");
        EXPECT_TRUE(log.empty()) << log.front();
    }
}

TEST_F(PrintSaveTest, PrintExTwiceReplacesTheOneListingFile) {
    At("C:\\Docs\\");
    control->PrintEx();
    At("C:\\Other");
    control->PrintEx();
    EXPECT_EQ(Listing().find("notes.txt"), std::string::npos);
    EXPECT_NE(Listing().find("report.doc\r\n"), std::string::npos);
    EXPECT_EQ(vireo::ListingFile(), "C:\\Temp\\VireoBR.txt");
}

TEST_F(PrintSaveTest, PagesAndFilesGoToTheWebViewsOwnCommands) {
    struct Case {
        const char* url;
        const char* print; // what PrintEx asks of the web view ("" nothing, "listing" the folder listing)
        const char* save;
    } cases[] = {
        {"http://www.example.com/", "Web.ExecWB 6 1", "Web.ExecWB 4 1"},
        {"HTTP://WWW.EXAMPLE.COM/", "Web.ExecWB 6 1", "Web.ExecWB 4 1"},
        {"C:\\Docs\\page.htm", "Web.ExecWB 6 1", ""},
        {"C:\\Docs", "listing", ""},
        {"ftp://ftp.example.com/", "", ""},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "", ""},
        {"C:\\Missing\\", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        At(c.url);
        control->PrintEx();
        std::string print = log.empty() ? (Processes().empty() ? "" : "listing") : log.front();
        EXPECT_EQ(print, c.print);
        At(c.url);
        control->SaveAs();
        EXPECT_EQ(log.empty() ? "" : log.front(), std::string(c.save));
        EXPECT_TRUE(Processes().empty());
    }
}

TEST_F(PrintSaveTest, AFailingWebViewIsIgnored) {
    At("http://www.example.com/");
    container.web->failAll = true;
    EXPECT_NO_THROW(control->PrintEx());
    EXPECT_NO_THROW(control->SaveAs());
}

} // namespace
