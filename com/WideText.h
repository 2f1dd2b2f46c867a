// Between the wide text of the COM interfaces and the ANSI code page the control works in: for the
// server, the Windows web view and the programs that drive the control from outside (the container and
// the Wine checks).
#pragma once
#include <ole2.h>
#include <oleauto.h>
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

// s from the ANSI code page as a new BSTR (the caller frees it); null only when memory runs out.
inline BSTR AllocWide(const std::string& s) {
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (out && n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out, n);
    return out;
}

} // namespace vireo
