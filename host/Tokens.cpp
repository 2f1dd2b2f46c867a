#include "host/Tokens.h"
#include <stdexcept>

namespace host {

std::vector<Token> Tokenize(const std::string& line) {
    std::vector<Token> out;
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= n) break;
        Token t;
        if (line[i] == '"') {
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        t.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.text += line[i++];
            }
            if (!closed) throw std::invalid_argument("unterminated quote");
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                t.text += line[i++];
        }
        out.push_back(std::move(t));
    }
    return out;
}

} // namespace host
