// The libraries LoadLibraryA, GetModuleHandleA and GetProcAddress know: kernel32 and shlwapi are built
// in, other emulated libraries register theirs (a name and its exports). A library is loaded once per
// name with a reference count, keeps the same module handle, and loses it when FreeLibrary drops the
// count to zero.
#pragma once
#include "platform/emu/api/kernel32.h"
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace emu {

// A function of an emulated library as GetProcAddress returns it.
template <class F> FARPROC AsFarProc(F* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

class ModuleTable {
public:
    using ExportLookup = std::function<FARPROC(std::string_view)>;

    ModuleTable();
    // Registers a library by file name ("shdocvw.dll"). exportOf gives a named export or nullptr;
    // present (when given) tells whether the library can be loaded now; a library always loaded has a
    // module handle without LoadLibraryA, as kernel32 has.
    void Register(std::string_view fileName, ExportLookup exportOf, std::function<bool()> present = {},
                  bool alwaysLoaded = false);
    void Register(std::string_view fileName, std::map<std::string, FARPROC, std::less<>> exports);

    // LoadLibraryA, GetModuleHandleA, FreeLibrary, GetProcAddress; failures give their Windows error.
    HMODULE Load(std::string_view name, uint32_t& error);
    HMODULE Loaded(std::string_view name) const;
    bool Free(HMODULE module);
    FARPROC Proc(HMODULE module, std::string_view procName, uint32_t& error) const;
    unsigned RefCount(std::string_view name) const;

    // The module handle of the program itself (GetModuleHandleA(NULL)).
    static HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(uintptr_t(0x00400000)); }

private:
    struct Library {
        ExportLookup exportOf;
        std::function<bool()> present;
        bool alwaysLoaded = false;
        HMODULE handle = nullptr;
        unsigned refs = 0;
    };
    static std::string Key(std::string_view name);
    const Library* ByHandle(HMODULE module) const;

    std::map<std::string, Library> m_libraries;
    uintptr_t m_nextBase = 0x10000000;
};

} // namespace emu
