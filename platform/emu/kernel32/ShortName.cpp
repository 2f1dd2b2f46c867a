#include "platform/emu/kernel32/ShortName.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <cctype>
#include <unordered_set>

namespace emu {

namespace {

bool IsShortChar(unsigned char c) {
    if (c >= 0x80) return true;
    if (std::isalnum(c)) return true;
    return std::string_view("$%'-_@~`!(){}^#&").find(static_cast<char>(c)) != std::string_view::npos;
}

// The base and extension an alias is built from.
std::pair<std::string, std::string> AliasStem(std::string_view name) {
    std::string upper = AnsiUpper(name);
    size_t start = upper.find_first_not_of('.');
    if (start == std::string::npos) return {"", ""};
    upper.erase(0, start);
    size_t dot = upper.rfind('.');
    std::string base = dot == std::string::npos ? upper : upper.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : upper.substr(dot + 1);
    auto clean = [](const std::string& s, size_t limit) {
        std::string out;
        for (char c : s) {
            if (out.size() == limit) break;
            if (c == ' ' || c == '.') continue;
            unsigned char u = static_cast<unsigned char>(c);
            out += IsShortChar(u) ? c : '_';
        }
        return out;
    };
    return {clean(base, 6), clean(ext, 3)};
}

} // namespace

bool IsShortName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8) return false;
    if (dot != std::string_view::npos && (ext.empty() || ext.size() > 3)) return false;
    for (char c : base)
        if (!IsShortChar(static_cast<unsigned char>(c))) return false;
    for (char c : ext)
        if (!IsShortChar(static_cast<unsigned char>(c))) return false;
    return true;
}

ShortNameTable::ShortNameTable(const std::vector<Name>& names) {
    std::unordered_set<std::string> taken;
    // Long names in the order of their case-folded text (then of their host bytes), folded once each.
    std::vector<std::pair<std::u32string, const Name*>> longNames;
    for (const Name& n : names) {
        if (IsShortName(n.ansi)) {
            taken.insert(AnsiUpper(n.ansi));
            continue;
        }
        std::u32string key(n.ansi.size(), U'\0');
        for (size_t i = 0; i < n.ansi.size(); ++i)
            key[i] = FoldCase(AnsiCharToWide(static_cast<unsigned char>(n.ansi[i])));
        longNames.emplace_back(std::move(key), &n);
    }
    std::sort(longNames.begin(), longNames.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second->host < b.second->host;
    });
    m_alias.reserve(longNames.size());
    m_byAlias.reserve(longNames.size());
    std::unordered_map<std::string, unsigned> next; // stem -> next number to try
    for (const auto& entry : longNames) {
        const Name* n = entry.second;
        auto [base, ext] = AliasStem(n->ansi);
        std::string key = base + "." + ext;
        unsigned& k = next[key];
        std::string alias;
        do {
            std::string num = "~" + std::to_string(++k);
            std::string b = base.substr(0, std::min(base.size(), 8 - num.size()));
            alias = b + num + (ext.empty() ? "" : "." + ext);
        } while (taken.count(alias));
        taken.insert(alias);
        m_alias.emplace(n->host, alias);
        m_byAlias.emplace(alias, n->host);
    }
}

std::string ShortNameTable::AliasOf(const std::string& hostName) const {
    auto it = m_alias.find(hostName);
    return it == m_alias.end() ? std::string() : it->second;
}

std::string ShortNameTable::HostNameOf(std::string_view alias) const {
    auto it = m_byAlias.find(AnsiUpper(alias));
    return it == m_byAlias.end() ? std::string() : it->second;
}

} // namespace emu
