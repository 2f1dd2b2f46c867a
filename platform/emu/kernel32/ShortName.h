// 8.3 names as Windows generates them: a name that already fits 8.3 has none; a long name gets the first
// six letters of its base (upper case, without spaces and extra dots, with _ for + , ; = [ ]), "~" and a
// number, and the first three letters of its last extension: "Program Files" is PROGRA~1. Numbers are
// given in the order of the long names (compared without regard to case), skipping aliases that an
// existing name already holds, so the result is the same on every run.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace emu {

// True when the ANSI name fits 8.3: a base of 1 to 8 characters, at most one dot and an extension of at
// most 3, and only characters a short name may hold. Case does not matter (readme.txt fits).
bool IsShortName(std::string_view ansiName);

// The 8.3 aliases of the names of one folder.
class ShortNameTable {
public:
    struct Name {
        std::string ansi; // as Windows sees it
        std::string host; // as the host keeps it
    };
    explicit ShortNameTable(const std::vector<Name>& names);
    // The alias of a host name, "" when the name fits 8.3 itself.
    std::string AliasOf(const std::string& hostName) const;
    // The host name that holds an alias (compared without regard to case); "" when none does.
    std::string HostNameOf(std::string_view alias) const;

private:
    std::unordered_map<std::string, std::string> m_alias;   // host name -> alias
    std::unordered_map<std::string, std::string> m_byAlias; // upper-case alias -> host name
};

} // namespace emu
