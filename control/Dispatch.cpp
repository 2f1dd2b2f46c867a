#include "control/Dispatch.h"
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"
#include "support/CaseFold.h"

namespace vireo {

namespace {

using P = ParamType;
constexpr unsigned M = kDispMethod, G = kDispGet, L = kDispLet, S = kDispSet;

Variant Handle(HWND h) {
    return Variant::Long(reinterpret_cast<LONG_PTR>(h));
}
HWND ToHwnd(const Variant& v) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(v.LongValue()));
}
Variant Bool(bool b) {
    return Variant::Boolean(b);
}
LONG Long(const Variant& v) {
    return static_cast<LONG>(v.LongValue());
}
bool Has(const std::vector<Variant>& args, size_t i) {
    return args.size() > i;
}

Variant FolderRecord(const Folder& f) {
    return Variant::Record({{"sURL", Variant(f.sURL)},
                            {"sLocName", Variant(f.sLocName)},
                            {"sLocURL", Variant(f.sLocURL)},
                            {"nPidl", Variant::Long(f.nPidl)},
                            {"nAttr", Variant::Long(f.nAttr)}});
}

// Public field accessors: Get returns the field, Let stores the value.
template <HWND FolderViewHost::*Field>
Variant HwndField(VireoBrowser& c, unsigned kind, std::vector<Variant>& a) {
    if (kind == G) return Handle(c.*Field);
    c.*Field = ToHwnd(a[0]);
    return {};
}

#define VIREO_NOARG(expr)                                                                                    \
    [](VireoBrowser& c, unsigned, std::vector<Variant>&) -> Variant {                                        \
        expr;                                                                                                \
        return {};                                                                                           \
    }

