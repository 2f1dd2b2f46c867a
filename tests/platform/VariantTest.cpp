#include "platform/RuntimeError.h"
#include "platform/Variant.h"
#include <gtest/gtest.h>

using vireo::Variant;

namespace {

struct LongCase {
    Variant in;
    int64_t want;
};

TEST(VariantTest, ToLongFollowsAutomationRules) {
    const LongCase cases[] = {
        {Variant(), 0},
        {Variant::Integer(-7), -7},
        {Variant::Double(2.5), 2}, // half to even
        {Variant::Double(3.5), 4},
        {Variant::Double(-2.5), -2},
        {Variant::Boolean(true), -1},
        {Variant("  42 "), 42},
        {Variant("&HFF"), 255},
        {Variant("&HFFFFFFFF"), -1},
        {Variant("1e3"), 1000},
        {Variant::Long(2147483647), 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vireo::ToLong(c.in), c.want) << c.in.TypeName() << " " << c.in.Text();
}

TEST(VariantTest, ToLongRejectsWhatAutomationRejects) {
    struct Bad {
        Variant in;
        int32_t hr;
    };
    const Bad cases[] = {
        {Variant("abc"), vireo::kDispTypeMismatch},
        {Variant(""), vireo::kDispTypeMismatch},
        {Variant("0x10"), vireo::kDispTypeMismatch},
        {Variant("inf"), vireo::kDispTypeMismatch},
        {Variant::Bytes({1, 2}), vireo::kDispTypeMismatch},
        {Variant::Double(2147483648.0), vireo::kDispOverflow},
        {Variant::Long(int64_t(1) << 40), vireo::kDispOverflow},
    };
    for (const auto& c : cases) {
        try {
            vireo::ToLong(c.in, 3);
            ADD_FAILURE() << "accepted " << c.in.Text();
        } catch (const vireo::DispatchError& e) {
            EXPECT_EQ(e.HResult(), c.hr) << c.in.Text();
            EXPECT_EQ(e.ArgIndex(), 3u);
        }
    }
}

TEST(VariantTest, IntegerBooleanAndTextConversions) {
    EXPECT_EQ(vireo::ToInteger(Variant::Double(32767.4)), 32767);
    EXPECT_THROW(vireo::ToInteger(Variant::Long(32768)), vireo::DispatchError);
    EXPECT_TRUE(vireo::ToBoolean(Variant("TRUE")));
    EXPECT_FALSE(vireo::ToBoolean(Variant("false")));
    EXPECT_TRUE(vireo::ToBoolean(Variant::Double(0.1)));
    EXPECT_FALSE(vireo::ToBoolean(Variant()));
    EXPECT_THROW(vireo::ToBoolean(Variant("yes")), vireo::DispatchError);
    EXPECT_EQ(Variant::Double(1.5).Text(), "1.5");
    EXPECT_EQ(Variant::Double(-3).Text(), "-3");
    EXPECT_EQ(Variant::Boolean(false).Text(), "False");
    EXPECT_EQ(Variant::Long(-12).Text(), "-12");
}

class PathBox : public vireo::VariantObject {
public:
    std::string DefaultText() const override { return "C:\\Temp"; }
};

TEST(VariantTest, ObjectWithDefaultTextCountsAsText) {
    Variant v = Variant::Object(vireo::RefPtr<vireo::VariantObject>::Adopt(new PathBox));
    EXPECT_TRUE(v.HoldsText());
    EXPECT_EQ(v.Text(), "C:\\Temp");
    EXPECT_FALSE(Variant::Long(5).HoldsText());
}

} // namespace
