// The version resource of the registered DLL, read as Explorer's property sheet reads it
// (GetFileVersionInfo), against the version the build gave it.
#include "Version.h"
#include "tests/wine/Checker.h"
#include <vector>

namespace winecheck {

namespace {

std::string StringValue(const std::vector<BYTE>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "<none>";
    return std::string(value, length > 0 ? length - 1 : 0);
}

} // namespace

void CheckVersionResource() {
    // The DLL the class is registered with.
    char path[MAX_PATH] = {};
    HKEY key = nullptr;
    DWORD size = sizeof path;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{AAB90922-E7C4-476C-9E8A-147DA0437718}\\InprocServer32", 0,
                      KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
        RegCloseKey(key);
    }
    DWORD handle = 0;
    const DWORD bytes = GetFileVersionInfoSizeA(path, &handle);
    std::vector<BYTE> block(bytes);
    const bool read = bytes > 0 && GetFileVersionInfoA(path, 0, bytes, block.data());
    Check("the DLL has a version resource", read, path);
    if (!read) return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
    const DWORD ms = MAKELONG(VIREO_VERSION_MINOR, VIREO_VERSION_MAJOR),
                ls = MAKELONG(0, VIREO_VERSION_PATCH);
    Check("its file version is the build's",
          fixed && fixed->dwFileVersionMS == ms && fixed->dwFileVersionLS == ls,
          fixed ? Hex(static_cast<long>(fixed->dwFileVersionMS)) + " " +
                      Hex(static_cast<long>(fixed->dwFileVersionLS))
                : "no fixed part");
    Check("it is a DLL", fixed && fixed->dwFileType == VFT_DLL);
    struct Row {
        const char* name;
        std::string want;
    } rows[] = {
        {"FileVersion", VIREO_VERSION_TEXT},
        {"ProductVersion", VIREO_VERSION_TEXT},
        {"ProductName", "VireoBR"},
        {"OriginalFilename", "VireoBR.dll"},
        {"FileDescription", std::string("VireoBR folder browser control (") + VIREO_ARCHITECTURE + ")"}};
    for (const Row& r : rows) {
        const std::string seen = StringValue(block, r.name);
        Check(std::string("version string ") + r.name, seen == r.want, seen);
    }
    Check("it is marked self-registering", StringValue(block, "OLESelfRegister") != "<none>");
}

} // namespace winecheck
