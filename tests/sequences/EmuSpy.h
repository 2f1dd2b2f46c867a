// The sequence check on the emulated desktop's spy, for GoogleTest: what the system delivered to the spied
// windows' procedures against a table.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/user32/WindowManager.h"
#include "tests/sequences/Sequence.h"
#include <gtest/gtest.h>

namespace seq {

// Takes the spy's record (which it clears) and checks it against the table.
inline void Expect(emu::Desktop& d, const std::vector<Row>& table, const Names& names) {
    std::vector<Message> got;
    for (const emu::SpiedMessage& m : d.Windows().TakeSpied())
        got.push_back(Message{m.hwnd, m.message, m.wParam, m.lParam, m.posted, 0});
    const std::string failure = Compare(got, table, names);
    if (!failure.empty()) ADD_FAILURE() << failure;
}

} // namespace seq
