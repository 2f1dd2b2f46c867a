// What the host prints: one line per event, result, by-reference value, status-bar change, desktop record
// or error; as text, or as JSON Lines with --json.
#pragma once
#include "platform/Variant.h"
#include <ostream>
#include <string>
#include <vector>

namespace host {

class Output {
public:
    Output(std::ostream& out, bool json) : m_out(out), m_json(json) {}

    void Event(const std::string& name, const std::vector<vireo::Variant>& args);
    void Result(const vireo::Variant& value);
    void ByRef(const std::string& param, const vireo::Variant& value);
    void Status(const std::string& text);
    void Desktop(const std::string& kind, const std::vector<std::string>& fields);
    void Error(const std::string& what, long long number = 0);
    void Member(const std::string& name, int32_t id, const std::string& kinds, const std::string& params,
                const std::string& result);
    void Note(const std::string& text); // a line of the demo's narration

    // A Variant as the text form shows it: strings quoted, numbers plain, Booleans True and False.
    static std::string Format(const vireo::Variant& v);

private:
    std::ostream& m_out;
    bool m_json;
};

} // namespace host
