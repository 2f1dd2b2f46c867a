// Folder: a location as the control knows it (exported record).
#pragma once
#include "platform/win32.h"
#include <string>

namespace vireo {

struct Folder {
    std::string sURL;     // as navigated to: a file-system path, a UNC path or a web address
    std::string sLocName; // display name, as the web view reports it
    std::string sLocURL;  // address, as the web view reports it
    LONG_PTR nPidl = 0;   // item-ID list of the location, 0 when it has none
    LONG nAttr = 0;       // shell attribute bits (SFGAO) of that item, 0 when not read
};

} // namespace vireo
