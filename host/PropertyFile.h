// A property bag kept in a JSON file, as a form keeps a placed control's properties between sessions:
// numbers, texts and Booleans as themselves, a font as an object of its fields.
#pragma once
#include "platform/PropertyBag.h"
#include <filesystem>
#include <nlohmann/json.hpp>

namespace host {

class PropertyFile : public vireo::PropertyBag {
public:
    // An empty bag.
    PropertyFile() = default;
    // The bag stored in the file; throws std::runtime_error when it cannot be read or is not a JSON object.
    static PropertyFile Load(const std::filesystem::path& file);
    // Writes the bag; throws std::runtime_error when the file cannot be written.
    void Save(const std::filesystem::path& file) const;

    vireo::Variant ReadProperty(const std::string& name, const vireo::Variant& defaultValue) override;
    // A value equal to its default is left out, as a form's bag does.
    void WriteProperty(const std::string& name, const vireo::Variant& value,
                       const vireo::Variant& defaultValue) override;

    const nlohmann::json& Values() const { return m_values; }

private:
    nlohmann::json m_values = nlohmann::json::object();
};

} // namespace host
