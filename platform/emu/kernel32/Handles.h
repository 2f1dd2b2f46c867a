// Kernel handles of the emulated desktop: files, searches, processes and devices share one table, so
// CloseHandle works on any of them and a stale or foreign handle is refused with ERROR_INVALID_HANDLE.
// Values start at 0x40 and grow by 4, as Windows hands them out; they are never addresses.
#pragma once
#include "platform/emu/api/types.h"
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace emu {

struct KernelObject {
    virtual ~KernelObject() = default;
};

class HandleTable {
public:
    HANDLE Add(std::shared_ptr<KernelObject> object);
    // The object of a handle when it is of type T; none otherwise.
    template <class T> T* Get(HANDLE h) const {
        auto it = m_objects.find(reinterpret_cast<uintptr_t>(h));
        return it == m_objects.end() ? nullptr : dynamic_cast<T*>(it->second.get());
    }
    template <class T> std::vector<T*> All() const {
        std::vector<T*> out;
        for (const auto& [value, object] : m_objects)
            if (T* t = dynamic_cast<T*>(object.get())) out.push_back(t);
        return out;
    }
    bool Close(HANDLE h);
    size_t Count() const { return m_objects.size(); }

private:
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> m_objects;
    uintptr_t m_next = 0x40;
};

} // namespace emu
