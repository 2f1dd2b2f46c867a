// Message-sequence checks in the manner of Wine's tests: the spy's record of what reached the windows'
// procedures is compared with a table of rows, each naming the window it is for, the message, and what
// to check; optional rows may be absent.
#pragma once
#include "platform/emu/Desktop.h"
#include "platform/emu/user32/WindowManager.h"
#include "platform/win32.h"
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace seq {

enum : unsigned {
    Sent = 1,     // must have been sent
    Posted = 2,   // must have been posted
    Optional = 4, // may be missing
    WParam = 8,   // wParam must match
    LParam = 16,  // lParam must match
};

struct Row {
    std::string who;
    UINT message;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

using Names = std::map<HWND, std::string>;

inline std::string Describe(const emu::SpiedMessage& m, const Names& names) {
    std::ostringstream os;
    auto it = names.find(m.hwnd);
    os << (it == names.end() ? "?" : it->second) << " 0x" << std::hex << m.message << " w=0x" << m.wParam
       << " l=0x" << m.lParam << (m.posted ? " posted" : " sent");
    return os.str();
}

inline bool Matches(const emu::SpiedMessage& got, const Row& want, const Names& names) {
    auto it = names.find(got.hwnd);
    if (it == names.end() || it->second != want.who || got.message != want.message) return false;
    if ((want.flags & Sent) && got.posted) return false;
    if ((want.flags & Posted) && !got.posted) return false;
    if ((want.flags & WParam) && got.wParam != want.wParam) return false;
    if ((want.flags & LParam) && got.lParam != want.lParam) return false;
    return true;
}

// Checks the recorded messages against the table, in order, and clears the record.
inline void Expect(emu::Desktop& d, const std::vector<Row>& table, const Names& names) {
    std::vector<emu::SpiedMessage> got = d.Windows().TakeSpied();
    size_t g = 0;
    std::ostringstream log;
    for (const auto& m : got)
        log << "  " << Describe(m, names) << "\n";
    for (size_t r = 0; r < table.size(); ++r) {
        if (g < got.size() && Matches(got[g], table[r], names)) {
            ++g;
            continue;
        }
        if (table[r].flags & Optional) continue;
        ADD_FAILURE() << "row " << r << " (" << table[r].who << " 0x" << std::hex << table[r].message
                      << ") not matched at message " << std::dec << g << "; recorded:\n"
                      << log.str();
        return;
    }
    if (g != got.size())
        ADD_FAILURE() << "unexpected message " << Describe(got[g], names) << "; recorded:\n" << log.str();
}

} // namespace seq