const std::vector<DispMember> kTable = {
    {"m_OpenOneClick",
     0x40030303,
     G | L,
     {{"value", P::Long}},
     P::Long,
     [](VireoBrowser& c, unsigned kind, std::vector<Variant>& a) -> Variant {
         if (kind == G) return Variant::Long(c.m_OpenOneClick);
         c.m_OpenOneClick = Long(a[0]);
         return {};
     }},
    {"m_hwndWB", 0x40030304, G | L, {{"value", P::Handle}}, P::Handle, HwndField<&VireoBrowser::m_hwndWB>},
    {"m_hwndSV", 0x40030305, G | L, {{"value", P::Handle}}, P::Handle, HwndField<&VireoBrowser::m_hwndSV>},
    {"m_hwndLV", 0x40030306, G | L, {{"value", P::Handle}}, P::Handle, HwndField<&VireoBrowser::m_hwndLV>},
    {"m_hwndLV2", 0x40030307, G | L, {{"value", P::Handle}}, P::Handle, HwndField<&VireoBrowser::m_hwndLV2>},
    {"SelFolder",
     0x680302FF,
     G,
     {},
     P::Folder,
     [](VireoBrowser& c, unsigned, std::vector<Variant>&) { return FolderRecord(c.SelFolder()); }},
    {"GoToParent",
     0x60030300,
     M,
     {},
     P::Boolean,
     [](VireoBrowser& c, unsigned, std::vector<Variant>&) { return Bool(c.GoToParent()); }},
    {"GoToChild",
     0x60030301,
     M,
     {{"sName", P::String, true}},
     P::Boolean,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) {
         std::string name = a[0].Str();
         bool ok = c.GoToChild(name);
         a[0] = Variant(name);
         return Bool(ok);
     }},
    {"ShellNotify", 0x60030302, M, {}, P::None, VIREO_NOARG(c.ShellNotify())},
    {"GetColWidth", 0x60030305, M, {}, P::None, VIREO_NOARG(c.GetColWidth())},
    {"SetColWidth", 0x60030306, M, {}, P::None, VIREO_NOARG(c.SetColWidth())},
    {"NavigateWB",
     0x60030307,
     M,
     {{"URL", P::Variant}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.RequireList(a[0], "NavigateWB");
         c.NavigateWB(a[0]);
         return {};
     }},
    {"NavigateTV",
     0x60030308,
     M,
     {{"URL", P::Variant}, {"bSuccess", P::Boolean, true, true}},
     P::Handle,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) {
         c.RequireList(a[0], "NavigateTV");
         if (!Has(a, 1)) return Variant::Long(c.NavigateTV(a[0]));
         bool success = a[1].BooleanValue();
         LONG_PTR r = c.NavigateTV(a[0], &success);
         a[1] = Variant::Boolean(success);
         return Variant::Long(r);
     }},
    {"SetFontColor",
     0x6003030A,
     M,
     {{"sFontName", P::String},
      {"hFontLarge", P::Handle},
      {"hFontSmall", P::Handle},
      {"BackColor", P::Long, false, true},
      {"ForeColor", P::Long, false, true}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.SetFontColor(a[0].Str(), static_cast<LONG_PTR>(a[1].LongValue()),
                        static_cast<LONG_PTR>(a[2].LongValue()), Has(a, 3) ? Long(a[3]) : 0xFFFFFF,
                        Has(a, 4) ? Long(a[4]) : 0);
         return {};
     }},
    {"FileOperation",
     0x6003030B,
     M,
     {{"Index", P::Integer, true}, {"TargetDir", P::String, false, true}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         int16_t index = a[0].IntegerValue();
         c.FileOperation(index, Has(a, 1) ? a[1].Str() : std::string());
         a[0] = Variant::Integer(index);
         return {};
     }},
    {"GoUp", 0x6003030C, M, {}, P::None, VIREO_NOARG(c.GoUp())},
    {"GoBack", 0x6003030D, M, {}, P::None, VIREO_NOARG(c.GoBack())},
    {"GoToDriveRoot", 0x6003030E, M, {}, P::None, VIREO_NOARG(c.GoToDriveRoot())},
    {"GoToNextDrive", 0x6003030F, M, {}, P::None, VIREO_NOARG(c.GoToNextDrive())},
    {"GoForward", 0x60030310, M, {}, P::None, VIREO_NOARG(c.GoForward())},
    {"Refresh", 0x60030311, M, {}, P::None, VIREO_NOARG(c.Refresh())},
    {"Reload", 0x60030312, M, {}, P::None, VIREO_NOARG(c.Reload())},
    {"StopEx", 0x60030313, M, {}, P::None, VIREO_NOARG(c.StopEx())},
    {"ThisGotFocus", 0x60030314, M, {}, P::None, VIREO_NOARG(c.ThisGotFocus())},
    {"ThisLostFocus", 0x60030315, M, {}, P::None, VIREO_NOARG(c.ThisLostFocus())},
    {"GetSelectedCount",
     0x60030316,
     M,
     {{"sFile", P::String, true}},
     P::Long,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) {
         std::string file = a[0].Str();
         LONG n = c.GetSelectedCount(file);
         a[0] = Variant(file);
         return Variant::Long(n);
     }},
    {"GetSelectedFileList",
     0x60030317,
     M,
     {{"FileList", P::String, true}},
     P::Long,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) {
         std::string list = a[0].Str();
         LONG n = c.GetSelectedFileList(list);
         a[0] = Variant(list);
         return Variant::Long(n);
     }},
    {"SetSelectedFiles",
     0x60030318,
     M,
     {{"sFiles", P::String}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.SetSelectedFiles(a[0].Str());
         return {};
     }},
    {"InvertSelection", 0x60030319, M, {}, P::None, VIREO_NOARG(c.InvertSelection())},
    {"AddFavoriteEx", 0x6003031A, M, {}, P::None, VIREO_NOARG(c.AddFavoriteEx())},
    {"OrgFavoriteEx", 0x6003031B, M, {}, P::None, VIREO_NOARG(c.OrgFavoriteEx())},
    {"PrintEx", 0x6003031C, M, {}, P::None, VIREO_NOARG(c.PrintEx())},
    {"SaveAs", 0x6003031D, M, {}, P::None, VIREO_NOARG(c.SaveAs())},
    {"OpenArchiveEx",
     0x6003031E,
     M,
     {{"URL", P::String}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.OpenArchiveEx(a[0].Str());
         return {};
     }},
    {"ForeColor",
     0x680302FD,
     G | L,
     {{"value", P::Long}},
     P::Long,
     [](VireoBrowser& c, unsigned kind, std::vector<Variant>& a) -> Variant {
         if (kind == G) return Variant::Long(c.ForeColor());
         c.SetForeColor(Long(a[0]));
         return {};
     }},
    {"BackColor",
     0x680302FC,
     G | L,
     {{"value", P::Long}},
     P::Long,
     [](VireoBrowser& c, unsigned kind, std::vector<Variant>& a) -> Variant {
         if (kind == G) return Variant::Long(c.BackColor());
         c.SetBackColor(Long(a[0]));
         return {};
     }},
    {"Font",
     0x680302FB,
     G | S,
     {{"value", P::Font}},
     P::Font,
     [](VireoBrowser& c, unsigned kind, std::vector<Variant>& a) -> Variant {
         if (kind == G) return c.Font() ? Variant::Object(c.Font()) : Variant();
         c.SetFont(RefPtr<StdFont>(static_cast<StdFont*>(a[0].ObjectValue().get())));
         return {};
     }},
    {"hFont",
     0x680302FA,
     G,
     {},
     P::Handle,
     [](VireoBrowser& c, unsigned, std::vector<Variant>&) { return Variant::Long(c.hFont()); }},
    {"Style",
     0x680302F9,
     G | L,
     {{"value", P::Long}},
     P::Long,
     [](VireoBrowser& c, unsigned kind, std::vector<Variant>& a) -> Variant {
         if (kind == G) return Variant::Long(c.Style());
         c.SetStyle(Long(a[0]));
         return {};
     }},
    {"SwitchView",
     0x6003031F,
     M,
     {{"nStyle", P::Long}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.SwitchView(Long(a[0]));
         return {};
     }},
    {"SetTempDir",
     0x60030320,
     M,
     {{"sTempDir", P::String, true}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         std::string dir = a[0].Str();
         c.SetTempDir(dir);
         a[0] = Variant(dir);
         return {};
     }},
    {"URL",
     0x680302F8,
     L,
     {{"value", P::String}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.SetURL(a[0].Str());
         return {};
     }},
    {"OpenOneClick",
     0x680302F7,
     L,
     {{"value", P::Long}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.SetOpenOneClick(Long(a[0]));
         return {};
     }},
    {"Terminate",
     0x60030321,
     M,
     {{"bClearAll", P::Variant, false, true}},
     P::None,
     [](VireoBrowser& c, unsigned, std::vector<Variant>& a) -> Variant {
         c.Terminate(Has(a, 0) ? a[0] : Variant::Boolean(false));
         return {};
     }},
    {"Activate", 0x60030322, M, {}, P::None, VIREO_NOARG(c.Activate())},
    {"FireStatus", 0x6003032D, M, {}, P::None, VIREO_NOARG(c.FireStatus())},
    {"ParentPidl",
     0x60030334,
     M,
     {},
     P::Handle,
     [](VireoBrowser& c, unsigned, std::vector<Variant>&) { return Variant::Long(c.ParentPidl()); }},
    {"IsBusy",
     0x68030335,
     G,
     {},
     P::Boolean,
     [](VireoBrowser& c, unsigned, std::vector<Variant>&) { return Bool(c.IsBusy()); }},
};

