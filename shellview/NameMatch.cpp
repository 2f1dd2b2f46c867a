#include "shellview/NameMatch.h"
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>

namespace vireo {

namespace {

// A fixed set of bits, read in the hot loops without std::vector<bool>'s iterator arithmetic.
class Bits {
public:
    explicit Bits(size_t count) : m_words((count + 63) / 64, 0) {}
    bool operator[](size_t i) const { return (m_words[i / 64] >> (i % 64)) & 1u; }
    void Set(size_t i) { m_words[i / 64] |= uint64_t(1) << (i % 64); }

private:
    std::vector<uint64_t> m_words;
};

// A trie of the reversed texts. Children are a first-child / next-sibling chain: the texts of one folder
// branch little at each level, and the nodes stay small for a hundred thousand names.
class ReversedTrie {
public:
    ReversedTrie() { m_nodes.push_back(Node{}); }

    // The node that ends the reversed text, created as needed.
    uint32_t Add(std::string_view text) {
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
    static uint64_t Of(std::string_view text) {
        uint64_t hash = 0;
        for (auto it = text.rbegin(); it != text.rend(); ++it)
            hash = Next(hash, static_cast<unsigned char>(*it));
        return hash;
    }

private:
    static constexpr uint64_t kPrime = (uint64_t(1) << 61) - 1;

    // a * b modulo the prime for a, b below it. With 2^61 = 1, the product's bits above 61 add to its
    // low 61 bits. Where there is no 128-bit integer (32-bit targets), a = ah 2^31 + al and b alike give
    // a * b = 2 ah bh + mid 2^31 + al bl, where mid 2^31 = (mid >> 30) + (mid mod 2^30) 2^31.
    static uint64_t MulMod(uint64_t a, uint64_t b) {
#if defined(__SIZEOF_INT128__)
        const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
        const uint64_t folded =
            (static_cast<uint64_t>(product) & kPrime) + static_cast<uint64_t>(product >> 61);
#else
        const uint64_t ah = a >> 31, al = a & 0x7FFFFFFF, bh = b >> 31, bl = b & 0x7FFFFFFF;
        const uint64_t mid = ah * bl + al * bh;
        const uint64_t sum = 2 * ah * bh + (mid >> 30) + ((mid & 0x3FFFFFFF) << 31) + al * bl;
        const uint64_t folded = (sum & kPrime) + (sum >> 61);
#endif
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
// where some text of that length starts with the byte reached (a small table, always in the cache), a bit
// of a filter tells whether any text may have the hash, and only then is the table probed. A text is
// compared in full only when its hash is met while it is not yet found, so the cost is about the list's
// length plus the texts' total length.
class SuffixTable {
public:
    explicit SuffixTable(const std::vector<std::string_view>& texts)
        : m_texts(texts), m_found(texts.size()), m_first(texts.size(), kNone), m_filter(kFilterBits) {
        size_t capacity = 16;
        while (capacity < texts.size() * 2)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
    }

    // The table's slots lie all over a few megabytes: each text's slot is fetched into the cache a few
    // texts ahead of its turn.
    void AddAll(const std::vector<uint32_t>& which) {
        std::vector<uint64_t> hashes(which.size());
        for (size_t k = 0; k < which.size(); ++k)
            hashes[k] = BackwardHash::Of(m_texts[which[k]]);
        for (size_t k = 0; k < which.size(); ++k) {
            if (k + kAhead < which.size()) __builtin_prefetch(&m_slots[SlotOf(hashes[k + kAhead])]);
            Add(which[k], hashes[k]);
        }
    }

    // Every text that is a suffix of list[start, end).
    void MatchSuffixes(const std::string& list, size_t start, size_t end) {
        const size_t reach = std::min(end - start, m_longest);
        uint64_t hash = 0;
        for (size_t length = 0;; ++length) {
            const auto first = static_cast<unsigned char>(length ? list[end - length] : 0);
            if (MayStart(length, first) && m_filter[FilterBit(hash)])
                Queue(Candidate{hash, list.data() + end - length, length});
            if (length == reach) return;
            hash = BackwardHash::Next(hash, static_cast<unsigned char>(list[end - length - 1]));
        }
    }

    // Settles the candidates still queued, then marks the texts found.
    void Report(std::vector<bool>& found) {
        for (size_t k = 0; k < m_queued; ++k)
            Match(m_queue[k]);
        m_queued = 0;
        for (size_t t = 0; t < m_first.size(); ++t)
            if (m_first[t] != kNone && m_found[m_first[t]]) found[t] = true;
    }

private:
    static constexpr uint32_t kNone = UINT32_MAX;
    static constexpr size_t kFilterBits = size_t(1) << 21; // 256 KB
    static constexpr size_t kAhead = 16;                   // slots fetched ahead of their use
    struct Candidate {                                     // a piece of the list some text may equal
        uint64_t hash;
        const char* at;
        size_t length;
    };
    struct Slot {
        uint32_t check = 0; // the hash's top bits
        uint32_t text = kNone;
    };
    static uint32_t Check(uint64_t hash) { return static_cast<uint32_t>(hash >> 29); }
    static size_t FilterBit(uint64_t hash) { return (hash >> 8) & (kFilterBits - 1); }
    size_t SlotOf(uint64_t hash) const { return hash & (m_slots.size() - 1); }
    // Whether some text has the length and starts with the byte (0 for the empty text).
    bool MayStart(size_t length, unsigned char first) const {
        return (m_starts[length * 4 + first / 64] >> (first % 64)) & 1u;
    }

    void Add(uint32_t text, uint64_t hash) {
        const std::string_view value = m_texts[text];
        size_t i = SlotOf(hash);
        for (; m_slots[i].text != kNone; i = (i + 1) & (m_slots.size() - 1)) {
            const uint32_t first = m_slots[i].text;
            if (m_slots[i].check == Check(hash) && m_texts[first] == value) { // found with the first
                m_first[text] = first;
                return;
            }
        }
        m_slots[i] = Slot{Check(hash), text};
        m_first[text] = text;
        m_filter.Set(FilterBit(hash));
        const size_t length = value.size();
        if (m_starts.size() < (length + 1) * 4) m_starts.resize((length + 1) * 4, 0);
        const auto first = static_cast<unsigned char>(length ? value[0] : 0);
        m_starts[length * 4 + first / 64] |= uint64_t(1) << (first % 64);
        m_longest = std::max(m_longest, value.size());
    }

    // A candidate waits in a ring of kAhead while its slot is fetched; the one it replaces is settled.
    void Queue(const Candidate& candidate) {
        __builtin_prefetch(&m_slots[SlotOf(candidate.hash)]);
        Candidate& place = m_queue[m_next];
        m_next = (m_next + 1) % kAhead;
        if (m_queued == kAhead)
            Match(place);
        else
            ++m_queued;
        place = candidate;
    }

    void Match(const Candidate& candidate) {
        const uint64_t hash = candidate.hash;
        const char* at = candidate.at;
        const size_t length = candidate.length;
        for (size_t i = SlotOf(hash); m_slots[i].text != kNone; i = (i + 1) & (m_slots.size() - 1)) {
            const Slot& slot = m_slots[i];
            if (slot.check != Check(hash) || m_found[slot.text]) continue;
            const std::string_view text = m_texts[slot.text];
            if (text.size() == length && std::memcmp(text.data(), at, length) == 0) m_found.Set(slot.text);
        }
    }

    const std::vector<std::string_view>& m_texts;
    std::vector<Slot> m_slots;
    Bits m_found;                   // by text, kept for the first of equal texts
    std::vector<uint32_t> m_first;  // by text: the first text equal to it (none for texts not held)
    Bits m_filter;                  // by FilterBit: some text may have the hash
    std::vector<uint64_t> m_starts; // 256 bits by length: some text of that length starts with the byte
    size_t m_longest = 0;
    Candidate m_queue[kAhead] = {};
    size_t m_queued = 0, m_next = 0;
};

} // namespace

std::vector<bool> TextsInList(const std::vector<std::string>& texts, const std::string& sList) {
    return TextsInList(std::vector<std::string_view>(texts.begin(), texts.end()), sList);
}

std::vector<bool> TextsInList(const std::vector<std::string_view>& texts, const std::string& sList) {
    std::vector<bool> found(texts.size(), false);
    if (sList.size() < 2 || texts.empty()) return found;
    // Texts holding an LF may reach across a CR LF of the list: the trie finds those.
    SuffixTable table(texts);
    ReversedTrie trie;
    std::vector<std::pair<size_t, uint32_t>> inTrie; // text index, its node
    std::vector<uint32_t> inTable;
    inTable.reserve(texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].find('\n') == std::string_view::npos)
            inTable.push_back(static_cast<uint32_t>(i));
        else
            inTrie.emplace_back(i, trie.Add(texts[i]));
    }
    table.AddAll(inTable);
    const bool tableUsed = !inTable.empty();
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
