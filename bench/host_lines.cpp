// What one script line costs the scripting host: 10,000 lines of narration without a control, then
// 10,000 lines that read the status bar of a control on a form (each line lets the queue run after it).
#include "host/Host.h"
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the script and prints the time per line; returns the seconds the whole script took.
double Measure(const char* what, const std::string& setup, const std::string& line, int lines) {
    std::ostringstream sink;
    host::Output out(sink, false);
    host::Host h(out);
    std::istringstream prepare(setup);
    if (h.RunScript(prepare) != 0) std::printf("setup failed:\n%s", sink.str().c_str());
    std::string script;
    for (int i = 0; i < lines; ++i)
        script += line + "\n";
    std::istringstream in(script);
    const auto start = Clock::now();
    const int bad = h.RunScript(in);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%-34s %6d lines in %.3f s: %.1f us per line%s\n", what, lines, seconds,
                1e6 * seconds / lines, bad ? " (some lines failed)" : "");
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::stoi(argv[1]) : 10000;
    const double say = Measure("say, no control", "", "say a trivial line", lines);
    const double status =
        Measure("show status, a control on a form", "mount C:\ncreate\n", "show status", lines);
    // The host is a test tool: ten thousand trivial lines run in under a second.
    return say < 1.0 && status < 1.0 ? 0 : 1;
}
