// The host-number rows the native suite also runs, here against Wine's ole32 task allocator: whole lists
// in its blocks are read, numbers that are no block of it are refused without being read.
#include "tests/conformance/HostNumbers.h"
#include "tests/wine/Checker.h"

namespace winecheck {

void CheckHostNumbers() {
    for (const auto& o : conformance::RunHostNumberRows())
        Check("host number: " + o.Describe(), o.ok());
}

} // namespace winecheck
