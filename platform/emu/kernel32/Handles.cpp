#include "platform/emu/kernel32/Handles.h"

namespace emu {

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object) {
    uintptr_t value = m_next;
    m_next += 4;
    m_objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

bool HandleTable::Close(HANDLE h) {
    return m_objects.erase(reinterpret_cast<uintptr_t>(h)) != 0;
}

} // namespace emu
