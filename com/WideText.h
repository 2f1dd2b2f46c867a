// Wide text of the COM interfaces in the ANSI code page, for the programs that drive the control from
// outside (the container and the Wine checks).
#pragma once
#include <ole2.h>
#include <string>

namespace vireo {

// The NUL-terminated wide text s in the ANSI code page; "" for none.
inline std::string Narrow(const OLECHAR* s) {
    if (!s) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? static_cast<size_t>(n - 1) : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace vireo
