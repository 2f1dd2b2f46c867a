// The file-system places of the namespace as the host holds them (HostEntries.cpp): the path helpers the
// parse uses, and the parse and listing of a drive, share or folder.
#pragma once
#include "platform/emu/shell32/Namespace.h"
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace emu::shell {

// The text after its leading separators (\ or /).
std::string_view SkipSeparators(std::string_view text);
// The first part of a path and the rest after its separator.
std::pair<std::string_view, std::string_view> SplitFirst(std::string_view text);
// The drive of a file-system place, 0 on a share.
char DriveLetter(const Node& node);

// Whether a host folder holds a folder that is not hidden.
bool HasSubfolder(const std::filesystem::path& dir);
// What a missing file-system place fails with: a drive without its medium is not ready, else the path is
// not found.
HRESULT FileSystemUnavailable(const Node& folder);
// Parses names below a drive, share or folder into packed items, one per part.
HRESULT ParseFileSystem(const Node& folder, std::string_view text, std::string& packed);
// The items of a drive, share or folder, in the order the file system lists them.
HRESULT ListHostFolder(const Node& folder, SHCONTF flags, std::vector<std::string>& items);

} // namespace emu::shell
