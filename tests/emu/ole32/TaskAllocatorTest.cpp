#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

namespace {

TEST(TaskAllocatorTest, CountsLiveBlocksAcrossItsEntryPoints) {
    long before = emu::TaskAllocator::LiveBlocks();
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    IMalloc* same = nullptr;
    ASSERT_EQ(CoGetMalloc(MEMCTX_TASK, &same), S_OK);
    EXPECT_EQ(malloc, same);

    void* a = malloc->Alloc(10);
    void* b = CoTaskMemAlloc(0); // a zero-byte block is still a block
    ASSERT_TRUE(a && b);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before + 2);
    EXPECT_EQ(malloc->GetSize(a), 10u);
    EXPECT_EQ(malloc->DidAlloc(a), 1);
    int local = 0;
    EXPECT_EQ(malloc->DidAlloc(&local), 0);
    EXPECT_EQ(malloc->DidAlloc(nullptr), -1);

    a = CoTaskMemRealloc(a, 100);
    EXPECT_EQ(malloc->GetSize(a), 100u);
    CoTaskMemFree(a); // blocks from one entry point free through the other
    malloc->Free(b);
    CoTaskMemFree(nullptr);
    CoTaskMemFree(&local); // not a block: ignored
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
}

// What DidAlloc and GetSize answer for pointers that are not the start of a live block: the process heap
// validates the pointer first (HeapValidate, HeapSize), so nothing is read and no block is misreported.
TEST(TaskAllocatorTest, OnlyTheStartOfALiveBlockIsOwned) {
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    auto* block = static_cast<char*>(CoTaskMemAlloc(16));
    auto* freed = static_cast<char*>(CoTaskMemAlloc(16));
    CoTaskMemFree(freed);
    int local = 0;
    struct Row {
        const char* what;
        void* p;
        int didAlloc;
        SIZE_T size;
    };
    const SIZE_T none = static_cast<SIZE_T>(-1);
    const Row rows[] = {
        {"the block", block, 1, 16},
        {"inside the block", block + 4, 0, none},
        {"just past the block", block + 16, 0, none},
        {"a stack address", &local, 0, none},
        {"a small number", reinterpret_cast<void*>(12), 0, none},
        {"all bits set", reinterpret_cast<void*>(~uintptr_t(0)), 0, none},
        {"null", nullptr, -1, none},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(malloc->DidAlloc(r.p), r.didAlloc);
        EXPECT_EQ(malloc->GetSize(r.p), r.size);
    }
    EXPECT_EQ(malloc->DidAlloc(freed), 0);
    CoTaskMemFree(block);
    EXPECT_EQ(malloc->DidAlloc(block), 0);
}

TEST(TaskAllocatorTest, ReallocToZeroFreesTheBlock) {
    long before = emu::TaskAllocator::LiveBlocks();
    void* p = CoTaskMemAlloc(8);
    EXPECT_EQ(CoTaskMemRealloc(p, 0), nullptr);
    EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), before);
}

TEST(TaskAllocatorTest, CoInitializeCountsPerThread) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    CoUninitialize();
}

TEST(TaskAllocatorTest, OnlyTheTaskContextHasAnAllocator) {
    IMalloc* malloc = reinterpret_cast<IMalloc*>(1);
    EXPECT_EQ(CoGetMalloc(2, &malloc), E_INVALIDARG);
    EXPECT_EQ(malloc, nullptr);
}

} // namespace
