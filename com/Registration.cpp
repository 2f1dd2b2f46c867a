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

// Creates root\path (and its parents) and sets one value: name null for the key's default value.
HRESULT SetValue(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                              nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
    rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

HRESULT CreateKey(const std::wstring& path) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                              nullptr, &key, nullptr);
    if (rc == ERROR_SUCCESS) RegCloseKey(key);
    return HRESULT_FROM_WIN32(rc);
}

// Deletes a key with everything under it; a key that is not there is already deleted.
HRESULT DeleteTree(const std::wstring& path) {
    const DWORD rc = SHDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
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

} // namespace

HRESULT RegisterServer() {
    const std::wstring path = ModulePath();
    if (path.empty()) return SELFREG_E_CLASS;
    for (const Entry& e : Entries(path)) {
        HRESULT hr = e.keyOnly ? CreateKey(e.path) : SetValue(e.path, e.name, e.value);
        if (FAILED(hr)) return SELFREG_E_CLASS;
    }
    ITypeLib* lib = TypeLibrary();
    if (!lib) return SELFREG_E_TYPELIB;
    std::wstring libPath = path;
    HRESULT hr = RegisterTypeLib(lib, libPath.data(), nullptr);
    return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

HRESULT UnregisterServer() {
    HRESULT result = S_OK;
    const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_VireoBrowser);
    for (const std::wstring& key : {clsid, WideText(kProgId), WideText(kVersionIndependentProgId)})
        if (FAILED(DeleteTree(key))) result = SELFREG_E_CLASS;
    // UnRegisterTypeLib fails for a library that is not registered; there is then nothing to undo.
    if (KeyExists(TypeLibKey())) {
        const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
        if (FAILED(UnRegisterTypeLib(LIBID_VireoBR, kTypeLibMajor, kTypeLibMinor, LOCALE_NEUTRAL, kind)))
            result = SELFREG_E_TYPELIB;
    }
    return result;
}

} // namespace vireo::com
