#include "com/Registration.h"
#include "com/Guids.h"
#include "com/Module.h"
#include "com/Owners.h"
#include <olectl.h>
#include <shlwapi.h>
#include <string>
#include <vector>

namespace vireo::com {

namespace {

// The categories the control belongs to: controls, and objects that can be driven by automation.
const wchar_t* const kCategories[] = {L"{40FC6ED4-2438-11CF-A3DB-080036F12502}",
                                      L"{40FC6ED5-2438-11CF-A3DB-080036F12502}"};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring WideText(const char* s) {
    return std::wstring(s, s + lstrlenA(s));
}

// Where the classes are written: HKEY_CLASSES_ROOT for the machine, the user's own classes otherwise.
struct Hive {
    HKEY root;
    std::wstring prefix;
    std::wstring Path(const std::wstring& path) const { return prefix + path; }
};

Hive HiveOf(Scope scope) {
    if (scope == Scope::User) return {HKEY_CURRENT_USER, L"Software\\Classes\\"};
    return {HKEY_CLASSES_ROOT, L""};
}

// Creates root\path (and its parents) and sets one value: name null for the key's default value.
HRESULT SetValue(const Hive& hive, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(hive.root, hive.Path(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

HRESULT CreateKey(const Hive& hive, const std::wstring& path) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(hive.root, hive.Path(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr);
    if (rc == ERROR_SUCCESS) RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

// Deletes a key with everything under it; a key that is not there is already deleted.
HRESULT DeleteTree(const Hive& hive, const std::wstring& path) {
    const DWORD rc = SHDeleteKeyW(hive.root, hive.Path(path).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

// Deletes a key that holds neither keys nor values.
void DeleteIfEmpty(const Hive& hive, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive.root, hive.Path(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0) RegDeleteKeyW(hive.root, hive.Path(path).c_str());
}

bool KeyExists(const Hive& hive, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive.root, hive.Path(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

struct Entry {
    std::wstring path;
    const wchar_t* name; // null: the default value; an entry without value text only creates the key
    std::wstring value;
    bool keyOnly = false;
};

std::vector<Entry> Entries(const std::wstring& modulePath) {
    const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_VireoBrowser);
    const std::wstring progId = WideText(kProgId), independent = WideText(kVersionIndependentProgId),
                       name = WideText(kClassName);
    wchar_t misc[16];
    wsprintfW(misc, L"%lu", static_cast<unsigned long>(kMiscStatus));
    std::vector<Entry> e = {
        {clsid, nullptr, name},
        {clsid + L"\\InprocServer32", nullptr, modulePath},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", nullptr, progId},
        {clsid + L"\\VersionIndependentProgID", nullptr, independent},
        {clsid + L"\\TypeLib", nullptr, GuidText(LIBID_VireoBR)},
        {clsid + L"\\Version", nullptr, L"1.0"},
        {clsid + L"\\Control", nullptr, L"", true},
        {clsid + L"\\MiscStatus", nullptr, L"0"},
        {clsid + L"\\MiscStatus\\1", nullptr, misc},
        {progId, nullptr, name},
        {progId + L"\\CLSID", nullptr, GuidText(CLSID_VireoBrowser)},
        {independent, nullptr, name},
        {independent + L"\\CLSID", nullptr, GuidText(CLSID_VireoBrowser)},
        {independent + L"\\CurVer", nullptr, progId},
    };
    for (const wchar_t* category : kCategories)
        e.push_back({clsid + L"\\Implemented Categories\\" + category, nullptr, L"", true});
    return e;
}

std::wstring TypeLibKey() {
    return L"TypeLib\\" + GuidText(LIBID_VireoBR) + L"\\1.0";
}

// The keys RegisterTypeLib writes for the library and its two interfaces, which a user's registration
// writes itself (Wine's RegisterTypeLibForUser registers for the machine).
std::vector<Entry> TypeLibEntries(const std::wstring& modulePath) {
    const std::wstring lib = TypeLibKey(), folder = modulePath.substr(0, modulePath.find_last_of(L'\\'));
    std::vector<Entry> e = {
        {lib, nullptr, L"VireoBR folder browser"},
        {lib + L"\\FLAGS", nullptr, L"0"},
        {lib + L"\\HELPDIR", nullptr, folder},
        {lib + (sizeof(void*) == 8 ? L"\\0\\win64" : L"\\0\\win32"), nullptr, modulePath},
    };
    struct Iface {
        REFIID iid;
        const wchar_t* name;
        const wchar_t* proxy; // automation's marshaller: for dual interfaces, for dispatch interfaces
    } ifaces[] = {{IID__VireoBrowser, L"_VireoBrowser", L"{00020424-0000-0000-C000-000000000046}"},
                  {DIID___VireoBrowser, L"__VireoBrowser", L"{00020420-0000-0000-C000-000000000046}"}};
    for (const Iface& i : ifaces) {
        const std::wstring key = L"Interface\\" + GuidText(i.iid);
        e.push_back({key, nullptr, i.name});
        e.push_back({key + L"\\ProxyStubClsid", nullptr, i.proxy});
        e.push_back({key + L"\\ProxyStubClsid32", nullptr, i.proxy});
        e.push_back({key + L"\\TypeLib", nullptr, GuidText(LIBID_VireoBR)});
        e.push_back({key + L"\\TypeLib", L"Version", L"1.0"});
    }
    return e;
}

HRESULT Write(const Hive& hive, const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        HRESULT hr = e.keyOnly ? CreateKey(hive, e.path) : SetValue(hive, e.path, e.name, e.value);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

} // namespace

HRESULT RegisterServer(Scope scope) {
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    const Hive hive = HiveOf(scope);
    if (FAILED(Write(hive, Entries(path)))) return SELFREG_E_CLASS;
    if (scope == Scope::User) return FAILED(Write(hive, TypeLibEntries(path))) ? SELFREG_E_TYPELIB : S_OK;
    ITypeLib* lib = TypeLibrary();
    if (!lib) return SELFREG_E_TYPELIB;
    std::wstring libPath = path;
    HRESULT hr = RegisterTypeLib(lib, libPath.data(), nullptr);
    return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

HRESULT UnregisterServer(Scope scope) {
    HRESULT result = S_OK;
    const Hive hive = HiveOf(scope);
    const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_VireoBrowser);
    for (const std::wstring& key : {clsid, WideText(kProgId), WideText(kVersionIndependentProgId)})
        if (FAILED(DeleteTree(hive, key))) result = SELFREG_E_CLASS;
    if (scope == Scope::User) {
        const std::wstring lib = L"TypeLib\\" + GuidText(LIBID_VireoBR);
        for (const std::wstring& key : {TypeLibKey(), L"Interface\\" + GuidText(IID__VireoBrowser),
                                        L"Interface\\" + GuidText(DIID___VireoBrowser)})
            if (FAILED(DeleteTree(hive, key))) result = SELFREG_E_TYPELIB;
        for (const wchar_t* key : {lib.c_str(), L"TypeLib", L"Interface", L"CLSID"})
            DeleteIfEmpty(hive, key);
        return result;
    }
    // UnRegisterTypeLib fails for a library that is not registered; there is then nothing to undo.
    if (KeyExists(hive, TypeLibKey())) {
        const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
        if (FAILED(UnRegisterTypeLib(LIBID_VireoBR, kTypeLibMajor, kTypeLibMinor, LOCALE_NEUTRAL, kind)))
            result = SELFREG_E_TYPELIB;
    }
    return result;
}

bool ScopeFromCommandLine(const wchar_t* commandLine, Scope& scope) {
    const std::wstring line = commandLine ? commandLine : L"";
    if (line.empty() || lstrcmpiW(line.c_str(), L"machine") == 0) {
        scope = Scope::Machine;
        return true;
    }
    if (lstrcmpiW(line.c_str(), L"user") == 0) {
        scope = Scope::User;
        return true;
    }
    return false;
}

} // namespace vireo::com
