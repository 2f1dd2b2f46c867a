// The emulated registry: the hives HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS and
// HKEY_CURRENT_CONFIG, each its own tree of keys. (On Windows HKEY_CLASSES_ROOT is a merged view of the
// machine's and the user's Software\Classes, and HKEY_CURRENT_USER is one of HKEY_USERS' subkeys; here they
// are separate trees, which is all the system needs.) Key and value names compare without regard to case
// and keep the case they were created with; values are typed raw bytes, text in the ANSI code page.
//
// It is seeded at construction with the file types of a fresh Windows installation (RegistrySeed.cpp).
// Tests and the host set it up directly through the path-based members below; the advapi32 functions
// (RegistryApi.cpp) reach it through handles.
//
// Registry text, as Load reads it: one entry a line; blank lines and lines starting with ';' or '#' are
// skipped; a line is
//   HKCR\.txt = txtfile                     the default value of a key (creating the key and its parents)
//   HKCR\txtfile\shell\open\command = notepad.exe "%1"
//   HKCR\Folder                             the key alone
//   [HKCR\.txt]                             a section: the value lines after it belong to this key
//   @ = txtfile                             the default value of the section's key
//   Content Type = text/plain               a named value of the section's key
//   "HKCR name=odd" = x                     a value name in double quotes (for '=' or a leading hive name)
// The hive is a long name (HKEY_CLASSES_ROOT) or a short one (HKCR, HKCU, HKLM, HKU, HKCC). Data is text,
// stored as REG_SZ with its terminating NUL, unless it starts with one of these prefixes:
//   sz:text             REG_SZ, the rest of the line as it stands
//   expand:%windir%\x   REG_EXPAND_SZ
//   multi:one|two       REG_MULTI_SZ: each item NUL-terminated, then a final NUL
//   dword:0000001f      REG_DWORD from hexadecimal, stored little-endian
//   dword-be:01020304   REG_DWORD_BIG_ENDIAN, the four bytes in the order written
//   hex:01,02,ff        REG_BINARY bytes
//   hex(N):01,02        bytes of the type N (hexadecimal, as in .reg files: hex(2) expand, hex(7) multi)
//   none:               REG_NONE with no data
#pragma once
#include "platform/emu/advapi32/RegKey.h"
#include "platform/emu/api/advapi32.h"
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace emu {

class Desktop;

class Registry {
public:
    explicit Registry(Desktop& desktop);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Setup and inspection by full path ("HKCR\txtfile\shell"). They throw std::invalid_argument for a
    // path that does not start with a known hive.
    void CreateKey(std::string_view path);
    bool KeyExists(std::string_view path) const;
    void SetValue(std::string_view path, std::string_view name, DWORD type, std::vector<uint8_t> data);
    // Text stored with its terminating NUL, as programs write it.
    void SetString(std::string_view path, std::string_view name, std::string_view text, DWORD type = REG_SZ);
    void SetDword(std::string_view path, std::string_view name, DWORD value);
    std::optional<RegValue> GetValue(std::string_view path, std::string_view name) const;
    // The text of a value up to its first NUL; none when the value is missing.
    std::optional<std::string> GetString(std::string_view path, std::string_view name) const;
    // The names of a key's subkeys in enumeration order; empty when the key is missing.
    std::vector<std::string> Subkeys(std::string_view path) const;

    // Loads registry text (described above); throws std::invalid_argument naming the line at fault.
    void Load(std::string_view text);
    void LoadFile(const std::filesystem::path& file);

    // Registers a file type as a program's installer does: HKCR\.ext names the class, the class holds
    // the type name and the open command. The extension may be given with or without its dot.
    void RegisterFileType(std::string_view extension, std::string_view className, std::string_view typeName,
                          std::string_view openCommand);

    // Handles opened by RegOpenKeyEx and RegCreateKeyEx and not closed yet: a leaked key shows here.
    size_t OpenHandleCount() const { return m_handles.size(); }

    // The handle-level operations behind the advapi32 functions; they answer Windows' error codes.
    // Opening or creating below a handle needs no right on it (NT checks the new key's own security).
    LSTATUS OpenKey(HKEY parent, std::string_view subKey, REGSAM access, HKEY* result);
    LSTATUS CreateKey(HKEY parent, std::string_view subKey, std::string_view className, REGSAM access,
                      HKEY* result, DWORD* disposition);
    LSTATUS CloseKey(HKEY key);
    LSTATUS DeleteKey(HKEY parent, std::string_view subKey);
    // The key behind a handle when the handle was granted every right in `needed`:
    // ERROR_INVALID_HANDLE, ERROR_ACCESS_DENIED or ERROR_KEY_DELETED otherwise.
    LSTATUS Use(HKEY key, REGSAM needed, RegKey*& out) const;

private:
    struct Handle {
        std::shared_ptr<RegKey> key;
        REGSAM granted;
    };
    static std::string_view SeedText(); // RegistrySeed.cpp

    std::shared_ptr<RegKey> Root(HKEY key) const;
    LSTATUS Lookup(HKEY key, std::shared_ptr<RegKey>& out, REGSAM& granted) const;
    HKEY NewHandle(std::shared_ptr<RegKey> key, REGSAM access);
    // The key at a full path, created when `create` is set; null when missing.
    std::shared_ptr<RegKey> AtPath(std::string_view path, bool create) const;

    std::vector<std::pair<HKEY, std::shared_ptr<RegKey>>> m_roots;
    std::unordered_map<ULONG_PTR, Handle> m_handles;
    ULONG_PTR m_nextHandle;
};

} // namespace emu
