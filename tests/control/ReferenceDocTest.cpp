// docs/reference.md against the dispatch table and the type library's event interface: every member and
// event listed once, with its id, kind and signature, and nothing listed that the control lacks.
#include "control/Dispatch.h"
#include "tests/ReferenceTables.h"
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace vireo {
namespace {

std::string ReadFile(const std::string& relative) {
    std::ifstream in(std::string(VIREO_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<reference::Row> Table(const std::string& firstHeader) {
    std::istringstream in(ReadFile("docs/reference.md"));
    return reference::ReadTable(in, firstHeader);
}

// As Visual Basic's object browser writes it: "(URL As Variant, [ByRef bSuccess As Boolean]) As Long"
// for a method, the type for a property.
std::string Signature(const DispMember& m) {
    if (m.kinds & kDispMethod) {
        std::string s = "(" + ParamsText(m) + ")";
        if (m.result != ParamType::None) s += std::string(" As ") + ParamTypeName(m.result);
        return s;
    }
    return ParamTypeName(m.result != ParamType::None ? m.result : m.params.at(0).type);
}

std::string Hex(int32_t id) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(id));
    return buf;
}

TEST(ReferenceDoc, ListsEveryMemberWithItsIdKindAndSignature) {
    const auto rows = Table("member");
    std::map<std::string, const reference::Row*> byName;
    for (const auto& row : rows) {
        ASSERT_EQ(row.cells.size(), 5u) << row.name;
        EXPECT_TRUE(byName.emplace(row.name, &row).second) << row.name << " is listed twice";
    }
    for (const DispMember& m : DispatchTable()) {
        auto it = byName.find(m.name);
        if (it == byName.end()) {
            ADD_FAILURE() << m.name << " is missing from the reference";
            continue;
        }
        const auto& cells = it->second->cells;
        EXPECT_EQ(cells[1], Hex(m.id)) << m.name;
        EXPECT_EQ(cells[2], KindsText(m.kinds)) << m.name;
        EXPECT_EQ(cells[3], Signature(m)) << m.name;
        EXPECT_FALSE(cells[4].empty()) << m.name << " has no description";
        byName.erase(it);
    }
    for (const auto& [name, row] : byName)
        ADD_FAILURE() << name << " is in the reference but not in the dispatch table";
}

TEST(ReferenceDoc, ListsTheMembersInTheOrderOfTheirSlots) {
    const auto rows = Table("member");
    std::vector<std::string> listed, table;
    for (const auto& row : rows)
        listed.push_back(row.name);
    for (const DispMember& m : DispatchTable())
        table.push_back(m.name);
    EXPECT_EQ(listed, table);
}

TEST(ReferenceDoc, ListsEveryEventOfTheEventInterfaceWithItsId) {
    // The event interface as the type library declares it.
    const std::string idl = ReadFile("com/VireoBR.idl");
    const size_t start = idl.find("dispinterface __VireoBrowser");
    ASSERT_NE(start, std::string::npos);
    const std::string events = idl.substr(start, idl.find("};", start) - start);
    std::map<std::string, std::string> declared;
    const std::regex method(R"(\[id\((\d+)\)[^\]]*\]\s*void\s+(\w+)\()");
    for (std::sregex_iterator it(events.begin(), events.end(), method), end; it != end; ++it)
        declared[(*it)[2]] = (*it)[1];
    EXPECT_EQ(declared.size(), 8u);

    std::map<std::string, std::string> listed;
    for (const auto& row : Table("event")) {
        ASSERT_EQ(row.cells.size(), 4u) << row.name;
        EXPECT_TRUE(listed.emplace(row.name, row.cells[1]).second) << row.name << " is listed twice";
        EXPECT_FALSE(row.cells[3].empty()) << row.name;
    }
    EXPECT_EQ(listed, declared);
}

TEST(ReferenceDoc, TableReaderTakesOnlyTheNamedTable) {
    std::istringstream in("| event | id |\n|---|---|\n| `A` | 1 |\n\n| member | id |\n|---|---|\n"
                          "| `B` | 0x1 | x `y` z |\n| `C` | 0x2 |\ntext\n| `D` | 0x3 |\n");
    const auto rows = reference::ReadTable(in, "member");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "B");
    EXPECT_EQ(reference::HelpText(rows[0].cells[2]), "x y z");
    EXPECT_EQ(rows[1].name, "C");
}

} // namespace
} // namespace vireo
