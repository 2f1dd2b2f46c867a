// The property file reader: any file content is either refused with std::runtime_error or read as a bag
// whose properties the control can load, each with its own type or its default.
#include "host/PropertyFile.h"
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("vireo-fuzz-props-" + std::to_string(getpid()) + ".json");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        host::PropertyFile bag = host::PropertyFile::Load(file);
        for (const char* name : {"Style", "ForeColor", "BackColor", "Font", "Other"}) {
            (void)bag.ReadProperty(name, vireo::Variant::Long(0)).Text();
            (void)bag.ReadProperty(name, vireo::Variant("x")).Text();
        }
        bag.WriteProperty("Style", vireo::Variant::Long(2), vireo::Variant::Long(0));
        bag.Save(file);
        (void)host::PropertyFile::Load(file);
    } catch (const std::runtime_error&) {}
    return 0;
}
