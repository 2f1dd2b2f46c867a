#include "ControlFixture.h"
#include "control/Dispatch.h"
#include "platform/RuntimeError.h"
#include <set>

using fakes::Log;
using vireo::DispatchError;
using vireo::Variant;

namespace {

class DispatchTest : public ControlFixture {
protected:
    Variant Call(const char* name, unsigned kind, std::vector<Variant> args = {}) {
        const vireo::DispMember* m = vireo::FindMember(name);
        if (!m) throw std::runtime_error(std::string("no member ") + name);
        return vireo::Invoke(*control, m->id, kind, args);
    }
    int32_t FailureOf(const char* name, unsigned kind, std::vector<Variant> args = {}) {
        try {
            Call(name, kind, std::move(args));
        } catch (const DispatchError& e) {
            return e.HResult();
        }
        return 0;
    }
};

// The interface's identifiers, as hosts compiled against it call them.
TEST(DispatchTableTest, EveryMemberHasItsIdentifierAndKinds) {
    using vireo::kDispGet;
    using vireo::kDispLet;
    using vireo::kDispMethod;
    using vireo::kDispSet;
    struct Row {
        const char* name;
        uint32_t id;
        unsigned kinds;
    };
    const unsigned M = kDispMethod, G = kDispGet, L = kDispLet, S = kDispSet;
    const Row rows[] = {
        {"m_OpenOneClick", 0x40030303, G | L},
        {"m_hwndWB", 0x40030304, G | L},
        {"m_hwndSV", 0x40030305, G | L},
        {"m_hwndLV", 0x40030306, G | L},
        {"m_hwndLV2", 0x40030307, G | L},
        {"SelFolder", 0x680302FF, G},
        {"GoToParent", 0x60030300, M},
        {"GoToChild", 0x60030301, M},
        {"ShellNotify", 0x60030302, M},
        {"GetColWidth", 0x60030305, M},
        {"SetColWidth", 0x60030306, M},
        {"NavigateWB", 0x60030307, M},
        {"NavigateTV", 0x60030308, M},
        {"SetFontColor", 0x6003030A, M},
        {"FileOperation", 0x6003030B, M},
        {"GoUp", 0x6003030C, M},
        {"GoBack", 0x6003030D, M},
        {"GoToDriveRoot", 0x6003030E, M},
        {"GoToNextDrive", 0x6003030F, M},
        {"GoForward", 0x60030310, M},
        {"Refresh", 0x60030311, M},
        {"Reload", 0x60030312, M},
        {"StopEx", 0x60030313, M},
        {"ThisGotFocus", 0x60030314, M},
        {"ThisLostFocus", 0x60030315, M},
        {"GetSelectedCount", 0x60030316, M},
        {"GetSelectedFileList", 0x60030317, M},
        {"SetSelectedFiles", 0x60030318, M},
        {"InvertSelection", 0x60030319, M},
        {"AddFavoriteEx", 0x6003031A, M},
        {"OrgFavoriteEx", 0x6003031B, M},
        {"PrintEx", 0x6003031C, M},
        {"SaveAs", 0x6003031D, M},
        {"OpenArchiveEx", 0x6003031E, M},
        {"ForeColor", 0x680302FD, G | L},
        {"BackColor", 0x680302FC, G | L},
        {"Font", 0x680302FB, G | S},
        {"hFont", 0x680302FA, G},
        {"Style", 0x680302F9, G | L},
        {"SwitchView", 0x6003031F, M},
        {"SetTempDir", 0x60030320, M},
        {"URL", 0x680302F8, L},
        {"OpenOneClick", 0x680302F7, L},
        {"Terminate", 0x60030321, M},
        {"Activate", 0x60030322, M},
        {"FireStatus", 0x6003032D, M},
        {"ParentPidl", 0x60030334, M},
        {"IsBusy", 0x68030335, G},
    };
    const auto& table = vireo::DispatchTable();
    ASSERT_EQ(table.size(), std::size(rows));
    std::set<int32_t> ids;
    for (size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_STREQ(table[i].name, rows[i].name);
        EXPECT_EQ(uint32_t(table[i].id), rows[i].id);
        EXPECT_EQ(table[i].kinds, rows[i].kinds);
        EXPECT_EQ(vireo::FindMember(table[i].id), &table[i]);
        ids.insert(table[i].id);
    }
    EXPECT_EQ(ids.size(), table.size());
    EXPECT_EQ(vireo::FindMember("navigatetv"), vireo::FindMember("NavigateTV"));
    EXPECT_EQ(vireo::FindMember("NoSuchMember"), nullptr);
}

TEST_F(DispatchTest, WrongCallsGetTheMatchingDispatchError) {
    using vireo::kDispGet;
    using vireo::kDispLet;
    using vireo::kDispMethod;
    struct Case {
        const char* name;
        unsigned kind;
        std::vector<Variant> args;
        int32_t hr;
    };
    const Case cases[] = {
        {"NavigateTV", kDispMethod, {}, vireo::kDispBadParamCount},
        {"NavigateTV",
         kDispMethod,
         {Variant("a"), Variant::Boolean(true), Variant()},
         vireo::kDispBadParamCount},
        {"GoUp", kDispMethod, {Variant::Long(1)}, vireo::kDispBadParamCount},
        {"Style", kDispLet, {}, vireo::kDispBadParamCount},
        {"Style", kDispGet, {Variant::Long(1)}, vireo::kDispBadParamCount},
        {"Style", kDispLet, {Variant("three")}, vireo::kDispTypeMismatch},
        {"Style", kDispLet, {Variant::Double(1e12)}, vireo::kDispOverflow},
        {"FileOperation", kDispMethod, {Variant::Long(70000)}, vireo::kDispOverflow},
        {"Font", vireo::kDispSet, {Variant("Arial")}, vireo::kDispTypeMismatch},
        {"SelFolder", kDispLet, {Variant()}, vireo::kDispMemberNotFound},
        {"URL", kDispGet, {}, vireo::kDispMemberNotFound},
        {"GoUp", kDispGet, {}, vireo::kDispMemberNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FailureOf(c.name, c.kind, c.args), c.hr);
    }
    std::vector<Variant> none;
    EXPECT_THROW(vireo::Invoke(*control, 0x12345, kDispMethod, none), DispatchError);
}

TEST_F(DispatchTest, ArgumentsAreConvertedAndByReferenceOnesWrittenBack) {
    Call("Style", vireo::kDispLet, {Variant("2")});
    EXPECT_EQ(Call("Style", vireo::kDispGet).LongValue(), 2);
    Call("ForeColor", vireo::kDispLet, {Variant::Double(255.5)}); // rounds half to even: 256
    EXPECT_EQ(Call("ForeColor", vireo::kDispGet | vireo::kDispMethod).LongValue(), 256);
    EXPECT_EQ(log, (Log{"Container.PropertyChanged ForeColor"}));

    const vireo::DispMember* nav = vireo::FindMember("NavigateTV");
    std::vector<Variant> args{Variant("ftp.example.org"), Variant::Long(0)};
    vireo::Invoke(*control, nav->id, vireo::kDispMethod, args);
    EXPECT_EQ(args[1], Variant::Boolean(true));

    const vireo::DispMember* child = vireo::FindMember("GoToChild");
    std::vector<Variant> name{Variant::Long(12)};
    EXPECT_EQ(vireo::Invoke(*control, child->id, vireo::kDispMethod, name), Variant::Boolean(true));
    EXPECT_EQ(name[0], Variant("12"));
}

TEST_F(DispatchTest, SelFolderIsARecordOfTheFiveFields) {
    control->SetCurrentFolder(vireo::Folder{"C:\\x\\", "x", "file:///C:/x/", 42, 7});
    Variant r = Call("SelFolder", vireo::kDispGet);
    ASSERT_EQ(r.Type(), vireo::VarType::Record);
    const auto& f = r.RecordValue();
    ASSERT_EQ(f.size(), 5u);
    EXPECT_EQ(f[0], (std::pair<std::string, Variant>{"sURL", Variant("C:\\x\\")}));
    EXPECT_EQ(f[3], (std::pair<std::string, Variant>{"nPidl", Variant::Long(42)}));
    EXPECT_EQ(f[4], (std::pair<std::string, Variant>{"nAttr", Variant::Long(7)}));
}

TEST_F(DispatchTest, MemberFailuresReachTheCallerAsRunTimeErrors) {
    container.tree->failAll = true;
    EXPECT_THROW(Call("GoToParent", vireo::kDispMethod), vireo::RuntimeError);
    container.web->failAll = true;
    EXPECT_EQ(Call("IsBusy", vireo::kDispGet), Variant::Boolean(false));
}

} // namespace
