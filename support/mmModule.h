// mmModule: the component's own module handle, which the shell is given as the instance of its calls.
#pragma once
#include "platform/win32.h"

namespace vireo {

// The handle set by SetComponentInstance (the library's entry point does so when it is loaded), else the
// handle of the program the component runs in.
HINSTANCE ComponentInstance();
void SetComponentInstance(HINSTANCE hInstance);

// Registers a window class of the component's module unless it is registered already: the procedure, the
// arrow cursor and a background of the system colour nBackground (a COLOR_ index; -1 for none). Asking
// first is cheap and survives a host that unregisters the class.
void RegisterComponentClass(const char* sClassName, WNDPROC proc, int nBackground);

} // namespace vireo
