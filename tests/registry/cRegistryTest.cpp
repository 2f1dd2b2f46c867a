#include "registry/cRegistry.h"
#include "platform/RuntimeError.h"
#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/emu/kernel32/SystemInfo.h"
#include "platform/win32.h"
#include <gtest/gtest.h>
#include <string>

using vireo::RuntimeError;
using vireo::Variant;
using namespace std::string_literals;
using vireo::cRegistry;

namespace {

constexpr int32_t kHKCR = int32_t(0x80000000u);
constexpr int32_t kHKCU = int32_t(0x80000001u);
constexpr int32_t kHKLM = int32_t(0x80000002u);

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

class cRegistryTest : public ::testing::Test {
protected:
    emu::Desktop desktop;
    emu::Registry& reg = desktop.Reg();
    cRegistry r;

    void TearDown() override { EXPECT_EQ(reg.OpenHandleCount(), 0u) << "a registry key was left open"; }

    void At(int32_t root, std::string section, std::string value = "") {
        r.ClassKey(root);
        r.SectionKey(std::move(section));
        r.ValueKey(std::move(value));
    }
};

// Runs f, which must raise; checks the error's number, source and description.
template <class F> void ExpectRaises(F f, int32_t number, const std::string& description) {
    try {
        f();
        ADD_FAILURE() << "no error raised; expected " << description;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), number) << description;
        EXPECT_EQ(e.Source(), "VireoBR.cRegistry");
        EXPECT_EQ(e.Description(), description);
    }
}

TEST_F(cRegistryTest, KeyExistsOpensWithTheRootSignExtended) {
    struct Case {
        int32_t root;
        const char* section;
        bool exists;
    };
    const Case cases[] = {
        {kHKCR, ".txt", true},
        {kHKCR, ".TXT", true},
        {kHKCR, ".nosuch", false},
        {0, ".txt", false},
        {kHKLM, "SOFTWARE\\Microsoft", true},
        {kHKCU, "", true},
        {kHKCU, ".txt", false},
        {int32_t(0x80000009u), "", false},
    };
    for (const Case& c : cases) {
        At(c.root, c.section);
        EXPECT_EQ(r.KeyExists(), c.exists) << c.root << " " << c.section;
    }
}

TEST_F(cRegistryTest, ReadsEachTypeAsItsVariant) {
    struct Case {
        const char* what;
        DWORD type;
        std::string stored;
        Variant want;
    };
    const Case cases[] = {
        {"text", REG_SZ, "hello\0"s, Variant("hello")},
        {"empty text", REG_SZ, "\0"s, Variant("")},
        {"no data", REG_SZ, "", Variant("")},
        // The text is the size less one: text stored without its NUL loses its last character.
        {"text without NUL", REG_SZ, "abc", Variant("ab")},
        {"multi keeps inner NULs", REG_MULTI_SZ, "one\0two\0\0"s, Variant("one\0two\0"s)},
        {"dword", REG_DWORD, "\x78\x56\x34\x12"s, Variant::Long(0x12345678)},
        {"negative dword", REG_DWORD, "\xff\xff\xff\xff"s, Variant::Long(-1)},
        {"big endian", REG_DWORD_BIG_ENDIAN, "\x01\x02\x03\x04"s, Variant::Long(0x01020304)},
        {"big endian high bit", REG_DWORD_BIG_ENDIAN, "\xff\x00\x00\x01"s,
         Variant::Long(int32_t(0xff000001u))},
        {"binary", REG_BINARY, "\x01\x00\xfe"s, Variant::Bytes({1, 0, 0xfe})},
        {"none", REG_NONE, "", Variant::Bytes({})},
        {"qword as bytes", REG_QWORD, "\x01\0\0\0\0\0\0\x80"s,
         Variant::Bytes(Bytes("\x01\0\0\0\0\0\0\x80"s))},
    };
    for (const Case& c : cases) {
        reg.SetValue("HKCU\\Software\\T", "v", c.type, Bytes(c.stored));
        At(kHKCU, "Software\\T", "V");
        r.ValueType(0);
        EXPECT_EQ(r.Value(), c.want) << c.what;
        EXPECT_EQ(r.ValueType(), int32_t(c.type)) << c.what;
    }
}

TEST_F(cRegistryTest, ExpandsEnvironmentVariablesOnReading) {
    desktop.System().SetEnvironment("VIREO_HOME", "C:\\Vireo");
    reg.SetString("HKCU\\Software\\T", "p", "%VIREO_HOME%\\bin;%NOSUCH%", REG_EXPAND_SZ);
    At(kHKCU, "Software\\T", "p");
    EXPECT_EQ(r.Value(), Variant("C:\\Vireo\\bin;%NOSUCH%"));
    EXPECT_EQ(r.ValueType(), REG_EXPAND_SZ);
    // Text naming a variable is stored unexpanded and reads back expanded.
    r.ValueType(REG_SZ);
    r.Value(Variant("%vireo_home%\\x"));
    EXPECT_EQ(reg.GetString("HKCU\\Software\\T", "p"), "%vireo_home%\\x");
    EXPECT_EQ(r.Value(), Variant("C:\\Vireo\\x"));
}

