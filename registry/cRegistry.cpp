#include "registry/cRegistry.h"
#include "platform/Owners.h"
#include "platform/RuntimeError.h"
#include "platform/win32.h"
#include <algorithm>

namespace vireo {

namespace {

const char* const kSource = "VireoBR.cRegistry";
constexpr int32_t kErrRegistry = 26001;
constexpr int32_t kObjectError = int32_t(0x80040000u);
constexpr int32_t kErrSetValue = kObjectError + 27049;
constexpr int32_t kErrParamList = kObjectError + 27052;
constexpr int32_t kErrNoClass = kObjectError + 27053;
constexpr LONG kWrongKind = ERROR_INVALID_DATA; // a value the type cannot hold counts as error 13
constexpr REGSAM kAllKeyRights = 0x3F;          // query, set, create, enumerate, notify, link

// The predefined key a 32-bit number stands for: the number sign-extended to a handle, as Windows does.
HKEY RootKey(int32_t eKey) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(eKey));
}

int32_t ClassesRoot() {
    return static_cast<int32_t>(reinterpret_cast<LONG_PTR>(HKEY_CLASSES_ROOT));
}

// REG_EXPAND_SZ is chosen for text holding a "%" and another "%" at least two characters after it, so
// "%TEMP%" counts and "100%%" does not.
bool NamesVariable(const std::string& s) {
    size_t first = s.find('%');
    return first != std::string::npos && s.find('%', first + 2) != std::string::npos;
}

// The value's text: size - 1 characters of the data, which drops the terminating NUL of the stored text.
std::string ReadText(HKEY key, const char* name, DWORD size) {
    if (size == 0) return {};
    std::string buffer(size, '\0');
    DWORD cb = size;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &cb);
    buffer.resize(size - 1);
    return buffer;
}

std::string Expand(const std::string& text) {
    char probe[1] = "";
    DWORD n = ExpandEnvironmentStringsA(text.c_str(), probe, 0);
    if (n == 0) return {};
    std::string buffer(n, '\0');
    ExpandEnvironmentStringsA(text.c_str(), buffer.data(), n);
    buffer.resize(n - 1);
    return buffer;
}

uint32_t ReadDword(HKEY key, const char* name) {
    BYTE b[4] = {};
    DWORD cb = sizeof b;
    RegQueryValueExA(key, name, nullptr, nullptr, b, &cb);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

// "'<key as decimal>',Section: '<section>", the address that the error descriptions quote.
std::string Address(int32_t eKey, const std::string& sSection) {
    std::string s(1, '\'');
    s += std::to_string(eKey);
    s += "',Section: '";
    s += sSection;
    return s;
}

std::string Quoted(std::string path) {
    size_t first = path.find_first_not_of(' ');
    path = first == std::string::npos ? std::string()
                                      : path.substr(first, path.find_last_not_of(' ') - first + 1);
    if (path.empty() || path.front() != '"') path.insert(path.begin(), '"');
    if (path.back() != '"') path.push_back('"');
    return path;
}

} // namespace

bool cRegistry::KeyExists() const {
    UniqueRegKey key;
    return RegOpenKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) ==
           ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
    UniqueRegKey key;
    char noClass[1] = "";
    DWORD disposition = 0;
    if (RegCreateKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, noClass, 0, kAllKeyRights, nullptr,
                        key.put(), &disposition) != ERROR_SUCCESS)
        throw RuntimeError(kErrRegistry, kSource, "Failed to create registry Key: '" + m_sSectionKey);
    return true;
}

bool cRegistry::DeleteKey() {
    if (RegDeleteKeyA(RootKey(m_eClassKey), m_sSectionKey.c_str()) != ERROR_SUCCESS)
        throw RuntimeError(kErrRegistry, kSource,
                           "Failed to delete registry Key: " + Address(m_eClassKey, m_sSectionKey));
    return true;
}

bool cRegistry::DeleteValue() {
    UniqueRegKey key;
    const std::string address = Address(m_eClassKey, m_sSectionKey);
    if (RegOpenKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, kAllKeyRights, key.put()) !=
        ERROR_SUCCESS)
        throw RuntimeError(kErrRegistry, kSource, "Failed to open key " + address + "' for delete access");
    if (RegDeleteValueA(key.get(), m_sValueKey.c_str()) != ERROR_SUCCESS)
        throw RuntimeError(kErrRegistry, kSource,
                           "Failed to delete registry Key: " + address + "',Key: '" + m_sValueKey);
    return true;
}

