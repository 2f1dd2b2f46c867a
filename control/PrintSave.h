// The folder listing that PrintEx writes and opens in Notepad.
#pragma once
#include <string>

namespace vireo {

// The application title that names the listing file.
inline constexpr const char* kListingTitle = "VireoBR";

// The listing file: the temporary directory, the title and ".txt"; each listing replaces the last.
std::string ListingFile();
// The command line that writes a listing of the current directory into sFile.
std::string ListingCommand(bool bWinNT, const std::string& sFile);

} // namespace vireo
