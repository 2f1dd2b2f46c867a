#include "shellview/NameMatch.h"
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

namespace vireo {

namespace {

// A trie of the reversed texts. Children are a first-child / next-sibling chain: the texts of one folder
// branch little at each level, and the nodes stay small for a hundred thousand names.
class ReversedTrie {
public:
    ReversedTrie() { m_nodes.push_back(Node{}); }

    // The node that ends the reversed text, created as needed.
    uint32_t Add(const std::string& text) {
        uint32_t node = 0;
        for (auto it = text.rbegin(); it != text.rend(); ++it) {
            uint32_t child = Child(node, *it);
            if (child == kNone) {
                child = static_cast<uint32_t>(m_nodes.size());
                m_nodes.push_back(Node{*it, m_nodes[node].firstChild, kNone, false});
                m_nodes[node].firstChild = child;
            }
            node = child;
        }
        return node;
    }

    // Walks back from list[end - 1] towards the start, marking every node reached.
    void WalkBack(const std::string& list, size_t end) {
        uint32_t node = 0;
        m_nodes[0].hit = true;
        for (size_t i = end; i > 0; --i) {
            node = Child(node, list[i - 1]);
            if (node == kNone) return;
            m_nodes[node].hit = true;
        }
    }

    bool Hit(uint32_t node) const { return m_nodes[node].hit; }

private:
    static constexpr uint32_t kNone = UINT32_MAX;
    struct Node {
        char ch = 0;
        uint32_t next = kNone;
        uint32_t firstChild = kNone;
        bool hit = false;
    };
    uint32_t Child(uint32_t node, char ch) const {
        for (uint32_t c = m_nodes[node].firstChild; c != kNone; c = m_nodes[c].next)
            if (m_nodes[c].ch == ch) return c;
        return kNone;
    }
    std::vector<Node> m_nodes;
};

// A hash of texts read from their last character to their first: a polynomial modulo the prime 2^61 - 1
// at a base drawn once per process, so that no arrangement of names is known to collide.
class BackwardHash {
public:
    static uint64_t Next(uint64_t hash, unsigned char c) {
        uint64_t next = MulMod(hash, Base()) + c + 1u;
        return next >= kPrime ? next - kPrime : next;
    }
    static uint64_t Of(const std::string& text) {
        uint64_t hash = 0;
        for (auto it = text.rbegin(); it != text.rend(); ++it)
            hash = Next(hash, static_cast<unsigned char>(*it));
        return hash;
    }

private:
    static constexpr uint64_t kPrime = (uint64_t(1) << 61) - 1;

    // a * b modulo the prime for a, b below it, in 64-bit arithmetic (32-bit targets have no wider
    // integer): with a = ah 2^31 + al and b alike, and 2^61 = 1, a * b = 2 ah bh + mid 2^31 + al bl,
    // where mid 2^31 = (mid >> 30) + (mid mod 2^30) 2^31.
    static uint64_t MulMod(uint64_t a, uint64_t b) {
        const uint64_t ah = a >> 31, al = a & 0x7FFFFFFF, bh = b >> 31, bl = b & 0x7FFFFFFF;
        const uint64_t mid = ah * bl + al * bh;
        const uint64_t sum = 2 * ah * bh + (mid >> 30) + ((mid & 0x3FFFFFFF) << 31) + al * bl;
        const uint64_t folded = (sum & kPrime) + (sum >> 61);
        return folded >= kPrime ? folded - kPrime : folded;
    }
    // The clock and an address mixed (splitmix64's finaliser): no source of randomness can fail here.
    static uint64_t Base() {
        static const uint64_t base = [] {
            uint64_t x = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                         reinterpret_cast<uintptr_t>(&x);
            x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
            x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
            x ^= x >> 31;
            return x % (kPrime - 512) + 256;
        }();
        return base;
    }
};

// The texts without LF. Such a text followed by CR LF ends at one of the list's CR LFs and reaches back
// no further than the LF before it: it is a suffix of the piece of the list between that LF and the
// CR LF. Each piece is read backwards once, up to the longest text, hashing as it goes; at each length
// some text has, a bit of a small filter (which stays in the processor's cache) tells whether any text
// may have the hash, and only then is the table probed. A text is compared in full only when its hash
// is met while it is not yet found, so the cost is about the list's length plus the texts' total length.
class SuffixTable {
public:
    explicit SuffixTable(const std::vector<std::string>& texts)
        : m_texts(texts), m_found(texts.size(), false), m_nextEqual(texts.size(), kNone),
          m_filter(kFilterBits, false) {
        size_t capacity = 16;
        while (capacity < texts.size() * 2)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
    }

