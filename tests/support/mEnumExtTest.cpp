#include "support/mEnumExt.h"
#include "emu/shell32/ShellTestDesktop.h"
#include <string>

using namespace vireo;

namespace {

class mEnumExtTest : public shelltest::ShellTest {
protected:
    mEnumExtTest() { ClearExtensionIndex(); }
    ~mEnumExtTest() override { ClearExtensionIndex(); }
};

TEST_F(mEnumExtTest, AddExtensionMovesTheExtendedTypeToTheEnd) {
    AddExtension("Text Document", ".txt");
    AddExtension("HTML Document", ".htm");
    AddExtension("text document", ".log"); // the type compares without regard to case
    auto entries = ExtensionIndexEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].second, ".htm\r\n");
    EXPECT_EQ(entries[1].second, ".txt\r\n.log\r\n");
    EXPECT_EQ(ExtensionsOfType("TEXT DOCUMENT"), ".txt\r\n.log\r\n");
    EXPECT_FALSE(ExtensionsOfType("Bitmap Image").has_value());
    ClearExtensionIndex();
    EXPECT_TRUE(ExtensionIndexEntries().empty());
}

TEST_F(mEnumExtTest, BuildGroupsRegisteredExtensionsInEnumerationOrder) {
    desk.Reg().RegisterFileType(".vrb", "Vireo.Doc", "Vireo Document", "vireo.exe \"%1\"");
    desk.Reg().RegisterFileType(".vra", "Vireo.Doc", "Vireo Document", "vireo.exe \"%1\"");
    desk.Reg().CreateKey("HKCR\\.qqq"); // names no class: the shell calls it "QQQ File"
    BuildExtensionIndex();
    EXPECT_EQ(ExtensionsOfType("Vireo Document"), ".vra\r\n.vrb\r\n");
    EXPECT_EQ(ExtensionsOfType("Text Document"), ".log\r\n.txt\r\n");
    EXPECT_EQ(ExtensionsOfType("QQQ File"), ".qqq\r\n");

    // A second build keeps the index as it is, even when the registry changed.
    desk.Reg().RegisterFileType(".vrc", "Vireo.Doc", "Vireo Document", "vireo.exe \"%1\"");
    BuildExtensionIndex();
    EXPECT_EQ(ExtensionsOfType("Vireo Document"), ".vra\r\n.vrb\r\n");
}

TEST_F(mEnumExtTest, ThousandsOfExtensions) {
    const int count = 3000;
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(10000 + i);
        std::string type = "Kind " + std::to_string(i % 3);
        desk.Reg().RegisterFileType(".x" + number, "Kind" + std::to_string(i % 3), type, "k.exe \"%1\"");
    }
    BuildExtensionIndex();
    for (int k = 0; k < 3; ++k) {
        auto text = ExtensionsOfType("Kind " + std::to_string(k));
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(text->size(), static_cast<size_t>(count / 3) * std::string(".x10000\r\n").size());
        EXPECT_EQ(text->substr(0, 9), ".x1000" + std::to_string(k) + "\r\n");
    }
}

} // namespace
