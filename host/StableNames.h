// Names for the numbers of a run that change from run to run: an item-ID list is named by the location it
// stands for ("pidl:C:\Temp\"), a window by its class and the order in which the output first showed a
// window of that class ("hwnd:SysListView32#1"), a mouse pointer by its meaning ("cursor:wait"). Two runs of
// one script print the same names.
#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace host {

// What a number printed by the host stands for.
enum class NameKind { None, Pidl, Window, Cursor };

class StableNames {
public:
    // The name of the number; 0 stays "0" (no list, no window).
    std::string Name(NameKind kind, int64_t number);

private:
    std::string Window(uintptr_t hwnd);
    struct Seen {
        std::string cls;
        std::string name;
    };
    std::map<uintptr_t, Seen> m_windows;
    std::map<std::string, int> m_perClass;
};

// The name of a mouse pointer number: cursor:default, cursor:wait, ...; an unknown one cursor:N.
std::string CursorName(int64_t pointer);

} // namespace host
