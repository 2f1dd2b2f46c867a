#include "shellview/NameMatch.h"
#include <cstdint>

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

} // namespace

std::vector<bool> TextsInList(const std::vector<std::string>& texts, const std::string& sList) {
    std::vector<bool> found(texts.size(), false);
    if (sList.size() < 2 || texts.empty()) return found;
    ReversedTrie trie;
    std::vector<uint32_t> nodes;
    nodes.reserve(texts.size());
    for (const std::string& text : texts)
        nodes.push_back(trie.Add(text));
    for (size_t pos = sList.find("\r\n"); pos != std::string::npos; pos = sList.find("\r\n", pos + 1))
        trie.WalkBack(sList, pos);
    for (size_t i = 0; i < texts.size(); ++i)
        found[i] = trie.Hit(nodes[i]);
    return found;
}

} // namespace vireo
