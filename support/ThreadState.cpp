#include "support/ThreadState.h"
#include <utility>

namespace vireo {

void ThreadState::Reset() {
    ThreadState fresh;
    fresh.shellMalloc = shellMalloc;
    fresh.desktopFolder = desktopFolder;
    fresh.oldWndProcAtom = oldWndProcAtom;
    fresh.objectPtrAtom = objectPtrAtom;
    *this = std::move(fresh);
}

} // namespace vireo
