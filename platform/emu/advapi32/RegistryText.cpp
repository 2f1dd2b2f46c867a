// Registry text (the format is described in Registry.h).
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/kernel32/CodePage.h"
#include <cctype>
#include <stdexcept>

namespace emu {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && AnsiEqualNoCase(s.substr(0, prefix.size()), prefix);
}

// Whether the text starts with a hive name standing alone or followed by a backslash.
bool IsKeyPath(std::string_view s) {
    static const char* const hives[] = {"HKEY_CLASSES_ROOT",
                                        "HKEY_CURRENT_USER",
                                        "HKEY_LOCAL_MACHINE",
                                        "HKEY_USERS",
                                        "HKEY_CURRENT_CONFIG",
                                        "HKCR",
                                        "HKCU",
                                        "HKLM",
                                        "HKU",
                                        "HKCC"};
    for (const char* hive : hives) {
        std::string_view h(hive);
        if (StartsWithNoCase(s, h) && (s.size() == h.size() || s[h.size()] == '\\')) return true;
    }
    return false;
}

unsigned long ParseHex(std::string_view digits, unsigned long max, const char* what) {
    if (digits.empty() || digits.size() > 8) throw std::invalid_argument(std::string("bad ") + what);
    unsigned long n = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw std::invalid_argument(std::string("bad ") + what);
        n = n * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    if (n > max) throw std::invalid_argument(std::string("bad ") + what);
    return n;
}

std::vector<uint8_t> ParseBytes(std::string_view list) {
    std::vector<uint8_t> bytes;
    list = Trim(list);
    while (!list.empty()) {
        size_t cut = list.find(',');
        bytes.push_back(uint8_t(ParseHex(Trim(list.substr(0, cut)), 0xFF, "byte")));
        if (cut == std::string_view::npos) break;
        list.remove_prefix(cut + 1);
    }
    return bytes;
}

std::vector<uint8_t> Text(std::string_view s) {
    std::vector<uint8_t> data(s.begin(), s.end());
    data.push_back(0);
    return data;
}

struct Data {
    DWORD type;
    std::vector<uint8_t> bytes;
};

Data ParseData(std::string_view s) {
    if (StartsWithNoCase(s, "sz:")) return {REG_SZ, Text(s.substr(3))};
    if (StartsWithNoCase(s, "expand:")) return {REG_EXPAND_SZ, Text(s.substr(7))};
    if (StartsWithNoCase(s, "multi:")) {
        std::vector<uint8_t> data;
        for (std::string_view items = s.substr(6); !items.empty();) {
            size_t cut = items.find('|');
            std::vector<uint8_t> item = Text(items.substr(0, cut));
            data.insert(data.end(), item.begin(), item.end());
            if (cut == std::string_view::npos) break;
            items.remove_prefix(cut + 1);
        }
        data.push_back(0);
        return {REG_MULTI_SZ, std::move(data)};
    }
    if (StartsWithNoCase(s, "dword:")) {
        unsigned long n = ParseHex(Trim(s.substr(6)), 0xFFFFFFFFul, "dword");
        return {REG_DWORD, {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)}};
    }
    if (StartsWithNoCase(s, "dword-be:")) {
        unsigned long n = ParseHex(Trim(s.substr(9)), 0xFFFFFFFFul, "dword");
        return {REG_DWORD_BIG_ENDIAN, {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)}};
    }
    if (StartsWithNoCase(s, "hex:")) return {REG_BINARY, ParseBytes(s.substr(4))};
    if (StartsWithNoCase(s, "hex(")) {
        size_t close = s.find("):");
        if (close == std::string_view::npos) throw std::invalid_argument("bad hex(type)");
        return {DWORD(ParseHex(s.substr(4, close - 4), 0xFFFFFFFFul, "type")),
                ParseBytes(s.substr(close + 2))};
    }
    if (StartsWithNoCase(s, "none:")) {
        if (!Trim(s.substr(5)).empty()) throw std::invalid_argument("none: takes no data");
        return {REG_NONE, {}};
    }
    return {REG_SZ, Text(s)};
}

} // namespace

void Registry::Load(std::string_view text) {
    std::string section;
    size_t lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        size_t eol = text.find('\n');
        std::string_view line = Trim(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        try {
            if (line.front() == '[') {
                if (line.back() != ']' || !IsKeyPath(Trim(line.substr(1, line.size() - 2))))
                    throw std::invalid_argument("a section names a key path in brackets");
                section = Trim(line.substr(1, line.size() - 2));
                CreateKey(section);
                continue;
            }
            std::string_view left = line;
            std::string_view right;
            bool hasData = false;
            if (line.front() == '"') {
                size_t close = line.find('"', 1);
                if (close == std::string_view::npos) throw std::invalid_argument("unclosed quote");
                std::string_view rest = Trim(line.substr(close + 1));
                if (rest.empty() || rest.front() != '=')
                    throw std::invalid_argument("a quoted name needs '='");
                left = line.substr(1, close - 1);
                right = Trim(rest.substr(1));
                hasData = true;
            } else if (size_t eq = line.find('='); eq != std::string_view::npos) {
                left = Trim(line.substr(0, eq));
                right = Trim(line.substr(eq + 1));
                hasData = true;
            }
            bool quoted = line.front() == '"';
            if (!quoted && IsKeyPath(left)) {
                if (!hasData) {
                    CreateKey(left);
                    continue;
                }
                Data d = ParseData(right);
                SetValue(left, "", d.type, std::move(d.bytes));
                continue;
            }
            if (!hasData) throw std::invalid_argument("expected a key path or name = data");
            if (section.empty()) throw std::invalid_argument("a value line outside a section");
            Data d = ParseData(right);
            SetValue(section, !quoted && left == "@" ? std::string_view{} : left, d.type, std::move(d.bytes));
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument("registry text, line " + std::to_string(lineNo) + ": " + e.what());
        }
    }
}

} // namespace emu
