#include "host/Expect.h"
#include <stdexcept>

namespace host {

bool Matches(const std::vector<Token>& pattern, const std::string& record, bool prefix) {
    std::vector<Token> words;
    try {
        words = Tokenize(record);
    } catch (const std::invalid_argument&) {
        return false;
    }
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool star = !pattern[i].quoted && pattern[i].text == "*";
        if (star && i + 1 == pattern.size()) return true; // the rest, whatever it is
        if (i >= words.size()) return false;
        if (!star && pattern[i].text != words[i].text) return false;
    }
    return prefix || words.size() == pattern.size();
}

std::string Joined(const std::vector<Token>& words) {
    std::string s;
    for (const Token& w : words)
        s += (s.empty() ? "" : " ") + (w.quoted ? Quote(w.text) : w.text);
    return s;
}

} // namespace host
