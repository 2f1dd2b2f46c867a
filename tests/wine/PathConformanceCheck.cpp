// The path table that the native suite also runs, here against Wine's kernel32 and shell32. Rows where
// Wine is known to answer otherwise than Windows hold Windows' answer and are shown as skipped.
#include "tests/conformance/PathTable.h"
#include "tests/wine/Checker.h"

namespace winecheck {

void CheckPathConformance() {
    for (const auto& o : conformance::RunPathCases("C:\\vconf", true)) {
        if (o.skipped)
            std::printf("skip %s: Wine differs from Windows here\n", o.Describe().c_str());
        else
            Check("path table: " + o.Describe(), o.ok);
    }
}

} // namespace winecheck
