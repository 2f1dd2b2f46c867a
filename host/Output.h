// What the host prints: one line per event, result, by-reference value, status-bar change, desktop record
// or error; as text, or as JSON Lines with --json. Numbers that differ between runs (item-ID lists, window
// handles, mouse pointers) print as stable names unless the output is raw.
//
// The records a script line printed are kept in their text form until the next line starts, so that an
// expectation can look at them.
#pragma once
#include "host/StableNames.h"
#include "platform/Variant.h"
#include <nlohmann/json_fwd.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace host {

// A value to print and what its number stands for.
struct Field {
    Field(vireo::Variant v, NameKind k = NameKind::None) : value(std::move(v)), kind(k) {}
    vireo::Variant value;
    NameKind kind;
};

class Output {
public:
    Output(std::ostream& out, bool json, bool raw = false) : m_out(out), m_json(json), m_raw(raw) {}

    void Event(const std::string& name, const std::vector<Field>& args);
    void Result(const Field& value);
    void ByRef(const std::string& param, const Field& value);
    void Status(const std::string& text);
    // A desktop record; a field that is exactly "{" or "}" opens or closes a submenu's entries and prints
    // bare.
    void Desktop(const std::string& kind, const std::vector<std::string>& fields);
    // A line that failed (line 0: outside a script): a dispatch error with its HRESULT, a run-time error
    // with its number, or the host's own text (number 0).
    // An error kept out of the line's records (keep false) is one an expectation reports.
    void Error(int line, const std::string& what, long long number = 0, bool keep = true);
    void Member(const std::string& name, int32_t id, const std::string& kinds, const std::string& params,
                const std::string& result);
    void Note(const std::string& text); // a line of the demo's narration

    bool Raw() const { return m_raw; }
    // The stable name of a number, or the number itself in raw output.
    std::string Named(NameKind kind, int64_t number);

    // A new script line starts: the records of the last one are dropped.
    void StartLine() { m_lineRecords.clear(); }
    // The records printed since, in their text form ("event NotifyURL ..."; an error without its line).
    const std::vector<std::string>& LineRecords() const { return m_lineRecords; }

    // A value as the text form shows it: strings quoted, numbers plain, Booleans True and False.
    static std::string Format(const vireo::Variant& v);

private:
    std::string NameOf(const Field& f); // "" when the field prints as itself
    std::string Text(const Field& f);
    nlohmann::json JsonOf(const Field& f);
    void Emit(const std::string& text, const std::string& json, bool keep = true);
    // The same, kept among the line's records as record.
    void Emit(const std::string& text, const std::string& record, const std::string& json, bool keep);

    std::ostream& m_out;
    bool m_json;
    bool m_raw;
    StableNames m_names;
    std::vector<std::string> m_lineRecords;
};

} // namespace host
