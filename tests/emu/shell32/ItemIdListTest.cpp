#include "emu/shell32/ListBytes.h"
#include "platform/emu/ole32/TaskAllocator.h"
#include "platform/win32.h"
#include <gtest/gtest.h>

using testlists::Make;
using testlists::Packed;
using testlists::Read;

namespace {

class ItemIdListTest : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(emu::TaskAllocator::LiveBlocks(), m_before) << "a list was not freed";
    }
    long m_before = emu::TaskAllocator::LiveBlocks();
};

struct ShapeCase {
    std::vector<uint16_t> sizes;
    UINT size;         // ILGetSize
    size_t lastOffset; // ILFindLastID, bytes from the start
};

TEST_F(ItemIdListTest, SizeAndLastItemFollowTheSizeFields) {
    const ShapeCase cases[] = {
        {{}, 2, 0},
        {{3}, 5, 0},
        {{20, 14}, 36, 20},
        {{4, 4, 4, 4, 4}, 22, 16},
        {{255, 256, 2}, 515, 511}, // an item of size 2 has no data at all
    };
    for (const auto& c : cases) {
        LPITEMIDLIST pidl = Make(c.sizes);
        EXPECT_EQ(ILGetSize(pidl), c.size) << c.sizes.size();
        EXPECT_EQ(reinterpret_cast<BYTE*>(ILFindLastID(pidl)) - reinterpret_cast<BYTE*>(pidl),
                  static_cast<ptrdiff_t>(c.lastOffset));
        ILFree(pidl);
    }
    EXPECT_EQ(ILGetSize(nullptr), 0u);
    EXPECT_EQ(ILFindLastID(nullptr), nullptr);
}

TEST_F(ItemIdListTest, NextStopsAtTheTerminator) {
    LPITEMIDLIST pidl = Make({6, 8});
    LPITEMIDLIST second = ILGetNext(pidl);
    ASSERT_EQ(reinterpret_cast<BYTE*>(second) - reinterpret_cast<BYTE*>(pidl), 6);
    LPITEMIDLIST end = ILGetNext(second);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->mkid.cb, 0);
    EXPECT_EQ(ILGetNext(end), nullptr);
    EXPECT_EQ(ILGetNext(nullptr), nullptr);
    ILFree(pidl);
}

TEST_F(ItemIdListTest, RemoveLastIdShortensUntilEmpty) {
    LPITEMIDLIST pidl = Make({5, 7, 9});
    const UINT sizes[] = {14, 7, 2};
    for (UINT want : sizes) {
        EXPECT_TRUE(ILRemoveLastID(pidl));
        EXPECT_EQ(ILGetSize(pidl), want);
    }
    EXPECT_FALSE(ILRemoveLastID(pidl));
    EXPECT_FALSE(ILRemoveLastID(nullptr));
    ILFree(pidl);
}

struct CombineCase {
    std::vector<uint16_t> first; // empty vector with nullFirst: NULL
    bool nullFirst;
    std::vector<uint16_t> second;
    bool nullSecond;
    bool nullResult;
};

TEST_F(ItemIdListTest, CombineJoinsAndCopies) {
    const CombineCase cases[] = {
        {{}, true, {}, true, true},    {{}, true, {4, 6}, false, false},   {{4, 6}, false, {}, true, false},
        {{}, false, {}, false, false}, {{3}, false, {5, 5}, false, false},
    };
    for (const auto& c : cases) {
        LPITEMIDLIST a = c.nullFirst ? nullptr : Make(c.first);
        LPITEMIDLIST b = c.nullSecond ? nullptr : Make(c.second);
        LPITEMIDLIST joined = ILCombine(a, b);
        if (c.nullResult) {
            EXPECT_EQ(joined, nullptr);
        } else {
            // The joined bytes are the first list's items, then the second's, with one terminator.
            std::vector<uint8_t> want = Read(a);
            if (want.empty()) want = {0, 0};
            std::vector<uint8_t> tail = Read(b);
            want.pop_back();
            want.pop_back();
            if (!tail.empty())
                want.insert(want.end(), tail.begin(), tail.end());
            else
                want.insert(want.end(), {0, 0});
            EXPECT_EQ(Read(joined), want);
        }
        ILFree(joined);
        ILFree(a);
        ILFree(b);
    }
}

TEST_F(ItemIdListTest, CloneAndCloneFirst) {
    LPITEMIDLIST pidl = Make({4, 9, 3});
    LPITEMIDLIST clone = ILClone(pidl);
    LPITEMIDLIST first = ILCloneFirst(pidl);
    EXPECT_NE(clone, pidl);
    EXPECT_EQ(Read(clone), Packed({4, 9, 3}));
    EXPECT_EQ(Read(first), Packed({4}));
    EXPECT_EQ(ILClone(nullptr), nullptr);
    ILFree(first);
    ILFree(clone);
    ILFree(pidl);
    ILFree(nullptr);
}

} // namespace
