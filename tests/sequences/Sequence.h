// Message sequences in the manner of Wine's tests: what reached the windows, in order, is compared with a
// table of rows, each naming the window it is for, the message, and what to check; optional rows may be
// absent. The same source serves the native suite (the emulated desktop's spy, or a recording procedure)
// and the Wine checker (recording procedures on real windows), so it knows nothing of either.
#pragma once
#include "platform/win32.h"
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace seq {

enum : unsigned {
    Sent = 1,     // must have been sent
    Posted = 2,   // must have been posted (retrieved from the queue and dispatched)
    Optional = 4, // may be missing
    WParam = 8,   // wParam must match
    LParam = 16,  // lParam must match; with `window` set, lParam must be that window's handle
    Code = 32,    // a WM_NOTIFY whose NMHDR code must equal the row's lParam
};

// One message that reached a window. For WM_NOTIFY, code is the NMHDR's code, read while it was valid.
struct Message {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool posted = false;
    UINT code = 0;
};

struct Row {
    std::string who;
    UINT message;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    const char* window = nullptr; // with LParam: the name of the window lParam must be
};

using Names = std::map<HWND, std::string>;

inline std::string NameOf(HWND hwnd, const Names& names) {
    auto it = names.find(hwnd);
    return it == names.end() ? "?" : it->second;
}

inline std::string Describe(const Message& m, const Names& names) {
    std::ostringstream os;
    os << NameOf(m.hwnd, names) << " 0x" << std::hex << m.message << " w=0x" << m.wParam << " l=0x"
       << m.lParam;
    if (m.message == WM_NOTIFY) os << " code=" << std::dec << static_cast<int>(m.code);
    os << (m.posted ? " posted" : " sent");
    return os.str();
}

inline std::string Describe(const Row& r) {
    std::ostringstream os;
    os << r.who << " 0x" << std::hex << r.message;
    if (r.flags & WParam) os << " w=0x" << r.wParam;
    if (r.flags & Code) os << " code=" << std::dec << static_cast<int>(r.lParam);
    if ((r.flags & LParam) && r.window) os << " l=" << r.window;
    if ((r.flags & LParam) && !r.window) os << " l=0x" << std::hex << r.lParam;
    if (r.flags & Optional) os << " (optional)";
    return os.str();
}

inline bool Matches(const Message& got, const Row& want, const Names& names) {
    if (NameOf(got.hwnd, names) != want.who || got.message != want.message) return false;
    if ((want.flags & Sent) && got.posted) return false;
    if ((want.flags & Posted) && !got.posted) return false;
    if ((want.flags & WParam) && got.wParam != want.wParam) return false;
    if ((want.flags & Code) && static_cast<int>(got.code) != static_cast<int>(want.lParam)) return false;
    if ((want.flags & LParam) && want.window)
        return NameOf(reinterpret_cast<HWND>(got.lParam), names) == want.window;
    if ((want.flags & LParam) && got.lParam != want.lParam) return false;
    return true;
}

// The record against the table, in order: "" when they agree, else what went wrong with the whole record.
inline std::string Compare(const std::vector<Message>& got, const std::vector<Row>& table,
                           const Names& names) {
    size_t g = 0;
    std::string failure;
    for (size_t r = 0; r < table.size() && failure.empty(); ++r) {
        if (g < got.size() && Matches(got[g], table[r], names)) {
            ++g;
            continue;
        }
        if (table[r].flags & Optional) continue;
        failure = "row " + std::to_string(r) + " (" + Describe(table[r]) + ") not matched at message " +
                  std::to_string(g);
    }
    if (failure.empty() && g < got.size()) failure = "unexpected message " + Describe(got[g], names);
    if (failure.empty()) return failure;
    std::ostringstream os;
    os << failure << "; recorded:";
    for (const Message& m : got)
        os << "\n  " << Describe(m, names);
    return os.str();
}

} // namespace seq
