// The command line of vireo-host: what to run, how to print it, and the exit status.
//   vireo-host [--json] [--raw] [SCRIPT|-]   run a script file, or standard input
//   vireo-host [--json] members              print the dispatch table
//   vireo-host [--json] demo                 run the built-in tour
#pragma once
#include <iostream>

namespace host {

// Exit statuses: every line ran and every expectation held; a line failed, a call raised an error or an
// expectation failed; the script cannot be read or the command line is wrong.
enum ExitStatus { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs the command line; in is standard input, and inIsTerminal tells whether a person types there (then,
// without a script, the usage is printed instead of waiting).
int RunCommandLine(int argc, const char* const* argv, std::istream& in, bool inIsTerminal, std::ostream& out,
                   std::ostream& err);

} // namespace host
