// The standard enumerators (IEnumConnections, IEnumConnectionPoints) over a snapshot taken when the
// enumerator is made: Next hands out new references, Skip, Reset and Clone as documented.
#pragma once
#include "com/ComObject.h"
#include <ocidl.h>
#include <vector>

namespace vireo::com {

inline void AddRefItem(CONNECTDATA& d) {
    if (d.pUnk) d.pUnk->AddRef();
}
inline void ReleaseItem(CONNECTDATA& d) {
    if (d.pUnk) d.pUnk->Release();
}
inline void AddRefItem(IConnectionPoint* p) {
    if (p) p->AddRef();
}
inline void ReleaseItem(IConnectionPoint* p) {
    if (p) p->Release();
}

template <class IEnum, class Item>
class Enumerator final : public IEnum, public RefCount<Enumerator<IEnum, Item>> {
public:
    // Takes a reference on every item.
    Enumerator(const IID& iid, std::vector<Item> items) : m_iid(iid), m_items(std::move(items)) {
        for (Item& i : m_items)
            AddRefItem(i);
    }
    ~Enumerator() {
        for (Item& i : m_items)
            ReleaseItem(i);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        return QueryFrom(this, riid, ppv, {{IID_IUnknown, static_cast<IUnknown*>(this)}, {m_iid, this}});
    }
    VIREO_COM_REFCOUNT

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        for (; n < count && m_next < m_items.size(); ++n, ++m_next) {
            out[n] = m_items[m_next];
            AddRefItem(out[n]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = m_items.size() - m_next;
        m_next += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        m_next = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnum** out) override {
        if (!out) return E_POINTER;
        auto* copy = new Enumerator(m_iid, m_items);
        copy->m_next = m_next;
        *out = copy;
        return S_OK;
    }

private:
    const IID& m_iid;
    std::vector<Item> m_items;
    size_t m_next = 0;
};

using ConnectionEnumerator = Enumerator<IEnumConnections, CONNECTDATA>;
using ConnectionPointEnumerator = Enumerator<IEnumConnectionPoints, IConnectionPoint*>;

} // namespace vireo::com