    void Add(uint32_t text) {
        const std::string& value = m_texts[text];
        const uint64_t hash = BackwardHash::Of(value);
        size_t i = SlotOf(hash);
        for (; m_slots[i].text != kNone; i = (i + 1) & (m_slots.size() - 1)) {
            const uint32_t first = m_slots[i].text;
            if (m_slots[i].check == Check(hash) && m_texts[first] == value) { // found with the first
                m_nextEqual[text] = m_nextEqual[first];
                m_nextEqual[first] = text;
                return;
            }
        }
        m_slots[i] = Slot{Check(hash), text};
        m_filter[FilterBit(hash)] = true;
        if (value.size() >= m_hasLength.size()) m_hasLength.resize(value.size() + 1, false);
        m_hasLength[value.size()] = true;
        m_longest = std::max(m_longest, value.size());
    }

    // Every text that is a suffix of list[start, end).
    void MatchSuffixes(const std::string& list, size_t start, size_t end) {
        const size_t reach = std::min(end - start, m_longest);
        uint64_t hash = 0;
        for (size_t length = 0;; ++length) {
            if (m_hasLength[length] && m_filter[FilterBit(hash)])
                Match(hash, list.data() + end - length, length);
            if (length == reach) return;
            hash = BackwardHash::Next(hash, static_cast<unsigned char>(list[end - length - 1]));
        }
    }

    void Report(std::vector<bool>& found) const {
        for (const Slot& slot : m_slots)
            if (slot.text != kNone && m_found[slot.text])
                for (uint32_t t = slot.text; t != kNone; t = m_nextEqual[t])
                    found[t] = true;
    }

private:
    static constexpr uint32_t kNone = UINT32_MAX;
    static constexpr size_t kFilterBits = size_t(1) << 21; // 256 KB
    struct Slot {
        uint32_t check = 0; // the hash's top bits
        uint32_t text = kNone;
    };
    static uint32_t Check(uint64_t hash) { return static_cast<uint32_t>(hash >> 29); }
    static size_t FilterBit(uint64_t hash) { return (hash >> 8) & (kFilterBits - 1); }
    size_t SlotOf(uint64_t hash) const { return hash & (m_slots.size() - 1); }

    void Match(uint64_t hash, const char* at, size_t length) {
        for (size_t i = SlotOf(hash); m_slots[i].text != kNone; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot& slot = m_slots[i];
            if (slot.check != Check(hash) || m_found[slot.text]) continue;
            const std::string& text = m_texts[slot.text];
            if (text.size() == length && std::memcmp(text.data(), at, length) == 0) m_found[slot.text] = true;
        }
    }

    const std::vector<std::string>& m_texts;
    std::vector<Slot> m_slots;
    std::vector<bool> m_found;         // by text, kept for the first of equal texts
    std::vector<uint32_t> m_nextEqual; // by text: the next text equal to it
    std::vector<bool> m_filter;        // by FilterBit: some text may have the hash
    std::vector<bool> m_hasLength;
    size_t m_longest = 0;
};

} // namespace

std::vector<bool> TextsInList(const std::vector<std::string>& texts, const std::string& sList) {
    std::vector<bool> found(texts.size(), false);
    if (sList.size() < 2 || texts.empty()) return found;
    // Texts holding an LF may reach across a CR LF of the list: the trie finds those.
    SuffixTable table(texts);
    ReversedTrie trie;
    std::vector<std::pair<size_t, uint32_t>> inTrie; // text index, its node
    bool tableUsed = false;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].find('\n') == std::string::npos) {
            table.Add(static_cast<uint32_t>(i));
            tableUsed = true;
        } else {
            inTrie.emplace_back(i, trie.Add(texts[i]));
        }
    }
    for (size_t pos = sList.find("\r\n"); pos != std::string::npos; pos = sList.find("\r\n", pos + 1)) {
        // The piece starts just after the last LF before the CR LF: at most the previous CR LF's.
        const size_t lf = sList.rfind('\n', pos);
        if (tableUsed) table.MatchSuffixes(sList, lf == std::string::npos ? 0 : lf + 1, pos);
        if (!inTrie.empty()) trie.WalkBack(sList, pos);
    }
    table.Report(found);
    for (const auto& [index, node] : inTrie)
        found[index] = trie.Hit(node);
    return found;
}

} // namespace vireo
