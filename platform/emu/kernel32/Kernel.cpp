#include "platform/emu/kernel32/Kernel.h"
#include <cstring>
#include <unistd.h>

namespace emu::k32 {

DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size) {
    if (!buffer || size < text.size() + 1) return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = 0;
    return static_cast<DWORD>(text.size());
}

FileObject::~FileObject() {
    if (fd >= 0) ::close(fd);
}

FILETIME ToFileTime(const std::timespec& t) {
    // 100-nanosecond intervals since 1 January 1601.
    constexpr int64_t kEpochDifference = 116444736000000000LL;
    int64_t v = static_cast<int64_t>(t.tv_sec) * 10000000 + t.tv_nsec / 100 + kEpochDifference;
    if (v < 0) v = 0;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(v & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(v) >> 32);
    return ft;
}

} // namespace emu::k32

BOOL WINAPI CloseHandle(HANDLE hObject) {
    if (emu::k32::Handles().Close(hObject)) return TRUE;
    return emu::k32::Fail(ERROR_INVALID_HANDLE, FALSE);
}
