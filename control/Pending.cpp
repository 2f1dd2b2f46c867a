// Members whose behaviour is not built yet: each raises a "not built yet" error to the host, and the
// event handlers that would carry them out do nothing, so a navigation still completes.
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"

namespace vireo {

void VireoBrowser::FireStatus() {
    throw NotBuiltYet("FireStatus");
}
void VireoBrowser::Activate() {
    throw NotBuiltYet("Activate");
}
void VireoBrowser::GoToNextDrive() {
    throw NotBuiltYet("GoToNextDrive");
}
void VireoBrowser::GetColWidth() {
    throw NotBuiltYet("GetColWidth");
}
void VireoBrowser::SetColWidth() {
    throw NotBuiltYet("SetColWidth");
}
LONG VireoBrowser::GetSelectedCount(std::string&) {
    throw NotBuiltYet("GetSelectedCount");
}
LONG VireoBrowser::GetSelectedFileList(std::string&) {
    throw NotBuiltYet("GetSelectedFileList");
}
void VireoBrowser::SetSelectedFiles(const std::string&) {
    throw NotBuiltYet("SetSelectedFiles");
}
void VireoBrowser::InvertSelection() {
    throw NotBuiltYet("InvertSelection");
}
void VireoBrowser::SwitchView(LONG) {
    throw NotBuiltYet("SwitchView");
}
void VireoBrowser::FileOperation(int16_t&, const std::string&) {
    throw NotBuiltYet("FileOperation");
}
void VireoBrowser::AddFavoriteEx() {
    throw NotBuiltYet("AddFavoriteEx");
}
void VireoBrowser::OrgFavoriteEx() {
    throw NotBuiltYet("OrgFavoriteEx");
}
void VireoBrowser::PrintEx() {
    throw NotBuiltYet("PrintEx");
}
void VireoBrowser::SaveAs() {
    throw NotBuiltYet("SaveAs");
}

void VireoBrowser::MenusChanged() {}

} // namespace vireo
