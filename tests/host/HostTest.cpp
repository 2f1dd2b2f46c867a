#include "HostScript.h"
#include "host/Host.h"
#include "host/Tokens.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(TokensTest, SplitsWordsAndQuotedTexts) {
    struct Case {
        const char* line;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}},
        {"  invoke   NavigateTV  ", {"invoke", "NavigateTV"}},
        {"file C:\\a b", {"file", "C:\\a", "b"}},
        {"x \"C:\\Program Files\\\" y", {"x", "C:\\Program Files\\", "y"}},
        {"say \"he said \"\"hi\"\"\"", {"say", "he said \"hi\""}},
        {"a \"\" b", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got;
        for (const auto& t : host::Tokenize(c.line))
            got.push_back(t.text);
        EXPECT_EQ(got, c.words) << c.line;
    }
    EXPECT_THROW(host::Tokenize("say \"open"), std::invalid_argument);
}

TEST(HostTest, HandsEachLocationToItsPlaceInOrder) {
    auto out = RunHost(R"(mount C:
file C:\site.url "[InternetShortcut]" "URL=http://example.org/page"
file C:\backup.tar.gz x
create
invoke NavigateTV ftp.example.org
invoke NavigateTV C:\Missing
invoke NavigateTV C:\site.url
invoke NavigateTV C:\backup.tar.gz
)");
    std::vector<std::string> relevant;
    for (const auto& l : out)
        if (l.rfind("event", 0) == 0 || l.rfind("status", 0) == 0) relevant.push_back(l);
    EXPECT_EQ(relevant,
              (std::vector<std::string>{
                  "event PanelProperty \"\" False False False", // the form gives the control the focus
                  "event OpenFTP \"ftp.example.org\"",
                  "status \"'C:\\MISSING' IS CURRENTLY UNAVAILABLE !!!\"",
                  "event OpenURL \"http://example.org/page\"",
                  "event OpenArchive \"C:\\backup.tar.gz\"",
              }));
}

TEST(HostTest, PrintsResultsByReferenceValuesAndErrors) {
    int bad = 0;
    auto out = RunHost(R"(mount C:
create
invoke NavigateTV "ftp.x.org" false
invoke let Style "2"
invoke get Style
invoke let Style "large"
invoke NoSuchMember
bogus command
)",
                       false, &bad);
    EXPECT_TRUE(Contains(out, "result Long 0"));
    EXPECT_TRUE(Contains(out, "byref bSuccess True"));
    EXPECT_TRUE(Contains(out, "result Long 2"));
    EXPECT_TRUE(Contains(out, "error line 6: 0x80020005 Type mismatch"));
    EXPECT_TRUE(Contains(out, "error line 7: invoke: no member NoSuchMember"));
    EXPECT_TRUE(Contains(out, "error line 8: unknown command bogus"));
    EXPECT_EQ(bad, 3) << "the call's error is a failure too";
}

TEST(HostTest, JsonLinesCarryTypedValues) {
    auto out = RunHost("mount C:\ncreate\ninvoke NavigateTV ftp.x.org false\n", true);
    EXPECT_TRUE(Contains(out, R"({"args":["ftp.x.org"],"name":"OpenFTP","type":"event"})"));
    EXPECT_TRUE(Contains(out, R"({"param":"bSuccess","type":"byref","value":true})"));
}

TEST(HostTest, ScriptedActionsAnswerTheChoiceBox) {
    auto out = RunHost("mount C:\ncreate\ndialog press \"&FTP URL\"\ninvoke NavigateTV intranet\n"
                       "invoke NavigateTV other\n");
    // The choice box's record ends with its prompt.
    auto count = [&](const std::string& line) { return std::count(out.begin(), out.end(), line); };
    EXPECT_EQ(
        count("desktop Dialog \"Linnet\" \"press &FTP URL\" \"done\" \"Select URL Type of 'intranet'\""), 1);
    EXPECT_EQ(count("desktop Dialog \"Linnet\" \"close\" \"unanswered\" \"Select URL Type of 'other'\""), 1);
    EXPECT_TRUE(Contains(out, "event OpenFTP \"intranet\""));
    EXPECT_FALSE(Contains(out, "event OpenFTP \"other\""));
}