#undef VIREO_NOARG

Variant Convert(const Variant& v, const DispParam& p, unsigned index) {
    switch (p.type) {
    case P::String:
        return Variant(ToText(v, index));
    case P::Long:
        return Variant::Long(ToLong(v, index));
    case P::Handle:
        return Variant::Long(ToLongPtr(v, index));
    case P::Integer:
        return Variant::Integer(ToInteger(v, index));
    case P::Boolean:
        return Variant::Boolean(ToBoolean(v, index));
    case P::Font:
        if (v.Type() == VarType::Object && dynamic_cast<StdFont*>(v.ObjectValue().get())) return v;
        throw DispatchError(kDispTypeMismatch,
                            std::string("Type mismatch: ") + p.name + " takes a font object", index);
    case P::Variant:
    case P::Folder:
    case P::None:
        break;
    }
    return v;
}

unsigned ResolveKind(const DispMember& m, unsigned asked) {
    for (unsigned k : {kDispMethod, kDispGet, kDispLet, kDispSet})
        if ((asked & k) && (m.kinds & k)) return k;
    throw DispatchError(kDispMemberNotFound, std::string(m.name) + " does not support this kind of call (" +
                                                 KindsText(asked) + ")");
}

} // namespace

const std::vector<DispMember>& DispatchTable() {
    return kTable;
}