TEST_F(cRegistryTest, ReadsTheDefaultValueOfAKey) {
    At(kHKCR, "txtfile\\shell\\open\\command");
    EXPECT_EQ(r.Value(), Variant("notepad.exe \"%1\""));
    EXPECT_EQ(r.ValueType(), REG_SZ);
}

TEST_F(cRegistryTest, AnUnreadableValueGivesDefaultAndKeepsTheType) {
    const struct {
        int32_t root;
        const char* section;
        const char* value;
    } cases[] = {
        {kHKCR, ".txt", "no such value"},
        {kHKCR, "no such key", ""},
        {kHKCR, "Drive\\shell", ""}, // a default value never set
        {0, ".txt", ""},
    };
    for (const auto& c : cases) {
        At(c.root, c.section, c.value);
        r.ValueType(7);
        r.Default(Variant::Long(-5));
        EXPECT_EQ(r.Value(), Variant::Long(-5)) << c.section;
        EXPECT_EQ(r.ValueType(), 7) << c.section;
    }
    cRegistry fresh;
    fresh.ClassKey(kHKCR);
    fresh.SectionKey("nothing");
    EXPECT_TRUE(fresh.Value().IsEmpty()); // Default starts Empty
}

TEST_F(cRegistryTest, WritesByValueType) {
    struct Case {
        int32_t valueType;
        Variant value;
        DWORD storedType;
        std::string stored;
    };
    const Case cases[] = {
        {REG_SZ, Variant("C:\\x"), REG_SZ, "C:\\x\0"s},
        {REG_SZ, Variant("%TEMP%\\x"), REG_EXPAND_SZ, "%TEMP%\\x\0"s},
        {REG_SZ, Variant("%a%"), REG_EXPAND_SZ, "%a%\0"s},
        {REG_SZ, Variant("100%"), REG_SZ, "100%\0"s},
        {REG_SZ, Variant("a%%b"), REG_SZ, "a%%b\0"s},
        {REG_SZ, Variant("%%x%"), REG_EXPAND_SZ, "%%x%\0"s},
        {REG_EXPAND_SZ, Variant("plain"), REG_SZ, "plain\0"s},
        {REG_SZ, Variant::Long(42), REG_SZ, "42\0"s},
        {REG_SZ, Variant(), REG_SZ, "\0"s},
        {REG_BINARY, Variant::Bytes({1, 2, 3}), REG_BINARY, "\x01\x02\x03"s},
        {REG_BINARY, Variant::Bytes({}), REG_BINARY, ""},
        {REG_DWORD, Variant::Long(0x01020304), REG_DWORD, "\x04\x03\x02\x01"s},
        {REG_DWORD, Variant::Integer(-2), REG_DWORD, "\xfe\xff\xff\xff"s},
        {REG_DWORD_BIG_ENDIAN, Variant::Long(7), REG_DWORD, "\x07\0\0\0"s},
    };
    for (const Case& c : cases) {
        At(kHKCU, "Software\\New\\Key", "v");
        r.ValueType(c.valueType);
        r.Value(c.value);
        auto v = reg.GetValue("HKCU\\Software\\New\\Key", "v");
        ASSERT_TRUE(v) << c.value.Text();
        EXPECT_EQ(v->type, c.storedType) << c.value.Text();
        EXPECT_EQ(v->data, Bytes(c.stored)) << c.value.Text();
    }
}

TEST_F(cRegistryTest, AValueOfTheWrongKindIsNotWritten) {
    struct Case {
        int32_t valueType;
        Variant value;
    };
    const Case cases[] = {
        {REG_DWORD, Variant("text")},  {REG_DWORD_BIG_ENDIAN, Variant::Double(1)},
        {REG_BINARY, Variant("abc")},  {REG_BINARY, Variant::Long(3)},
        {REG_MULTI_SZ, Variant("a")},  {0, Variant("a")},
        {REG_QWORD, Variant::Long(1)},
    };
    for (const Case& c : cases) {
        At(kHKCU, "Software\\T", "v");
        r.ValueType(c.valueType);
        ExpectRaises(
            [&] { r.Value(c.value); }, int32_t(0x800469A9u),
            "Failed to set registry value Key: '-2147483647',Section: 'Software\\T',Key: 'v' to value: '" +
                c.value.Text() + "'");
        EXPECT_FALSE(reg.GetValue("HKCU\\Software\\T", "v")) << c.value.Text();
    }
    // A key that cannot be created fails before anything is written.
    At(0, "Software\\T", "v");
    r.ValueType(REG_SZ);
    ExpectRaises([&] { r.Value(Variant("x")); }, 26001,
                 "Failed to set registry value Key: '0',Section: 'Software\\T',Key: 'v' to value: 'x'");
}

