// The small Variant that carries the arguments the interface declares as Variant, and every argument and
// result of the dispatch table: empty, string, long, integer, double, boolean, byte array, or an object
// whose default property yields a text (the address box passes itself).
#pragma once
#include "platform/RefCounted.h"
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vireo {

// An object handed over in a Variant; its default property is a text.
class VariantObject : public RefCounted {
public:
    virtual std::string DefaultText() const = 0;
};

enum class VarType { Empty, String, Long, Integer, Double, Boolean, Bytes, Object, Record };

class Variant;
// A user-defined type's value: its fields by name, in declaration order.
using RecordFields = std::vector<std::pair<std::string, Variant>>;

class Variant {
public:
    Variant() = default;
    Variant(const char* s) : m_v(std::string(s)) {}
    Variant(std::string s) : m_v(std::move(s)) {}

    static Variant Long(int64_t n); // a Long; holds a pointer-sized handle on 64-bit builds
    static Variant Integer(int16_t n);
    static Variant Double(double d);
    static Variant Boolean(bool b);
    static Variant Bytes(std::vector<uint8_t> b);
    static Variant Object(RefPtr<VariantObject> o);
    static Variant Record(RecordFields fields);

    VarType Type() const;
    const char* TypeName() const;
    bool IsEmpty() const { return Type() == VarType::Empty; }
    // True for a String, and for an object whose default property yields one.
    bool HoldsText() const;
    bool IsLong() const { return Type() == VarType::Long; }

    // Raw access; each requires the matching type.
    const std::string& Str() const { return std::get<std::string>(m_v); }
    int64_t LongValue() const { return std::get<LongBox>(m_v).n; }
    int16_t IntegerValue() const { return std::get<int16_t>(m_v); }
    double DoubleValue() const { return std::get<double>(m_v); }
    bool BooleanValue() const { return std::get<bool>(m_v); }
    const std::vector<uint8_t>& BytesValue() const { return std::get<std::vector<uint8_t>>(m_v); }
    const RefPtr<VariantObject>& ObjectValue() const { return std::get<RefPtr<VariantObject>>(m_v); }
    const RecordFields& RecordValue() const { return *std::get<RecordBox>(m_v).fields; }

    // The value as text, the way the platform turns a Variant into a String: Empty is "", numbers
    // in plain decimal, Booleans "True" and "False", an object its default text, bytes as characters.
    std::string Text() const;

    bool operator==(const Variant& o) const;

private:
    struct LongBox {
        int64_t n;
        bool operator==(const LongBox&) const = default;
    };
    struct RecordBox {
        std::shared_ptr<const RecordFields> fields;
        bool operator==(const RecordBox& o) const { return *fields == *o.fields; }
    };
    std::variant<std::monostate, std::string, LongBox, int16_t, double, bool, std::vector<uint8_t>,
                 RefPtr<VariantObject>, RecordBox>
        m_v;
};

// Conversions for the dispatch layer, with the automation rules: numbers convert between each other
// with banker's rounding and range checks, numeric text converts to numbers, Empty is 0, "" or False.
// They throw DispatchError (type mismatch or overflow) naming argument argIndex.
int64_t ToLong(const Variant& v, unsigned argIndex = 0);    // 32-bit range, or a pointer-sized handle
int64_t ToLongPtr(const Variant& v, unsigned argIndex = 0); // pointer-sized range
int16_t ToInteger(const Variant& v, unsigned argIndex = 0);
double ToDouble(const Variant& v, unsigned argIndex = 0);
bool ToBoolean(const Variant& v, unsigned argIndex = 0);
std::string ToText(const Variant& v, unsigned argIndex = 0);

} // namespace vireo
