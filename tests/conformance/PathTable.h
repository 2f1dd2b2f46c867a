// One table of path cases for kernel32 and the shell calls the control relies on, run from the same
// source against the emulated desktop (the native suite) and against Wine (the Wine checker). Each side
// first makes the same scratch folder layout under a root on drive C:, makes that root the current
// directory, runs every row and removes the layout again.
#pragma once
#include "platform/win32.h"
#include <string>
#include <vector>

namespace conformance {

enum class Call {
    Attributes,      // GetFileAttributesA: "dir", "file"
    FullPath,        // GetFullPathNameA: the full path
    Find,            // FindFirstFileA and FindNextFileA: the names found, sorted, joined by "|"
    CreateDirectory, // CreateDirectoryA: "1", and `made` exists as a folder afterwards (then removed)
    Move,            // MoveFileA from arg to arg2: "1", and `made` exists afterwards (then moved back)
    TypeName,        // SHGetFileInfoA with SHGFI_TYPENAME: the type name
    TypeNameOf,      // the same with SHGFI_USEFILEATTRIBUTES; arg2 "dir" gives FILE_ATTRIBUTE_DIRECTORY
    Parse,           // the desktop folder's ParseDisplayName, then SHGetPathFromIDListA: the path
};

// In every text, {R} stands for the scratch root. A failure reads "-"; its last error (an HRESULT for
// Parse) is compared when `error` is not 0.
struct Case {
    Call call;
    const char* arg;
    const char* arg2;
    const char* made;
    const char* want;
    DWORD error;
    bool wineDiffers; // Wine answers otherwise; the row holds Windows' answer and is skipped on Wine
    const char* note;
};

const std::vector<Case>& PathCases();

struct Outcome {
    const Case* row;
    std::string arg, arg2; // with the root put in
    std::string got;
    DWORD error;
    bool ok;
    bool skipped;
    std::string Describe() const;
};

// Runs the table with its layout under root (a folder on C: that is made and removed again); a false
// first outcome (row null) tells that the layout could not be made.
std::vector<Outcome> RunPathCases(const std::string& root, bool onWine);

} // namespace conformance
