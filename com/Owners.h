// Owners of the COM resources the server holds: interface pointers (RefPtr, platform/RefCounted.h), BSTRs
// and VARIANTs. Each releases what it owns once; put() hands out the address for an out parameter after
// releasing the old value; detach() gives up ownership.
#pragma once
#include "platform/RefCounted.h"
#include <ole2.h>
#include <oleauto.h>
#include <string>
#include <utility>

namespace vireo::com {

// An interface pointer: the system's one owner of counted references.
template <class T> using ComPtr = RefPtr<T>;

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const OLECHAR* s) : m_s(s ? SysAllocString(s) : nullptr) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& o) noexcept : m_s(std::exchange(o.m_s, nullptr)) {}
    Bstr& operator=(Bstr&& o) noexcept {
        if (this != &o) {
            reset();
            m_s = std::exchange(o.m_s, nullptr);
        }
        return *this;
    }
    ~Bstr() { reset(); }
    static Bstr Adopt(BSTR s) {
        Bstr r;
        r.m_s = s;
        return r;
    }
    void reset() {
        if (BSTR s = std::exchange(m_s, nullptr)) SysFreeString(s);
    }
    BSTR detach() { return std::exchange(m_s, nullptr); }
    BSTR* put() {
        reset();
        return &m_s;
    }
    BSTR get() const { return m_s; }
    UINT length() const { return m_s ? SysStringLen(m_s) : 0; }

private:
    BSTR m_s = nullptr;
};

class VariantOwner {
public:
    VariantOwner() { VariantInit(&m_v); }
    VariantOwner(const VariantOwner&) = delete;
    VariantOwner& operator=(const VariantOwner&) = delete;
    ~VariantOwner() { VariantClear(&m_v); }
    VARIANT* put() {
        VariantClear(&m_v);
        return &m_v;
    }
    VARIANT* get() { return &m_v; }
    const VARIANT* get() const { return &m_v; }
    // Hands the value to an out parameter the caller will clear.
    void detach(VARIANT* out) {
        *out = m_v;
        VariantInit(&m_v);
    }

private:
    VARIANT m_v;
};

} // namespace vireo::com
