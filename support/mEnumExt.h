// mEnumExt: the index of registered extensions, grouped by the shell's type name, with which the list
// view gives back the extensions the shell hides ("notes" shown, notes.txt meant). It is shared by every
// control on the thread, filled once while empty and emptied when the last control goes.
#pragma once
#include "support/CaseFold.h"
#include <list>
#include <unordered_map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vireo {

// Entries in the order their types were last extended, found by the type's folded name through the map.
// The one index of the thread is kept with the state the thread's controls share (support/ThreadState.h).
struct ExtIndex {
    std::list<std::pair<std::string, std::string>> entries;
    std::unordered_map<std::string, std::list<std::pair<std::string, std::string>>::iterator> byType;
};

// Reads every extension under HKEY_CLASSES_ROOT and files it under its type name; does nothing when the
// index already has entries.
void BuildExtensionIndex();
// Appends ext and CR LF to the type's entry, which moves to the end; a new type gets a new entry.
void AddExtension(const std::string& sType, const std::string& sExt);
void ClearExtensionIndex();

// The extensions of a type (the type name compares without regard to case), each followed by CR LF;
// none when the type is not in the index.
std::optional<std::string> ExtensionsOfType(const std::string& sType);
// The entries as (type, extensions), in the order their types were last extended.
std::vector<std::pair<std::string, std::string>> ExtensionIndexEntries();

} // namespace vireo
