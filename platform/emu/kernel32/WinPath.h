// Windows path texts taken apart without touching any file: roots (C:\, \\server\share), components,
// the rules of GetFullPathName for "." and "..", and the characters a name may not hold.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace emu::winpath {

enum class RootKind {
    Drive,  // C:\ ...
    Share,  // \\server\share ...
    Server, // \\server alone
    Device, // \\.\X: and \\?\... , left as they are
};

// A full path split into its root and its components.
struct FullPath {
    RootKind kind = RootKind::Drive;
    char drive = 0;     // upper-case letter of a drive path
    std::string server; // of a UNC path
    std::string share;
    std::vector<std::string> parts;
    bool trailingSep = false; // the text ended with a separator after at least one component

    // "C:\", "\\server\share" or "\\server".
    std::string Root() const;
    std::string Text() const;
};

// Splits a full path ("C:\a\b", "\\srv\share\a", "\\srv"); none for relative texts. / counts as \ and
// empty components (doubled separators) are dropped; "." and ".." stay as they are.
std::optional<FullPath> Split(std::string_view full);

// GetFullPathName's normalisation of a full path's components: "." dropped, ".." removes the previous
// component but never climbs above the root, and the last component loses trailing dots and spaces.
void Normalize(FullPath& path);

// True when the text is drive-absolute (X:\...) or UNC (\\...).
bool IsFullyQualified(std::string_view path);

// A component holds none of the characters Windows refuses in names (control characters and <>:"/\|?*).
bool IsValidName(std::string_view name);
bool HasWildcards(std::string_view name);

} // namespace emu::winpath
