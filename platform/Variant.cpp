#include "platform/Variant.h"
#include "platform/RuntimeError.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

namespace vireo {

Variant Variant::Long(int64_t n) {
    Variant v;
    v.m_v = LongBox{n};
    return v;
}
Variant Variant::Integer(int16_t n) {
    Variant v;
    v.m_v = n;
    return v;
}
Variant Variant::Double(double d) {
    Variant v;
    v.m_v = d;
    return v;
}
Variant Variant::Boolean(bool b) {
    Variant v;
    v.m_v = b;
    return v;
}
Variant Variant::Bytes(std::vector<uint8_t> b) {
    Variant v;
    v.m_v = std::move(b);
    return v;
}
Variant Variant::Object(RefPtr<VariantObject> o) {
    Variant v;
    v.m_v = std::move(o);
    return v;
}

Variant Variant::Record(RecordFields fields) {
    Variant v;
    v.m_v = RecordBox{std::make_shared<const RecordFields>(std::move(fields))};
    return v;
}

VarType Variant::Type() const {
    return static_cast<VarType>(m_v.index());
}

const char* Variant::TypeName() const {
    static const char* const names[] = {"Empty",   "String", "Long",   "Integer", "Double",
                                        "Boolean", "Byte()", "Object", "Record"};
    return names[m_v.index()];
}

bool Variant::HoldsText() const {
    return Type() == VarType::String || (Type() == VarType::Object && ObjectValue());
}

static std::string FormatDouble(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
    if (d == std::floor(d) && std::fabs(d) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", d);
        return buf;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

std::string Variant::Text() const {
    switch (Type()) {
    case VarType::Empty:
        return "";
    case VarType::String:
        return Str();
    case VarType::Long:
        return std::to_string(LongValue());
    case VarType::Integer:
        return std::to_string(IntegerValue());
    case VarType::Double:
        return FormatDouble(DoubleValue());
    case VarType::Boolean:
        return BooleanValue() ? "True" : "False";
    case VarType::Bytes:
        return std::string(BytesValue().begin(), BytesValue().end());
    case VarType::Object:
        return ObjectValue() ? ObjectValue()->DefaultText() : "";
    case VarType::Record:
        break;
    }
    return "";
}

bool Variant::operator==(const Variant& o) const {
    return m_v == o.m_v;
}

namespace {

[[noreturn]] void Mismatch(const Variant& v, const char* to, unsigned argIndex) {
    throw DispatchError(kDispTypeMismatch,
                        std::string("Type mismatch: cannot convert ") + v.TypeName() + " to " + to, argIndex);
}

[[noreturn]] void Overflow(const char* to, unsigned argIndex) {
    throw DispatchError(kDispOverflow, std::string("Overflow converting to ") + to, argIndex);
}

// Parses numeric text as automation does: optional blanks and sign, decimal digits with an optional
// fraction and exponent, or &H / &O prefixed hexadecimal and octal.
bool ParseNumber(std::string_view s, double& out) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    s = s.substr(b, e - b);
    if (s.empty()) return false;
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        uint64_t n = 0;
        for (char c : s.substr(2)) {
            int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : (base == 16 && std::isxdigit(static_cast<unsigned char>(c)))
                        ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                        : -1;
            if (d < 0 || d >= base) return false;
            n = n * base + d;
            if (n > 0xFFFFFFFFull) return false;
        }
        // &H literals are 32-bit: &HFFFFFFFF is -1.
        out = n > 0x7FFFFFFFull ? double(int64_t(n) - 0x100000000ll) : double(n);
        return true;
    }
    std::string tmp(s);
    char* end = nullptr;
    out = std::strtod(tmp.c_str(), &end);
    if (end != tmp.c_str() + tmp.size()) return false;
    // strtod accepts hex floats, infinities and NaN; automation does not.
    for (char c : tmp)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' || c == 'e' ||
              c == 'E'))
            return false;
    return true;
}

double NumberOf(const Variant& v, const char* to, unsigned argIndex) {
    switch (v.Type()) {
    case VarType::Empty:
        return 0;
    case VarType::Long:
        return double(v.LongValue());
    case VarType::Integer:
        return v.IntegerValue();
    case VarType::Double:
        return v.DoubleValue();
    case VarType::Boolean:
        return v.BooleanValue() ? -1 : 0;
    case VarType::String:
    case VarType::Object: {
        double d = 0;
        if (!ParseNumber(v.Text(), d)) Mismatch(v, to, argIndex);
        return d;
    }
    case VarType::Bytes:
    case VarType::Record:
        break;
    }
    Mismatch(v, to, argIndex);
}

int64_t RoundedInRange(const Variant& v, const char* to, int64_t lo, int64_t hi, unsigned argIndex) {
    if (v.Type() == VarType::Long) {
        int64_t n = v.LongValue();
        if (n < lo || n > hi) Overflow(to, argIndex);
        return n;
    }
    double d = NumberOf(v, to, argIndex);
    if (std::isnan(d)) Overflow(to, argIndex);
    double r = std::nearbyint(d); // round half to even, as automation does
    if (r < double(lo) || r > double(hi)) Overflow(to, argIndex);
    return int64_t(r);
}

} // namespace

int64_t ToLong(const Variant& v, unsigned argIndex) {
    return RoundedInRange(v, "Long", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                          argIndex);
}

int64_t ToLongPtr(const Variant& v, unsigned argIndex) {
    return RoundedInRange(v, "Long", std::numeric_limits<intptr_t>::min(),
                          std::numeric_limits<intptr_t>::max(), argIndex);
}

int16_t ToInteger(const Variant& v, unsigned argIndex) {
    return int16_t(RoundedInRange(v, "Integer", -32768, 32767, argIndex));
}

double ToDouble(const Variant& v, unsigned argIndex) {
    return NumberOf(v, "Double", argIndex);
}

bool ToBoolean(const Variant& v, unsigned argIndex) {
    if (v.Type() == VarType::Boolean) return v.BooleanValue();
    if (v.HoldsText()) {
        std::string t = v.Text();
        std::string lower;
        for (char c : t)
            lower += char(std::tolower(static_cast<unsigned char>(c)));
        if (lower == "true") return true;
        if (lower == "false") return false;
    }
    return NumberOf(v, "Boolean", argIndex) != 0;
}

std::string ToText(const Variant& v, unsigned argIndex) {
    if ((v.Type() == VarType::Object && !v.ObjectValue()) || v.Type() == VarType::Record)
        Mismatch(v, "String", argIndex);
    return v.Text();
}

} // namespace vireo
