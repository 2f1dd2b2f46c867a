// The emulated desktop's registry text loader: any text is loaded or refused with std::invalid_argument
// naming the line, and what was loaded can be read back through the registry functions.
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/win32.h"
#include <cstdint>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static emu::Desktop* desk = new emu::Desktop; // kept for the whole run
    emu::Registry& registry = desk->Reg();
    try {
        registry.Load(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const std::invalid_argument&) {}
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char value[260];
        DWORD type = 0, cb = sizeof value;
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &cb);
        RegCloseKey(key);
    }
    return 0;
}
