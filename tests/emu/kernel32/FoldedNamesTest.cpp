// The folder index's name table against a plain map, over long runs of additions and removals from a
// small set of names: removed slots are used again, the table grows past them, and every answer agrees.
#include "platform/emu/kernel32/FoldedNames.h"
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {

using emu::FoldedNames;

TEST(FoldedNamesTest, AgreesWithAMapThroughAdditionsAndRemovals) {
    std::mt19937 rng(20261206);
    for (const size_t names : {3u, 40u, 3000u}) {
        SCOPED_TRACE(names);
        FoldedNames table;
        std::map<std::string, std::string> expected;
        if (names == 3000u) table.Reserve(1000);
        for (int step = 0; step < 20000; ++step) {
            const std::string fold = "NAME" + std::to_string(rng() % names);
            const std::string host = "name" + std::to_string(step);
            if (rng() % 3) {
                auto [entry, added] = table.Add(fold, host);
                const bool fresh = expected.emplace(fold, host).second;
                ASSERT_EQ(added, fresh) << fold;
                ASSERT_TRUE(entry);
                EXPECT_EQ(entry->host, expected[fold]);
            } else {
                ASSERT_EQ(table.Erase(fold), expected.erase(fold) == 1) << fold;
            }
            ASSERT_EQ(table.Size(), expected.size());
        }
        for (size_t i = 0; i < names; ++i) {
            const std::string fold = "NAME" + std::to_string(i);
            const FoldedNames::Entry* entry = table.Find(fold);
            auto it = expected.find(fold);
            ASSERT_EQ(entry != nullptr, it != expected.end()) << fold;
            if (entry) {
                EXPECT_EQ(entry->host, it->second);
            }
        }
        std::map<std::string, std::string> visited;
        table.ForEach([&](const FoldedNames::Entry& entry) { visited.emplace(entry.fold, entry.host); });
        EXPECT_EQ(visited, expected);
    }
}

TEST(FoldedNamesTest, NoNameFoldsToNothing) {
    FoldedNames table;
    EXPECT_EQ(table.Add("", "x").first, nullptr);
    EXPECT_EQ(table.Find(""), nullptr);
    EXPECT_FALSE(table.Erase(""));
    table.Add("A", "a");
    table.Erase("A");
    EXPECT_EQ(table.Find(""), nullptr) << "an erased entry is found by no text";
    EXPECT_EQ(table.Size(), 0u);
}

} // namespace
