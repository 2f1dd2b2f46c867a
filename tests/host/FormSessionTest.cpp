#include "HostScript.h"
#include "platform/emu/core/Journal.h"
#include "platform/StdFont.h"
#include "platform/emu/kernel32/FileSystem.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

namespace fs = std::filesystem;

class FormSessionTest : public ::testing::Test {
protected:
    FormSessionTest() : out(os, false), h(out) {}
    int Run(const std::string& script) {
        std::istringstream in(script);
        return h.RunScript(in);
    }
    std::string Content(const std::string& winPath) {
        auto host = h.Desk().Files().Resolve(winPath);
        if (!host) return "(missing)";
        std::ifstream in(*host, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> Printed() { return Lines(os.str()); }
    std::ostringstream os;
    host::Output out;
    host::Host h;
};

TEST_F(FormSessionTest, CopyRenameNestedFolderAndListingLeaveTheFilesAsExpected) {
    ASSERT_EQ(Run(R"(mount C: label SYSTEM
mkdir C:\Work
mkdir C:\Target
file C:\Work\a.txt one
file C:\Work\b.txt two
file C:\Work\c.txt three
file C:\Target\a.txt old
create
address C:\Work
click a
key ctrl
click b
release ctrl
dialog press &Yes
answer FileOperationQuestion 0
invoke FileOperation int:3 C:\Target
click c
dialog clear
dialog type d.txt
dialog press &Ok
invoke FileOperation int:0 ""
dialog type Outer
dialog press &Ok
invoke FileOperation int:5 ""
address C:\Work\Outer
dialog type Inner
dialog press &Ok
invoke FileOperation int:5 ""
address C:\Work
invoke PrintEx
)"),
              0)
        << os.str();
    // Both copies arrived (a.txt replaced after the Yes), the sources stayed.
    EXPECT_EQ(Content("C:\\Target\\a.txt"), "one\r\n");
    EXPECT_EQ(Content("C:\\Target\\b.txt"), "two\r\n");
    EXPECT_EQ(Content("C:\\Work\\a.txt"), "one\r\n");
    // c.txt is d.txt now, with its content.
    EXPECT_EQ(Content("C:\\Work\\c.txt"), "(missing)");
    EXPECT_EQ(Content("C:\\Work\\d.txt"), "three\r\n");
    EXPECT_TRUE(h.Desk().Files().Resolve("C:\\Work\\Outer\\Inner").has_value());
    // The listing of C:\Work, then Notepad on it.
    const auto processes = h.Desk().Log().OfKind("Process");
    ASSERT_GE(processes.size(), 2u);
    const std::string listingFile = processes.back().fields[0].substr(std::string("Notepad.exe ").size());
    EXPECT_EQ(processes[processes.size() - 2].fields[0], "cmd.exe /c dir /o /a/ogen/-p  >  " + listingFile);
    const std::string listing = Content(listingFile);
    EXPECT_NE(listing.find(" Directory of C:\\Work\r\n"), std::string::npos) << listing;
    for (const char* name : {"Outer\r\n", "a.txt\r\n", "b.txt\r\n", "d.txt\r\n"})
        EXPECT_NE(listing.find(name), std::string::npos) << name;
}

TEST_F(FormSessionTest, AResizedFormLaysTheControlOutAgain) {
    ASSERT_EQ(Run("mount C:\ncreate\nresize 400 300\nshow layout\nresize 300 200\nshow layout\n"), 0)
        << os.str();
    std::vector<std::string> layouts;
    for (const std::string& line : Printed())
        if (line.rfind("desktop Layout", 0) == 0) layouts.push_back(line);
    // The tree is hidden at run time: the web view takes the whole height between the two rows.
    EXPECT_EQ(layouts, (std::vector<std::string>{
                           "desktop Layout \"tree hidden\" \"web 0 25 399 250\" \"toolbar1 2 1 24 22\" "
                           "\"address 27 0 372 24\" \"grabbar hidden\" \"toolbar2 2 278 24 22\" "
                           "\"statusbar 27 277 372 22\" \"progress hidden\"",
                           "desktop Layout \"tree hidden\" \"web 0 25 299 150\" \"toolbar1 2 1 24 22\" "
                           "\"address 27 0 272 24\" \"grabbar hidden\" \"toolbar2 2 178 24 22\" "
                           "\"statusbar 27 177 272 22\" \"progress hidden\"",
                       }));
}

TEST_F(FormSessionTest, PropertyFilesSaveAndLoadTheFourProperties) {
    const fs::path file = h.Desk().ScratchDir() / "form.json";
    {
        std::ofstream(file) << R"({"Style": 1, "ForeColor": 255, "Font": {"Name": "Verdana", "Size": 10},
                                   "Extra": "ignored"})";
    }
    ASSERT_EQ(Run("mount C:\ncreate from " + file.string() + "\ninvoke Style\nsave " + file.string() + "\n"),
              0)
        << os.str();
    EXPECT_TRUE(Contains(Printed(), "result Long 1")) << os.str();
    std::ifstream in(file);
    nlohmann::json saved;
    in >> saved;
    EXPECT_EQ(saved["Style"], 1);
    EXPECT_EQ(saved["ForeColor"], 255);
    EXPECT_FALSE(saved.contains("BackColor")) << "a default is left out";
    EXPECT_EQ(saved["Font"]["Name"], "Verdana");
    EXPECT_FALSE(saved.contains("Extra"));
}

