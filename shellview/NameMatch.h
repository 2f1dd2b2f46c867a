// Which item texts occur in a selection list followed by CR LF, found in one backward pass over the list.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vireo {

// For each text: True when the text followed by CR LF occurs anywhere in sList (binary, case-sensitive).
//
// An occurrence of T + CR LF ends at one of the list's CR LFs. A text without LF lies between that CR LF
// and the LF before it, so it is one of the suffixes of that piece of the list: each piece is read
// backwards once, hashing as it goes, and looked up at the lengths the texts have. The rare text holding an
// LF may reach across CR LFs: those are put in a trie read from their last character to their first, and
// the trie is walked backwards from every CR LF. The cost is about the list's length plus the texts' total
// length, and for texts with LF the depth the trie walks reach (at most the longest of them).
std::vector<bool> TextsInList(const std::vector<std::string_view>& texts, const std::string& sList);
std::vector<bool> TextsInList(const std::vector<std::string>& texts, const std::string& sList);

} // namespace vireo
