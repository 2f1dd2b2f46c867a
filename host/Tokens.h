// Splitting a script line into words. A word in double quotes keeps its blanks; "" inside quotes is one
// quote character. Backslashes are ordinary characters, so Windows paths need no escaping.
#pragma once
#include <string>
#include <vector>

namespace host {

struct Token {
    std::string text;
    bool quoted = false;
};

// Throws std::invalid_argument for an unterminated quote.
std::vector<Token> Tokenize(const std::string& line);

} // namespace host
