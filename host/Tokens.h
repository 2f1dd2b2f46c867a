// Splitting a script line into words. A word in double quotes keeps its blanks; "" inside quotes is one
// quote character, and <CR>, <LF>, <TAB> and <LT> stand for a carriage return, a line feed, a tab and a
// literal "<" (the notation the output uses, so a printed text can be typed back); any other "<" is
// itself. Backslashes are ordinary characters, so Windows paths need no escaping.
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

// The text in the quoted notation Tokenize reads back: quotes doubled, a carriage return, line feed or
// tab written <CR>, <LF>, <TAB>, and a "<" that would read as one of those written <LT>.
std::string Quote(const std::string& text);

} // namespace host
