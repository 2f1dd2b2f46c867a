// What happened on the emulated desktop that a test or the host wants to see: message boxes shown,
// programs started, documents opened, device codes sent, and the like. Each record has a kind and its
// fields in a fixed order; Text() is "kind: field | field | ...".
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace emu {

struct Record {
    std::string kind;
    std::vector<std::string> fields;
    // The record as the user saw it, when that differs from fields: menu captions as written (with their
    // '&' marks, a submenu's entries between "{" and "}"), a dialog's prompt after its fields. Empty
    // otherwise.
    std::vector<std::string> shown;
    std::string Text() const;
};

class Journal {
public:
    void Add(std::string kind, std::vector<std::string> fields, std::vector<std::string> shown = {});
    const std::vector<Record>& All() const { return m_records; }
    std::vector<Record> OfKind(std::string_view kind) const;
    size_t Count(std::string_view kind) const;
    void Clear() { m_records.clear(); }
    // Called for every record as it is added (the host prints them).
    void SetObserver(std::function<void(const Record&)> observer) { m_observer = std::move(observer); }

private:
    std::vector<Record> m_records;
    std::function<void(const Record&)> m_observer;
};

} // namespace emu
