// The user, as the emulated desktop plays it: every modal thing (message box, choice box, popup menu,
// dialog, shell question) takes its answer from this script, set beforehand by a test or the host.
#pragma once
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace emu {

struct Answer {
    int button = 0;   // the button, menu entry or command chosen (its meaning depends on the kind)
    std::string text; // text typed into the dialog, where the kind takes one
};

class Script {
public:
    // Queues an answer for the next modal thing of this kind ("MessageBox", "ChoiceBox", ...).
    void Push(std::string_view kind, Answer answer);
    // The oldest queued answer of this kind, removed; none when the script has none left for it.
    std::optional<Answer> Take(std::string_view kind);
    size_t Pending(std::string_view kind) const;
    void Clear() { m_answers.clear(); }

private:
    std::map<std::string, std::deque<Answer>, std::less<>> m_answers;
};

} // namespace emu
