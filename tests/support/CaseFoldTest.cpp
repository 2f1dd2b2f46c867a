#include "support/CaseFold.h"
#include "conformance/CaseFoldTable.h"
#include "platform/emu/Desktop.h"
#include "support/KeyedImageList.h"
#include "support/ThreadState.h"
#include "support/mEnumExt.h"
#include "support/mmFile.h"
#include <gtest/gtest.h>

using namespace vireo;

namespace {

class CaseFoldTest : public ::testing::Test {
protected:
    ~CaseFoldTest() override { Shared().Reset(); }
    emu::Desktop desk;
};

TEST_F(CaseFoldTest, FoldsTheCodePageAsWindowsDoes) {
    for (const conformance::FoldCase& c : conformance::kFoldCases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(SameTextNoCase(c.a, c.b), c.same);
        EXPECT_EQ(SameTextNoCase(c.b, c.a), c.same);
        EXPECT_EQ(FoldCase(c.a), c.lower);
        EXPECT_EQ(UpperText(c.a), c.upper);
    }
}

// The places that compare texts regardless of case all go by the one fold, the upper half of the code page
// included: a type name of the extension index, a key of an image list, a file's extension.
TEST_F(CaseFoldTest, EveryComparisonGoesByTheFold) {
    AddExtension("Document \xC9T\xC9", ".ete");
    EXPECT_EQ(ExtensionsOfType("document \xE9t\xE9"), ".ete\r\n");
    EXPECT_FALSE(ExtensionsOfType("document ete").has_value()) << "an accent is not a case";

    KeyedImageList images(16, 16);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(images.AddBitmap(bitmap, "\xC0 PROPOS", "tag"), 1);
    DeleteObject(bitmap);
    EXPECT_EQ(images.IndexOf("\xE0 propos"), 1);
    EXPECT_EQ(images.IndexOf("a propos"), 0);

    const struct {
        const char* path;
        bool html, url, archive, http;
    } files[] = {
        {"C:\\page.HtM", true, false, false, false},        {"C:\\page.HTML", true, false, false, false},
        {"C:\\site.Url", false, true, false, false},        {"C:\\pack.Zip", false, false, true, false},
        {"HtTp://example.org/", false, false, false, true}, {"C:\\page.htm\xC9", false, false, false, false},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.path);
        EXPECT_EQ(IsHtmlFile(f.path), f.html);
        EXPECT_EQ(IsUrlShortcut(f.path), f.url);
        EXPECT_EQ(IsArchive(f.path), f.archive);
        EXPECT_EQ(IsHttpURL(f.path), f.http);
    }
}

} // namespace
