// Which item texts occur in a selection list followed by CR LF, found in one backward pass over the list.
#pragma once
#include <string>
#include <vector>

namespace vireo {

// For each text: True when the text followed by CR LF occurs anywhere in sList (binary, case-sensitive).
//
// An occurrence of T + CR LF ends at one of the list's CR LFs, so the texts are put in a trie read from
// their last character to their first, and from every CR LF of the list the trie is walked backwards over
// the characters before it; every text whose node the walk reaches occurs there. The cost is the list's
// length times the depth the walks reach (at most the longest text, 259 characters for list-view texts,
// and in practice the few characters of the names that share an ending) plus the texts' total length.
std::vector<bool> TextsInList(const std::vector<std::string>& texts, const std::string& sList);

} // namespace vireo
