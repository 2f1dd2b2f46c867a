#include "host/Tokens.h"
#include <stdexcept>
#include <string_view>

namespace host {

namespace {

struct Escape {
    std::string_view name; // as written, "<CR>"
    char c;
};
constexpr Escape kEscapes[] = {{"<CR>", '\r'}, {"<LF>", '\n'}, {"<TAB>", '\t'}, {"<LT>", '<'}};

// The escape written at line[i], or nullptr.
const Escape* EscapeAt(std::string_view line, size_t i) {
    for (const Escape& e : kEscapes)
        if (line.substr(i, e.name.size()) == e.name) return &e;
    return nullptr;
}

} // namespace

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
                if (const Escape* e = line[i] == '<' ? EscapeAt(line, i) : nullptr) {
                    t.text += e->c;
                    i += e->name.size();
                    continue;
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

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            out += "\"\"";
        else if (c == '<' && EscapeAt(text, i))
            out += "<LT>";
        else if (c == '\r' || c == '\n' || c == '\t')
            out += c == '\r' ? "<CR>" : c == '\n' ? "<LF>" : "<TAB>";
        else
            out += c;
    }
    return out + "\"";
}

} // namespace host
