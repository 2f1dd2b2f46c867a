// Registration of the server: the class with its in-process server, program identifiers, type library,
// control flags and categories, and the type library itself; for the machine under HKEY_CLASSES_ROOT
// (administrators), or for the current user under HKEY_CURRENT_USER\Software\Classes.
#pragma once
#include <ole2.h>

namespace vireo::com {

// The OLEMISC bits of the control: it recomposes when resized, cannot be linked inside, is activated
// in place and as soon as it is visible, and wants its client site before it is loaded.
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                              OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

enum class Scope { Machine, User };

HRESULT RegisterServer(Scope scope = Scope::Machine);
// Removes what RegisterServer wrote. Keys that are not there are no error: unregistering a server that is
// not registered succeeds (S_OK), so an uninstaller may run it twice. For the user, the classes keys that
// registering created (CLSID, TypeLib, Interface) go too when nothing else is left in them.
HRESULT UnregisterServer(Scope scope = Scope::Machine);

// DllInstall's command line: "user" (any case) for the current user, "" or "machine" for the machine;
// false for anything else.
bool ScopeFromCommandLine(const wchar_t* commandLine, Scope& scope);

} // namespace vireo::com
