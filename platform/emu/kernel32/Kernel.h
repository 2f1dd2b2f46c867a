// What the kernel32 functions share: the current desktop's parts, the failure helper, the Windows
// buffer rule, the file and device handle objects and host times as FILETIMEs.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/api/kernel32.h"
#include "platform/emu/kernel32/FileSystem.h"
#include "platform/emu/kernel32/Handles.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include <ctime>
#include <filesystem>
#include <string_view>

namespace emu::k32 {

inline Desktop& Desk() {
    return Desktop::Current();
}
inline FileSystem& Files() {
    return Desk().Files();
}
inline SystemInfo& Sys() {
    return Desk().System();
}
inline HandleTable& Handles() {
    return Sys().Handles();
}

// Sets the last error and gives back the call's failure result.
template <class T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

// The buffer rule of most narrow functions: when the text and its NUL fit, they are copied and the
// length without the NUL is returned; otherwise the size needed, NUL included, and the buffer is left as
// it was.
DWORD CopyOut(std::string_view text, LPSTR buffer, DWORD size);

// An open file.
struct FileObject : KernelObject {
    int fd = -1;
    std::filesystem::path host;
    bool canRead = false;
    bool canWrite = false;
    DWORD shareMode = 0;
    ~FileObject() override;
};

// A drive opened as a device (\\.\D:), for DeviceIoControl.
struct DeviceObject : KernelObject {
    char drive = 0;
};

FILETIME ToFileTime(const std::timespec& t);

} // namespace emu::k32
