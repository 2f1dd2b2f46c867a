// Matching an expect line's words against the records a line printed. A record is read back into words
// with the script's own tokenizer, so a printed text and a typed one compare equal. A "*" word stands for
// any one word; a "*" at the end stands for whatever words follow (none too).
#pragma once
#include "host/Tokens.h"
#include <string>
#include <vector>

namespace host {

// Whether the record's words are the pattern's; with prefix, whether they start with them.
bool Matches(const std::vector<Token>& pattern, const std::string& record, bool prefix);

// The words as the output would print them, for an expectation's report.
std::string Joined(const std::vector<Token>& words);

} // namespace host
