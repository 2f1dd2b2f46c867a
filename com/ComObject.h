// The pieces every object of the server shares: one QueryInterface helper over a list of the object's
// interfaces, and an atomic reference count that counts the object in the module while it lives.
#pragma once
#include "com/Module.h"
#include <atomic>
#include <initializer_list>
#include <ole2.h>

namespace vireo::com {

struct InterfaceEntry {
    const IID& iid;
    void* pointer;
};

// Finds riid among entries and hands out that pointer with a new reference (through AddRef of unknown).
inline HRESULT QueryFrom(IUnknown* unknown, REFIID riid, void** ppv,
                         std::initializer_list<InterfaceEntry> entries) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const InterfaceEntry& e : entries)
        if (IsEqualIID(riid, e.iid)) {
            *ppv = e.pointer;
            unknown->AddRef();
            return S_OK;
        }
    return E_NOINTERFACE;
}

// A counted object Self: starts at one reference, deletes itself at zero.
template <class Self> class RefCount {
public:
    RefCount() { ObjectCreated(); }
    RefCount(const RefCount&) = delete;
    RefCount& operator=(const RefCount&) = delete;
    ~RefCount() { ObjectDestroyed(); }
    ULONG Add() { return static_cast<ULONG>(++m_refs); }
    ULONG Drop() {
        const long n = --m_refs;
        if (n == 0) delete static_cast<Self*>(this);
        return static_cast<ULONG>(n);
    }

private:
    std::atomic<long> m_refs{1};
};

#define VIREO_COM_REFCOUNT                                                                                   \
    ULONG STDMETHODCALLTYPE AddRef() override {                                                              \
        return this->Add();                                                                                  \
    }                                                                                                        \
    ULONG STDMETHODCALLTYPE Release() override {                                                             \
        return this->Drop();                                                                                 \
    }

} // namespace vireo::com
