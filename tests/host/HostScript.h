// Runs host scripts for the tests and splits what the host printed into lines.
#pragma once
#include "host/Host.h"
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// Runs the script on a new host; bad receives the number of lines the host could not carry out.
inline std::vector<std::string> RunHost(const std::string& script, bool json = false, int* bad = nullptr) {
    std::ostringstream os;
    host::Output out(os, json);
    host::Host h(out);
    std::istringstream in(script);
    int n = h.RunScript(in);
    if (bad) *bad = n;
    return Lines(os.str());
}

// The lines as one text, for a failure's message.
inline std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& l : lines)
        all += l + "\n";
    return all;
}

// A drive C: with the folder C:\Temp (the folder Old and the files a.txt and b.txt) and a control on a form.
inline const char* const kTempScene = R"(mount C: label SYSTEM
mkdir C:\Temp\Old
file C:\Temp\a.txt one
file C:\Temp\b.txt two
create
)";

inline bool Contains(const std::vector<std::string>& lines, const std::string& needle) {
    for (const auto& l : lines)
        if (l.find(needle) != std::string::npos) return true;
    return false;
}
