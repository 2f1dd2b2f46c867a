#include "control/SizeText.h"
#include <gtest/gtest.h>

namespace {

TEST(SizeTextTest, NumbersInTheUsersFormat) {
    const struct {
        const char* text;
        const char* decimal;
        const char* thousand;
        bool number;
    } cases[] = {
        {"0", ".", ",", true},        {"12.5", ".", ",", true},     {"1,024", ".", ",", true},
        {"1,024.75", ".", ",", true}, {".5", ".", ",", true},       {"5.", ".", ",", true},
        {"-3", ".", ",", true},       {"+3.0", ".", ",", true},     {"1E5", ".", ",", true},
        {"2.5E-3", ".", ",", true},   {"12,5", ",", ".", true},     {"1.024,5", ",", ".", true},
        {"1 024,5", ",", " ", true},  {"", ".", ",", false},        {".", ".", ",", false},
        {",5", ".", ",", false},      {"-", ".", ",", false},       {"1.2.3", ".", ",", false},
        {"12;5", ".", ",", false},    {"1E", ".", ",", false},      {"E5", ".", ",", false},
        {"12KB", ".", ",", false},    {"1,024,5", ",", ".", false}, {"(S)", ".", ",", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.text << " with '" << c.decimal << "' and '" << c.thousand << "'");
        EXPECT_EQ(vireo::IsNumberText(c.text, c.decimal, c.thousand), c.number);
    }
}

} // namespace
