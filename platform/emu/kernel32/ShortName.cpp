#include "platform/emu/kernel32/ShortName.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <unordered_set>

namespace emu {

namespace {

bool IsShortChar(unsigned char c) {
    if (c >= 0x80) return true;
    if (std::isalnum(c)) return true;
    return std::string_view("$%'-_@~`!(){}^#&").find(static_cast<char>(c)) != std::string_view::npos;
}

// The base and extension an alias is built from: up to six and three characters, upper case, without
// blanks and dots, _ for what a short name cannot hold; leading dots do not count.
std::pair<std::string, std::string> AliasStem(std::string_view name) {
    const size_t start = name.find_first_not_of('.');
    if (start == std::string_view::npos) return {"", ""};
    name.remove_prefix(start);
    const size_t dot = name.rfind('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    auto clean = [](std::string_view part, size_t limit) {
        std::string out;
        for (char c : part) {
            if (out.size() == limit) break;
            if (c == ' ' || c == '.') continue;
            const unsigned char upper = AnsiUpperChar(static_cast<unsigned char>(c));
            out += IsShortChar(upper) ? static_cast<char>(upper) : '_';
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

bool TakesPartInAliases(std::string_view ansiName) {
    return !IsShortName(ansiName) || ansiName.find('~') != std::string_view::npos;
}

namespace {

// The aliases taken in a folder, held as numbers: an alias is PREFIX~N or PREFIX~N.EXT, and for each prefix
// and extension a bit set tells which numbers the aliases given so far hold (they are given from 1 up, so
// the set stays dense), and a sparse set which numbers names that fit 8.3 hold themselves. A name looking
// for a free number tests bits instead of making and looking up a text for every number it passes, so a
// folder of many names that share their first letters (FILE~452.TXT after thousands of FILE... names) is
// numbered in about linear time.
class TakenAliases {
public:
    struct Numbers {
        std::vector<uint64_t> given;
        std::unordered_set<uint64_t> held;
        bool Has(uint64_t n) const {
            return (n / 64 < given.size() && (given[n / 64] >> (n % 64) & 1)) ||
                   (!held.empty() && held.count(n));
        }
        void Give(uint64_t n) {
            if (n / 64 >= given.size()) given.resize(n / 64 + 1, 0);
            given[n / 64] |= uint64_t(1) << (n % 64);
        }
    };

    // A name that fits 8.3 holds its own text; only one of the alias form can meet an alias.
    void TakeShortName(const std::string& upper) {
        const size_t dot = upper.rfind('.');
        const std::string_view base = std::string_view(upper).substr(0, dot);
        const std::string_view ext =
            dot == std::string::npos ? std::string_view() : std::string_view(upper).substr(dot + 1);
        const size_t tilde = base.rfind('~');
        if (tilde == std::string_view::npos || tilde + 1 == base.size() || base[tilde + 1] == '0') return;
        uint64_t number = 0;
        for (char c : base.substr(tilde + 1)) {
            if (c < '0' || c > '9') return;
            number = number * 10 + static_cast<uint64_t>(c - '0'); // at most 7 digits
        }
        Of(base.substr(0, tilde), ext).held.insert(number);
    }

    // The numbers of the aliases of a prefix and extension.
    Numbers& Of(std::string_view prefix, std::string_view ext) {
        std::string key(prefix);
        key += '|'; // no name holds it
        key += ext;
        return m_numbers[key];
    }

private:
    std::unordered_map<std::string, Numbers> m_numbers;
};

// The rank of each ANSI character's case fold among the folds of all 256: texts of ranks compare as the
// folded texts do, byte by byte.
const std::array<unsigned char, 256>& FoldRanks() {
    static const std::array<unsigned char, 256> ranks = [] {
        std::array<char32_t, 256> folds{};
        for (unsigned c = 0; c < 256; ++c)
            folds[c] = FoldCase(AnsiCharToWide(static_cast<unsigned char>(c)));
        std::vector<char32_t> sorted(folds.begin(), folds.end());
        std::sort(sorted.begin(), sorted.end());
        sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
        std::array<unsigned char, 256> out{};
        for (unsigned c = 0; c < 256; ++c)
            out[c] = static_cast<unsigned char>(std::lower_bound(sorted.begin(), sorted.end(), folds[c]) -
                                                sorted.begin());
        return out;
    }();
    return ranks;
}

unsigned Digits(uint64_t n) {
    unsigned d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

} // namespace

ShortNameTable::ShortNameTable(const std::vector<Name>& names, bool inOrder) {
    TakenAliases taken;
    // Long names in the order of their case-folded text (then of their host bytes), folded once each.
    std::vector<const Name*> longNames;
    longNames.reserve(names.size());
    for (const Name& n : names) {
        if (IsShortName(n.ansi))
            taken.TakeShortName(AnsiUpper(n.ansi));
        else
            longNames.push_back(&n);
    }
    if (!inOrder) {
        std::vector<std::pair<std::string, const Name*>> keyed;
        keyed.reserve(longNames.size());
        const auto& ranks = FoldRanks();
        for (const Name* n : longNames) {
            std::string key(n->ansi.size(), '\0');
            for (size_t i = 0; i < n->ansi.size(); ++i)
                key[i] = static_cast<char>(ranks[static_cast<unsigned char>(n->ansi[i])]);
            keyed.emplace_back(std::move(key), n);
        }
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first < b.first : a.second->host < b.second->host;
        });
        for (size_t i = 0; i < keyed.size(); ++i)
            longNames[i] = keyed[i].second;
    }
    m_entries.reserve(longNames.size()); // never grows again: the maps point into it
    m_alias.reserve(longNames.size());
    m_byAlias.reserve(longNames.size());
    std::unordered_map<std::string, uint64_t> next; // stem -> the last number given or passed
    // In name order the names of one stem mostly follow each other: the last stem's counter and the
    // numbers of its last prefix are kept at hand.
    std::string lastStem = "|";
    uint64_t* k = nullptr;
    std::string lastPrefix;
    TakenAliases::Numbers* numbers = nullptr;
    for (const Name* n : longNames) {
        auto [base, ext] = AliasStem(n->ansi);
        std::string stem = base + "." + ext;
        if (stem != lastStem) {
            k = &next[stem];
            lastStem = std::move(stem);
            numbers = nullptr;
        }
        // The first free number after k: the prefix is the base cut to leave room for "~" and the number,
        // so it changes only when the number gains a digit.
        ++*k;
        for (;;) {
            // "~" and the number leave 7 - digits letters of the base (none at seven digits; from eight
            // on the whole base, as the length wraps around).
            const unsigned digits = Digits(*k);
            uint64_t end = 1;
            for (unsigned d = 0; d < digits && end < UINT64_MAX / 10; ++d)
                end *= 10;
            const size_t room = digits <= 7 ? 7 - digits : base.size();
            const std::string_view prefix(base.data(), std::min(base.size(), room));
            if (!numbers || prefix != lastPrefix) {
                numbers = &taken.Of(prefix, ext);
                lastPrefix = prefix;
            }
            while (*k < end && numbers->Has(*k))
                ++*k;
            if (*k < end) {
                numbers->Give(*k);
                std::string alias(prefix);
                alias += '~';
                alias += std::to_string(*k);
                if (!ext.empty()) alias += "." + ext;
                const auto& [host, given] = m_entries.emplace_back(n->host, std::move(alias));
                const auto index = static_cast<uint32_t>(m_entries.size() - 1);
                m_alias.emplace(host, index);
                m_byAlias.emplace(given, index);
                break;
            }
        }
    }
}

std::string ShortNameTable::AliasOf(const std::string& hostName) const {
    auto it = m_alias.find(hostName);
    return it == m_alias.end() ? std::string() : m_entries[it->second].second;
}

std::string ShortNameTable::HostNameOf(std::string_view alias) const {
    const std::string upper = AnsiUpper(alias);
    auto it = m_byAlias.find(upper);
    return it == m_byAlias.end() ? std::string() : m_entries[it->second].first;
}

} // namespace emu
