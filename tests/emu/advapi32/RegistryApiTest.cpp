#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include "platform/win32.h"
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

class RegistryApiTest : public ::testing::Test {
protected:
    emu::Desktop desktop;
    emu::Registry& reg = desktop.Reg();

    HKEY Open(HKEY parent, const char* sub, REGSAM access) {
        HKEY h = nullptr;
        EXPECT_EQ(RegOpenKeyExA(parent, sub, 0, access, &h), ERROR_SUCCESS) << sub;
        return h;
    }
};

TEST_F(RegistryApiTest, OpenAnswersWindowsCodes) {
    reg.CreateKey("HKCU\\Software\\Vireo\\Deep");
    struct Case {
        HKEY parent;
        const char* sub;
        LONG rc;
    };
    const Case cases[] = {
        {HKEY_CLASSES_ROOT, ".txt", ERROR_SUCCESS},
        {HKEY_CLASSES_ROOT, ".TXT", ERROR_SUCCESS},
        {HKEY_CLASSES_ROOT, "\\.txt", ERROR_BAD_PATHNAME},
        {HKEY_CLASSES_ROOT, ".nosuchext", ERROR_FILE_NOT_FOUND},
        {HKEY_CURRENT_USER, "software\\VIREO\\deep", ERROR_SUCCESS},
        {HKEY_CURRENT_USER, "Software\\Vireo\\", ERROR_SUCCESS},
        {HKEY_CURRENT_USER, "Software\\\\Vireo", ERROR_SUCCESS},
        {HKEY_CURRENT_USER, "Software\\Vireo\\Deep\\Deeper", ERROR_FILE_NOT_FOUND},
        {HKEY_LOCAL_MACHINE, "Software\\Vireo", ERROR_FILE_NOT_FOUND}, // hives are separate trees
        {HKEY_CURRENT_USER, "", ERROR_SUCCESS},
        {HKEY_CURRENT_USER, nullptr, ERROR_SUCCESS},
        {nullptr, "Software", ERROR_INVALID_HANDLE},
        {reinterpret_cast<HKEY>(0x1234), "Software", ERROR_INVALID_HANDLE},
        // The predefined values are sign-extended: the zero-extended number is no key.
        {reinterpret_cast<HKEY>(ULONG_PTR(0x80000001u)), "Software",
         sizeof(void*) == 8 ? ERROR_INVALID_HANDLE : 0},
    };
    for (const Case& c : cases) {
        HKEY h = reinterpret_cast<HKEY>(1);
        EXPECT_EQ(RegOpenKeyExA(c.parent, c.sub, 0, KEY_READ, &h), c.rc) << (c.sub ? c.sub : "(null)");
        if (c.rc == ERROR_SUCCESS)
            EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
        else
            EXPECT_EQ(h, nullptr);
    }
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, CreateReportsDispositionAndKeepsFirstCase) {
    HKEY h = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\NewCo\\App", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    RegCloseKey(h);
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\NEWCO\\APP", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    RegCloseKey(h);
    HKEY parent = Open(HKEY_CURRENT_USER, "Software\\NewCo", KEY_READ);
    char name[32];
    ASSERT_EQ(RegEnumKeyA(parent, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_STREQ(name, "App");
    RegCloseKey(parent);

    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
        ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, std::string(256, 'k').c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &h, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "x", 1, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(reg.KeyExists("HKCU\\x"));
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, EachOperationNeedsItsRight) {
    reg.SetString("HKCU\\Software\\Rights", "v", "1");
    reg.CreateKey("HKCU\\Software\\Rights\\Sub");
    enum Op { Query, Set, DeleteValue, EnumKeys, EnumValues, Info };
    struct Case {
        REGSAM access;
        Op op;
        LONG rc;
    };
    const Case cases[] = {
        {KEY_QUERY_VALUE, Query, ERROR_SUCCESS},
        {KEY_QUERY_VALUE, Set, ERROR_ACCESS_DENIED},
        {KEY_SET_VALUE, Query, ERROR_ACCESS_DENIED},
        {KEY_SET_VALUE, Set, ERROR_SUCCESS},
        {KEY_READ, DeleteValue, ERROR_ACCESS_DENIED},
        {KEY_SET_VALUE, DeleteValue, ERROR_FILE_NOT_FOUND},
        {KEY_QUERY_VALUE, EnumKeys, ERROR_ACCESS_DENIED},
        {KEY_ENUMERATE_SUB_KEYS, EnumKeys, ERROR_SUCCESS},
        {KEY_ENUMERATE_SUB_KEYS, EnumValues, ERROR_ACCESS_DENIED},
        {KEY_QUERY_VALUE, EnumValues, ERROR_SUCCESS},
        {KEY_ENUMERATE_SUB_KEYS, Info, ERROR_ACCESS_DENIED},
        {KEY_READ, Info, ERROR_SUCCESS},
        {KEY_WRITE, Set, ERROR_SUCCESS},
        {KEY_WRITE, Query, ERROR_ACCESS_DENIED},
        {GENERIC_READ, Query, ERROR_SUCCESS},
        {GENERIC_READ, Set, ERROR_ACCESS_DENIED},
        {GENERIC_WRITE, Set, ERROR_SUCCESS},
        {MAXIMUM_ALLOWED, Set, ERROR_SUCCESS},
        {0, Query, ERROR_ACCESS_DENIED},
        {KEY_ALL_ACCESS, EnumKeys, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        HKEY h = Open(HKEY_CURRENT_USER, "Software\\Rights", c.access);
        char name[16];
        DWORD cch = sizeof name;
        LONG rc = -1;
        switch (c.op) {
        case Query:
            rc = RegQueryValueExA(h, "v", nullptr, nullptr, nullptr, nullptr);
            break;
        case Set:
            rc = RegSetValueExA(h, "w", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
            break;
        case DeleteValue:
            rc = RegDeleteValueA(h, "absent");
            break;
        case EnumKeys:
            rc = RegEnumKeyA(h, 0, name, sizeof name);
            break;
        case EnumValues:
            rc = RegEnumValueA(h, 0, name, &cch, nullptr, nullptr, nullptr, nullptr);
            break;
        case Info:
            rc = RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr);
            break;
        }
        EXPECT_EQ(rc, c.rc) << "access " << std::hex << c.access << " op " << int(c.op);
        RegCloseKey(h);
    }
}

TEST_F(RegistryApiTest, QueryValueFollowsTheBufferRules) {
    struct Case {
        const char* what;
        DWORD type;
        std::string stored;
        bool withBuffer;
        DWORD bufferSize;
        LONG rc;
        DWORD sizeOut;
        std::string bufferOut; // the first sizeOut+1 bytes of a buffer prefilled with '#'
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"size only", REG_SZ, "abc\0"s, false, 0, ERROR_SUCCESS, 4, ""},
        {"exact", REG_SZ, "abc\0"s, true, 4, ERROR_SUCCESS, 4, "abc\0#"s},
        {"one short", REG_SZ, "abc\0"s, true, 3, ERROR_MORE_DATA, 4, "#####"},
        {"zero size", REG_SZ, "abc\0"s, true, 0, ERROR_MORE_DATA, 4, "#####"},
        {"no NUL stored, room for one", REG_SZ, "abc", true, 8, ERROR_SUCCESS, 3, "abc\0"s},
        {"no NUL stored, exact", REG_SZ, "abc", true, 3, ERROR_SUCCESS, 3, "abc#"},
        {"expand without NUL", REG_EXPAND_SZ, "%x%", true, 8, ERROR_SUCCESS, 3, "%x%\0"s},
        {"binary gets no NUL", REG_BINARY, "abc", true, 8, ERROR_SUCCESS, 3, "abc#"},
        {"multi", REG_MULTI_SZ, "a\0b\0\0"s, true, 5, ERROR_SUCCESS, 5, "a\0b\0\0#"s},
        {"empty", REG_NONE, "", true, 0, ERROR_SUCCESS, 0, "#"},
    };
    for (const Case& c : cases) {
        reg.SetValue("HKCU\\Q", "v", c.type, Bytes(c.stored));
        HKEY h = Open(HKEY_CURRENT_USER, "Q", KEY_QUERY_VALUE);
        std::string buffer(16, '#');
        DWORD type = 99, size = c.bufferSize;
        LONG rc = RegQueryValueExA(h, "V", nullptr, &type,
                                   c.withBuffer ? reinterpret_cast<BYTE*>(buffer.data()) : nullptr, &size);
        EXPECT_EQ(rc, c.rc) << c.what;
        EXPECT_EQ(type, c.type) << c.what;
        EXPECT_EQ(size, c.sizeOut) << c.what;
        if (c.withBuffer) {
            EXPECT_EQ(buffer.substr(0, c.bufferOut.size()), c.bufferOut) << c.what;
        }
        RegCloseKey(h);
    }
    HKEY h = Open(HKEY_CURRENT_USER, "Q", KEY_QUERY_VALUE);
    BYTE b[4];
    DWORD reserved = 0, size = 4;
    EXPECT_EQ(RegQueryValueExA(h, "v", &reserved, nullptr, b, &size), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(h, "v", nullptr, nullptr, b, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(h, "missing", nullptr, nullptr, b, &size), ERROR_FILE_NOT_FOUND);
    // A default value never set does not exist.
    EXPECT_EQ(RegQueryValueExA(h, nullptr, nullptr, nullptr, b, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExA(h, "", nullptr, nullptr, b, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(h);
}

TEST_F(RegistryApiTest, SetValueCountsAForgottenTerminator) {
    struct Case {
        DWORD type;
        const char* data; // the byte after the counted ones decides
        DWORD size;
        std::string stored;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {REG_SZ, "abc", 3, "abc\0"s},         {REG_SZ, "abcX", 3, "abc"},
        {REG_SZ, "abc", 4, "abc\0"s},         {REG_EXPAND_SZ, "%a%", 3, "%a%\0"s},
        {REG_MULTI_SZ, "a\0b", 3, "a\0b\0"s}, {REG_BINARY, "abc", 3, "abc"},
        {REG_DWORD, "abc", 3, "abc"},         {REG_SZ, "abc", 0, ""},
    };
    HKEY h = Open(HKEY_CURRENT_USER, "", KEY_SET_VALUE);
    for (const Case& c : cases) {
        ASSERT_EQ(RegSetValueExA(h, "v", 0, c.type, reinterpret_cast<const BYTE*>(c.data), c.size),
                  ERROR_SUCCESS);
        auto v = reg.GetValue("HKCU", "v");
        ASSERT_TRUE(v);
        EXPECT_EQ(v->type, c.type);
        EXPECT_EQ(std::string(v->data.begin(), v->data.end()), c.stored) << c.data << " " << c.size;
    }
    EXPECT_EQ(RegSetValueExA(h, "v", 0, REG_BINARY, nullptr, 2), ERROR_NOACCESS);
    EXPECT_EQ(RegSetValueExA(h, "v", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_TRUE(reg.GetValue("HKCU", "V")->data.empty());
    RegCloseKey(h);
}

TEST_F(RegistryApiTest, DefaultValueHelpers) {
    char text[32] = "junk";
    LONG size = sizeof text;
    // A key whose default value was never set reads as the empty text.
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "Drive\\shell", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(size, 1);
    size = sizeof text;
    ASSERT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".txt", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "txtfile");
    EXPECT_EQ(size, 8);
    size = 0;
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".txt", nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 8);
    size = 4;
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".txt", text, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 8);
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".none", text, &size), ERROR_FILE_NOT_FOUND);

    // The size passed is not used: the text's own length and NUL are stored.
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Software\\A\\B", REG_SZ, "hello", 2), ERROR_SUCCESS);
    EXPECT_EQ(reg.GetValue("HKCU\\Software\\A\\B", "")->data, Bytes(std::string("hello", 6)));
    EXPECT_EQ(RegSetValueA(HKEY_CURRENT_USER, "Software\\A", REG_DWORD, "x", 2), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(RegSetValueA(HKEY_CURRENT_USER, nullptr, REG_SZ, "top", 0), ERROR_SUCCESS);
    EXPECT_EQ(reg.GetString("HKCU", ""), "top");
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, DeleteKeyLikeNt) {
    reg.SetString("HKCU\\Del\\Parent\\Child", "", "x");
    struct Case {
        HKEY parent;
        const char* sub;
        LONG rc;
    };
    const Case cases[] = {
        {HKEY_CURRENT_USER, "Del\\Parent", ERROR_ACCESS_DENIED}, // it has a subkey
        {HKEY_CURRENT_USER, "Del\\Missing", ERROR_FILE_NOT_FOUND},
        {HKEY_CURRENT_USER, nullptr, ERROR_INVALID_PARAMETER},
        {HKEY_CURRENT_USER, "", ERROR_ACCESS_DENIED}, // a hive itself
        {HKEY_CURRENT_USER, "DEL\\parent\\CHILD", ERROR_SUCCESS},
        {HKEY_CURRENT_USER, "Del\\Parent\\Child", ERROR_FILE_NOT_FOUND},
        {HKEY_CURRENT_USER, "Del\\Parent", ERROR_SUCCESS},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RegDeleteKeyA(c.parent, c.sub), c.rc) << (c.sub ? c.sub : "(null)");
    EXPECT_TRUE(reg.KeyExists("HKCU\\Del"));
    EXPECT_FALSE(reg.KeyExists("HKCU\\Del\\Parent"));
}

TEST_F(RegistryApiTest, HandlesOnADeletedKeyAnswerKeyDeleted) {
    reg.SetString("HKCU\\Gone", "v", "x");
    HKEY stale = Open(HKEY_CURRENT_USER, "Gone", KEY_ALL_ACCESS);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Gone"), ERROR_SUCCESS);
    char name[8];
    DWORD cch = sizeof name;
    HKEY h = nullptr;
    EXPECT_EQ(RegQueryValueExA(stale, "v", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegSetValueExA(stale, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("y"), 2),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumValueA(stale, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyExA(stale, "Sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(stale), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(stale), ERROR_INVALID_HANDLE);

    // A key deleted through its own handle, which needs the DELETE right.
    reg.CreateKey("HKCU\\Self");
    HKEY reader = Open(HKEY_CURRENT_USER, "Self", KEY_READ);
    EXPECT_EQ(RegDeleteKeyA(reader, ""), ERROR_ACCESS_DENIED);
    HKEY owner = Open(HKEY_CURRENT_USER, "Self", KEY_ALL_ACCESS);
    EXPECT_EQ(RegDeleteKeyA(owner, ""), ERROR_SUCCESS);
    EXPECT_FALSE(reg.KeyExists("HKCU\\Self"));
    EXPECT_EQ(RegQueryInfoKeyA(reader, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    RegCloseKey(reader);
    RegCloseKey(owner);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, HandlesAreCounted) {
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
    HKEY a = Open(HKEY_CLASSES_ROOT, ".txt", KEY_READ);
    HKEY b = Open(HKEY_CLASSES_ROOT, ".txt", KEY_READ);
    EXPECT_NE(a, b);
    EXPECT_EQ(reg.OpenHandleCount(), 2u);
    HKEY same = nullptr;
    ASSERT_EQ(RegOpenKeyA(a, "", &same), ERROR_SUCCESS); // the old form hands back the key itself
    EXPECT_EQ(same, a);
    EXPECT_EQ(reg.OpenHandleCount(), 2u);
    EXPECT_EQ(RegCloseKey(a), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(a), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CLASSES_ROOT), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(reg.OpenHandleCount(), 1u);
    RegCloseKey(b);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, EnumKeysInUpperCaseOrderWithBufferRules) {
    for (const char* name : {"b", "Apple", "_x", "C", "a"})
        reg.CreateKey(std::string("HKCU\\E\\") + name);
    HKEY h = Open(HKEY_CURRENT_USER, "E", KEY_ENUMERATE_SUB_KEYS);
    std::vector<std::string> names;
    char name[16];
    for (DWORD i = 0; RegEnumKeyA(h, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "Apple", "b", "C", "_x"}));
    EXPECT_EQ(RegEnumKeyA(h, 5, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyA(h, 1, name, 5), ERROR_MORE_DATA); // "Apple" and its NUL need 6
    EXPECT_EQ(RegEnumKeyA(h, 1, name, 6), ERROR_SUCCESS);

    DWORD cch = 5;
    EXPECT_EQ(RegEnumKeyExA(h, 1, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(cch, 5u);
    cch = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(h, 1, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(cch, 5u);
    EXPECT_STREQ(name, "Apple");
    RegCloseKey(h);

    char cls[] = "Klass";
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "E\\0", 0, cls, 0, KEY_READ, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(k);
    h = Open(HKEY_CURRENT_USER, "E", KEY_READ);
    char classOut[8];
    DWORD cchClass = 5;
    cch = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(h, 0, name, &cch, nullptr, classOut, &cchClass, nullptr), ERROR_MORE_DATA);
    cchClass = sizeof classOut;
    ASSERT_EQ(RegEnumKeyExA(h, 0, name, &cch, nullptr, classOut, &cchClass, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "0");
    EXPECT_STREQ(classOut, "Klass");
    EXPECT_EQ(cchClass, 5u);
    RegCloseKey(h);
}

TEST_F(RegistryApiTest, EnumValuesInTheOrderSet) {
    reg.SetString("HKCU\\V", "Zeta", "z");
    reg.SetDword("HKCU\\V", "alpha", 7);
    reg.SetString("HKCU\\V", "", "default");
    reg.SetString("HKCU\\V", "ZETA", "replaced keeps its place");
    HKEY h = Open(HKEY_CURRENT_USER, "V", KEY_QUERY_VALUE);
    std::vector<std::string> names;
    char name[16];
    for (DWORD i = 0;; ++i) {
        DWORD cch = sizeof name;
        if (RegEnumValueA(h, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        EXPECT_EQ(cch, std::strlen(name));
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Zeta", "alpha", ""}));

    // A name too long comes back cut, the count unchanged; type and size are still reported.
    DWORD cch = 3, type = 0, size = 0;
    EXPECT_EQ(RegEnumValueA(h, 1, name, &cch, nullptr, &type, nullptr, &size), ERROR_MORE_DATA);
    EXPECT_STREQ(name, "al");
    EXPECT_EQ(cch, 3u);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(size, 4u);
    BYTE data[4];
    cch = sizeof name;
    size = 2;
    EXPECT_EQ(RegEnumValueA(h, 1, name, &cch, nullptr, &type, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    size = 4;
    cch = sizeof name;
    ASSERT_EQ(RegEnumValueA(h, 1, name, &cch, nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(data[0], 7);
    EXPECT_EQ(RegEnumValueA(h, 3, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(h);
    h = Open(HKEY_CURRENT_USER, "V", KEY_ALL_ACCESS);
    ASSERT_EQ(RegDeleteValueA(h, "zeta"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(h, "zeta"), ERROR_FILE_NOT_FOUND);
    cch = sizeof name;
    ASSERT_EQ(RegEnumValueA(h, 0, name, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_STREQ(name, "alpha");
    RegCloseKey(h);
    EXPECT_EQ(reg.OpenHandleCount(), 0u);
}

TEST_F(RegistryApiTest, QueryInfoKeyCountsAndLongest) {
    reg.SetString("HKCU\\I\\short", "", "");
    reg.CreateKey("HKCU\\I\\a-longer-name");
    reg.SetString("HKCU\\I", "n", "0123456789");
    reg.SetValue("HKCU\\I", "a much longer name", REG_BINARY, {1, 2});
    HKEY h = Open(HKEY_CURRENT_USER, "I", KEY_QUERY_VALUE);
    DWORD subKeys = 0, maxSub = 0, maxClass = 9, values = 0, maxValueName = 0, maxValue = 0, cchClass = 0;
    FILETIME written{7, 7};
    ASSERT_EQ(RegQueryInfoKeyA(h, nullptr, &cchClass, nullptr, &subKeys, &maxSub, &maxClass, &values,
                               &maxValueName, &maxValue, nullptr, &written),
              ERROR_SUCCESS);
    EXPECT_EQ(written.dwLowDateTime | written.dwHighDateTime, 0u); // no write times are kept
    EXPECT_EQ(subKeys, 2u);
    EXPECT_EQ(maxSub, 13u);
    EXPECT_EQ(maxClass, 0u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(maxValueName, 18u);
    EXPECT_EQ(maxValue, 11u);
    EXPECT_EQ(cchClass, 0u);
    DWORD reserved = 0;
    EXPECT_EQ(RegQueryInfoKeyA(h, nullptr, nullptr, &reserved, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    RegCloseKey(h);
}

// Walking thousands of keys by increasing index must take linear time: each index is one step into the
// ordered list, not a walk from the start.
TEST_F(RegistryApiTest, EnumeratingManyKeysIsLinear) {
    const int kKeys = 20000;
    for (int i = 0; i < kKeys; ++i)
        reg.CreateKey("HKCR\\.x" + std::to_string(i));
    auto start = std::chrono::steady_clock::now();
    DWORD found = 0;
    char name[MAX_PATH];
    for (DWORD i = 0; RegEnumKeyA(HKEY_CLASSES_ROOT, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        found += name[0] == '.' && name[1] == 'x';
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(found, DWORD(kKeys));
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 500);
}

} // namespace
