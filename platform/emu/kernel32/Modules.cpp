// LoadLibraryA, GetModuleHandleA, FreeLibrary and GetProcAddress over the module table.
#include "platform/emu/kernel32/Modules.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include <cstring>

namespace emu {

ModuleTable::ModuleTable() = default;

std::string ModuleTable::Key(std::string_view name) {
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string_view::npos) name = name.substr(slash + 1);
    std::string key = AnsiUpper(name);
    // LoadLibrary adds ".DLL" to a name without extension; a trailing dot means "no extension".
    if (key.find('.') == std::string::npos)
        key += ".DLL";
    else if (key.back() == '.')
        key.pop_back();
    return key;
}

void ModuleTable::Register(std::string_view fileName, ExportLookup exportOf, std::function<bool()> present,
                           bool alwaysLoaded) {
    Library& lib = m_libraries[Key(fileName)];
    lib.exportOf = std::move(exportOf);
    lib.present = std::move(present);
    lib.alwaysLoaded = alwaysLoaded;
    if (!lib.handle) {
        lib.handle = reinterpret_cast<HMODULE>(m_nextBase);
        m_nextBase += 0x100000;
    }
}

void ModuleTable::Register(std::string_view fileName, std::map<std::string, FARPROC, std::less<>> exports) {
    Register(fileName, [exports = std::move(exports)](std::string_view name) -> FARPROC {
        auto it = exports.find(name);
        return it == exports.end() ? nullptr : it->second;
    });
}

HMODULE ModuleTable::Load(std::string_view name, uint32_t& error) {
    auto it = m_libraries.find(Key(name));
    if (it == m_libraries.end() || (it->second.present && !it->second.present())) {
        error = ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    ++it->second.refs;
    return it->second.handle;
}

HMODULE ModuleTable::Loaded(std::string_view name) const {
    auto it = m_libraries.find(Key(name));
    if (it == m_libraries.end()) return nullptr;
    const Library& lib = it->second;
    if (lib.present && !lib.present()) return nullptr;
    return lib.alwaysLoaded || lib.refs ? lib.handle : nullptr;
}

const ModuleTable::Library* ModuleTable::ByHandle(HMODULE module) const {
    for (const auto& [key, lib] : m_libraries)
        if (lib.handle == module && (lib.alwaysLoaded || lib.refs)) return &lib;
    return nullptr;
}

bool ModuleTable::Free(HMODULE module) {
    Library* lib = const_cast<Library*>(ByHandle(module));
    if (!lib) return false;
    if (!lib->alwaysLoaded) --lib->refs;
    return true;
}

FARPROC ModuleTable::Proc(HMODULE module, std::string_view procName, uint32_t& error) const {
    const Library* lib = ByHandle(module);
    if (!lib) {
        error = module == ProgramModule() ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    FARPROC proc = lib->exportOf ? lib->exportOf(procName) : nullptr;
    if (!proc) error = ERROR_PROC_NOT_FOUND;
    return proc;
}

unsigned ModuleTable::RefCount(std::string_view name) const {
    auto it = m_libraries.find(Key(name));
    return it == m_libraries.end() ? 0 : it->second.refs;
}

} // namespace emu

using emu::Desktop;

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName) return emu::ModuleTable::ProgramModule();
    HMODULE h = Desktop::Current().System().Modules().Loaded(lpModuleName);
    if (!h) SetLastError(ERROR_MOD_NOT_FOUND);
    return h;
}

// The program's file is VIREO.EXE in the Windows directory. As on Windows XP, the result is the number
// of characters copied without the NUL; a buffer too small takes what fits, unterminated, and the result
// is nSize with ERROR_INSUFFICIENT_BUFFER. Only the program's own handle (or NULL) is known here.
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule && hModule != emu::ModuleTable::ProgramModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string path = Desktop::Current().System().WindowsDirectory() + "\\VIREO.EXE";
    if (path.size() < nSize) {
        std::memcpy(lpFilename, path.c_str(), path.size() + 1);
        return static_cast<DWORD>(path.size());
    }
    if (nSize > 0) std::memcpy(lpFilename, path.c_str(), nSize);
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    uint32_t error = 0;
    HMODULE h = Desktop::Current().System().Modules().Load(lpLibFileName, error);
    if (!h) SetLastError(error);
    return h;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    if (Desktop::Current().System().Modules().Free(hLibModule)) return TRUE;
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    // A value below 0x10000 is an ordinal; the emulated libraries export by name only.
    if (reinterpret_cast<uintptr_t>(lpProcName) < 0x10000) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    uint32_t error = 0;
    FARPROC proc = Desktop::Current().System().Modules().Proc(hModule, lpProcName, error);
    if (!proc) SetLastError(error);
    return proc;
}
