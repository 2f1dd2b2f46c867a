// vireo-host: drives the VireoBrowser control on the emulated desktop from a script (see CommandLine.h).
#include "host/CommandLine.h"
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    return host::RunCommandLine(argc, argv, std::cin, isatty(STDIN_FILENO) != 0, std::cout, std::cerr);
}
