// cRegistry: reads and writes one registry value at a time, creates, deletes and lists keys, and registers
// a program as the handler of a file extension. The value's address is kept in four properties (root key,
// key path, value name, value type); the value itself is the property Value. Failing registry calls raise
// RuntimeError with the source "VireoBR.cRegistry"; the enumerations and reading Value never raise.
#pragma once
#include "platform/Variant.h"
#include <cstdint>
#include <string>
#include <vector>

namespace vireo {

class cRegistry {
public:
    // The predefined root key as its 32-bit value, for example HKEY_CLASSES_ROOT as 0x80000000.
    int32_t ClassKey() const { return m_eClassKey; }
    void ClassKey(int32_t eKey) { m_eClassKey = eKey; }
    // The key's path below the root.
    const std::string& SectionKey() const { return m_sSectionKey; }
    void SectionKey(std::string sSectionKey) { m_sSectionKey = std::move(sSectionKey); }
    // The value's name; empty for the key's default value.
    const std::string& ValueKey() const { return m_sValueKey; }
    void ValueKey(std::string sValueKey) { m_sValueKey = std::move(sValueKey); }
    // REG_SZ 1, REG_EXPAND_SZ 2, REG_BINARY 3, REG_DWORD 4, REG_DWORD_BIG_ENDIAN 5, REG_MULTI_SZ 7.
    int32_t ValueType() const { return m_eValueType; }
    void ValueType(int32_t eValueType) { m_eValueType = eValueType; }
    // What Value answers when the value cannot be read.
    const Variant& Default() const { return m_vDefault; }
    void Default(Variant vDefault) { m_vDefault = std::move(vDefault); }

    bool KeyExists() const;
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    // Reads the value (setting ValueType to the type found): text for REG_SZ and REG_MULTI_SZ (inner NULs
    // kept), expanded text for REG_EXPAND_SZ, a Long for the two DWORD types, bytes for any other type.
    Variant Value();
    // Writes the value as ValueType says: text (stored as REG_EXPAND_SZ when it names a variable between
    // two percent signs) for 1 and 2, a byte array for 3, an Integer or Long as a REG_DWORD for 4 and 5.
    void Value(const Variant& vValue);

    // The names of the key's values, and of its subkeys, in the registry's order.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount) const;
    bool EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount) const;

    // Registers a program for an extension under HKEY_CLASSES_ROOT: the extension names the class, the class
    // gets its description, the open command and, as asked, print, install and new commands and an icon.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText = "", bool bSupportPrint = false,
                              const std::string& sPrintMenuText = "", bool bSupportNew = false,
                              const std::string& sNewMenuText = "", bool bSupportInstall = false,
                              const std::string& sInstallMenuText = "", int32_t lDefaultIconIndex = -1);
    // More verbs for a class already registered: the items come in triples of verb, menu text and command.
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<Variant>& vItems);

private:
    void WriteDefault(const std::string& sSection, const std::string& sText);

    int32_t m_eClassKey = 0;
    std::string m_sSectionKey;
    std::string m_sValueKey;
    int32_t m_eValueType = 0;
    Variant m_vDefault;
    Variant m_vValue; // the last value written successfully
};

} // namespace vireo
