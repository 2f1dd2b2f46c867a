// mDrive: the list of drive roots.
#pragma once
#include <string>

namespace vireo {

// "A:\", NUL, "C:\", NUL, ..., NUL as GetLogicalDriveStringsA gives it into a 78-character buffer; the
// empty string when the call fails or the list does not fit (20 drives or more).
std::string LogicalDriveString();

} // namespace vireo
