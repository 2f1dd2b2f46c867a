// The special folders of the emulated user "User": the profile on the system drive, Windows and Program
// Files, and the virtual folders of the namespace.
#pragma once
#include <string>

namespace emu::shell {

// The file-system path (UTF-8) of a special folder, "" for a virtual or unknown one.
std::string SpecialFolderPath(int csidl);

} // namespace emu::shell
