#include "platform/emu/kernel32/FoldedNames.h"
#include <algorithm>
#include <functional>

namespace emu {

size_t FoldedNames::SlotOf(std::string_view fold) const {
    return std::hash<std::string_view>{}(fold) & (m_slots.size() - 1);
}

const FoldedNames::Entry* FoldedNames::Find(std::string_view fold) const {
    if (m_slots.empty()) return nullptr;
    for (size_t i = SlotOf(fold);; i = (i + 1) & (m_slots.size() - 1)) {
        const uint32_t slot = m_slots[i];
        if (slot == kEmpty) return nullptr;
        if (slot != kErased && m_entries[slot - 1].fold == fold) return &m_entries[slot - 1];
    }
}

std::pair<FoldedNames::Entry*, bool> FoldedNames::Add(std::string fold, std::string_view host) {
    if (fold.empty()) return {nullptr, false}; // no name folds to ""
    if (Entry* held = Find(fold)) return {held, false};
    // At most half the slots taken (erased ones count), so that every probe ends soon at an empty one.
    if ((m_taken + 1) * 2 > m_slots.size()) Grow(std::max<size_t>(16, (m_live + 1) * 4));
    uint32_t position;
    if (!m_free.empty()) {
        position = m_free.back();
        m_free.pop_back();
        m_entries[position] = Entry{std::move(fold), std::string(host)};
    } else {
        position = static_cast<uint32_t>(m_entries.size());
        m_entries.push_back(Entry{std::move(fold), std::string(host)});
    }
    size_t i = SlotOf(m_entries[position].fold);
    while (m_slots[i] != kEmpty && m_slots[i] != kErased)
        i = (i + 1) & (m_slots.size() - 1);
    if (m_slots[i] == kEmpty) ++m_taken;
    m_slots[i] = position + 1;
    ++m_live;
    return {&m_entries[position], true};
}

bool FoldedNames::Erase(std::string_view fold) {
    if (m_slots.empty()) return false;
    for (size_t i = SlotOf(fold);; i = (i + 1) & (m_slots.size() - 1)) {
        const uint32_t slot = m_slots[i];
        if (slot == kEmpty) return false;
        if (slot == kErased || m_entries[slot - 1].fold != fold) continue;
        m_entries[slot - 1] = Entry{};
        m_free.push_back(slot - 1);
        m_slots[i] = kErased;
        --m_live;
        return true;
    }
}

void FoldedNames::Clear() {
    m_entries.clear();
    m_free.clear();
    m_slots.clear();
    m_live = m_taken = 0;
}

void FoldedNames::Reserve(size_t count) {
    if ((m_taken + count) * 2 > m_slots.size()) Grow((m_live + count) * 2);
    m_entries.reserve(m_entries.size() + count);
}

// A table of at least the given number of slots (a power of two), with the entries held placed anew and
// the erased ones gone.
void FoldedNames::Grow(size_t slots) {
    size_t size = 16;
    while (size < slots)
        size *= 2;
    m_slots.assign(size, kEmpty);
    m_taken = 0;
    for (uint32_t position = 0; position < m_entries.size(); ++position) {
        if (m_entries[position].fold.empty()) continue;
        size_t i = SlotOf(m_entries[position].fold);
        while (m_slots[i] != kEmpty)
            i = (i + 1) & (m_slots.size() - 1);
        m_slots[i] = position + 1;
        ++m_taken;
    }
}

} // namespace emu
