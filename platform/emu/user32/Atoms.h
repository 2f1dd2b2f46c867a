// The global atom table that window properties are named through: a string is turned into an atom once
// (without regard to case, as Windows compares atom names), and a window's properties are then found by
// that 16-bit number. Integer atoms (MAKEINTATOM(n), or a string "#n") are their own number.
#pragma once
#include "platform/win32.h"
#include <string>
#include <string_view>
#include <unordered_map>

namespace emu {

class AtomTable {
public:
    // GlobalAddAtomA: the atom of name, added when new; 0 for a name no atom can hold (an empty or too
    // long string, integer atom 0 or one at 0xC000 and above).
    ATOM Add(LPCSTR name);
    // GlobalFindAtomA: the atom of name when it is in the table (integer atoms always are); 0 when not.
    ATOM Find(LPCSTR name) const;
    // How many string atoms the table holds.
    size_t Size() const { return m_byName.size(); }

private:
    // The integer atom a name stands for, 0 when it is a string atom's name; sets bad for a name that can
    // be neither.
    static ATOM IntegerAtom(LPCSTR name, bool& bad);
    // Hashing and comparing names without regard to case, so that a lookup folds no copy of the name.
    struct FoldedHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const;
    };
    struct FoldedEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string, ATOM, FoldedHash, FoldedEqual> m_byName; // as first added -> atom
    ATOM m_next = 0xC000;
    // The names last found, by the address of their text: a caller that names a property through the
    // same constant text every time finds its atom after comparing the text, without hashing it. The text
    // is always compared, so a buffer reused for another name is looked up afresh.
    struct Recent {
        const char* where = nullptr;
        std::string text;
        ATOM atom = 0;
    };
    mutable Recent m_recent[8];
};

// The thread's global atom table (kernel32's GlobalAddAtomA and GlobalFindAtomA, and the names of window
// properties). It outlives every desktop, as Windows' global atom table outlives the windows that name
// properties through it: an atom taken once names the same string for as long as the thread runs.
AtomTable& GlobalAtoms();

} // namespace emu
