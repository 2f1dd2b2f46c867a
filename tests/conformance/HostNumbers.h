// Numbers a host may hand the control as an item-ID list, run from the same source against the emulated
// desktop (the native suite) and against Wine's ole32 (the Wine checker): whole lists in blocks of the
// task allocator are read, anything else is refused without being read. Each row also records what the
// task allocator's DidAlloc answered, which Windows documents as 1 (its block), 0 (not its block) and -1
// (it cannot tell, as for NULL).
#pragma once
#include "platform/win32.h"
#include <string>
#include <vector>

namespace conformance {

struct HostNumberOutcome {
    std::string what;
    bool readable = false, wantReadable = false;
    int didAlloc = 0, wantDidAlloc = 0;
    bool ok() const { return readable == wantReadable && didAlloc == wantDidAlloc; }
    std::string Describe() const;
};

// Makes every row's number, asks IsAllocatedPidl and DidAlloc about it, and frees what it made.
std::vector<HostNumberOutcome> RunHostNumberRows();

} // namespace conformance
