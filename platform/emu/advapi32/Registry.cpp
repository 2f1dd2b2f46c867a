#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/kernel32/CodePage.h"
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace emu {

namespace {

struct Hive {
    const char* longName;
    const char* shortName;
    HKEY key;
};

const Hive kHives[] = {
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", "HKU", HKEY_USERS},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
};

// Longest name of one key, in characters.
constexpr size_t kMaxKeyName = 255;

// The parts of a subkey path. Windows refuses a path that starts with a backslash (ERROR_BAD_PATHNAME) and
// passes over a trailing one and doubled ones.
LSTATUS SplitSubKey(std::string_view path, std::vector<std::string_view>& parts) {
    parts.clear();
    if (!path.empty() && path.front() == '\\') return ERROR_BAD_PATHNAME;
    while (!path.empty()) {
        size_t cut = path.find('\\');
        std::string_view part = path.substr(0, cut);
        if (!part.empty()) parts.push_back(part);
        if (cut == std::string_view::npos) break;
        path.remove_prefix(cut + 1);
    }
    return ERROR_SUCCESS;
}

// What a requested access grants: generic rights mapped onto the key rights, MAXIMUM_ALLOWED as all of them
// (the emulated registry lets everyone do everything), the WOW64 view flags dropped.
REGSAM GrantedAccess(REGSAM access) {
    REGSAM granted = access & (KEY_ALL_ACCESS | SYNCHRONIZE);
    if (access & GENERIC_READ) granted |= KEY_READ;
    if (access & GENERIC_WRITE) granted |= KEY_WRITE;
    if (access & GENERIC_EXECUTE) granted |= KEY_EXECUTE;
    if (access & (GENERIC_ALL | MAXIMUM_ALLOWED)) granted |= KEY_ALL_ACCESS;
    return granted;
}

} // namespace

Registry::Registry(Desktop&) : m_nextHandle(0x40000) {
    for (const Hive& h : kHives)
        m_roots.emplace_back(h.key, std::make_shared<RegKey>(h.longName));
    Load(SeedText());
}

Registry::~Registry() = default;

std::shared_ptr<RegKey> Registry::Root(HKEY key) const {
    for (const auto& [hkey, root] : m_roots)
        if (hkey == key) return root;
    return nullptr;
}

std::shared_ptr<RegKey> Registry::AtPath(std::string_view path, bool create) const {
    size_t cut = path.find('\\');
    std::string_view hive = path.substr(0, cut);
    std::shared_ptr<RegKey> key;
    for (const Hive& h : kHives)
        if (AnsiEqualNoCase(hive, h.longName) || AnsiEqualNoCase(hive, h.shortName)) key = Root(h.key);
    if (!key) throw std::invalid_argument("registry path without a known hive: " + std::string(path));
    std::vector<std::string_view> parts;
    if (cut != std::string_view::npos) SplitSubKey(path.substr(cut + 1), parts);
    for (std::string_view part : parts) {
        key = create ? key->ChildOrNew(part).first : key->Child(part);
        if (!key) return nullptr;
    }
    return key;
}

void Registry::CreateKey(std::string_view path) {
    AtPath(path, true);
}

bool Registry::KeyExists(std::string_view path) const {
    return AtPath(path, false) != nullptr;
}

void Registry::SetValue(std::string_view path, std::string_view name, DWORD type, std::vector<uint8_t> data) {
    AtPath(path, true)->SetValue(name, type, std::move(data));
}

void Registry::SetString(std::string_view path, std::string_view name, std::string_view text, DWORD type) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    SetValue(path, name, type, std::move(data));
}