Variant cRegistry::Value() {
    UniqueRegKey key;
    if (RegOpenKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return m_vDefault;
    // A query with no room learns the type and size.
    const char* name = m_sValueKey.c_str();
    DWORD type = 0, size = 0;
    BYTE probe = 0;
    LONG rc = RegQueryValueExA(key.get(), name, nullptr, &type, &probe, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return m_vDefault;
    m_eValueType = int32_t(type);
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        return Variant(ReadText(key.get(), name, size));
    case REG_EXPAND_SZ:
        return Variant(Expand(ReadText(key.get(), name, size)));
    case REG_DWORD:
        return Variant::Long(int32_t(ReadDword(key.get(), name)));
    case REG_DWORD_BIG_ENDIAN: {
        uint32_t n = ReadDword(key.get(), name);
        return Variant::Long(int32_t(n >> 24 | (n >> 8 & 0xFF00) | (n << 8 & 0xFF0000) | n << 24));
    }
    default: {
        std::vector<uint8_t> bytes(size);
        DWORD cb = size;
        if (size) RegQueryValueExA(key.get(), name, nullptr, nullptr, bytes.data(), &cb);
        return Variant::Bytes(std::move(bytes));
    }
    }
}

void cRegistry::Value(const Variant& vValue) {
    std::string failure = "Failed to set registry value Key: '" + std::to_string(m_eClassKey) +
                          "',Section: '" + m_sSectionKey + "',Key: '" + m_sValueKey + "' to value: '" +
                          vValue.Text() + "'";
    UniqueRegKey key;
    char noClass[1] = "";
    DWORD disposition = 0;
    if (RegCreateKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, noClass, 0, kAllKeyRights, nullptr,
                        key.put(), &disposition) != ERROR_SUCCESS)
        throw RuntimeError(kErrRegistry, kSource, failure);
    const char* name = m_sValueKey.c_str();
    LONG rc = kWrongKind;
    switch (m_eValueType) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::string text = vValue.Text();
        rc = RegSetValueExA(key.get(), name, 0, NamesVariable(text) ? REG_EXPAND_SZ : REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
        break;
    }
    case REG_BINARY:
        if (vValue.Type() == VarType::Bytes) {
            const std::vector<uint8_t>& bytes = vValue.BytesValue();
            rc = RegSetValueExA(key.get(), name, 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
        }
        break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        if (vValue.Type() == VarType::Integer || vValue.Type() == VarType::Long) {
            uint32_t n = vValue.Type() == VarType::Integer ? uint32_t(int32_t(vValue.IntegerValue()))
                                                           : uint32_t(vValue.LongValue());
            const BYTE bytes[4] = {BYTE(n), BYTE(n >> 8), BYTE(n >> 16), BYTE(n >> 24)};
            rc = RegSetValueExA(key.get(), name, 0, REG_DWORD, bytes, sizeof bytes);
        }
        break;
    default:
        break;
    }
    if (rc != ERROR_SUCCESS) throw RuntimeError(kErrSetValue, kSource, failure);
    m_vValue = vValue;
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, int32_t& iKeyCount) const {
    sKeyNames.clear();
    iKeyCount = 0;
    UniqueRegKey key;
    if (RegOpenKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return true;
    DWORD longest = 0;
    RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                     nullptr, nullptr, nullptr);
    std::string buffer(std::max<DWORD>(longest + 1, 1), '\0');
    for (DWORD index = 0;; ++index) {
        DWORD cch = DWORD(buffer.size());
        if (RegEnumValueA(key.get(), index, buffer.data(), &cch, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        sKeyNames.push_back(buffer.substr(0, cch));
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, int32_t& iSectCount) const {
    sSect.clear();
    iSectCount = 0;
    UniqueRegKey key;
    if (RegOpenKeyExA(RootKey(m_eClassKey), m_sSectionKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.put()) !=
        ERROR_SUCCESS)
        return true;
    char name[255];
    for (DWORD index = 0; RegEnumKeyA(key.get(), index, name, sizeof name) == ERROR_SUCCESS; ++index) {
        sSect.emplace_back(name, std::find(name, name + sizeof name, '\0'));
        ++iSectCount;
    }
    return true;
}

void cRegistry::WriteDefault(const std::string& sSection, const std::string& sText) {
    m_sSectionKey = sSection;
    Value(Variant(sText));
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText, int32_t lDefaultIconIndex) {
    const std::string path = Quoted(sExePath);
    const std::string shell = sClassName + "\\shell\\";
    m_eClassKey = ClassesRoot();
    m_eValueType = REG_SZ;
    m_sValueKey.clear();
    WriteDefault("." + sAssociation, sClassName);
    WriteDefault(sClassName, sClassDescription);
    WriteDefault(shell + "open", sOpenMenuText.empty() ? "&Open" : sOpenMenuText);
    WriteDefault(shell + "open\\command", path + " \"%1\"");
    if (bSupportPrint) {
        WriteDefault(shell + "print", sPrintMenuText.empty() ? "&Print" : sPrintMenuText);
        WriteDefault(shell + "print\\command", path + " /p \"%1\"");
    }
    if (bSupportInstall) {
        WriteDefault(shell + "add", sInstallMenuText.empty() ? "&Install " + sAssociation : sInstallMenuText);
        WriteDefault(shell + "add\\command", path + " /a \"%1\"");
    }
    if (bSupportNew) {
        WriteDefault(shell + "new", sNewMenuText.empty() ? "&New" : sNewMenuText);
        WriteDefault(shell + "new\\command", path + " /n \"%1\"");
    }
    if (lDefaultIconIndex > -1)
        WriteDefault(sClassName + "\\DefaultIcon", path + "," + std::to_string(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                const std::vector<Variant>& vItems) {
    if (vItems.size() % 3)
        throw RuntimeError(kErrParamList, kSource,
                           "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                           "Name/Text/Command");
    m_eClassKey = ClassesRoot();
    m_sSectionKey = sClassName;
    if (!KeyExists())
        throw RuntimeError(kErrNoClass, kSource,
                           "Error - attempt to create additional associations before class defined.");
    m_eValueType = REG_SZ;
    m_sValueKey.clear();
    for (size_t i = 0; i < vItems.size(); i += 3) {
        std::string verb = sClassName + "\\shell\\" + vItems[i].Text();
        WriteDefault(verb, vItems[i + 1].Text());
        WriteDefault(verb + "\\command", vItems[i + 2].Text());
    }
}

} // namespace vireo
