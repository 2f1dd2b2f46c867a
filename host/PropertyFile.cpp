#include "host/PropertyFile.h"
#include "platform/StdFont.h"
#include <fstream>
#include <stdexcept>

namespace host {

namespace {

nlohmann::json FontToJson(const vireo::StdFont& f) {
    return {{"Name", f.Name},     {"Size", f.Size},           {"Bold", f.Bold},
            {"Italic", f.Italic}, {"Underline", f.Underline}, {"Strikethrough", f.Strikethrough},
            {"Weight", f.Weight}, {"Charset", f.Charset}};
}

// A font object from the keys it has; a key of the wrong type is a type mismatch.
vireo::Variant FontFromJson(const nlohmann::json& j) {
    auto font = vireo::RefPtr<vireo::StdFont>::Make();
    try {
        font->Name = j.value("Name", font->Name);
        font->Size = j.value("Size", font->Size);
        font->Bold = j.value("Bold", font->Bold);
        font->Italic = j.value("Italic", font->Italic);
        font->Underline = j.value("Underline", font->Underline);
        font->Strikethrough = j.value("Strikethrough", font->Strikethrough);
        font->Weight = j.value("Weight", font->Weight);
        font->Charset = j.value("Charset", font->Charset);
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(std::string("a font field of the wrong type: ") + e.what());
    }
    return vireo::Variant::Object(font);
}

nlohmann::json ToJson(const vireo::Variant& v) {
    switch (v.Type()) {
    case vireo::VarType::String:
        return v.Str();
    case vireo::VarType::Long:
        return v.LongValue();
    case vireo::VarType::Integer:
        return v.IntegerValue();
    case vireo::VarType::Double:
        return v.DoubleValue();
    case vireo::VarType::Boolean:
        return v.BooleanValue();
    case vireo::VarType::Object:
        if (auto* font = dynamic_cast<const vireo::StdFont*>(v.ObjectValue().get())) return FontToJson(*font);
        return v.Text();
    default:
        return nullptr;
    }
}

// Two values the bag stores alike: fonts with the same fields are the same font.
bool Alike(const vireo::Variant& a, const vireo::Variant& b) {
    if (a.Type() == vireo::VarType::Object && b.Type() == vireo::VarType::Object) {
        auto* fa = dynamic_cast<const vireo::StdFont*>(a.ObjectValue().get());
        auto* fb = dynamic_cast<const vireo::StdFont*>(b.ObjectValue().get());
        if (fa && fb) return FontToJson(*fa) == FontToJson(*fb);
    }
    return a == b;
}

vireo::Variant FromJson(const nlohmann::json& j) {
    if (j.is_string()) return vireo::Variant(j.get<std::string>());
    if (j.is_boolean()) return vireo::Variant::Boolean(j.get<bool>());
    if (j.is_number_integer()) return vireo::Variant::Long(j.get<int64_t>());
    if (j.is_number()) return vireo::Variant::Double(j.get<double>());
    if (j.is_object()) return FontFromJson(j);
    return {}; // null and arrays: Empty
}

} // namespace

PropertyFile PropertyFile::Load(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    PropertyFile bag;
    try {
        in >> bag.m_values;
    } catch (const nlohmann::json::exception&) {
        throw std::runtime_error(file.string() + " is not a JSON property file");
    }
    if (!bag.m_values.is_object()) throw std::runtime_error(file.string() + " is not a JSON object");
    return bag;
}

void PropertyFile::Save(const std::filesystem::path& file) const {
    std::ofstream out(file);
    out << m_values.dump(2) << '\n';
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

vireo::Variant PropertyFile::ReadProperty(const std::string& name, const vireo::Variant& defaultValue) {
    auto it = m_values.find(name);
    return it == m_values.end() ? defaultValue : FromJson(*it);
}

void PropertyFile::WriteProperty(const std::string& name, const vireo::Variant& value,
                                 const vireo::Variant& defaultValue) {
    if (Alike(value, defaultValue))
        m_values.erase(name);
    else
        m_values[name] = ToJson(value);
}

} // namespace host
