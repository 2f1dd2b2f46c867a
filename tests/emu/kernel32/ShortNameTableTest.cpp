// The 8.3 alias table against the numbering rule stated plainly: long names in the order of their folded
// text, each taking the first alias PREFIX~N(.EXT) after its stem's last number that no name holds, the
// prefix cut to leave room for the number. Folders of names that share their first letters make numbers
// run into several digits and into aliases that names of 8.3 form hold themselves.
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/kernel32/ShortName.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace {

using emu::ShortNameTable;

// The stem of a long name: the base's first six letters and the extension's first three, upper case,
// without blanks and dots, and _ for what a short name cannot hold (the table's own rule, restated).
std::pair<std::string, std::string> Stem(const std::string& name) {
    std::string upper = emu::AnsiUpper(name);
    upper.erase(0, upper.find_first_not_of('.'));
    const size_t dot = upper.rfind('.');
    const std::string base = upper.substr(0, dot);
    const std::string ext = dot == std::string::npos ? "" : upper.substr(dot + 1);
    auto clean = [](const std::string& s, size_t limit) {
        std::string out;
        for (char c : s) {
            if (out.size() == limit) break;
            if (c == ' ' || c == '.') continue;
            out += std::isalnum(static_cast<unsigned char>(c)) ||
                           std::string("$%'-_@~`!(){}^#&").find(c) != std::string::npos
                       ? c
                       : '_';
        }
        return out;
    };
    return {clean(base, 6), clean(ext, 3)};
}

std::map<std::string, std::string> Reference(const std::vector<std::string>& names) {
    std::set<std::string> taken;
    std::vector<std::string> longNames;
    for (const std::string& n : names) {
        if (emu::IsShortName(n))
            taken.insert(emu::AnsiUpper(n));
        else
            longNames.push_back(n);
    }
    std::sort(longNames.begin(), longNames.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = emu::AnsiUpper(a), fb = emu::AnsiUpper(b);
        return fa != fb ? fa < fb : a < b;
    });
    std::map<std::string, unsigned> next;
    std::map<std::string, std::string> aliases;
    for (const std::string& n : longNames) {
        const auto [base, ext] = Stem(n);
        unsigned& k = next[base + "." + ext];
        std::string alias;
        do {
            const std::string number = "~" + std::to_string(++k);
            alias = base.substr(0, std::min(base.size(), 8 - number.size())) + number +
                    (ext.empty() ? "" : "." + ext);
        } while (taken.count(alias));
        taken.insert(alias);
        aliases[n] = alias;
    }
    return aliases;
}

TEST(ShortNameTableTest, NumbersAsTheRuleStatesInCrowdedFolders) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 20; ++round) {
        std::set<std::string> unique;
        const int count = 200 + static_cast<int>(rng() % 1800);
        for (int i = 0; i < count; ++i) {
            switch (rng() % 4) {
            case 0: // many names of one stem: numbers reach four digits and prefixes shrink to three letters
                unique.insert("report" + std::to_string(rng() % 5000) + ".txt");
                break;
            case 1: // stems that share their first letters
                unique.insert("rep" + std::to_string(rng() % 100) + "ort long.doc");
                break;
            case 2: // names that hold an alias themselves
                unique.insert((rng() % 2 ? "REPORT~" : "REP~") + std::to_string(1 + rng() % 400) + ".TXT");
                break;
            default: // no extension, and names that fit 8.3
                unique.insert(rng() % 2 ? "longname" + std::to_string(rng() % 300)
                                        : "a" + std::to_string(rng() % 99));
            }
        }
        const std::vector<std::string> names(unique.begin(), unique.end());
        std::vector<ShortNameTable::Name> table;
        for (const std::string& n : names)
            table.push_back({n, n});
        const ShortNameTable aliases(table);
        const auto want = Reference(names);
        for (const std::string& n : names) {
            const auto it = want.find(n);
            ASSERT_EQ(aliases.AliasOf(n), it == want.end() ? "" : it->second) << n << " in round " << round;
        }
    }
}

} // namespace
