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

// The drive path after a \\?\ prefix, taken as written: only \ separates, and an empty component (a
// doubled separator) makes it no path.
std::optional<FullPath> SplitLiteral(std::string_view rest);

// GetFullPathName's normalisation of a full path text (drive, UNC or \\?\ form): / becomes \ and doubled
// separators one; a "." component goes and ".." takes the previous component with it, never climbing
// above the root; a component that ends in a period before a separator loses that one period ("data.\" is
// "data\", "...\" is "..\", a name); and only at the very end of the text, trailing periods and blanks
// go ("C:\a. ." is "C:\a", while "C:\ \" keeps its folder " ").
std::string Collapse(std::string path);

// True when the text holds nothing but blanks: Windows gives it no full path.
bool IsAllBlank(std::string_view path);

// The reserved DOS device names (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9), with or without an extension
// and trailing blanks, in any case: Windows opens the device instead of a file of that name.
bool IsDeviceName(std::string_view name);

// True when the text is drive-absolute (X:\...) or UNC (\\...).
bool IsFullyQualified(std::string_view path);

// A component holds none of the characters Windows refuses in names (control characters and <>:"/\|?*).
bool IsValidName(std::string_view name);
bool HasWildcards(std::string_view name);

} // namespace emu::winpath
