// vireo-host: drives the VireoBrowser control on the emulated desktop from a script.
//   vireo-host [--json] [SCRIPT|-]   run a script file, or standard input
//   vireo-host [--json] members      print the dispatch table
//   vireo-host [--json] demo         run the built-in tour
#include "host/Host.h"
#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"vireo-host: drives the VireoBrowser control on the emulated desktop"};
    bool json = false;
    std::string what = "-";
    app.add_flag("--json", json, "print JSON Lines");
    app.add_option("script", what, "a script file, - for standard input, 'members' or 'demo'");
    CLI11_PARSE(app, argc, argv);

    host::Output out(std::cout, json);
    if (what == "members") {
        host::PrintMembers(out);
        return 0;
    }
    if (what == "demo") return host::RunDemo(out) == 0 ? 0 : 1;
    host::Host h(out);
    if (what == "-") return h.RunScript(std::cin) == 0 ? 0 : 1;
    std::ifstream in(what);
    if (!in) {
        std::cerr << "vireo-host: cannot read " << what << "\n";
        return 2;
    }
    return h.RunScript(in) == 0 ? 0 : 1;
}
