// The control in its container: new and stored properties, saving, the first paint, fonts and colours,
// the temporary directory and shutting down.
#include "control/ControlFixture.h"
#include "support/ThreadState.h"
#include "platform/RuntimeError.h"
#include "platform/emu/user32/WindowManager.h"
#include "support/mEnumExt.h"
#include <map>

namespace {

// A property bag over a map; writes are logged with whether the value equals its default.
class MapBag : public vireo::PropertyBag {
public:
    std::map<std::string, vireo::Variant> values;
    std::vector<std::string> written;
    vireo::Variant ReadProperty(const std::string& name, const vireo::Variant& def) override {
        auto it = values.find(name);
        return it == values.end() ? def : it->second;
    }
    void WriteProperty(const std::string& name, const vireo::Variant& v, const vireo::Variant& def) override {
        values[name] = v;
        written.push_back(name + (v.Text() == def.Text() ? " (default)" : ""));
    }
};

using LifecycleTest = ControlFixture;

TEST_F(LifecycleTest, AStoredControlComesUpWithWhatTheBagHoldsOrTheDefaults) {
    container.userMode = false; // a form designer: no activation
    auto font = vireo::RefPtr<vireo::StdFont>::Make();
    font->Name = "Verdana";
    struct Case {
        const char* what;
        std::map<std::string, vireo::Variant> bag;
        LONG style, fore, back;
        const char* font;
    } cases[] = {
        {"empty bag", {}, 3, 0, 0, "MS Sans Serif"},
        {"all four",
         {{"Style", vireo::Variant::Long(1)},
          {"ForeColor", vireo::Variant::Long(0xFF)},
          {"BackColor", vireo::Variant::Long(LONG(0x80000005))}, // a system colour: negative as a Long
          {"Font", vireo::Variant::Object(font)}},
         1,
         0xFF,
         LONG(0x80000005),
         "Verdana"},
        {"extra keys are ignored",
         {{"Colour", vireo::Variant("red")}, {"Style", vireo::Variant("0")}},
         0,
         0,
         0,
         "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        MapBag bag;
        bag.values = c.bag;
        control->UserControl_ReadProperties(bag);
        EXPECT_EQ(control->Style(), c.style) << c.what;
        EXPECT_EQ(control->ForeColor(), c.fore) << c.what;
        EXPECT_EQ(control->BackColor(), c.back) << c.what;
        EXPECT_EQ(control->Font()->Name, c.font) << c.what;
    }
}

TEST_F(LifecycleTest, AWrongTypedKeyReachesTheContainer) {
    container.userMode = false;
    for (const auto& [key, value] :
         std::map<std::string, vireo::Variant>{{"Style", vireo::Variant("large")},
                                               {"BackColor", vireo::Variant::Long(1LL << 40)},
                                               {"Font", vireo::Variant("Arial")}}) {
        MapBag bag;
        bag.values[key] = value;
        EXPECT_THROW(control->UserControl_ReadProperties(bag), vireo::DispatchError) << key;
    }
}

TEST_F(LifecycleTest, InADesignerTheWebViewShowsTheTreesStartFolder) {
    container.userMode = false;
    container.tree->selected.nPidl = 0; // the fake tree's start folder has no list: an empty navigation
    MapBag bag;
    log.clear();
    control->UserControl_ReadProperties(bag);
    EXPECT_EQ(log, (fakes::Log{"Web.Navigate2 (empty)"}));
}

TEST_F(LifecycleTest, SavingWritesTheFourKeysInOrder) {
    control->UserControl_InitProperties();
    control->SetStyle(0);
    control->SetBackColor(0xFFFFFF);
    MapBag bag;
    control->UserControl_WriteProperties(bag);
    EXPECT_EQ(bag.written,
              (std::vector<std::string>{"Style", "ForeColor (default)", "BackColor", "Font (default)"}));
    // What was saved comes back.
    container.userMode = false;
    control->UserControl_InitProperties();
    control->UserControl_ReadProperties(bag);
    EXPECT_EQ(control->Style(), 0);
    EXPECT_EQ(control->BackColor(), 0xFFFFFF);
}

TEST_F(LifecycleTest, OnlyTheColoursMarkTheControlAsChanged) {
    log.clear();
    control->SetStyle(1);
    control->SetFont(vireo::RefPtr<vireo::StdFont>::Make());
    control->SetOpenOneClick(1);
    control->SetForeColor(5);
    control->SetBackColor(6);
    EXPECT_EQ(log,
              (fakes::Log{"Container.PropertyChanged ForeColor", "Container.PropertyChanged BackColor"}));
}

TEST_F(LifecycleTest, SetFontColorReloadsAFolderButNotAPage) {
    struct Case {
        const char* url;
        LONG_PTR pidl;
        fakes::Log expected;
    } cases[] = {
        {"C:\\dir\\", 0, {"Tree.SetFont Verdana", "Web.Navigate C:\\dir\\"}},
        {"http://example.org/", 0, {"Tree.SetFont Verdana"}},
    };
    for (const Case& c : cases) {
        vireo::Folder f;
        f.sURL = c.url;
        control->SetCurrentFolder(f);
        log.clear();
        control->SetFontColor("Verdana", 77, 66);
        EXPECT_EQ(log, c.expected) << c.url;
        EXPECT_EQ(control->BackColor(), 0xFFFFFF) << "white by default";
        EXPECT_EQ(control->ForeColor(), 0);
        EXPECT_EQ(control->hFont(), 77);
        EXPECT_EQ(vireo::Shared().g_sFontName, "Verdana");
        EXPECT_EQ(vireo::Shared().g_hFontSmall, 66);
    }
}

TEST_F(LifecycleTest, SetTempDirStoresTheShortFormAndHidesTheFolder) {
    desk.Files().MakeDir("C:\\Temporary Files");
    for (std::string dir : {"C:\\Temporary Files", "C:\\New"}) {
        control->SetTempDir(dir);
        const DWORD attr = GetFileAttributesA(vireo::Shared().g_sTempDir.c_str());
        ASSERT_NE(attr, INVALID_FILE_ATTRIBUTES) << dir;
        EXPECT_EQ(attr & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
                  DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
            << dir;
        EXPECT_EQ(vireo::Shared().g_sTempDir.back(), '\\');
    }
    std::string existing = "C:\\Temporary Files";
    control->SetTempDir(existing);
    EXPECT_EQ(vireo::Shared().g_sTempDir, "C:\\TEMPOR~1\\")
        << "an existing folder is stored in its short form";
}

TEST_F(LifecycleTest, TheFirstPaintShowsTheHintAndLaterOnesLeaveTheBar) {
    ShowWindow(container.parent, SW_SHOW);
    UpdateWindow(control->Window());
    EXPECT_EQ(control->StatusText(), "DOUBLE-CLICK EMPTY SPACE TO GO UPWARD. THANKS !!!");
    control->SetStatusText("busy");
    InvalidateRect(control->Window(), nullptr, TRUE);
    UpdateWindow(control->Window());
    EXPECT_EQ(control->StatusText(), "BUSY");
}

TEST_F(LifecycleTest, TerminateStopsReleasesAndOnRequestClearsTheSharedIndex) {
    vireo::BuildExtensionIndex();
    ASSERT_TRUE(vireo::ExtensionsOfType("Text Document").has_value());
    for (bool clearAll : {false, true}) {
        log.clear();
        control->Terminate(vireo::Variant::Boolean(clearAll));
        EXPECT_EQ(log, (fakes::Log{"Web.Stop", "Tree.Terminate"})) << clearAll;
        EXPECT_EQ(vireo::ExtensionsOfType("Text Document").has_value(), !clearAll);
    }
}

} // namespace
