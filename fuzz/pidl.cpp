// The item-ID list helpers on arbitrary bytes in a block of the shell allocator: a block the check accepts is
// walked, copied, joined and named without reading past its end (AddressSanitizer watches the block), and
// every list the helpers return is freed again.
#include "FuzzScene.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "support/mmShellMacro.h"
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzscene::Scene(); // the desktop the namespace lives on
    using namespace vireo;
    const long live = emu::TaskAllocator::LiveBlocks();
    void* block = CoTaskMemAlloc(size);
    if (size) std::memcpy(block, data, size);
    const auto pidl = reinterpret_cast<LONG_PTR>(block);
    if (IsAllocatedPidl(pidl)) {
        const int16_t count = PidlItemCount(pidl);
        const int16_t bytes = PidlSize(pidl);
        if (bytes < 2 || static_cast<size_t>(bytes) > size) std::abort();
        LONG_PTR item = pidl;
        for (int16_t i = 0; i < count; ++i)
            item = NextPidlItem(item);
        if (item && PidlItemSize(item) != 0) std::abort();
        FreePidl(CopyPidlItem(pidl, size ? static_cast<int16_t>(data[0] % 8) - 1 : 1));
        const LONG_PTR joined = ConcatPidls(pidl, pidl, false, false);
        if (joined && PidlSize(joined) != 2 * bytes - 2) std::abort();
        FreePidl(joined);
        if (PidlToBytes(pidl).BytesValue().size() != static_cast<size_t>(bytes)) std::abort();
        (void)PidlDisplayPath(pidl);
        (void)DisplayNameOfPath(Variant::Long(pidl));
    }
    CoTaskMemFree(block);
    if (emu::TaskAllocator::LiveBlocks() != live) std::abort(); // a list was leaked
    return 0;
}
