// The emulated desktop's COM objects: one reference count and one QueryInterface for an object that
// implements one interface (and IUnknown through it). The object deletes itself with its last reference.
#pragma once
#include "platform/emu/api/ole32.h"
#include <atomic>

namespace emu {

template <class Interface> class ComObject : public Interface {
public:
    explicit ComObject(const IID& iid) : m_iid(iid) {}
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == m_iid) {
            *ppv = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override {
        ULONG n = --m_refs;
        if (n == 0) delete this;
        return n;
    }

private:
    const IID& m_iid;
    std::atomic<ULONG> m_refs{1};
};

} // namespace emu
