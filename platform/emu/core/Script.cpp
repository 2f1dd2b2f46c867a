#include "platform/emu/core/Script.h"

namespace emu {

void Script::Push(std::string_view kind, Answer answer) {
    auto it = m_answers.find(kind);
    if (it == m_answers.end()) it = m_answers.emplace(std::string(kind), std::deque<Answer>{}).first;
    it->second.push_back(std::move(answer));
}

std::optional<Answer> Script::Take(std::string_view kind) {
    auto it = m_answers.find(kind);
    if (it == m_answers.end() || it->second.empty()) return std::nullopt;
    Answer a = std::move(it->second.front());
    it->second.pop_front();
    return a;
}

size_t Script::Pending(std::string_view kind) const {
    auto it = m_answers.find(kind);
    return it == m_answers.end() ? 0 : it->second.size();
}

} // namespace emu
