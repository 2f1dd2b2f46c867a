// One key of the emulated registry. Subkeys are kept as NT keeps them, ordered by their names compared in
// upper case, so enumeration comes out in that order; values keep the order in which they were first set,
// which is the order RegEnumValue reports. Names compare without regard to case, letter by letter in the
// ANSI code page, and keep their case.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace emu {

struct RegValue {
    std::string name; // "" is the key's default value
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

class RegKey {
public:
    explicit RegKey(std::string name, std::string className = {})
        : m_name(std::move(name)), m_class(std::move(className)) {}
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    const std::string& Name() const { return m_name; }
    const std::string& ClassName() const { return m_class; }
    // Set once the key is deleted: handles still open on it answer ERROR_KEY_DELETED.
    bool Deleted() const { return m_deleted; }
    // The key holding this one; null for a hive and for a deleted key.
    RegKey* Parent() const { return m_parent; }

    std::shared_ptr<RegKey> Child(std::string_view name) const;
    // The subkey of this name, created when missing; second is true when it was created.
    std::pair<std::shared_ptr<RegKey>, bool> ChildOrNew(std::string_view name,
                                                        std::string_view className = {});
    // Removes a subkey that has no subkeys of its own and marks it deleted; false when there is none.
    bool RemoveChild(std::string_view name);
    size_t ChildCount() const { return m_children.size(); }
    // The subkey at an enumeration index, or null past the end. The ordered list is rebuilt only after
    // the subkeys change, so walking the indexes one by one takes linear time.
    const RegKey* ChildAt(size_t index) const;

    const std::vector<RegValue>& Values() const { return m_values; }
    const RegValue* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, uint32_t type, std::vector<uint8_t> data);
    bool DeleteValue(std::string_view name);

private:
    std::string m_name;
    std::string m_class;
    bool m_deleted = false;
    RegKey* m_parent = nullptr;
    std::map<std::string, std::shared_ptr<RegKey>, std::less<>> m_children; // by folded name
    mutable std::vector<const RegKey*> m_ordered;
    mutable bool m_orderedValid = false;
    std::vector<RegValue> m_values;
};

} // namespace emu
