// A container that gives the control neither a web view nor a tree: every member either does its work
// without them or fails with run-time error 91, and nothing dereferences the missing objects.
#include "ControlFixture.h"
#include "control/Dispatch.h"
#include "platform/RuntimeError.h"
#include <map>

using vireo::Variant;

namespace {

class MissingComponentsTest : public ::testing::Test {
protected:
    MissingComponentsTest() {
        desk.Files().MountScratch('C');
        container.makeWebView = false;
        container.tree = nullptr;
        container.parent = CreateWindowExA(0, "Static", "Form", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                           nullptr, nullptr, nullptr);
        control = vireo::RefPtr<vireo::VireoBrowser>::Make(container);
    }
    ~MissingComponentsTest() override {
        control.reset();
        DestroyWindow(container.parent);
    }

    // An argument of the declared type that the member accepts.
    Variant ArgumentOf(vireo::ParamType type) {
        switch (type) {
        case vireo::ParamType::String:
            return Variant("C:\\");
        case vireo::ParamType::Boolean:
            return Variant::Boolean(false);
        case vireo::ParamType::Integer:
            return Variant::Integer(0);
        case vireo::ParamType::Font:
            return Variant::Object(container.ambientFont);
        case vireo::ParamType::Variant:
            return Variant("C:\\");
        default:
            return Variant::Long(0);
        }
    }
    // The run-time error number a call ends with, 0 when it succeeds.
    int32_t Outcome(const vireo::DispMember& m, unsigned kind) {
        std::vector<Variant> args;
        // A property's parameter is the value it is given; reading it takes none.
        if (kind != vireo::kDispGet)
            for (const auto& p : m.params)
                args.push_back(ArgumentOf(p.type));
        try {
            vireo::Invoke(*control, m.id, kind, args);
        } catch (const vireo::RuntimeError& e) {
            return e.Number();
        }
        return 0;
    }

    fakes::Log log;
    emu::Desktop desk;
    fakes::FakeContainer container{log};
    vireo::RefPtr<vireo::VireoBrowser> control;
};

TEST_F(MissingComponentsTest, EveryMemberWorksWithoutThemOrFailsWithObjectNotSet) {
    // Members that need the tree to answer: the rest go on without the missing parts.
    const std::map<std::string, int32_t> expected{
        {"GoToParent", 91}, {"GoToChild", 91}, {"ParentPidl", 91}, {"SetFontColor", 91},
        {"NavigateTV", 0},  {"GoBack", 0},     {"GoForward", 0},   {"StopEx", 0},
        {"Refresh", 0},     {"IsBusy", 0},     {"Terminate", 0},
    };
    control->UserControl_InitProperties();
    std::map<std::string, int32_t> seen;
    for (const auto& m : vireo::DispatchTable()) {
        if (m.params.size() == 1 && m.params[0].type == vireo::ParamType::Folder) continue;
        for (unsigned kind : {vireo::kDispMethod, vireo::kDispGet, vireo::kDispLet, vireo::kDispSet})
            if (m.kinds & kind) {
                const int32_t number = Outcome(m, kind);
                if (kind != vireo::kDispLet && kind != vireo::kDispSet) seen[m.name] = number;
                EXPECT_TRUE(number == 0 || number == 91) << m.name << " failed with " << number;
            }
    }
    for (const auto& [name, number] : expected)
        EXPECT_EQ(seen[name], number) << name;
}

} // namespace
