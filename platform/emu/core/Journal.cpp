#include "platform/emu/core/Journal.h"

namespace emu {

std::string Record::Text() const {
    std::string s = kind + ":";
    for (size_t i = 0; i < fields.size(); ++i)
        s += (i ? " | " : " ") + fields[i];
    return s;
}

void Journal::Add(std::string kind, std::vector<std::string> fields, std::vector<std::string> shown) {
    m_records.push_back(Record{std::move(kind), std::move(fields), std::move(shown)});
    if (m_observer) m_observer(m_records.back());
}

std::vector<Record> Journal::OfKind(std::string_view kind) const {
    std::vector<Record> out;
    for (const Record& r : m_records)
        if (r.kind == kind) out.push_back(r);
    return out;
}

size_t Journal::Count(std::string_view kind) const {
    size_t n = 0;
    for (const Record& r : m_records)
        n += r.kind == kind;
    return n;
}

} // namespace emu