TEST_F(cRegistryTest, BytesAndNumbersRoundTrip) {
    At(kHKCU, "Software\\Round", "b");
    r.ValueType(REG_BINARY);
    r.Value(Variant::Bytes({9, 8, 7}));
    r.ValueType(0);
    EXPECT_EQ(r.Value(), Variant::Bytes({9, 8, 7}));
    EXPECT_EQ(r.ValueType(), REG_BINARY);
    r.ValueType(REG_DWORD);
    r.Value(Variant::Long(-123456));
    EXPECT_EQ(r.Value(), Variant::Long(-123456));
}

TEST_F(cRegistryTest, CreateAndDeleteKeys) {
    At(kHKCU, "Software\\Made\\Here");
    EXPECT_TRUE(r.CreateKey());
    EXPECT_TRUE(reg.KeyExists("HKCU\\Software\\Made\\Here"));
    EXPECT_TRUE(r.CreateKey()); // an existing key is opened

    At(kHKCU, "Software\\Made");
    ExpectRaises([&] { r.DeleteKey(); }, 26001,
                 "Failed to delete registry Key: '-2147483647',Section: 'Software\\Made");
    At(kHKCU, "Software\\Made\\Here");
    EXPECT_TRUE(r.DeleteKey());
    EXPECT_FALSE(reg.KeyExists("HKCU\\Software\\Made\\Here"));
    ExpectRaises([&] { r.DeleteKey(); }, 26001,
                 "Failed to delete registry Key: '-2147483647',Section: 'Software\\Made\\Here");

    At(0, "Software\\X");
    ExpectRaises([&] { r.CreateKey(); }, 26001, "Failed to create registry Key: 'Software\\X");
    At(kHKCU, "\\Leading");
    ExpectRaises([&] { r.CreateKey(); }, 26001, "Failed to create registry Key: '\\Leading");
}

TEST_F(cRegistryTest, DeleteValue) {
    reg.SetString("HKCU\\Software\\T", "v", "x");
    At(kHKCU, "Software\\T", "V");
    EXPECT_TRUE(r.DeleteValue());
    EXPECT_FALSE(reg.GetValue("HKCU\\Software\\T", "v"));
    ExpectRaises([&] { r.DeleteValue(); }, 26001,
                 "Failed to delete registry Key: '-2147483647',Section: 'Software\\T',Key: 'V");
    At(kHKCU, "Software\\Absent", "v");
    ExpectRaises([&] { r.DeleteValue(); }, 26001,
                 "Failed to open key '-2147483647',Section: 'Software\\Absent' for delete access");
}

TEST_F(cRegistryTest, EnumeratesValueNamesInTheirOrder) {
    reg.SetString("HKCU\\Software\\E", "second-longest", "");
    reg.SetDword("HKCU\\Software\\E", "x", 1);
    reg.SetString("HKCU\\Software\\E", "", "default");
    reg.SetString("HKCU\\Software\\E", "the-longest-name-here", "");
    std::vector<std::string> names{"stale"};
    int32_t count = 99;
    At(kHKCU, "Software\\E");
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"second-longest", "x", "", "the-longest-name-here"}));
    EXPECT_EQ(count, 4);

    At(kHKCU, "Software\\Absent");
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);
    reg.CreateKey("HKCU\\Software\\Empty");
    At(kHKCU, "Software\\Empty");
    EXPECT_TRUE(r.EnumerateValues(names, count));
    EXPECT_EQ(count, 0);
}

TEST_F(cRegistryTest, EnumeratesSubkeys) {
    for (const char* name : {"zed", "Alpha", "beta"})
        reg.CreateKey(std::string("HKCU\\Software\\S\\") + name);
    reg.SetString("HKCU\\Software\\S", "value", "not a key");
    std::vector<std::string> names{"stale"};
    int32_t count = 99;
    At(kHKCU, "Software\\S");
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "beta", "zed"}));
    EXPECT_EQ(count, 3);
    At(kHKCU, "Software\\Absent");
    EXPECT_TRUE(r.EnumerateSections(names, count));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(count, 0);
}

