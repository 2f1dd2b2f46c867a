#include "platform/emu/Desktop.h"
#include "platform/emu/advapi32/Registry.h"
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

std::vector<uint8_t> Bytes(std::string_view s) {
    return {s.begin(), s.end()};
}

struct LoadCase {
    const char* text;
    const char* path;
    const char* name;
    DWORD type;
    std::string data;
};

TEST(RegistryTextTest, LinesBecomeTypedValues) {
    using namespace std::string_literals;
    const LoadCase cases[] = {
        {"HKCR\\.abc = abcfile", "HKEY_CLASSES_ROOT\\.ABC", "", REG_SZ, "abcfile\0"s},
        {"HKCR\\abcfile\\shell\\open\\command = abc.exe \"%1\"", "HKCR\\abcfile\\shell\\open\\command", "",
         REG_SZ, "abc.exe \"%1\"\0"s},
        {"HKEY_LOCAL_MACHINE\\Soft = sz:  padded", "HKLM\\Soft", "", REG_SZ, "  padded\0"s},
        {"[HKCU\\S]\n@ = def", "HKCU\\S", "", REG_SZ, "def\0"s},
        {"[HKCU\\S]\nContent Type = text/plain", "HKCU\\S", "content type", REG_SZ, "text/plain\0"s},
        {"[HKCU\\S]\n\"HKCR = odd\" = x", "HKCU\\S", "HKCR = odd", REG_SZ, "x\0"s},
        {"[HKCU\\S]\n\"@\" = at", "HKCU\\S", "@", REG_SZ, "at\0"s},
        {"[HKCU\\S]\nE = expand:%windir%\\x", "HKCU\\S", "e", REG_EXPAND_SZ, "%windir%\\x\0"s},
        {"[HKCU\\S]\nM = multi:one|two", "HKCU\\S", "M", REG_MULTI_SZ, "one\0two\0\0"s},
        {"[HKCU\\S]\nM = multi:", "HKCU\\S", "M", REG_MULTI_SZ, "\0"s},
        {"[HKCU\\S]\nD = dword:0000001F", "HKCU\\S", "D", REG_DWORD, "\x1f\0\0\0"s},
        {"[HKCU\\S]\nD = DWORD:ffffffff", "HKCU\\S", "D", REG_DWORD, "\xff\xff\xff\xff"s},
        {"[HKCU\\S]\nB = dword-be:01020304", "HKCU\\S", "B", REG_DWORD_BIG_ENDIAN, "\x01\x02\x03\x04"s},
        {"[HKCU\\S]\nH = hex:01, 2,ff", "HKCU\\S", "H", REG_BINARY, "\x01\x02\xff"s},
        {"[HKCU\\S]\nH = hex:", "HKCU\\S", "H", REG_BINARY, ""},
        {"[HKCU\\S]\nQ = hex(b):01,00,00,00,00,00,00,00", "HKCU\\S", "Q", REG_QWORD, "\x01\0\0\0\0\0\0\0"s},
        {"[HKCU\\S]\nN = none:", "HKCU\\S", "N", REG_NONE, ""},
        {"; comment\r\n# another\r\n\r\nHKU\\.DEFAULT = x\r\n", "HKU\\.default", "", REG_SZ, "x\0"s},
        {"HKCC\\Url = http://host/a=b", "HKCC\\url", "", REG_SZ, "http://host/a=b\0"s},
    };
    for (const LoadCase& c : cases) {
        emu::Desktop desktop;
        desktop.Reg().Load(c.text);
        auto v = desktop.Reg().GetValue(c.path, c.name);
        ASSERT_TRUE(v) << c.text;
        EXPECT_EQ(v->type, c.type) << c.text;
        EXPECT_EQ(v->data, Bytes(c.data)) << c.text;
    }
}

TEST(RegistryTextTest, BareKeysAndSectionsCreateKeys) {
    emu::Desktop desktop;
    desktop.Reg().Load("HKCU\\Bare\\Key\n[HKCU\\Section\\Only]\n");
    EXPECT_TRUE(desktop.Reg().KeyExists("HKCU\\bare\\key"));
    EXPECT_TRUE(desktop.Reg().KeyExists("HKCU\\Section\\Only"));
    EXPECT_FALSE(desktop.Reg().GetValue("HKCU\\Bare\\Key", ""));
}

