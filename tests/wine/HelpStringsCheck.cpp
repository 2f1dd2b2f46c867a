// The help strings an object browser shows for the members and events (ITypeInfo::GetDocumentation) are
// the sentences of docs/reference.md, which the checker finds beside itself as reference.md.
#include "tests/ReferenceTables.h"
#include "tests/wine/Checker.h"
#include <fstream>
#include <map>

namespace winecheck {

namespace {

// The reference's rows by name: the help text of the last column.
std::map<std::string, std::string> ReferenceHelp() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(0, file.find_last_of('\\') + 1) + "reference.md";
    std::map<std::string, std::string> help;
    for (const char* table : {"member", "event"}) {
        std::ifstream in(file, std::ios::binary);
        for (const auto& row : vireo::reference::ReadTable(in, table))
            help[row.name] = vireo::reference::HelpText(row.cells.back());
    }
    return help;
}

// Every function of info documented with its row's text; the count of those checked.
void CheckDocumented(ITypeInfo* info, const std::map<std::string, std::string>& help, const std::string& what,
                     size_t members) {
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return;
    const UINT count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    std::map<std::string, bool> seen;
    std::string wrong;
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        BSTR name = nullptr, doc = nullptr;
        info->GetDocumentation(f->memid, &name, &doc, nullptr, nullptr);
        const std::string member = Narrow(name), text = Narrow(doc);
        auto it = help.find(member);
        if ((it == help.end() || it->second != text) && wrong.empty()) wrong = member + ": \"" + text + "\"";
        seen[member] = true;
        SysFreeString(name);
        SysFreeString(doc);
        info->ReleaseFuncDesc(f);
    }
    Check("help strings of the " + std::to_string(seen.size()) + " " + what + " are the reference's",
          wrong.empty() && seen.size() == members, wrong);
}

} // namespace

void CheckHelpStrings() {
    const auto help = ReferenceHelp();
    Check("the reference beside the checker lists 56 members and events", help.size() == 56,
          std::to_string(help.size()));
    ITypeLib* lib = nullptr;
    if (FAILED(LoadRegTypeLib(kLibId, 1, 0, LOCALE_NEUTRAL, &lib))) return;
    ITypeInfo *dispatchInfo = nullptr, *events = nullptr;
    if (SUCCEEDED(lib->GetTypeInfoOfGuid(kDualIid, &dispatchInfo))) {
        // The dual interface's own slots (its dispatch view adds those of IUnknown and IDispatch).
        HREFTYPE ref = 0;
        ITypeInfo* slots = nullptr;
        if (SUCCEEDED(dispatchInfo->GetRefTypeOfImplType(-1, &ref)) &&
            SUCCEEDED(dispatchInfo->GetRefTypeInfo(ref, &slots))) {
            CheckDocumented(slots, help, "members", 48);
            slots->Release();
        }
        dispatchInfo->Release();
    }
    if (SUCCEEDED(lib->GetTypeInfoOfGuid(kEventsIid, &events))) {
        CheckDocumented(events, help, "events", 8);
        events->Release();
    }
    lib->Release();
}

} // namespace winecheck
