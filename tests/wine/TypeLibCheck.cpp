// The registered type library against the control's member table: every slot of the dual interface in
// order with its name, dispatch identifier and kind, the eight events, the record and the class; and
// calls through the type library's slots reach the right members of the object.
#include "tests/wine/Checker.h"
#include <cstring>
#include <iterator>
#include <set>

namespace winecheck {

namespace {

struct Slot {
    const char* name;
    DISPID id;
    INVOKEKIND kind;
};
constexpr INVOKEKIND F = INVOKE_FUNC, G = INVOKE_PROPERTYGET, L = INVOKE_PROPERTYPUT,
                     S = INVOKE_PROPERTYPUTREF;

const Slot kSlots[] = {
    {"m_OpenOneClick", 0x40030303, G},
    {"m_OpenOneClick", 0x40030303, L},
    {"m_hwndWB", 0x40030304, G},
    {"m_hwndWB", 0x40030304, L},
    {"m_hwndSV", 0x40030305, G},
    {"m_hwndSV", 0x40030305, L},
    {"m_hwndLV", 0x40030306, G},
    {"m_hwndLV", 0x40030306, L},
    {"m_hwndLV2", 0x40030307, G},
    {"m_hwndLV2", 0x40030307, L},
    {"SelFolder", 0x680302FF, G},
    {"GoToParent", 0x60030300, F},
    {"GoToChild", 0x60030301, F},
    {"ShellNotify", 0x60030302, F},
    {"GetColWidth", 0x60030305, F},
    {"SetColWidth", 0x60030306, F},
    {"NavigateWB", 0x60030307, F},
    {"NavigateTV", 0x60030308, F},
    {"SetFontColor", 0x6003030A, F},
    {"FileOperation", 0x6003030B, F},
    {"GoUp", 0x6003030C, F},
    {"GoBack", 0x6003030D, F},
    {"GoToDriveRoot", 0x6003030E, F},
    {"GoToNextDrive", 0x6003030F, F},
    {"GoForward", 0x60030310, F},
    {"Refresh", 0x60030311, F},
    {"Reload", 0x60030312, F},
    {"StopEx", 0x60030313, F},
    {"ThisGotFocus", 0x60030314, F},
    {"ThisLostFocus", 0x60030315, F},
    {"GetSelectedCount", 0x60030316, F},
    {"GetSelectedFileList", 0x60030317, F},
    {"SetSelectedFiles", 0x60030318, F},
    {"InvertSelection", 0x60030319, F},
    {"AddFavoriteEx", 0x6003031A, F},
    {"OrgFavoriteEx", 0x6003031B, F},
    {"PrintEx", 0x6003031C, F},
    {"SaveAs", 0x6003031D, F},
    {"OpenArchiveEx", 0x6003031E, F},
    {"ForeColor", 0x680302FD, G},
    {"ForeColor", 0x680302FD, L},
    {"BackColor", 0x680302FC, G},
    {"BackColor", 0x680302FC, L},
    {"Font", 0x680302FB, G},
    {"Font", 0x680302FB, S},
    {"hFont", 0x680302FA, G},
    {"Style", 0x680302F9, G},
    {"Style", 0x680302F9, L},
    {"SwitchView", 0x6003031F, F},
    {"SetTempDir", 0x60030320, F},
    {"URL", 0x680302F8, L},
    {"OpenOneClick", 0x680302F7, L},
    {"Terminate", 0x60030321, F},
    {"Activate", 0x60030322, F},
    {"FireStatus", 0x6003032D, F},
    {"ParentPidl", 0x60030334, F},
    {"IsBusy", 0x68030335, G},
};

const char* const kEvents[] = {"PanelProperty",   "OpenURL",          "OpenArchive", "OpenFTP",
                               "CombUrlGotFocus", "CombUrlLostFocus", "NotifyURL",   "NotifySelection"};

std::string NameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::string s = Narrow(name);
    SysFreeString(name);
    return s;
}

void CheckSlots(ITypeInfo* dispatchInfo) {
    // The vtable view of the dual interface.
    HREFTYPE ref = 0;
    ITypeInfo* info = nullptr;
    if (FAILED(dispatchInfo->GetRefTypeOfImplType(-1, &ref)) ||
        FAILED(dispatchInfo->GetRefTypeInfo(ref, &info))) {
        Check("the dual interface has a vtable view", false);
        return;
    }
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    const UINT count = attr->cFuncs;
    Check("_VireoBrowser is dual", attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FDUAL));
    info->ReleaseTypeAttr(attr);
    Check("_VireoBrowser has 57 slots", count == std::size(kSlots), std::to_string(count));
    std::set<std::string> names;
    for (UINT i = 0; i < count && i < std::size(kSlots); ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        const Slot& want = kSlots[i];
        const std::string name = NameOf(info, f->memid);
        names.insert(name);
        const SHORT vtOffset = static_cast<SHORT>((7 + i) * sizeof(void*));
        Check("slot " + std::to_string(i) + " " + want.name,
              name == want.name && f->memid == want.id && f->invkind == want.kind && f->oVft == vtOffset,
              name + " " + Hex(f->memid) + " kind " + std::to_string(f->invkind) + " offset " +
                  std::to_string(f->oVft));
        info->ReleaseFuncDesc(f);
    }
    Check("48 members", names.size() == 48, std::to_string(names.size()));
    info->Release();
}

