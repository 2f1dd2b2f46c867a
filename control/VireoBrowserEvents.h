// The control's event interface: the host's handlers run synchronously inside the raising call and may
// call back into the control.
#pragma once
#include "platform/win32.h"
#include <string>

namespace vireo {

class VireoBrowserEvents {
public:
    virtual ~VireoBrowserEvents() = default;
    virtual void PanelProperty(const std::string& sTitle, bool bBack, bool bForward, bool bUp) = 0; // 1
    virtual void OpenURL(const std::string& sURL) = 0;                                              // 2
    virtual void OpenArchive(const std::string& sURL) = 0;                                          // 3
    virtual void OpenFTP(const std::string& sURL) = 0;                                              // 4
    virtual void CombUrlGotFocus() = 0;                                                             // 5
    virtual void CombUrlLostFocus() = 0;                                                            // 6
    virtual void NotifyURL(const std::string& sURL, const std::string& sLocName, const std::string& sLocURL,
                           LONG_PTR nPidl, LONG nAttr) = 0;                // 7
    virtual void NotifySelection(LONG nCnt, const std::string& sFile) = 0; // 8
};

} // namespace vireo