void Registry::SetDword(std::string_view path, std::string_view name, DWORD value) {
    SetValue(path, name, REG_DWORD,
             {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

std::optional<RegValue> Registry::GetValue(std::string_view path, std::string_view name) const {
    std::shared_ptr<RegKey> key = AtPath(path, false);
    const RegValue* value = key ? key->FindValue(name) : nullptr;
    if (!value) return std::nullopt;
    return *value;
}

std::optional<std::string> Registry::GetString(std::string_view path, std::string_view name) const {
    std::optional<RegValue> value = GetValue(path, name);
    if (!value) return std::nullopt;
    std::string text(value->data.begin(), value->data.end());
    return text.substr(0, text.find('\0'));
}

std::vector<std::string> Registry::Subkeys(std::string_view path) const {
    std::vector<std::string> names;
    if (std::shared_ptr<RegKey> key = AtPath(path, false))
        for (size_t i = 0; const RegKey* child = key->ChildAt(i); ++i)
            names.push_back(child->Name());
    return names;
}

void Registry::LoadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::invalid_argument("cannot read registry file " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    Load(text.str());
}

void Registry::RegisterFileType(std::string_view extension, std::string_view className,
                                std::string_view typeName, std::string_view openCommand) {
    std::string ext(extension);
    if (ext.empty() || ext.front() != '.') ext.insert(ext.begin(), '.');
    std::string cls = "HKCR\\" + std::string(className);
    SetString("HKCR\\" + ext, "", className);
    SetString(cls, "", typeName);
    SetString(cls + "\\shell\\open\\command", "", openCommand);
}

HKEY Registry::NewHandle(std::shared_ptr<RegKey> key, REGSAM access) {
    ULONG_PTR value = m_nextHandle;
    m_nextHandle += 4; // kernel handles are multiples of four; a closed one is never handed out again
    m_handles.emplace(value, Handle{std::move(key), GrantedAccess(access)});
    return reinterpret_cast<HKEY>(value);
}

LSTATUS Registry::Lookup(HKEY key, std::shared_ptr<RegKey>& out, REGSAM& granted) const {
    if (std::shared_ptr<RegKey> root = Root(key)) {
        out = std::move(root);
        granted = KEY_ALL_ACCESS;
        return ERROR_SUCCESS;
    }
    auto it = m_handles.find(reinterpret_cast<ULONG_PTR>(key));
    if (it == m_handles.end()) return ERROR_INVALID_HANDLE;
    out = it->second.key;
    granted = it->second.granted;
    return out->Deleted() ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

LSTATUS Registry::Use(HKEY key, REGSAM needed, RegKey*& out) const {
    std::shared_ptr<RegKey> found;
    REGSAM granted = 0;
    if (LSTATUS rc = Lookup(key, found, granted)) return rc;
    if ((granted & needed) != needed) return ERROR_ACCESS_DENIED;
    out = found.get();
    return ERROR_SUCCESS;
}

LSTATUS Registry::OpenKey(HKEY parent, std::string_view subKey, REGSAM access, HKEY* result) {
    std::shared_ptr<RegKey> key;
    REGSAM granted = 0;
    if (LSTATUS rc = Lookup(parent, key, granted)) return rc;
    std::vector<std::string_view> parts;
    if (LSTATUS rc = SplitSubKey(subKey, parts)) return rc;
    for (std::string_view part : parts)
        if (!(key = key->Child(part))) return ERROR_FILE_NOT_FOUND;
    *result = NewHandle(std::move(key), access);
    return ERROR_SUCCESS;
}

LSTATUS Registry::CreateKey(HKEY parent, std::string_view subKey, std::string_view className, REGSAM access,
                            HKEY* result, DWORD* disposition) {
    std::shared_ptr<RegKey> key;
    REGSAM granted = 0;
    if (LSTATUS rc = Lookup(parent, key, granted)) return rc;
    std::vector<std::string_view> parts;
    if (LSTATUS rc = SplitSubKey(subKey, parts)) return rc;
    for (std::string_view part : parts)
        if (part.size() > kMaxKeyName) return ERROR_INVALID_PARAMETER;
    bool created = false;
    for (size_t i = 0; i < parts.size(); ++i) {
        auto next = key->ChildOrNew(parts[i], i + 1 == parts.size() ? className : std::string_view{});
        key = std::move(next.first);
        created = next.second;
    }
    *result = NewHandle(std::move(key), access);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LSTATUS Registry::CloseKey(HKEY key) {
    if (Root(key)) return ERROR_SUCCESS; // closing a predefined key does nothing
    return m_handles.erase(reinterpret_cast<ULONG_PTR>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS Registry::DeleteKey(HKEY parent, std::string_view subKey) {
    std::shared_ptr<RegKey> key;
    REGSAM granted = 0;
    if (LSTATUS rc = Lookup(parent, key, granted)) return rc;
    std::vector<std::string_view> parts;
    if (LSTATUS rc = SplitSubKey(subKey, parts)) return rc;
    // An empty path names the handle's own key, which the handle must have been opened with DELETE for;
    // the hives themselves cannot be deleted.
    std::shared_ptr<RegKey> target = key;
    if (parts.empty() && (Root(parent) || !(granted & DELETE))) return ERROR_ACCESS_DENIED;
    for (std::string_view part : parts)
        if (!(target = target->Child(part))) return ERROR_FILE_NOT_FOUND;
    // NT deletes only a key without subkeys: NtDeleteKey answers STATUS_CANNOT_DELETE, which the registry
    // functions report as ERROR_ACCESS_DENIED. (Windows 95 and 98 deleted the whole tree.)
    if (target->ChildCount()) return ERROR_ACCESS_DENIED;
    target->Parent()->RemoveChild(target->Name());
    return ERROR_SUCCESS;
}

} // namespace emu