const DispMember* FindMember(int32_t id) {
    for (const DispMember& m : kTable)
        if (m.id == id) return &m;
    return nullptr;
}

const DispMember* FindMember(std::string_view name) {
    for (const DispMember& m : kTable)
        if (SameTextNoCase(m.name, name)) return &m;
    return nullptr;
}

Variant Invoke(VireoBrowser& control, int32_t id, unsigned kind, std::vector<Variant>& args) {
    const DispMember* m = FindMember(id);
    if (!m)
        throw DispatchError(kDispMemberNotFound, "No member with dispatch identifier " + std::to_string(id));
    const unsigned k = ResolveKind(*m, kind);

    size_t required = 0, allowed = 0;
    if (k == kDispMethod) {
        allowed = m->params.size();
        for (const DispParam& p : m->params)
            required += !p.optional;
    } else if (k != kDispGet) {
        required = allowed = 1;
    }
    if (args.size() < required || args.size() > allowed)
        throw DispatchError(kDispBadParamCount, std::string(m->name) + " takes " +
                                                    (required == allowed ? std::to_string(required)
                                                                         : std::to_string(required) + " to " +
                                                                               std::to_string(allowed)) +
                                                    " argument(s), not " + std::to_string(args.size()));

    std::vector<Variant> converted;
    converted.reserve(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        converted.push_back(Convert(args[i], m->params[i], unsigned(i)));

    RefPtr<VireoBrowser> hold(&control); // a host handler may release the control during the call
    Variant result = m->invoke(control, k, converted);
    for (size_t i = 0; i < args.size(); ++i)
        if (m->params[i].byRef) args[i] = converted[i];
    return result;
}

std::string KindsText(unsigned kinds) {
    std::string s;
    for (auto [bit, name] :
         {std::pair{kDispMethod, "method"}, {kDispGet, "Get"}, {kDispLet, "Let"}, {kDispSet, "Set"}})
        if (kinds & bit) s += (s.empty() ? "" : ", ") + std::string(name);
    return s;
}

const char* ParamTypeName(ParamType type) {
    switch (type) {
    case P::String:
        return "String";
    case P::Long:
    case P::Handle:
        return "Long";
    case P::Integer:
        return "Integer";
    case P::Boolean:
        return "Boolean";
    case P::Variant:
        return "Variant";
    case P::Font:
        return "StdFont";
    case P::Folder:
        return "Folder";
    case P::None:
        break;
    }
    return "";
}

std::string ParamsText(const DispMember& m) {
    std::string s;
    for (const DispParam& p : m.params) {
        std::string one = std::string(p.byRef ? "ByRef " : "") + p.name + " As " + ParamTypeName(p.type);
        if (p.optional) one = "[" + one + "]";
        s += (s.empty() ? "" : ", ") + one;
    }
    return s;
}

} // namespace vireo
