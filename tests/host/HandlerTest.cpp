// Handlers: a script line run inside one of the control's eight events, before the control goes on. Each
// event's handler calls back into navigation, selection, Refresh, StopEx and Terminate; the host neither
// crashes nor leaks (the suite runs under AddressSanitizer), and what follows comes in the documented order.
#include "HostScript.h"
#include <gtest/gtest.h>

namespace {

const std::string kScene =
    std::string(kTempScene) + R"(file C:\site.url "[InternetShortcut]" "URL=http://example.org/"
file C:\backup.tar.gz x
address C:\Temp
)";

// Each event and a line that raises it once the scene is set.
struct Trigger {
    const char* event;
    const char* line;
};
const Trigger kTriggers[] = {
    {"PanelProperty", "address C:\\Temp\\Old"},
    {"OpenURL", "invoke NavigateTV C:\\site.url"},
    {"OpenArchive", "invoke NavigateTV C:\\backup.tar.gz"},
    {"OpenFTP", "invoke NavigateTV ftp.example.org"},
    {"CombUrlGotFocus", "click a\naddress C:\\Temp\\Old"},
    {"CombUrlLostFocus", "click a"},
    {"NotifyURL", "address C:\\Temp\\Old"},
    {"NotifySelection", "click a\nclock 200"},
};

// The printed line of the event's first raising (after the scene) and the lines that follow it.
std::vector<std::string> From(const std::vector<std::string>& out, size_t sceneLines,
                              const std::string& event) {
    for (size_t i = sceneLines; i < out.size(); ++i)
        if (out[i].rfind("event " + event, 0) == 0) return {out.begin() + long(i), out.end()};
    return {};
}

TEST(HandlerTest, EachEventRunsItsHandlerInsideItBeforeTheControlGoesOn) {
    const size_t sceneLines = RunHost(kScene).size();
    for (const Trigger& t : kTriggers) {
        auto out = RunHost(kScene + "on " + t.event + " invoke get Style\n" + t.line + "\n");
        const auto from = From(out, sceneLines, t.event);
        ASSERT_GE(from.size(), 2u) << t.event;
        // The handler's result comes right after the event's line.
        EXPECT_EQ(from[1], "result Long 3") << t.event;
    }
}

TEST(HandlerTest, TheOrderIsTheEventThenTheHandlersRecordsThenTheControlsAndTheMessagesAfter) {
    auto out =
        RunHost(kScene + "on NotifyURL invoke NavigateTV ftp.example.org\n" + "address C:\\Temp\\Old\n");
    const auto from = From(out, RunHost(kScene).size(), "NotifyURL");
    ASSERT_GE(from.size(), 4u);
    EXPECT_EQ(from[1], "event OpenFTP \"ftp.example.org\"")
        << "an event the handler's call raises comes first";
    EXPECT_EQ(from[2], "result Long 0") << "then the call's result";
    EXPECT_EQ(from[3], "event PanelProperty \"Old\" True False True") << "then the control goes on";
}

TEST(HandlerTest, AHandlerDoesNotRunInsideItselfAndOffRemovesIt) {
    int failures = -1;
    // ThisGotFocus raises PanelProperty at once: the handler's own call raises it again inside the
    // handler, where it is printed and not handled (else it would never end).
    auto out = RunHost(kScene + "on PanelProperty invoke ThisGotFocus\n" + // line 9
                           "invoke ThisGotFocus\n" +                       // line 10
                           "off PanelProperty\n" +                         // line 11
                           "invoke ThisGotFocus\n" +                       // line 12
                           "on NotifyURL bogus\n" +                        // line 13
                           "address C:\\Temp\\Old\n",                      // line 14
                       false, &failures);
    const size_t sceneLines = RunHost(kScene).size();
    std::vector<std::string> after(out.begin() + long(sceneLines), out.end());
    const std::string panel = "event PanelProperty \"Temp\" False False True";
    ASSERT_GE(after.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 3),
              (std::vector<std::string>{panel, panel, panel}))
        << "two from line 10 (the second inside the handler), one from line 12 (no handler)";
    // A handler's failing line is reported with the number of the line that raised the event.
    EXPECT_TRUE(Contains(after, "error line 14: on NotifyURL: unknown command bogus"));
    EXPECT_EQ(failures, 1);
}

TEST(HandlerTest, BadHandlerLinesAreRefused) {
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"on", "on: expected an event"},
        {"on NotifyPath invoke Refresh",
         "expected an event (PanelProperty, OpenURL, OpenArchive, OpenFTP, "
         "CombUrlGotFocus, CombUrlLostFocus, NotifyURL, NotifySelection), not "
         "NotifyPath"},
        {"on NotifyURL", "on NotifyURL: expected the line to run"},
        {"on NotifyURL expect no event", "an expect line cannot be a handler"},
        {"off NotifyURL now", "off: expected only the event, not now"},
    };
    for (const Case& c : cases) {
        int failures = 0;
        auto out = RunHost(std::string(c.line) + "\n", false, &failures);
        EXPECT_EQ(failures, 1) << c.line;
        EXPECT_TRUE(Contains(out, c.error)) << c.line << "\n" << (out.empty() ? "" : out[0]);
    }
}

// Every event's handler calls back into the control; the script goes on to its end, and the host still
// answers. (A navigation stopped from inside its first PanelProperty leaves the folder view empty for the
// next one: the control's matter, not the host's.)
TEST(HandlerTest, HandlersCallingBackIntoTheControlNeitherCrashNorLeak) {
    const char* const kCalls[] = {"invoke NavigateTV C:\\Temp\\Old",
                                  "invoke SetSelectedFiles \"b.txt<CR><LF>\"", "invoke Refresh",
                                  "invoke StopEx", "invoke Terminate"};
    for (const Trigger& t : kTriggers) {
        for (const char* call : kCalls) {
            int failures = -1;
            auto out = RunHost(kScene + "on " + t.event + " " + call + "\n" + t.line + "\n" + "off " +
                                   t.event + "\ninvoke NavigateTV C:\\Temp\nshow view\n",
                               false, &failures);
            EXPECT_EQ(failures, 0) << t.event << " / " << call << "\n" << Joined(out);
            EXPECT_EQ(out.back().rfind("desktop View", 0), 0u) << t.event << " / " << call << "\n"
                                                               << Joined(out);
        }
    }
}

} // namespace
