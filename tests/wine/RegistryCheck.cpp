// The registry class against Wine's advapi32, under HKEY_CURRENT_USER\Software\VireoBR-check (removed at
// the end): values of every type written and read back, what the registry really stored, enumeration,
// deletion, missing keys and values, wrong kinds, and a file association under HKEY_CLASSES_ROOT.
#include "platform/RuntimeError.h"
#include "registry/cRegistry.h"
#include "tests/wine/Checker.h"
#include <functional>
#include <set>
#include <vector>

namespace winecheck {

namespace {

using vireo::cRegistry;
using vireo::Variant;
using vireo::VarType;

const std::string kBase = "Software\\VireoBR-check";
const int32_t kCurrentUser = static_cast<int32_t>(reinterpret_cast<LONG_PTR>(HKEY_CURRENT_USER));
const std::string kUserText = std::to_string(kCurrentUser);

std::string Describe(const Variant& v) {
    switch (v.Type()) {
    case VarType::Empty:
        return "<empty>";
    case VarType::Bytes: {
        std::string s = "bytes";
        for (uint8_t b : v.BytesValue()) {
            s += ' ';
            s += std::to_string(b);
        }
        return s;
    }
    case VarType::Long:
        return "Long " + std::to_string(v.LongValue());
    default: {
        std::string s = v.Text();
        for (char& c : s)
            if (c == '\0') c = '|';
        return "\"" + s + "\"";
    }
    }
}

// Deletes a key with everything below it.
void DeleteTree(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    std::vector<std::string> children;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        children.push_back(name);
    RegCloseKey(key);
    for (const auto& child : children)
        DeleteTree(root, path + "\\" + child);
    RegDeleteKeyA(root, path.c_str());
}

// What the registry holds for a value: its type and bytes; type 0 and nothing when it is not there.
std::pair<DWORD, std::string> Raw(HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {0, ""};
    char data[256];
    DWORD type = 0, size = sizeof data;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return {0, ""};
    return {type, std::string(data, size)};
}

void SetRaw(const std::string& path, const std::string& name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

// The error a call raises: its number and description; number 0 when it raises none.
std::pair<int32_t, std::string> Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const vireo::RuntimeError& e) {
        return {e.Number(), e.Source() + ": " + e.Description()};
    }
    return {0, ""};
}

cRegistry At(const std::string& section, const std::string& value = "", int32_t type = 0) {
    cRegistry r;
    r.ClassKey(kCurrentUser);
    r.SectionKey(section);
    r.ValueKey(value);
    r.ValueType(type);
    return r;
}

void CheckValues() {
    SetEnvironmentVariableA("VIREO_CHECK", "C:\\v");
    const std::string section = kBase + "\\values";
    const struct {
        std::string name;
        int32_t type;
        Variant value;
        DWORD storedType;
        std::string storedBytes;
        Variant read;
    } cases[] = {
        {"text", REG_SZ, Variant("hello"), REG_SZ, std::string("hello\0", 6), Variant("hello")},
        {"", REG_SZ, Variant("default"), REG_SZ, std::string("default\0", 8), Variant("default")},
        {"empty", REG_SZ, Variant(""), REG_SZ, std::string(1, '\0'), Variant("")},
        {"expand", REG_SZ, Variant("%VIREO_CHECK%\\x"), REG_EXPAND_SZ, std::string("%VIREO_CHECK%\\x\0", 16),
         Variant("C:\\v\\x")},
        {"unknown variable", REG_SZ, Variant("%NO_SUCH_VAR%"), REG_EXPAND_SZ,
         std::string("%NO_SUCH_VAR%\0", 14), Variant("%NO_SUCH_VAR%")},
        {"one percent", REG_EXPAND_SZ, Variant("100% sure"), REG_SZ, std::string("100% sure\0", 10),
         Variant("100% sure")},
        {"adjacent percents", REG_EXPAND_SZ, Variant("100%%"), REG_SZ, std::string("100%%\0", 6),
         Variant("100%%")},
        {"number as text", REG_SZ, Variant::Long(42), REG_SZ, std::string("42\0", 3), Variant("42")},
        {"bytes", REG_BINARY, Variant::Bytes({1, 2, 3}), REG_BINARY, "\x01\x02\x03",
         Variant::Bytes({1, 2, 3})},
        {"no bytes", REG_BINARY, Variant::Bytes({}), REG_BINARY, "", Variant::Bytes({})},
        {"dword", REG_DWORD, Variant::Long(-2), REG_DWORD, "\xFE\xFF\xFF\xFF", Variant::Long(-2)},
        {"integer", REG_DWORD_BIG_ENDIAN, Variant::Integer(7), REG_DWORD, std::string("\x07\0\0\0", 4),
         Variant::Long(7)},
    };
    for (const auto& t : cases) {
        cRegistry w = At(section, t.name, t.type);
        auto error = Raised([&] { w.Value(t.value); });
        auto stored = Raw(HKEY_CURRENT_USER, section, t.name);
        Check("registry: write " + Describe(t.value) + " as type " + std::to_string(t.type),
              error.first == 0 && stored.first == t.storedType && stored.second == t.storedBytes,
              error.second + " stored type " + std::to_string(static_cast<unsigned long>(stored.first)) +
                  ", " + Describe(Variant::Bytes({stored.second.begin(), stored.second.end()})));
        cRegistry r = At(section, t.name);
        Variant got = r.Value();
        Check("registry: read back \"" + t.name + "\"",
              got == t.read && r.ValueType() == static_cast<int32_t>(t.storedType),
              Describe(got) + ", type " + std::to_string(r.ValueType()));
    }

    // Values of types the class reads but does not write, stored directly.
    const struct {
        std::string name;
        DWORD type;
        std::string data;
        Variant read;
    } stored[] = {
        {"multi", REG_MULTI_SZ, std::string("a\0bc\0\0", 6), Variant(std::string("a\0bc\0", 5))},
        {"big endian", REG_DWORD_BIG_ENDIAN, "\x01\x02\x03\x04", Variant::Long(0x01020304)},
        {"qword", 11, std::string("\x01\0\0\0\0\0\0\x80", 8), Variant::Bytes({1, 0, 0, 0, 0, 0, 0, 0x80})},
        {"none", REG_NONE, "", Variant::Bytes({})},
    };
    for (const auto& t : stored) {
        SetRaw(section, t.name, t.type, t.data);
        cRegistry r = At(section, t.name);
        Variant got = r.Value();
        Check("registry: read stored type " + std::to_string(static_cast<unsigned long>(t.type)),
              got == t.read && r.ValueType() == static_cast<int32_t>(t.type),
              Describe(got) + ", type " + std::to_string(r.ValueType()));
    }

    // What cannot be read gives Default and leaves the type alone.
    const struct {
        std::string section, name;
    } missing[] = {{section, "no such value"}, {kBase + "\\no such key", "text"}, {"", "no such value"}};
    for (const auto& m : missing) {
        cRegistry r = At(m.section, m.name, 99);
        r.Default(Variant("fallback"));
        Variant got = r.Value();
        Check("registry: missing \"" + m.section + "\" \"" + m.name + "\" reads Default",
              got == Variant("fallback") && r.ValueType() == 99, Describe(got));
    }

    // A value of the wrong kind writes nothing and raises the set-value error.
    const int32_t kSetError = static_cast<int32_t>(0x800469A9u);
    const struct {
        int32_t type;
        Variant value;
    } wrong[] = {
        {REG_DWORD, Variant("12")},
        {REG_BINARY, Variant::Long(1)},
        {REG_DWORD_BIG_ENDIAN, Variant::Bytes({1})},
        {0, Variant("x")},
        {REG_MULTI_SZ, Variant("x")},
    };
    for (const auto& t : wrong) {
        cRegistry w = At(section, "wrong", t.type);
        auto error = Raised([&] { w.Value(t.value); });
        std::string want = "VireoBR.cRegistry: Failed to set registry value Key: '" + kUserText +
                           "',Section: '" + section + "',Key: 'wrong' to value: '" + t.value.Text() + "'";
        Check("registry: type " + std::to_string(t.type) + " refuses " + Describe(t.value),
              error.first == kSetError && error.second == want &&
                  Raw(HKEY_CURRENT_USER, section, "wrong").first == 0,
              Hex(error.first) + " " + error.second);
    }
}

void CheckKeysAndEnumeration() {
    const std::string tree = kBase + "\\tree";
    cRegistry k = At(tree + "\\b");
    Check("registry: a missing key does not exist", !k.KeyExists());
    Check("registry: CreateKey makes the key and its parents", k.CreateKey() && k.KeyExists());
    Check("registry: CreateKey of an existing key", k.CreateKey() && k.KeyExists());
    for (const char* name : {"A", "c"})
        At(tree + "\\" + name).CreateKey();

    // Subkeys come sorted without regard to case, on Windows as on Wine.
    std::vector<std::string> names;
    int32_t count = -1;
    At(tree).EnumerateSections(names, count);
    Check("registry: EnumerateSections", names == std::vector<std::string>{"A", "b", "c"} && count == 3,
          std::to_string(count));
    // Windows lists values in the order they were written; Wine keeps them sorted by name. The set of names
    // is what both agree on.
    for (const char* name : {"zeta", "alpha", "Mid", ""})
        At(tree, name, REG_SZ).Value(Variant("v"));
    At(tree).EnumerateValues(names, count);
    std::string shown;
    for (const auto& n : names)
        shown += "[" + n + "]";
    Check("registry: EnumerateValues",
          std::multiset<std::string>(names.begin(), names.end()) ==
                  std::multiset<std::string>{"", "Mid", "alpha", "zeta"} &&
              count == 4,
          shown);
    const struct { std::string section; } empty[] = {{tree + "\\b"}, {kBase + "\\no such key"}};
    for (const auto& e : empty) {
        cRegistry r = At(e.section);
        bool sections = r.EnumerateSections(names, count) && names.empty() && count == 0;
        bool values = r.EnumerateValues(names, count) && names.empty() && count == 0;
        Check("registry: nothing to enumerate under \"" + e.section + "\"", sections && values);
    }

    // Deletion.
    const int32_t kFailed = 26001;
    cRegistry v = At(tree, "alpha");
    Check("registry: DeleteValue", v.DeleteValue() && Raw(HKEY_CURRENT_USER, tree, "alpha").first == 0);
    const struct {
        std::string what;
        std::function<void()> call;
        std::string want;
    } failures[] = {
        {"DeleteValue of a missing value", [&] { At(tree, "alpha").DeleteValue(); },
         "Failed to delete registry Key: '" + kUserText + "',Section: '" + tree + "',Key: 'alpha"},
        {"DeleteValue in a missing key", [&] { At(kBase + "\\no such key", "x").DeleteValue(); },
         "Failed to open key '" + kUserText + "',Section: '" + kBase + "\\no such key' for delete access"},
        {"DeleteKey of a key with subkeys", [&] { At(tree).DeleteKey(); },
         "Failed to delete registry Key: '" + kUserText + "',Section: '" + tree},
        {"DeleteKey of a missing key", [&] { At(kBase + "\\no such key").DeleteKey(); },
         "Failed to delete registry Key: '" + kUserText + "',Section: '" + kBase + "\\no such key"},
        {"CreateKey under no root",
         [&] {
             cRegistry r = At(kBase + "\\x");
             r.ClassKey(0);
             r.CreateKey();
         },
         "Failed to create registry Key: '" + kBase + "\\x"},
    };
    for (const auto& f : failures) {
        auto error = Raised(f.call);
        Check("registry: " + f.what + " raises",
              error.first == kFailed && error.second == "VireoBR.cRegistry: " + f.want,
              std::to_string(error.first) + " " + error.second);
    }
    Check("registry: the key with subkeys is still there", At(tree).KeyExists());
    Check("registry: DeleteKey of a leaf", At(tree + "\\c").DeleteKey() && !At(tree + "\\c").KeyExists());
}

// The association goes under HKEY_CLASSES_ROOT (on Wine a view of HKLM\Software\Classes); it is removed
// again at the end.
void CheckAssociation() {
    const std::string cls = "VireoBR.CheckFile";
    DeleteTree(HKEY_CLASSES_ROOT, cls);
    cRegistry r;
    auto noClass = Raised([&] {
        r.CreateAdditionalEXEAssociations(cls, {Variant("a"), Variant("b"), Variant("c")});
    });
    Check("registry: more verbs before the class raise", noClass.first == static_cast<int32_t>(0x800469ADu),
          Hex(noClass.first) + " " + noClass.second);

    r.CreateEXEAssociation("  C:\\Program Files\\viewer.exe ", cls, "Vireo check file", "vireocheck", "",
                           true, "Print it", false, "", true, "", 2);
    const std::string exe = "\"C:\\Program Files\\viewer.exe\"";
    const struct {
        std::string key, want;
    } cases[] = {
        {".vireocheck", cls},
        {cls, "Vireo check file"},
        {cls + "\\shell\\open", "&Open"},
        {cls + "\\shell\\open\\command", exe + " \"%1\""},
        {cls + "\\shell\\print", "Print it"},
        {cls + "\\shell\\print\\command", exe + " /p \"%1\""},
        {cls + "\\shell\\add", "&Install vireocheck"},
        {cls + "\\shell\\add\\command", exe + " /a \"%1\""},
        {cls + "\\shell\\new", ""},
        {cls + "\\DefaultIcon", exe + ",2"},
    };
    for (const auto& c : cases) {
        auto got = Raw(HKEY_CLASSES_ROOT, c.key, "");
        std::string text = got.first == REG_SZ ? got.second.substr(0, got.second.find('\0')) : "";
        bool ok = c.want.empty() ? got.first == 0 : got.first == REG_SZ && text == c.want;
        Check("registry: association " + c.key, ok,
              "type " + std::to_string(static_cast<unsigned long>(got.first)) + " \"" + text + "\"");
    }

    auto oddList = Raised([&] {
        r.CreateAdditionalEXEAssociations(cls, {Variant("a"), Variant("b"), Variant("c"), Variant("d")});
    });
    Check("registry: four items raise the parameter-list error",
          oddList.first == static_cast<int32_t>(0x800469ACu), Hex(oddList.first) + " " + oddList.second);
    r.CreateAdditionalEXEAssociations(cls, {Variant("edit"), Variant("&Edit"), Variant("edit.exe \"%1\"")});
    Check("registry: an additional verb",
          Raw(HKEY_CLASSES_ROOT, cls + "\\shell\\edit", "").second == std::string("&Edit\0", 6) &&
              Raw(HKEY_CLASSES_ROOT, cls + "\\shell\\edit\\command", "").second ==
                  std::string("edit.exe \"%1\"\0", 14));
    DeleteTree(HKEY_CLASSES_ROOT, cls);
    DeleteTree(HKEY_CLASSES_ROOT, ".vireocheck");
    Check("registry: association removed", Raw(HKEY_CLASSES_ROOT, ".vireocheck", "").first == 0);
}

} // namespace

void CheckRegistry() {
    DeleteTree(HKEY_CURRENT_USER, kBase);
    CheckValues();
    CheckKeysAndEnumeration();
    CheckAssociation();
    DeleteTree(HKEY_CURRENT_USER, kBase);
    Check("registry: check key removed", !At(kBase).KeyExists());
}

} // namespace winecheck
