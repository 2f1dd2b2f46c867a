// The argument conversion of the dispatch table: arbitrary values of every Variant type, passed by value
// or by reference, to members of every parameter type. Each call either runs or is refused with a dispatch
// error (type mismatch, overflow, bad count) or the member's run-time error; none fails otherwise.
#include "FuzzScene.h"
#include "control/Dispatch.h"
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"
#include <cstring>

namespace {

// Reads the input front to back; past its end every read gives zeros.
class Reader {
public:
    Reader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    template <class T> T Raw() {
        T value{};
        uint8_t bytes[sizeof(T)] = {};
        for (uint8_t& b : bytes)
            b = Byte();
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }
    std::string Text() {
        const size_t n = Byte() % 24;
        std::string s;
        for (size_t i = 0; i < n; ++i)
            s += static_cast<char>(Byte());
        return s;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class Named : public vireo::VariantObject {
public:
    explicit Named(std::string text) : m_text(std::move(text)) {}
    std::string DefaultText() const override { return m_text; }

private:
    std::string m_text;
};

vireo::Variant Value(Reader& in) {
    using vireo::Variant;
    switch (in.Byte() % 9) {
    case 0:
        return Variant();
    case 1:
        return Variant(in.Text());
    case 2:
        return Variant::Long(in.Raw<int64_t>());
    case 3:
        return Variant::Integer(in.Raw<int16_t>());
    case 4:
        return Variant::Double(in.Raw<double>());
    case 5:
        return Variant::Boolean(in.Byte() & 1);
    case 6: {
        const std::string t = in.Text();
        return Variant::Bytes(std::vector<uint8_t>(t.begin(), t.end()));
    }
    case 7:
        return Variant::Object(vireo::RefPtr<vireo::VariantObject>(vireo::RefPtr<Named>::Make(in.Text())));
    default:
        return Variant::Record({{"sURL", Variant(in.Text())}, {"nPidl", Variant::Long(in.Raw<int32_t>())}});
    }
}

// Members that only read or convert: a fuzzer must not drive the control through files, dialogs or away
// from its form.
bool Harmless(const vireo::DispMember& m) {
    static const char* const kept[] = {
        "GetSelectedCount", "GetSelectedFileList", "ParentPidl",   "IsBusy",
        "SelFolder",        "ForeColor",           "BackColor",    "Style",
        "m_OpenOneClick",   "OpenOneClick",        "NavigateTV",   "NavigateWB",
        "SetSelectedFiles", "SwitchView",          "OpenArchiveEx"};
    for (const char* k : kept)
        if (std::strcmp(k, m.name) == 0) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vireo;
    host::Host& scene = fuzzscene::Scene();
    Reader in(data, size);
    std::vector<Variant> values;
    for (size_t n = in.Byte() % 4; n > 0; --n)
        values.push_back(Value(in));

    // The conversions on their own: each gives a value or a dispatch error.
    auto tryConvert = [](auto convert) {
        try {
            (void)convert();
        } catch (const DispatchError&) {}
    };
    for (const Variant& v : values) {
        tryConvert([&] { return ToLong(v); });
        tryConvert([&] { return ToLongPtr(v); });
        tryConvert([&] { return ToInteger(v); });
        tryConvert([&] { return ToDouble(v); });
        tryConvert([&] { return ToBoolean(v); });
        tryConvert([&] { return ToText(v); });
        (void)v.Text();
    }

    // Through the table, with any kind of call.
    const auto& table = DispatchTable();
    const DispMember& member = table[in.Byte() % table.size()];
    VireoBrowser* control = scene.Control();
    if (!control || !Harmless(member)) return 0;
    try {
        Invoke(*control, member.id, 1u << (in.Byte() % 4), values);
    } catch (const DispatchError&) {
    } catch (const RuntimeError&) {}
    return 0;
}