TEST(HostTest, MembersListsTheWholeTable) {
    auto out = RunHost("members\n");
    EXPECT_EQ(out.size(), 48u);
    EXPECT_EQ(out.front(), "0x40030303 m_OpenOneClick (Get, Let) value As Long -> Long");
    EXPECT_TRUE(
        Contains(out, "0x60030308 NavigateTV (method) URL As Variant, [ByRef bSuccess As Boolean] -> Long"));
    EXPECT_EQ(out.back(), "0x68030335 IsBusy (Get) -> Boolean");
}

TEST(HostTest, TheTourRunsWithoutBadLines) {
    std::ostringstream os;
    host::Output out(os, false);
    EXPECT_EQ(host::RunDemo(out), 0);
    EXPECT_NE(os.str().find("event OpenArchive"), std::string::npos);
}

} // namespace

namespace {

// The user's side of a session: a typed folder, a click, the selection inverted and listed, and up a level.
TEST(HostTest, AUserSessionPrintsTheEventsInOrder) {
    auto out = RunHost(R"(mount C: label SYSTEM
mkdir C:\Temp\Old
file C:\Temp\a.txt one
file C:\Temp\b.txt two
create
address C:\Temp
show view
click a
clock 200
invoke InvertSelection
invoke GetSelectedFileList ""
show view
key backspace
show list
)");
    // Events, results and views; a list prints as the location it stands for.
    std::vector<std::string> relevant;
    for (const auto& l : out) {
        if (l.rfind("status", 0) == 0 || l.rfind("desktop AutoComplete", 0) == 0) continue;
        relevant.push_back(l);
    }
    EXPECT_EQ(relevant,
              (std::vector<std::string>{
                  "event PanelProperty \"\" False False False",
                  "desktop MousePointer \"cursor:wait\"", // the extension index is built under an hourglass
                  "desktop MousePointer \"cursor:default\"",
                  "event CombUrlGotFocus",
                  "event PanelProperty \"Temp\" False False False",
                  "event NotifyURL \"C:\\Temp\\\" \"Temp\" \"C:\\Temp\" pidl:C:\\Temp\\ 1879048567",
                  "event PanelProperty \"Temp\" False False True",
                  "desktop View \"Old\" \"a\" \"b\"",
                  "event CombUrlLostFocus",
                  "event NotifySelection 1 \"a.txt\"",
                  "result Long 2",
                  "byref FileList \"Old<CR><LF>b.txt<CR><LF>\"",
                  "desktop View \"[Old]\" \"a\" \"[b]\"",
                  "event PanelProperty \"SYSTEM (C:)\" False False True",
                  "event NotifyURL \"C:\\\" \"SYSTEM (C:)\" \"C:\\\" pidl:C:\\ 1879048532",
                  "event PanelProperty \"SYSTEM (C:)\" True False True",
                  "desktop AddressList \"C:\\Temp\\\" \"SYSTEM (C:)\"",
              }));
}

} // namespace

namespace {

// The self-checking session of docs/host.md: every expectation holds; one changed expectation fails it.
const std::string kSelfCheckingSession = std::string(kTempScene) + R"(address C:\Temp
expect event NotifyURL "C:\Temp\" "Temp" "C:\Temp" pidl:C:\Temp\ *
expect event PanelProperty "Temp" False False True
show view
expect desktop View "Old" "a" "b"
click a
clock 200
expect event NotifySelection 1 "a.txt"
expect status "SIZE=1 KB, TYPE=TEXT DOCUMENT, MODIFIED=1/1/2001 12:00 PM"
invoke SetSelectedFiles "b<CR><LF>"
invoke GetSelectedFileList ""
expect result Long 2
expect byref FileList "a.txt<CR><LF>b.txt<CR><LF>"
invoke let Style "large"
expect error 0x80020005 *
on NotifyURL invoke get SelFolder
key backspace
expect event NotifyURL "C:\" *
expect result Record {sURL="C:\", *
expect no event OpenURL
)";

TEST(HostTest, TheDocumentedSelfCheckingSessionHoldsAndAWrongExpectationFailsIt) {
    int failures = -1;
    auto out = RunHost(kSelfCheckingSession, false, &failures);
    EXPECT_EQ(failures, 0) << Joined(out);
    std::string wrong = kSelfCheckingSession;
    const std::string expected = "expect event NotifySelection 1 \"a.txt\"";
    wrong.replace(wrong.find(expected), expected.size(), "expect event NotifySelection 1 \"b.txt\"");
    out = RunHost(wrong, false, &failures);
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(Contains(out, "error line 13: expected event NotifySelection 1 \"b.txt\", came: event "
                              "NotifySelection 1 \"a.txt\""));
}

} // namespace
