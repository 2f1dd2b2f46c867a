// The names of one host folder by their folded text, as the folder index keeps them: the entries lie in one
// vector and an open-addressed table of their positions finds them, so that a lookup in a folder of
// 100,000 names reads one slot and one entry instead of following a chain of nodes.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace emu {

class FoldedNames {
public:
    struct Entry {
        std::string fold; // empty once erased (no name folds to "")
        std::string host;
    };

    // The entry held under fold, or null.
    const Entry* Find(std::string_view fold) const;
    Entry* Find(std::string_view fold) { return const_cast<Entry*>(std::as_const(*this).Find(fold)); }
    // Holds host under fold unless fold is held already: the entry under fold, and whether it was added
    // (no entry for an empty fold, which no name has).
    std::pair<Entry*, bool> Add(std::string fold, std::string_view host);
    // Lets go of fold; false when it was not held.
    bool Erase(std::string_view fold);
    void Clear();
    // Makes room for count names at once.
    void Reserve(size_t count);
    size_t Size() const { return m_live; }
    // Visits every entry held, in no particular order.
    template <class Visit> void ForEach(Visit visit) const {
        for (const Entry& entry : m_entries)
            if (!entry.fold.empty()) visit(entry);
    }

private:
    static constexpr uint32_t kEmpty = 0, kErased = UINT32_MAX; // else an entry's position + 1
    size_t SlotOf(std::string_view fold) const;
    void Grow(size_t slots);
    std::vector<Entry> m_entries;
    std::vector<uint32_t> m_free; // positions of erased entries, used again first
    std::vector<uint32_t> m_slots;
    size_t m_live = 0, m_taken = 0; // entries held; slots not empty (erased ones included)
};

} // namespace emu
