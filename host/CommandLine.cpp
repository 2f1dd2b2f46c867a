#include "host/CommandLine.h"
#include "host/Host.h"
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>

namespace host {

namespace {

int Usage(const CLI::App& app, std::ostream& err, const std::string& problem) {
    if (!problem.empty()) err << "vireo-host: " << problem << "\n";
    err << app.help();
    return kExitUsage;
}

int Status(int failures) {
    return failures == 0 ? kExitOk : kExitFailed;
}

} // namespace

int RunCommandLine(int argc, const char* const* argv, std::istream& in, bool inIsTerminal, std::ostream& out,
                   std::ostream& err) {
    CLI::App app{"vireo-host: drives the VireoBrowser control on the emulated desktop"};
    app.footer("The script language (expectations, handlers, escapes, stable names): docs/host.md.\n"
               "Exit status: 0 all lines ran and all expectations held; 1 a line failed, a call raised an "
               "error or an expectation failed; 2 the script cannot be read or the command line is wrong.");
    bool json = false, raw = false;
    std::string what;
    app.add_flag("--json", json, "print JSON Lines");
    app.add_flag("--raw", raw, "print item-ID lists, window handles and mouse pointers as numbers");
    app.add_option("script", what, "a script file, - for standard input, 'members' or 'demo'");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return Usage(app, err, e.what());
    }
    if (what.empty() && inIsTerminal) return Usage(app, err, "");

    Output output(out, json, raw);
    if (what == "members") {
        PrintMembers(output);
        return kExitOk;
    }
    if (what == "demo") return Status(RunDemo(output));
    if (what.empty() || what == "-") {
        Host h(output);
        return Status(h.RunScript(in));
    }
    std::error_code ec;
    std::ifstream file(what);
    if (!file || std::filesystem::is_directory(what, ec))
        return Usage(app, err, "cannot read the script " + what);
    Host h(output);
    return Status(h.RunScript(file));
}

} // namespace host
