// The host's side of the control's events for checks that listen only to the selection notice: the other
// seven events are heard and ignored. Shared by the native suite and the Wine checker.
#pragma once
#include "control/VireoBrowserEvents.h"

namespace seq {

class SelectionEvents : public vireo::VireoBrowserEvents {
public:
    void PanelProperty(const std::string&, bool, bool, bool) override {}
    void OpenURL(const std::string&) override {}
    void OpenArchive(const std::string&) override {}
    void OpenFTP(const std::string&) override {}
    void CombUrlGotFocus() override {}
    void CombUrlLostFocus() override {}
    void NotifyURL(const std::string&, const std::string&, const std::string&, LONG_PTR, LONG) override {}
};

} // namespace seq
