// The task allocator behind CoTaskMemAlloc, CoGetMalloc and SHGetMalloc: one per process, as on Windows.
// It counts the blocks it has handed out and not yet taken back, so tests can check that every item-ID
// list and every string the shell returned was freed.
#pragma once
#include <cstddef>

struct IMalloc;

namespace emu {

class TaskAllocator {
public:
    // Blocks allocated and not yet freed, over the whole process.
    static long LiveBlocks();
    // Whether p is a live block of this allocator.
    static bool Owns(const void* p);
    // Frees of pointers that were not live blocks (a block freed twice, a foreign pointer), over the whole
    // process: Windows would corrupt its heap; here the call is refused and counted.
    static long RefusedFrees();
    // The allocator object (its reference count never reaches zero).
    static IMalloc* Interface();
};

} // namespace emu
