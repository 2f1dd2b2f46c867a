#include "host/Output.h"
#include <cstdio>
#include "platform/emu/kernel32/HostNames.h"
#include <nlohmann/json.hpp>

namespace host {

namespace {

using nlohmann::json;

json ToJson(const vireo::Variant& v) {
    using vireo::VarType;
    switch (v.Type()) {
    case VarType::Empty:
        return nullptr;
    case VarType::String:
    case VarType::Object:
        return v.Text();
    case VarType::Long:
        return v.LongValue();
    case VarType::Integer:
        return v.IntegerValue();
    case VarType::Double:
        return v.DoubleValue();
    case VarType::Boolean:
        return v.BooleanValue();
    case VarType::Bytes:
        return v.BytesValue();
    case VarType::Record: {
        json o = json::object();
        for (const auto& [name, value] : v.RecordValue())
            o[name] = ToJson(value);
        return o;
    }
    }
    return nullptr;
}

// The control's texts are in the ANSI code page (Windows-1252); what the host prints is UTF-8.
std::string Utf8(const std::string& s) {
    return emu::ToHostName(s);
}

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    // One line per record: a carriage return or line feed inside a text shows as <CR> or <LF>.
    for (char c : Utf8(s))
        out += c == '"'    ? std::string("\"\"")
               : c == '\r' ? std::string("<CR>")
               : c == '\n' ? std::string("<LF>")
                           : std::string(1, c);
    return out + "\"";
}

json Utf8Json(const json& j) {
    if (j.is_string()) return Utf8(j.get<std::string>());
    if (j.is_object() || j.is_array()) {
        json copy = j;
        for (auto& el : copy)
            el = Utf8Json(el);
        return copy;
    }
    return j;
}

} // namespace

std::string Output::Format(const vireo::Variant& v) {
    using vireo::VarType;
    switch (v.Type()) {
    case VarType::String:
    case VarType::Object:
        return Quoted(v.Text());
    case VarType::Empty:
        return "Empty";
    case VarType::Bytes:
        return "Byte(" + std::to_string(v.BytesValue().size()) + ")";
    case VarType::Record: {
        std::string s = "{";
        for (const auto& [name, value] : v.RecordValue())
            s += (s.size() > 1 ? ", " : "") + name + "=" + Format(value);
        return s + "}";
    }
    default:
        return v.Text();
    }
}

void Output::Event(const std::string& name, const std::vector<vireo::Variant>& args) {
    if (m_json) {
        json a = json::array();
        for (const auto& v : args)
            a.push_back(ToJson(v));
        m_out << Utf8Json(json{{"type", "event"}, {"name", name}, {"args", a}}).dump() << "\n";
        return;
    }
    m_out << "event " << name;
    for (const auto& v : args)
        m_out << " " << Format(v);
    m_out << "\n";
}

void Output::Result(const vireo::Variant& value) {
    if (m_json)
        m_out << Utf8Json(json{{"type", "result"}, {"vartype", value.TypeName()}, {"value", ToJson(value)}})
                     .dump()
              << "\n";
    else
        m_out << "result " << value.TypeName() << " " << Format(value) << "\n";
}

void Output::ByRef(const std::string& param, const vireo::Variant& value) {
    if (m_json)
        m_out << Utf8Json(json{{"type", "byref"}, {"param", param}, {"value", ToJson(value)}}).dump() << "\n";
    else
        m_out << "byref " << param << " " << Format(value) << "\n";
}

void Output::Status(const std::string& text) {
    if (m_json)
        m_out << Utf8Json(json{{"type", "status"}, {"text", text}}).dump() << "\n";
    else
        m_out << "status " << Quoted(text) << "\n";
}

void Output::Desktop(const std::string& kind, const std::vector<std::string>& fields) {
    if (m_json) {
        m_out << Utf8Json(json{{"type", "desktop"}, {"kind", kind}, {"fields", fields}}).dump() << "\n";
        return;
    }
    m_out << "desktop " << kind;
    for (const auto& f : fields)
        m_out << " " << Quoted(f);
    m_out << "\n";
}

void Output::Error(const std::string& what, long long number) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(number));
    if (m_json)
        m_out << Utf8Json(json{{"type", "error"}, {"number", number}, {"text", what}}).dump() << "\n";
    else
        m_out << "error "
              << (number == 0 ? "" : (number < 0 ? hex : std::to_string(number)) + std::string(" "))
              << Utf8(what) << "\n";
}

void Output::Member(const std::string& name, int32_t id, const std::string& kinds, const std::string& params,
                    const std::string& result) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(id));
    if (m_json) {
        m_out << json{{"type", "member"}, {"name", name},     {"id", hex},
                      {"kinds", kinds},   {"params", params}, {"result", result}}
                     .dump()
              << "\n";
        return;
    }
    m_out << hex << " " << name << " (" << kinds << ")";
    if (!params.empty()) m_out << " " << params;
    if (!result.empty()) m_out << " -> " << result;
    m_out << "\n";
}

void Output::Note(const std::string& text) {
    if (m_json)
        m_out << Utf8Json(json{{"type", "note"}, {"text", text}}).dump() << "\n";
    else
        m_out << "# " << Utf8(text) << "\n";
}

} // namespace host
