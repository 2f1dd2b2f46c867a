// Move-only owners of the COM resources the server holds: interface pointers, BSTRs and VARIANTs. Each
// releases what it owns once; put() hands out the address for an out parameter after releasing the old
// value; detach() gives up ownership.
#pragma once
#include <ole2.h>
#include <oleauto.h>
#include <string>
#include <utility>

namespace vireo::com {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference on p.
    explicit ComPtr(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    // Takes over a reference already counted.
    static ComPtr Adopt(T* p) {
        ComPtr r;
        r.m_p = p;
        return r;
    }
    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    T* detach() { return std::exchange(m_p, nullptr); }
    T** put() {
        reset();
        return &m_p;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // The interface U of the object, or none.
    template <class U> ComPtr<U> query(REFIID iid) const {
        ComPtr<U> r;
        if (m_p) m_p->QueryInterface(iid, r.put_void());
        return r;
    }

private:
    T* m_p = nullptr;
};

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
