// mmModule: the component's own module handle, which the shell is given as the instance of its calls.
#pragma once
#include "platform/win32.h"

namespace vireo {

// The handle set by SetComponentInstance (the library's entry point does so when it is loaded), else the
// handle of the program the component runs in.
HINSTANCE ComponentInstance();
void SetComponentInstance(HINSTANCE hInstance);

} // namespace vireo
