// Members whose behaviour is not built yet: each raises a "not built yet" error to the host, and the
// event handlers that would carry them out do nothing, so a navigation still completes.
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"

namespace vireo {

void VireoBrowser::PrintEx() {
    throw NotBuiltYet("PrintEx");
}
void VireoBrowser::SaveAs() {
    throw NotBuiltYet("SaveAs");
}

} // namespace vireo
