#include "platform/emu/advapi32/RegKey.h"
#include "platform/emu/kernel32/CodePage.h"
#include <algorithm>

namespace emu {

std::shared_ptr<RegKey> RegKey::Child(std::string_view name) const {
    auto it = m_children.find(AnsiUpper(name));
    return it == m_children.end() ? nullptr : it->second;
}

std::pair<std::shared_ptr<RegKey>, bool> RegKey::ChildOrNew(std::string_view name,
                                                            std::string_view className) {
    auto [it, created] = m_children.try_emplace(AnsiUpper(name));
    if (created) {
        it->second = std::make_shared<RegKey>(std::string(name), std::string(className));
        it->second->m_parent = this;
        m_orderedValid = false;
    }
    return {it->second, created};
}

bool RegKey::RemoveChild(std::string_view name) {
    auto it = m_children.find(AnsiUpper(name));
    if (it == m_children.end() || !it->second->m_children.empty()) return false;
    it->second->m_deleted = true;
    it->second->m_parent = nullptr;
    m_children.erase(it);
    m_orderedValid = false;
    return true;
}

const RegKey* RegKey::ChildAt(size_t index) const {
    if (!m_orderedValid) {
        m_ordered.clear();
        m_ordered.reserve(m_children.size());
        for (const auto& [folded, child] : m_children)
            m_ordered.push_back(child.get());
        m_orderedValid = true;
    }
    return index < m_ordered.size() ? m_ordered[index] : nullptr;
}

const RegValue* RegKey::FindValue(std::string_view name) const {
    for (const RegValue& v : m_values)
        if (AnsiEqualNoCase(v.name, name)) return &v;
    return nullptr;
}

void RegKey::SetValue(std::string_view name, uint32_t type, std::vector<uint8_t> data) {
    for (RegValue& v : m_values)
        if (AnsiEqualNoCase(v.name, name)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    m_values.push_back(RegValue{std::string(name), type, std::move(data)});
}

bool RegKey::DeleteValue(std::string_view name) {
    auto it = std::find_if(m_values.begin(), m_values.end(),
                           [&](const RegValue& v) { return AnsiEqualNoCase(v.name, name); });
    if (it == m_values.end()) return false;
    m_values.erase(it);
    return true;
}

} // namespace emu
