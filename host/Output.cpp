#include "host/Output.h"
#include "host/Tokens.h"
#include "platform/emu/kernel32/HostNames.h"
#include <cstdio>
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

// A text in the script's quoted notation, in UTF-8.
std::string Quoted(const std::string& s) {
    return Quote(Utf8(s));
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

std::string Dump(const json& j) {
    return Utf8Json(j).dump();
}

// A stable name is one word; one with blanks in it is quoted.
std::string Word(const std::string& name) {
    return name.find_first_of(" \t\"") == std::string::npos ? Utf8(name) : Quoted(name);
}

bool IsNumber(const vireo::Variant& v) {
    return v.Type() == vireo::VarType::Long || v.Type() == vireo::VarType::Integer;
}

// A record's field that carries an item-ID list.
NameKind FieldKind(const std::string& name) {
    return name == "nPidl" ? NameKind::Pidl : NameKind::None;
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

std::string Output::Named(NameKind kind, int64_t number) {
    return m_raw || kind == NameKind::None ? std::to_string(number) : m_names.Name(kind, number);
}

std::string Output::NameOf(const Field& f) {
    return f.kind != NameKind::None && !m_raw && IsNumber(f.value) ? Named(f.kind, f.value.LongValue()) : "";
}

std::string Output::Text(const Field& f) {
    if (const std::string name = NameOf(f); !name.empty()) return Word(name);
    if (f.value.Type() == vireo::VarType::Record && !m_raw) {
        std::string s = "{";
        for (const auto& [name, value] : f.value.RecordValue())
            s += (s.size() > 1 ? ", " : "") + name + "=" + Text(Field(value, FieldKind(name)));
        return s + "}";
    }
    return Format(f.value);
}

nlohmann::json Output::JsonOf(const Field& f) {
    const std::string name = NameOf(f);
    return name.empty() ? ToJson(f.value) : json(name);
}

void Output::Emit(const std::string& text, const std::string& json, bool keep) {
    Emit(text, text, json, keep);
}

void Output::Emit(const std::string& text, const std::string& record, const std::string& json, bool keep) {
    if (keep) m_lineRecords.push_back(record);
    m_out << (m_json ? json : text) << "\n";
}

void Output::Event(const std::string& name, const std::vector<Field>& args) {
    std::string text = "event " + name;
    json a = json::array();
    for (const Field& f : args) {
        text += " " + Text(f);
        a.push_back(JsonOf(f));
    }
    Emit(text, m_json ? Dump(json{{"type", "event"}, {"name", name}, {"args", a}}) : "");
}

void Output::Result(const Field& value) {
    const std::string text = Text(value);
    Emit(std::string("result ") + value.value.TypeName() + " " + text,
         m_json
             ? Dump(json{{"type", "result"}, {"vartype", value.value.TypeName()}, {"value", JsonOf(value)}})
             : "");
}

void Output::ByRef(const std::string& param, const Field& value) {
    Emit("byref " + param + " " + Text(value),
         m_json ? Dump(json{{"type", "byref"}, {"param", param}, {"value", JsonOf(value)}}) : "");
}

void Output::Status(const std::string& text) {
    Emit("status " + Quoted(text), m_json ? Dump(json{{"type", "status"}, {"text", text}}) : "");
}

void Output::Desktop(const std::string& kind, const std::vector<std::string>& fields) {
    std::string text = "desktop " + kind;
    for (const auto& f : fields)
        text += " " + (f == "{" || f == "}" ? f : Quoted(f));
    Emit(text, m_json ? Dump(json{{"type", "desktop"}, {"kind", kind}, {"fields", fields}}) : "");
}

void Output::Error(int line, const std::string& what, long long number, bool keep) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(number));
    const std::string where = line > 0 ? "line " + std::to_string(line) + ": " : "";
    const std::string code =
        number == 0 ? "" : (number < 0 ? hex : std::to_string(number)) + std::string(" ");
    json j{{"type", "error"}, {"number", number}, {"text", what}};
    if (line > 0) j["line"] = line;
    // The line's record leaves the line number out: an expectation names the error, not where it is.
    Emit("error " + where + code + Utf8(what), "error " + code + Utf8(what), m_json ? Dump(j) : "", keep);
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
        m_out << Dump(json{{"type", "note"}, {"text", text}}) << "\n";
    else
        m_out << "# " << Utf8(text) << "\n";
}

} // namespace host
