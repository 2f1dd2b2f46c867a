#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/emu/api/ole32.h"
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace emu {

namespace {

// Every live block with its size: GetSize and DidAlloc answer from it, and a pointer that is not a live
// block is never handed to free() (Windows would corrupt its heap; here the call is ignored).
class Blocks {
public:
    void* Alloc(size_t cb) {
        void* p = std::malloc(cb ? cb : 1);
        if (!p) return nullptr;
        std::lock_guard lock(m_mutex);
        m_sizes.emplace(p, cb);
        return p;
    }
    bool Free(void* p) {
        {
            std::lock_guard lock(m_mutex);
            if (m_sizes.erase(p) == 0) {
                ++m_refused;
                return false;
            }
        }
        std::free(p);
        return true;
    }
    // Realloc(NULL, cb) allocates; Realloc(p, 0) frees and answers NULL; a foreign pointer answers NULL.
    void* Realloc(void* p, size_t cb) {
        if (!p) return Alloc(cb);
        if (cb == 0) {
            Free(p);
            return nullptr;
        }
        std::lock_guard lock(m_mutex);
        auto it = m_sizes.find(p);
        if (it == m_sizes.end()) return nullptr;
        void* q = std::realloc(p, cb);
        if (!q) return nullptr;
        m_sizes.erase(it);
        m_sizes.emplace(q, cb);
        return q;
    }
    // (SIZE_T)-1 for a pointer that is not a live block, as the COM allocator answers.
    size_t Size(const void* p) const {
        std::lock_guard lock(m_mutex);
        auto it = m_sizes.find(const_cast<void*>(p));
        return it == m_sizes.end() ? static_cast<size_t>(-1) : it->second;
    }
    bool Owns(const void* p) const {
        std::lock_guard lock(m_mutex);
        return m_sizes.count(const_cast<void*>(p)) != 0;
    }
    long Live() const {
        std::lock_guard lock(m_mutex);
        return static_cast<long>(m_sizes.size());
    }
    long Refused() const {
        std::lock_guard lock(m_mutex);
        return m_refused;
    }

private:
    mutable std::mutex m_mutex;
    std::unordered_map<void*, size_t> m_sizes;
    long m_refused = 0;
};

Blocks& TheBlocks() {
    static Blocks* blocks = new Blocks; // lives until the process ends, past every static destructor
    return *blocks;
}

// The allocator object is a singleton whose reference count never reaches zero, like the system's.
class Malloc final : public IMalloc {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IMalloc) {
            *ppv = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(void*) Alloc(SIZE_T cb) override { return TheBlocks().Alloc(cb); }
    STDMETHODIMP_(void*) Realloc(void* pv, SIZE_T cb) override { return TheBlocks().Realloc(pv, cb); }
    STDMETHODIMP_(void) Free(void* pv) override {
        if (pv) TheBlocks().Free(pv);
    }
    STDMETHODIMP_(SIZE_T) GetSize(void* pv) override { return TheBlocks().Size(pv); }
    // 1 for a block of this allocator, 0 for anything else, -1 for NULL.
    STDMETHODIMP_(int) DidAlloc(void* pv) override {
        if (!pv) return -1;
        return TheBlocks().Owns(pv) ? 1 : 0;
    }
    STDMETHODIMP_(void) HeapMinimize() override {}
};

Malloc g_malloc;

} // namespace

long TaskAllocator::LiveBlocks() {
    return TheBlocks().Live();
}
bool TaskAllocator::Owns(const void* p) {
    return TheBlocks().Owns(p);
}
long TaskAllocator::RefusedFrees() {
    return TheBlocks().Refused();
}
IMalloc* TaskAllocator::Interface() {
    return &g_malloc;
}

} // namespace emu

HRESULT WINAPI CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc) {
    if (!ppMalloc) return E_INVALIDARG;
    if (dwMemContext != MEMCTX_TASK) {
        *ppMalloc = nullptr;
        return E_INVALIDARG;
    }
    *ppMalloc = emu::TaskAllocator::Interface();
    return S_OK;
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) {
    return emu::TheBlocks().Alloc(cb);
}
LPVOID WINAPI CoTaskMemRealloc(LPVOID pv, SIZE_T cb) {
    return emu::TheBlocks().Realloc(pv, cb);
}
void WINAPI CoTaskMemFree(LPVOID pv) {
    if (pv) emu::TheBlocks().Free(pv);
}
