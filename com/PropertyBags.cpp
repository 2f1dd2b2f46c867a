#include "com/PropertyBags.h"
#include "com/Owners.h"
#include "com/VariantConv.h"
#include "platform/RuntimeError.h"
#include <cstring>

namespace vireo::com {

Variant ContainerPropertyBag::ReadProperty(const std::string& name, const Variant& defaultValue) {
    Bstr key = Wide(name);
    VariantOwner value;
    // VT_EMPTY asks the bag for the type it stored. A missing key fails (E_INVALIDARG in Windows' bags).
    if (FAILED(m_bag->Read(key.get(), value.get(), m_log)) || V_VT(value.get()) == VT_EMPTY)
        return defaultValue;
    return FromVariant(*value.get());
}

void ContainerPropertyBag::WriteProperty(const std::string& name, const Variant& value,
                                         const Variant& defaultValue) {
    (void)defaultValue; // every value is written, so a bag always holds all four keys
    Bstr key = Wide(name);
    VariantOwner v;
    HRESULT hr = ToVariant(value, v.get());
    if (SUCCEEDED(hr)) hr = m_bag->Write(key.get(), v.get());
    if (FAILED(hr))
        throw RuntimeError(static_cast<int32_t>(hr), "VireoBR", "The property bag did not take " + name);
}

Variant StreamPropertyBag::ReadProperty(const std::string& name, const Variant& defaultValue) {
    auto it = m_values.find(name);
    return it == m_values.end() ? defaultValue : it->second;
}

void StreamPropertyBag::WriteProperty(const std::string& name, const Variant& value, const Variant&) {
    m_values[name] = value;
}

namespace {

constexpr uint32_t kFormat = 0x56425201; // "VBR" and version 1
enum Tag : uint8_t { TagString = 1, TagLong = 2, TagFont = 3 };

void PutBytes(std::string& out, const void* data, size_t n) {
    out.append(static_cast<const char*>(data), n);
}
template <class T> void Put(std::string& out, T value) {
    PutBytes(out, &value, sizeof value);
}
void PutText(std::string& out, const std::string& s) {
    Put(out, static_cast<uint32_t>(s.size()));
    out += s;
}

std::string Encode(const std::map<std::string, Variant>& values) {
    std::string out;
    Put(out, kFormat);
    Put(out, static_cast<uint32_t>(values.size()));
    for (const auto& [name, value] : values) {
        PutText(out, name);
        if (value.Type() == VarType::Object && dynamic_cast<StdFont*>(value.ObjectValue().get())) {
            const auto& f = static_cast<const StdFont&>(*value.ObjectValue());
            Put(out, TagFont);
            PutText(out, f.Name);
            Put(out, f.Size);
            Put(out, static_cast<uint8_t>(f.Bold | f.Italic << 1 | f.Underline << 2 | f.Strikethrough << 3));
            Put(out, f.Weight);
            Put(out, f.Charset);
        } else if (value.Type() == VarType::String) {
            Put(out, TagString);
            PutText(out, value.Str());
        } else {
            Put(out, TagLong);
            Put(out, static_cast<int32_t>(ToLong(value)));
        }
    }
    return out;
}

class Reader {
public:
    explicit Reader(IStream* s) : m_s(s) {}
    bool Bytes(void* data, ULONG n) {
        ULONG got = 0;
        return SUCCEEDED(m_s->Read(data, n, &got)) && got == n;
    }
    template <class T> bool Get(T& value) { return Bytes(&value, sizeof value); }
    bool Text(std::string& s) {
        uint32_t n = 0;
        if (!Get(n) || n > (1u << 20)) return false;
        s.assign(n, '\0');
        return n == 0 || Bytes(s.data(), n);
    }

private:
    IStream* m_s;
};

} // namespace

HRESULT StreamPropertyBag::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    Reader r(stream);
    uint32_t format = 0, count = 0;
    if (!r.Get(format) || format != kFormat || !r.Get(count)) return E_FAIL;
    std::map<std::string, Variant> values;
    for (uint32_t i = 0; i < count; ++i) {
        std::string name;
        uint8_t tag = 0;
        if (!r.Text(name) || !r.Get(tag)) return E_FAIL;
        if (tag == TagString) {
            std::string s;
            if (!r.Text(s)) return E_FAIL;
            values[name] = Variant(s);
        } else if (tag == TagLong) {
            int32_t n = 0;
            if (!r.Get(n)) return E_FAIL;
            values[name] = Variant::Long(n);
        } else if (tag == TagFont) {
            auto f = RefPtr<StdFont>::Make();
            uint8_t flags = 0;
            if (!r.Text(f->Name) || !r.Get(f->Size) || !r.Get(flags) || !r.Get(f->Weight) ||
                !r.Get(f->Charset))
                return E_FAIL;
            f->Bold = flags & 1;
            f->Italic = flags & 2;
            f->Underline = flags & 4;
            f->Strikethrough = flags & 8;
            values[name] = Variant::Object(f);
        } else {
            return E_FAIL;
        }
    }
    m_values = std::move(values);
    return S_OK;
}

HRESULT StreamPropertyBag::Save(IStream* stream) const {
    if (!stream) return E_POINTER;
    const std::string bytes = Encode(m_values);
    ULONG written = 0;
    HRESULT hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    return FAILED(hr) ? hr : written == bytes.size() ? S_OK : STG_E_MEDIUMFULL;
}

ULONG StreamPropertyBag::Size() const {
    return static_cast<ULONG>(Encode(m_values).size());
}

} // namespace vireo::com