TEST(PropertyFileErrorsTest, BadFilesAreClearErrorsAndNoControlIsLeft) {
    struct Case {
        const char* content; // nullptr: no file at all
        const char* message;
    } cases[] = {
        {nullptr, "create: cannot read"},
        {"not json", "is not a JSON property file"},
        {"[1, 2]", "is not a JSON object"},
        {R"({"Style": "wide"})", "Type mismatch"},
        {R"({"Font": 12})", "Font is not a font object"},
        {R"({"Font": {"Size": "big"}})", "a font field of the wrong type"},
    };
    for (const Case& c : cases) {
        std::ostringstream os;
        host::Output out(os, false);
        host::Host h(out);
        const fs::path file = h.Desk().ScratchDir() / "bad.json";
        if (c.content) std::ofstream(file) << c.content;
        std::istringstream in("mount C:\ncreate from " + file.string() + "\ninvoke Style\n");
        EXPECT_EQ(h.RunScript(in), 2) << c.message << "\n" << os.str();
        EXPECT_NE(os.str().find(c.message), std::string::npos) << os.str();
        EXPECT_EQ(h.Control(), nullptr);
    }
}

} // namespace

namespace {

// What a control stores, in one comparable text.
std::string Stored(vireo::VireoBrowser& c) {
    const auto& f = *c.Font();
    return std::to_string(c.Style()) + " " + std::to_string(c.ForeColor()) + " " +
           std::to_string(c.BackColor()) + " " + f.Name + " " + std::to_string(f.Size) + " " +
           std::to_string(f.Bold) + std::to_string(f.Italic) + std::to_string(f.Underline) +
           std::to_string(f.Strikethrough) + " " + std::to_string(f.Weight) + " " + std::to_string(f.Charset);
}

TEST(PropertyRoundTripTest, SaveWritesWhatCreateFromReadsBackForTheDefaultsAndEveryProperty) {
    struct Case {
        const char* what;
        const char* lines; // run after create
        bool font;         // every field of the font changed too
        const char* saved; // the file's JSON
    } cases[] = {
        {"defaults", "", false, "{}"},
        {"every property", "invoke let Style 0\ninvoke let ForeColor 255\ninvoke let BackColor &HFF00\n",
         true,
         R"({"BackColor":65280,"Font":{"Bold":true,"Charset":2,"Italic":true,"Name":"Verdana","Size":10.5,)"
         R"("Strikethrough":true,"Underline":true,"Weight":700},"ForeColor":255,"Style":0})"},
    };
    const fs::path file = fs::temp_directory_path() / "vireo-host-round-trip.json";
    for (const Case& c : cases) {
        std::ostringstream os;
        host::Output out(os, false);
        std::string before;
        {
            host::Host first(out);
            std::istringstream setup(std::string("mount C:\ncreate\n") + c.lines);
            ASSERT_EQ(first.RunScript(setup), 0) << c.what << "\n" << os.str();
            if (c.font) {
                auto font = vireo::RefPtr<vireo::StdFont>::Make();
                font->Name = "Verdana";
                font->Size = 10.5;
                font->Bold = font->Italic = font->Underline = font->Strikethrough = true;
                font->Weight = 700;
                font->Charset = 2;
                first.Control()->SetFont(font);
            }
            std::istringstream save("save " + file.string() + "\n");
            ASSERT_EQ(first.RunScript(save), 0) << c.what << "\n" << os.str();
            before = Stored(*first.Control());
        }
        std::ifstream in(file);
        nlohmann::json saved;
        in >> saved;
        EXPECT_EQ(saved.dump(), c.saved) << c.what;

        host::Host second(out);
        std::istringstream load("mount C:\ncreate from " + file.string() + "\n");
        ASSERT_EQ(second.RunScript(load), 0) << c.what << "\n" << os.str();
        EXPECT_EQ(Stored(*second.Control()), before) << c.what;
    }
    fs::remove(file);
}

} // namespace