TEST(RegistryTextTest, FaultsNameTheLine) {
    struct Bad {
        const char* text;
        const char* message;
    };
    const Bad cases[] = {
        {"name = value", "line 1: a value line outside a section"},
        {"\n\nHKXX\\a = b", "line 3: a value line outside a section"},
        {"[HKCU\\S]\njust words", "line 2: expected a key path or name = data"},
        {"[HKCU\\S]\nD = dword:123456789", "line 2: bad dword"},
        {"[HKCU\\S]\nD = dword:zz", "line 2: bad dword"},
        {"[HKCU\\S]\nH = hex:100", "line 2: bad byte"},
        {"[HKCU\\S]\nH = hex(2:00", "line 2: bad hex(type)"},
        {"[HKCU\\S]\nN = none:x", "line 2: none: takes no data"},
        {"[Software]", "line 1: a section names a key path in brackets"},
        {"[HKCU\\S]\n\"open = x", "line 2: unclosed quote"},
    };
    for (const Bad& c : cases) {
        emu::Desktop desktop;
        try {
            desktop.Reg().Load(c.text);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), std::string("registry text, ") + c.message) << c.text;
        }
    }
}

TEST(RegistryTextTest, LoadsFromAFile) {
    emu::Desktop desktop;
    auto file = desktop.ScratchDir() / "types.reg";
    std::ofstream(file) << "HKCR\\.vir = Vireo.Doc\nHKCR\\Vireo.Doc = Vireo Document\n";
    desktop.Reg().LoadFile(file);
    EXPECT_EQ(desktop.Reg().GetString("HKCR\\.vir", ""), "Vireo.Doc");
    EXPECT_THROW(desktop.Reg().LoadFile(desktop.ScratchDir() / "missing.reg"), std::invalid_argument);
    EXPECT_THROW(desktop.Reg().SetString("Software\\x", "", "y"), std::invalid_argument);
}

TEST(RegistrySeedTest, CommonFileTypesAreRegistered) {
    emu::Desktop desktop;
    emu::Registry& reg = desktop.Reg();
    struct Type {
        const char* ext;
        const char* cls;
        const char* typeName;
        bool opens;
    };
    const Type types[] = {
        {".txt", "txtfile", "Text Document", true},
        {".htm", "htmlfile", "HTML Document", true},
        {".html", "htmlfile", "HTML Document", true},
        {".url", "InternetShortcut", "Internet Shortcut", true},
        {".zip", "CompressedFolder", "Compressed (zipped) Folder", true},
        {".bmp", "Paint.Picture", "Bitmap Image", true},
        {".doc", "WordPad.Document.1", "Microsoft Word Document", true},
        {".exe", "exefile", "Application", true},
        {".bat", "batfile", "MS-DOS Batch File", true},
        {".ini", "inifile", "Configuration Settings", true},
        {".dll", "dllfile", "Application Extension", false},
    };
    for (const Type& t : types) {
        std::string ext = std::string("HKCR\\") + t.ext;
        EXPECT_EQ(reg.GetString(ext, ""), t.cls) << t.ext;
        EXPECT_EQ(reg.GetString(std::string("HKCR\\") + t.cls, ""), t.typeName) << t.ext;
        std::string shell = std::string("HKCR\\") + t.cls + "\\shell";
        bool opens = false;
        for (const char* verb : {"\\open\\command", "\\opennew\\command"})
            opens = opens || reg.GetString(shell + verb, "").has_value();
        EXPECT_EQ(opens, t.opens) << t.ext;
    }
    EXPECT_EQ(reg.GetString("HKCR\\txtfile\\shell\\open\\command", ""), "notepad.exe \"%1\"");
    for (const char* cls : {"Folder", "Directory", "Drive", "http", "https"})
        EXPECT_TRUE(reg.KeyExists(std::string("HKCR\\") + cls)) << cls;
    EXPECT_TRUE(reg.GetValue("HKCR\\http", "URL Protocol"));
    EXPECT_EQ(reg.GetString("HKCR\\htmlfile\\shell", ""), "opennew");
    EXPECT_EQ(reg.Subkeys("hkcr\\HTMLFILE\\shell"),
              (std::vector<std::string>{"edit", "open", "opennew", "print"}));
    EXPECT_TRUE(reg.Subkeys("HKCR\\no such class").empty());
}

TEST(RegistrySeedTest, RegisterFileTypeWritesExtensionClassAndCommand) {
    emu::Desktop desktop;
    emu::Registry& reg = desktop.Reg();
    reg.RegisterFileType("vbr", "Vireo.Bundle", "Vireo Bundle", "vireo.exe \"%1\"");
    reg.RegisterFileType(".TXT", "MyText", "My Text", "mytext.exe %1");
    EXPECT_EQ(reg.GetString("HKCR\\.vbr", ""), "Vireo.Bundle");
    EXPECT_EQ(reg.GetString("HKCR\\Vireo.Bundle", ""), "Vireo Bundle");
    EXPECT_EQ(reg.GetString("HKCR\\Vireo.Bundle\\shell\\open\\command", ""), "vireo.exe \"%1\"");
    EXPECT_EQ(reg.GetString("HKCR\\.txt", ""), "MyText"); // the existing key, taken over
    EXPECT_EQ(reg.GetValue("HKCR\\.txt", "Content Type")->type, DWORD(REG_SZ));
}

} // namespace
