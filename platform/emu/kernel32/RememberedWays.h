// Folders reached by earlier walks down a path, each kept under the text of the way that led there (the
// exact text: another spelling of a name may lead elsewhere), with what the walk found on the way. They
// hold while the file system's way count stays where it was when they were kept; when it moves, all are
// forgotten at once.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

namespace emu {

template <class Value> class RememberedWays {
public:
    // Forgets every way when count is not the count they were kept at.
    void Check(uint64_t count) {
        if (count == m_count) return;
        m_ways.clear();
        m_count = count;
    }
    const Value* Find(const std::string& way) const {
        auto it = m_ways.find(way);
        return it == m_ways.end() ? nullptr : &it->second;
    }
    void Keep(const std::string& way, Value value) {
        if (m_ways.size() >= kMaxWays) m_ways.clear();
        m_ways.insert_or_assign(way, std::move(value));
    }
    void Clear() { m_ways.clear(); }

private:
    static constexpr size_t kMaxWays = 4096;
    std::unordered_map<std::string, Value> m_ways;
    uint64_t m_count = UINT64_MAX;
};

} // namespace emu
