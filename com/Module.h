// The server's module: its instance handle, the count of live objects and of LockServer locks, which
// DllCanUnloadNow reads, and the embedded type library.
#pragma once
#include "com/Owners.h"
#include <ole2.h>
#include <string>

namespace vireo::com {

HINSTANCE ModuleInstance();
void ObjectCreated();
void ObjectDestroyed();
void LockModule(bool lock);
// True while no object lives and no lock is held.
bool ModuleIdle();
// The full path of the DLL, as InprocServer32 and the type library's registration take it.
std::wstring ModulePath();
// The type library embedded as resource 1, loaded once; null when it cannot be loaded.
ITypeLib* TypeLibrary();
// Lets the library go; DllCanUnloadNow calls it when the module is idle.
void ReleaseTypeLibrary();
// The type information of one of the library's types (interface, event interface, record, class).
ComPtr<ITypeInfo> TypeInfoOf(REFGUID guid);

} // namespace vireo::com
