// The shell allocator is the task allocator, as on every Windows since NT 4.
#include "platform/emu/api/shlobj.h"

HRESULT WINAPI SHGetMalloc(LPMALLOC* ppMalloc) {
    return CoGetMalloc(MEMCTX_TASK, ppMalloc);
}
