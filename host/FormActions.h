// What the host's user does with the form the control is placed on: resizes it, drags the splitter
// between the folder tree and the web view, and looks at where the control's parts are.
#pragma once
#include "control/VireoBrowser.h"
#include <string>
#include <vector>

namespace host {

// The form's client area becomes width x height and the control fills it again.
void ResizeForm(HWND form, vireo::VireoBrowser& control, int width, int height);
// The grab bar between the tree and the web view dragged dy pixels down (up when negative) with the left
// button, and released there.
void DragSplitter(vireo::VireoBrowser& control, int dy);
// One "part x y width height" line per part of the control, in the control's client coordinates; a
// hidden part shows "hidden".
std::vector<std::string> LayoutLines(vireo::VireoBrowser& control);

} // namespace host