void CheckEventIds(ITypeLib* lib) {
    ITypeInfo* info = nullptr;
    if (FAILED(lib->GetTypeInfoOfGuid(kEventsIid, &info))) {
        Check("__VireoBrowser in the library", false);
        return;
    }
    for (UINT i = 0; i < 8; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) {
            Check(std::string("event ") + kEvents[i], false, "no function " + std::to_string(i));
            continue;
        }
        const std::string name = NameOf(info, f->memid);
        Check(std::string("event ") + kEvents[i] + " is " + std::to_string(i + 1),
              name == kEvents[i] && f->memid == static_cast<MEMBERID>(i + 1), name + " " + Hex(f->memid));
        info->ReleaseFuncDesc(f);
    }
    info->Release();
}

// Calls through the type library's slots (ITypeInfo::Invoke calls the vtable at the slot's offset).
void CheckVtableCalls(ITypeInfo* dispatchInfo, IDispatch* object) {
    HREFTYPE ref = 0;
    ITypeInfo* info = nullptr;
    if (FAILED(dispatchInfo->GetRefTypeOfImplType(-1, &ref)) ||
        FAILED(dispatchInfo->GetRefTypeInfo(ref, &info)))
        return;
    void* dual = nullptr;
    object->QueryInterface(kDualIid, &dual);
    Check("the object has _VireoBrowser", dual != nullptr);
    if (!dual) return;
    struct Row {
        const char* name;
        DISPID id;
        long value;
    } rows[] = {{"Style", 0x680302F9, 2},
                {"ForeColor", 0x680302FD, 0x123456},
                {"BackColor", 0x680302FC, 0xABCDEF},
                {"m_OpenOneClick", 0x40030303, 1}};
    for (const Row& r : rows) {
        VARIANT v = Long(r.value);
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{&v, &put, 1, 1};
        HRESULT hr = info->Invoke(dual, r.id, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
        const long long seen = GetNumber(object, std::wstring(r.name, r.name + strlen(r.name)).c_str());
        Check(std::string("slot put ") + r.name + " reaches the member", SUCCEEDED(hr) && seen == r.value,
              Hex(hr) + " then " + std::to_string(seen));
        VARIANT out;
        VariantInit(&out);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        hr = info->Invoke(dual, r.id, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr);
        Check(std::string("slot get ") + r.name, SUCCEEDED(hr) && Text(out) == std::to_string(r.value),
              Hex(hr) + " " + Text(out));
        VariantClear(&out);
    }
    VARIANT out;
    VariantInit(&out);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    HRESULT hr = info->Invoke(dual, 0x68030335, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr);
    Check("slot IsBusy is False without a page",
          hr == S_OK && V_VT(&out) == VT_BOOL && V_BOOL(&out) == VARIANT_FALSE, Hex(hr) + " " + Text(out));
    static_cast<IUnknown*>(dual)->Release();
    info->Release();
}

} // namespace

void CheckTypeLibrary() {
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadRegTypeLib(kLibId, 1, 0, LOCALE_NEUTRAL, &lib);
    Check("the registered type library loads", SUCCEEDED(hr), Hex(hr));
    if (!lib) return;
    ITypeInfo* dispatchInfo = nullptr;
    hr = lib->GetTypeInfoOfGuid(kDualIid, &dispatchInfo);
    Check("_VireoBrowser in the library", SUCCEEDED(hr), Hex(hr));
    if (dispatchInfo) CheckSlots(dispatchInfo);
    CheckEventIds(lib);
    ITypeInfo* coclass = nullptr;
    hr = lib->GetTypeInfoOfGuid(kClsid, &coclass);
    Check("the class VireoBrowser in the library", SUCCEEDED(hr), Hex(hr));
    if (coclass) {
        TYPEATTR* attr = nullptr;
        coclass->GetTypeAttr(&attr);
        Check("the class is a control with two interfaces", attr->typekind == TKIND_COCLASS &&
                                                                (attr->wTypeFlags & TYPEFLAG_FCONTROL) &&
                                                                attr->cImplTypes == 2);
        coclass->ReleaseTypeAttr(attr);
        coclass->Release();
    }

    IDispatch* object = nullptr;
    hr = CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                          reinterpret_cast<void**>(&object));
    Check("CoCreateInstance", SUCCEEDED(hr) && object, Hex(hr));
    if (object && dispatchInfo) {
        ITypeInfo* fromObject = nullptr;
        hr = object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &fromObject);
        TYPEATTR* attr = nullptr;
        if (fromObject) fromObject->GetTypeAttr(&attr);
        Check("the object's GetTypeInfo is _VireoBrowser", attr && IsEqualGUID(attr->guid, kDualIid),
              Hex(hr));
        if (attr) fromObject->ReleaseTypeAttr(attr);
        if (fromObject) fromObject->Release();
        // The object's names agree with the library's identifiers.
        int mismatches = 0;
        std::string first;
        for (const Slot& s : kSlots) {
            const std::wstring name(s.name, s.name + strlen(s.name));
            if (IdOf(object, name.c_str()) != s.id && ++mismatches == 1) first = s.name;
        }
        Check("GetIDsOfNames gives the library's identifiers", mismatches == 0, first);
        CheckVtableCalls(dispatchInfo, object);
    }
    if (object) object->Release();
    if (dispatchInfo) dispatchInfo->Release();
    lib->Release();
}

} // namespace winecheck
