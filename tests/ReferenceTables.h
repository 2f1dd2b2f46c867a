// The two tables of docs/reference.md that name the control's members and events: one row per member
// with its name, dispatch id, kind, signature and the sentence that is also its help string. Read by the
// native test that holds them against the dispatch table and by the Wine check of the type library's help
// strings.
#pragma once
#include <istream>
#include <string>
#include <vector>

namespace vireo::reference {

struct Row {
    std::string name; // without its backticks
    std::vector<std::string> cells;
};

inline std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A cell as the type library shows it: the same text without Markdown's backticks.
inline std::string HelpText(const std::string& cell) {
    std::string s;
    for (char c : cell)
        if (c != '`') s.push_back(c);
    return s;
}

inline std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    size_t start = 1;
    for (size_t bar = line.find('|', start); bar != std::string::npos; bar = line.find('|', start)) {
        cells.push_back(Trim(line.substr(start, bar - start)));
        start = bar + 1;
    }
    return cells;
}

// The rows of the table whose first header cell is firstHeader ("member", "event").
inline std::vector<Row> ReadTable(std::istream& in, const std::string& firstHeader) {
    std::vector<Row> rows;
    std::string line;
    bool inTable = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] != '|') {
            if (inTable) break;
            continue;
        }
        std::vector<std::string> cells = Cells(line);
        if (!inTable) {
            inTable = !cells.empty() && cells[0] == firstHeader;
            continue;
        }
        if (cells.empty() || cells[0].rfind("---", 0) == 0) continue;
        rows.push_back({HelpText(cells[0]), cells});
    }
    return rows;
}

} // namespace vireo::reference
