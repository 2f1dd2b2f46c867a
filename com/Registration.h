// Registration of the server: the class under HKEY_CLASSES_ROOT with its in-process server, program
// identifiers, type library, control flags and categories, and the type library itself.
#pragma once
#include <ole2.h>

namespace vireo::com {

// The OLEMISC bits of the control: it recomposes when resized, cannot be linked inside, is activated
// in place and as soon as it is visible, and wants its client site before it is loaded.
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

HRESULT RegisterServer();
// Removes what RegisterServer wrote. Keys that are not there are no error: unregistering a server that is
// not registered succeeds (S_OK), so an uninstaller may run it twice.
HRESULT UnregisterServer();

} // namespace vireo::com
