// 8.3 names as Windows generates them: a name that already fits 8.3 has none; a long name gets the first
// six letters of its base (upper case, without spaces and extra dots, with _ for + , ; = [ ]), "~" and a
// number, and the first three letters of its last extension: "Program Files" is PROGRA~1. Numbers are
// given in the order of the long names (compared without regard to case), skipping aliases that an
// existing name already holds, so the result is the same on every run.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace emu {

// True when the ANSI name fits 8.3: a base of 1 to 8 characters, at most one dot and an extension of at
// most 3, and only characters a short name may hold. Case does not matter (readme.txt fits).
bool IsShortName(std::string_view ansiName);
// Whether a name counts in the numbering of a folder's aliases: a long name takes a number, and a name of
// 8.3 form with a "~" may hold one; any other name coming or going leaves every alias as it was.
bool TakesPartInAliases(std::string_view ansiName);

// The 8.3 aliases of the names of one folder.
class ShortNameTable {
public:
    struct Name {
        std::string ansi;      // as Windows sees it
        std::string_view host; // as the host keeps it (the table keeps a copy of those with an alias)
    };
    // inOrder: the long names come in the order of their folded text already (as a folder's index of
    // ASCII names keeps them), so they are not sorted again.
    explicit ShortNameTable(const std::vector<Name>& names, bool inOrder = false);
    // The lookups point into the table's own entries: it stays where it was made.
    ShortNameTable(const ShortNameTable&) = delete;
    ShortNameTable& operator=(const ShortNameTable&) = delete;
    // The alias of a host name, "" when the name fits 8.3 itself.
    std::string AliasOf(const std::string& hostName) const;
    // The host name that holds an alias (compared without regard to case); "" when none does.
    std::string HostNameOf(std::string_view alias) const;

private:
    std::vector<std::pair<std::string, std::string>> m_entries; // host name, alias
    std::unordered_map<std::string_view, uint32_t> m_alias;     // host name -> entry
    std::unordered_map<std::string_view, uint32_t> m_byAlias;   // upper-case alias -> entry
};

} // namespace emu
