// Window property names, run from the same source by the native suite and by the Wine checker: a property
// set under one name is read back under another, by that name and by the atom GlobalAddAtomA gives for it
// (GetPropA takes either). Names are atoms: case does not matter, "#n" and MAKEINTATOM(n) are one integer
// atom, and a name no atom can hold sets nothing.
//
// Wine differs from Windows in the rows marked so, which hold Windows' answer and are skipped on Wine:
// Windows' user32 turns a property's name into an atom with GlobalAddAtom before it keeps the property,
// so "#42" is the integer atom 42 and a name GlobalAddAtom refuses ("", "#0", "#49152") sets nothing;
// Wine's user32 hands the name as text to its server, which keeps "#42" as a string and takes the names
// Windows refuses (an empty name, and the atom 0, are then set but never found again).
#pragma once
#include "platform/win32.h"
#include <cstddef>

namespace conformance {

struct PropertyNameCase {
    LPCSTR set;
    LPCSTR get;
    bool setWorks;
    bool found;       // the property set is read back under get
    bool wineDiffers; // Wine answers otherwise; the row holds Windows' answer and is skipped on Wine
    const char* note;
};

// A name of n letters.
template <size_t N> struct Letters {
    char text[N + 1]{};
    constexpr Letters() {
        for (size_t i = 0; i < N; ++i)
            text[i] = 'p';
    }
};
inline constexpr Letters<255> kLongestAtomName;
inline constexpr Letters<256> kTooLongAtomName;

inline const PropertyNameCase kPropertyNameCases[] = {
    {"OldWndProc", "OldWndProc", true, true, false, "the same name"},
    {"OldWndProc", "OLDWNDPROC", true, true, false, "another case"},
    {"ObjectPtr", "objectptr", true, true, false, "small letters"},
    {"\xC4rger", "\xE4RGER", true, true, false, "the code page's letters fold too"},
    {"Old", "OldWndProc", true, false, false, "a prefix is another name"},
    {MAKEINTATOM(42), MAKEINTATOM(42), true, true, false, "an integer atom"},
    {MAKEINTATOM(42), "#42", true, true, true, "an integer atom and its text"},
    {"#43", MAKEINTATOM(43), true, true, true, "a text and its integer atom"},
    {"#0043", MAKEINTATOM(43), true, true, true, "leading zeros"},
    {"#4x", "#4X", true, true, false, "not a number: a string atom"},
    {kLongestAtomName.text, kLongestAtomName.text, true, true, false,
     "255 characters, the longest atom name"},
    {kTooLongAtomName.text, kTooLongAtomName.text, false, false, false, "256 characters"},
    {"", "", false, false, true, "an empty name"},
    {MAKEINTATOM(0), MAKEINTATOM(0), false, false, true, "integer atom 0"},
    {"#0", "#0", false, false, true, "the text of integer atom 0"},
    {"#49152", "#49152", false, false, true, "0xC000 is no integer atom"},
};

// What one case gives: the property set on w under c.set, then read back by name and by the atom
// GlobalAddAtomA gives for c.get (when it gives one), and read on another window, other, which has none.
struct PropertyNameOutcome {
    bool set = false;
    HANDLE byName = nullptr;
    bool atomMade = false;
    HANDLE byAtom = nullptr;
    HANDLE onOther = nullptr;
};

inline const HANDLE kPropertyValue = reinterpret_cast<HANDLE>(1);

inline PropertyNameOutcome RunPropertyNameCase(const PropertyNameCase& c, HWND w, HWND other) {
    PropertyNameOutcome o;
    o.set = SetPropA(w, c.set, kPropertyValue) != FALSE;
    o.byName = GetPropA(w, c.get);
    if (const ATOM atom = GlobalAddAtomA(c.get)) {
        o.atomMade = true;
        o.byAtom = GetPropA(w, MAKEINTATOM(atom));
    }
    o.onOther = GetPropA(other, c.get);
    if (o.set) RemovePropA(w, c.set);
    return o;
}

// The value a read of the case should give.
inline HANDLE WantedProperty(const PropertyNameCase& c) {
    return c.found ? kPropertyValue : nullptr;
}

} // namespace conformance