TEST_F(cRegistryTest, CreateEXEAssociationWritesTheWholeClass) {
    r.CreateEXEAssociation("  C:\\Apps\\vireo.exe ", "Vireo.Doc", "Vireo Document", "vdoc", "", true, "",
                           true, "Make &New", true, "", 2);
    struct Want {
        const char* key;
        const char* text;
    };
    const Want wants[] = {
        {".vdoc", "Vireo.Doc"},
        {"Vireo.Doc", "Vireo Document"},
        {"Vireo.Doc\\shell\\open", "&Open"},
        {"Vireo.Doc\\shell\\open\\command", "\"C:\\Apps\\vireo.exe\" \"%1\""},
        {"Vireo.Doc\\shell\\print", "&Print"},
        {"Vireo.Doc\\shell\\print\\command", "\"C:\\Apps\\vireo.exe\" /p \"%1\""},
        {"Vireo.Doc\\shell\\add", "&Install vdoc"},
        {"Vireo.Doc\\shell\\add\\command", "\"C:\\Apps\\vireo.exe\" /a \"%1\""},
        {"Vireo.Doc\\shell\\new", "Make &New"},
        {"Vireo.Doc\\shell\\new\\command", "\"C:\\Apps\\vireo.exe\" /n \"%1\""},
        {"Vireo.Doc\\DefaultIcon", "\"C:\\Apps\\vireo.exe\",2"},
    };
    for (const Want& w : wants) {
        auto v = reg.GetValue(std::string("HKCR\\") + w.key, "");
        ASSERT_TRUE(v) << w.key;
        EXPECT_EQ(v->type, DWORD(REG_SZ)) << w.key;
        EXPECT_EQ(v->data, Bytes(std::string(w.text) + '\0')) << w.key;
    }
    EXPECT_EQ(r.ClassKey(), kHKCR);
    EXPECT_EQ(r.ValueType(), REG_SZ);
    EXPECT_EQ(r.ValueKey(), "");
}

TEST_F(cRegistryTest, CreateEXEAssociationWritesOnlyWhatIsAskedFor) {
    struct Case {
        const char* path;
        const char* command;
    };
    const Case cases[] = {
        {"C:\\a.exe", "\"C:\\a.exe\" \"%1\""},
        {"\"C:\\Program Files\\b.exe\"", "\"C:\\Program Files\\b.exe\" \"%1\""},
        {"\"C:\\c.exe", "\"C:\\c.exe\" \"%1\""},
        {"C:\\d.exe\"", "\"C:\\d.exe\" \"%1\""},
    };
    for (const Case& c : cases) {
        r.CreateEXEAssociation(c.path, "Min.Doc", "Minimal", "min", "&Launch");
        EXPECT_EQ(reg.GetString("HKCR\\Min.Doc\\shell\\open\\command", ""), c.command) << c.path;
    }
    EXPECT_EQ(reg.GetString("HKCR\\Min.Doc\\shell\\open", ""), "&Launch");
    for (const char* absent : {"shell\\print", "shell\\add", "shell\\new", "DefaultIcon"})
        EXPECT_FALSE(reg.KeyExists(std::string("HKCR\\Min.Doc\\") + absent)) << absent;
    r.CreateEXEAssociation("C:\\a.exe", "Min.Doc", "Minimal", "min", "", false, "", false, "", false, "", 0);
    EXPECT_EQ(reg.GetString("HKCR\\Min.Doc\\DefaultIcon", ""), "\"C:\\a.exe\",0");
}

TEST_F(cRegistryTest, AdditionalAssociations) {
    // The list is checked before the registry is touched.
    ExpectRaises(
        [&] {
            r.CreateAdditionalEXEAssociations("Never.Defined", {"a", "b", "c", "d"});
        },
        int32_t(0x800469ACu),
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    EXPECT_EQ(r.ClassKey(), 0);
    ExpectRaises(
        [&] {
            r.CreateAdditionalEXEAssociations("Never.Defined", {"a", "b", "c"});
        },
        int32_t(0x800469ADu), "Error - attempt to create additional associations before class defined.");
    EXPECT_FALSE(reg.KeyExists("HKCR\\Never.Defined"));

    r.CreateAdditionalEXEAssociations("txtfile", {"edit", "&Edit", "wordpad.exe \"%1\"", Variant("view"),
                                                  Variant("&View"), Variant("view.exe %1")});
    EXPECT_EQ(reg.GetString("HKCR\\txtfile\\shell\\edit", ""), "&Edit");
    EXPECT_EQ(reg.GetString("HKCR\\txtfile\\shell\\edit\\command", ""), "wordpad.exe \"%1\"");
    EXPECT_EQ(reg.GetString("HKCR\\txtfile\\shell\\view", ""), "&View");
    EXPECT_EQ(reg.GetString("HKCR\\txtfile\\shell\\view\\command", ""), "view.exe %1");
}

} // namespace
