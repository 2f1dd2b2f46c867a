// The server's registration: the keys regsvr32 left, registering twice, unregistering twice.
#include "tests/wine/Checker.h"
#include <string>

namespace winecheck {

namespace {

const wchar_t kClsidKey[] = L"CLSID\\{AAB90922-E7C4-476C-9E8A-147DA0437718}";

std::wstring ReadValue(const std::wstring& path, const wchar_t* name) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<none>";
    LONG rc = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? buf : L"<none>";
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string W(const std::wstring& s) {
    return Narrow(s.c_str());
}

// The keys a registered server has, checked as one table.
void CheckRegistered(const char* when) {
    const std::wstring c = kClsidKey;
    struct Row {
        std::wstring path;
        const wchar_t* name;
        std::wstring expected; // empty: the key exists
    } rows[] = {
        {c, nullptr, L"VireoBrowser Control"},
        {c + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {c + L"\\ProgID", nullptr, L"VireoBR.VireoBrowser.1"},
        {c + L"\\VersionIndependentProgID", nullptr, L"VireoBR.VireoBrowser"},
        {c + L"\\TypeLib", nullptr, L"{F94C1A82-570B-43D9-9BEA-50F021BA755B}"},
        {c + L"\\Version", nullptr, L"1.0"},
        {c + L"\\MiscStatus\\1", nullptr, L"131473"},
        {c + L"\\Control", nullptr, L""},
        {c + L"\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}", nullptr, L""},
        {L"VireoBR.VireoBrowser\\CLSID", nullptr, L"{AAB90922-E7C4-476C-9E8A-147DA0437718}"},
        {L"VireoBR.VireoBrowser\\CurVer", nullptr, L"VireoBR.VireoBrowser.1"},
        {L"VireoBR.VireoBrowser.1\\CLSID", nullptr, L"{AAB90922-E7C4-476C-9E8A-147DA0437718}"},
    };
    for (const Row& r : rows) {
        std::string name = when;
        name += ": ";
        name += W(r.path);
        if (r.name) {
            name += '@';
            name += W(r.name);
        }
        if (r.expected.empty())
            Check(name, KeyExists(r.path));
        else {
            const std::wstring seen = ReadValue(r.path, r.name);
            Check(name, seen == r.expected, W(seen));
        }
    }
    CLSID clsid{};
    Check(std::string(when) + ": CLSIDFromProgID",
          SUCCEEDED(CLSIDFromProgID(L"VireoBR.VireoBrowser", &clsid)) && IsEqualCLSID(clsid, kClsid));
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadRegTypeLib(kLibId, 1, 0, LOCALE_NEUTRAL, &lib);
    Check(std::string(when) + ": LoadRegTypeLib", SUCCEEDED(hr), Hex(hr));
    if (lib) lib->Release();
}

} // namespace

void CheckRegistration() {
    const std::wstring server = ReadValue(std::wstring(kClsidKey) + L"\\InprocServer32", nullptr);
    Check("regsvr32 registered the server", GetFileAttributesW(server.c_str()) != INVALID_FILE_ATTRIBUTES,
          W(server));
    CheckRegistered("after regsvr32");

    HMODULE dll = LoadLibraryW(server.c_str());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto reg = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    auto unreg = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    Check("the DLL exports its registration entry points", reg && unreg);
    if (!reg || !unreg) return;

    HRESULT hr = reg();
    Check("registering a registered server succeeds", hr == S_OK, Hex(hr));
    CheckRegistered("registered twice");

    hr = unreg();
    Check("unregistering succeeds", hr == S_OK, Hex(hr));
    Check("unregistered: no class key", !KeyExists(kClsidKey));
    Check("unregistered: no ProgID",
          !KeyExists(L"VireoBR.VireoBrowser") && !KeyExists(L"VireoBR.VireoBrowser.1"));
    ITypeLib* lib = nullptr;
    hr = LoadRegTypeLib(kLibId, 1, 0, LOCALE_NEUTRAL, &lib);
    Check("unregistered: no type library", FAILED(hr), Hex(hr));
    if (lib) lib->Release();
    hr = unreg();
    Check("unregistering what is not registered succeeds", hr == S_OK, Hex(hr));

    hr = reg();
    Check("registering again succeeds", hr == S_OK, Hex(hr));
    CheckRegistered("registered again");
    FreeLibrary(dll);
}

} // namespace winecheck
