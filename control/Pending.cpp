// Members whose behaviour is not built yet: each raises a "not built yet" error to the host, and the
// event handlers that would carry them out do nothing, so a navigation still completes.
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"

namespace vireo {

void VireoBrowser::ThisGotFocus() {
    throw NotBuiltYet("ThisGotFocus");
}
void VireoBrowser::ThisLostFocus() {
    throw NotBuiltYet("ThisLostFocus");
}
void VireoBrowser::GoToNextDrive() {
    throw NotBuiltYet("GoToNextDrive");
}
void VireoBrowser::PrintEx() {
    throw NotBuiltYet("PrintEx");
}
void VireoBrowser::SaveAs() {
    throw NotBuiltYet("SaveAs");
}

void VireoBrowser::BeforeNavigate2(const Variant&, bool&) {}
void VireoBrowser::NavigateComplete2(const Variant&) {}
void VireoBrowser::DocumentComplete(const Variant&) {}
void VireoBrowser::StatusTextChange(const std::string&) {}
void VireoBrowser::ProgressChange(int32_t, int32_t) {}
void VireoBrowser::CommandStateChange(int32_t, bool) {}
void VireoBrowser::TitleChange(const std::string&) {}
void VireoBrowser::MenusChanged() {}
void VireoBrowser::GotFocus() {}

} // namespace vireo
