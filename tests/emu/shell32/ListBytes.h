// Item-ID lists of chosen shapes for tests: each item has the given size and is filled with its 1-based
// position, so copies and joins can be checked byte by byte.
#pragma once
#include "platform/win32.h"
#include <cstdint>
#include <cstring>
#include <vector>

namespace testlists {

inline std::vector<uint8_t> Packed(const std::vector<uint16_t>& sizes) {
    std::vector<uint8_t> bytes;
    uint8_t fill = 1;
    for (uint16_t cb : sizes) {
        bytes.push_back(static_cast<uint8_t>(cb & 0xFF));
        bytes.push_back(static_cast<uint8_t>(cb >> 8));
        for (int i = 2; i < cb; ++i)
            bytes.push_back(fill);
        ++fill;
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// A list in the task allocator, to be freed by the code under test or with CoTaskMemFree.
inline LPITEMIDLIST Make(const std::vector<uint16_t>& sizes) {
    std::vector<uint8_t> bytes = Packed(sizes);
    void* p = CoTaskMemAlloc(bytes.size());
    std::memcpy(p, bytes.data(), bytes.size());
    return static_cast<LPITEMIDLIST>(p);
}

// The bytes of a list, terminator included.
inline std::vector<uint8_t> Read(LPCITEMIDLIST pidl) {
    std::vector<uint8_t> bytes;
    if (!pidl) return bytes;
    const auto* p = reinterpret_cast<const uint8_t*>(pidl);
    for (;;) {
        uint16_t cb = static_cast<uint16_t>(p[0] | (p[1] << 8));
        if (cb == 0) break;
        bytes.insert(bytes.end(), p, p + cb);
        p += cb;
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

} // namespace testlists
