// Faults planned into the file functions that change the disk, to see what a failure in the middle of an
// operation leaves behind. Every call of CreateDirectoryA, RemoveDirectoryA, DeleteFileA, CopyFileA and
// MoveFileA on the planning desktop is one step, counted from 1 since the plan was made; the planned step
// meets its fault and every other step runs as usual:
// - DiskFull, AccessDenied: the call changes nothing and fails with ERROR_DISK_FULL or ERROR_ACCESS_DENIED
//   (a copy that runs out of room is removed again, as CopyFile does, so nothing is left half written);
// - SourceVanishes: another program removes the entry the call reads (the source of a copy or a move, the
//   entry to delete) just before it runs; the call then fails as it would;
// - TargetAppears: another program writes a file at the call's new name (a copy's or a move's target, a new
//   folder) just before it runs.
#pragma once
#include <string>

namespace emu {

enum class FileFault { DiskFull, AccessDenied, SourceVanishes, TargetAppears };

class FileFaults {
public:
    // Plans the fault for the step-th step on the current desktop, and starts counting again.
    static void Plan(unsigned step, FileFault fault);
    static void Clear();
    // The steps counted since the plan was made, and whether the planned one was reached.
    static unsigned Steps();
    static bool Met();
    // The Windows path that vanished or appeared at the planned step; "" when none did.
    static const std::string& Touched();
    // What a file function calls first: counts the step and, at the planned one, brings the fault about.
    // The Windows error the call must fail with, or 0 to go on. source or target may be null.
    static unsigned long Before(const char* source, const char* target);
};

} // namespace emu
