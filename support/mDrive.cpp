#include "support/mDrive.h"
#include "platform/win32.h"

namespace vireo {

std::string LogicalDriveString() {
    constexpr DWORD kSize = 78;
    std::string buffer(kSize, ' ');
    if (GetLogicalDriveStringsA(kSize, buffer.data()) == 0) return {};
    // Too small a buffer is left as it was: all blanks, trimmed to nothing.
    size_t first = buffer.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = buffer.find_last_not_of(' ');
    return buffer.substr(first, last - first + 1);
}

} // namespace vireo
