// Intrusive reference counting: the control and the outside components are reference-counted on every
// build (on Windows they are COM objects), so a window procedure or an event can hold one for the length
// of a call while a host handler releases it.
#pragma once
#include <atomic>
#include <utility>

namespace vireo {

class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;
    virtual ~RefCounted() = default;

    unsigned long AddRef() { return ++m_refs; }
    unsigned long Release() {
        unsigned long n = --m_refs;
        if (n == 0) delete this;
        return n;
    }
    unsigned long RefCount() const { return m_refs; }

private:
    std::atomic<unsigned long> m_refs{1};
};

// Owning pointer to a reference-counted object, ours or a COM interface. Adopt() takes over a reference
// already held (a freshly created object starts with one, an out parameter hands one over); the
// constructor from a raw pointer adds one.
template <class T> class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}
    explicit RefPtr(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    RefPtr(const RefPtr& o) : RefPtr(o.m_p) {}
    RefPtr(RefPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <class U> RefPtr(const RefPtr<U>& o) : RefPtr(static_cast<T*>(o.get())) {}
    ~RefPtr() { reset(); }
    RefPtr& operator=(RefPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    static RefPtr Adopt(T* p) {
        RefPtr r;
        r.m_p = p;
        return r;
    }
    template <class... A> static RefPtr Make(A&&... a) { return Adopt(new T(std::forward<A>(a)...)); }

    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    // Gives up the reference without releasing it: the caller holds it now.
    T* detach() { return std::exchange(m_p, nullptr); }
    // The address for an out parameter that hands over a reference; the one held is released first.
    T** put() {
        reset();
        return &m_p;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    // The object's interface U through QueryInterface, or none.
    template <class U, class Iid> RefPtr<U> query(const Iid& iid) const {
        RefPtr<U> r;
        if (m_p) m_p->QueryInterface(iid, r.put_void());
        return r;
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    bool operator==(const RefPtr& o) const { return m_p == o.m_p; }

private:
    T* m_p = nullptr;
};

} // namespace vireo
