// What the fuzz targets share: one host with a placed control on an emulated desktop, made on first use and
// kept for the whole run, and the input as text.
#pragma once
#include "host/Host.h"
#include "host/Output.h"
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace fuzzscene {

// A drive C: with a few folders and files, and the control placed on the host's form.
inline host::Host& Scene() {
    static std::ostringstream sink;
    static host::Output out(sink, false);
    static host::Host* scene = [] {
        auto* h = new host::Host(out); // kept to the end of the run: the control must outlive every input
        std::istringstream script(R"(mount C:
mkdir C:\Temp\Old
file C:\Temp\a.txt one
file C:\Temp\page.htm "<html></html>"
file C:\Temp\site.url "[InternetShortcut]" "URL=http://example.org/"
file C:\Temp\pack.zip x
create
)");
        h->RunScript(script);
        return h;
    }();
    sink.str(std::string()); // what earlier inputs printed is of no interest
    return *scene;
}

inline std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace fuzzscene
