// The slots of the dual interface: each packs its arguments as the dispatch table takes them, calls the
// member through the table (so both ways of calling share the conversions and errors), and unpacks the
// result and the by-reference arguments.
#include "com/DispatchCall.h"
#include "com/VariantConv.h"
#include "com/VireoControl.h"
#include "platform/RuntimeError.h"

namespace vireo::com {

namespace {

constexpr unsigned M = kDispMethod, G = kDispGet, L = kDispLet, S = kDispSet;

Variant FromBstr(BSTR s) {
    return Variant(Narrow(s));
}
VARIANT_BOOL Bool(const Variant& v) {
    return v.Type() == VarType::Boolean && v.BooleanValue() ? VARIANT_TRUE : VARIANT_FALSE;
}
// A string result into an in/out BSTR.
void PutBstr(BSTR* target, const Variant& v) {
    SysFreeString(*target);
    *target = Wide(v.Text()).detach();
}

} // namespace

#define VIREO_NOARG_SLOT(Name, Id)                                                                           \
    HRESULT VireoControl::Name() {                                                                           \
        std::vector<Variant> args;                                                                           \
        return Call(Id, M, args);                                                                            \
    }

VIREO_NOARG_SLOT(ShellNotify, 0x60030302)
VIREO_NOARG_SLOT(GetColWidth, 0x60030305)
VIREO_NOARG_SLOT(SetColWidth, 0x60030306)
VIREO_NOARG_SLOT(GoUp, 0x6003030C)
VIREO_NOARG_SLOT(GoBack, 0x6003030D)
VIREO_NOARG_SLOT(GoToDriveRoot, 0x6003030E)
VIREO_NOARG_SLOT(GoToNextDrive, 0x6003030F)
VIREO_NOARG_SLOT(GoForward, 0x60030310)
VIREO_NOARG_SLOT(Refresh, 0x60030311)
VIREO_NOARG_SLOT(Reload, 0x60030312)
VIREO_NOARG_SLOT(StopEx, 0x60030313)
VIREO_NOARG_SLOT(ThisGotFocus, 0x60030314)
VIREO_NOARG_SLOT(ThisLostFocus, 0x60030315)
VIREO_NOARG_SLOT(InvertSelection, 0x60030319)
VIREO_NOARG_SLOT(AddFavoriteEx, 0x6003031A)
VIREO_NOARG_SLOT(OrgFavoriteEx, 0x6003031B)
VIREO_NOARG_SLOT(PrintEx, 0x6003031C)
VIREO_NOARG_SLOT(SaveAs, 0x6003031D)
VIREO_NOARG_SLOT(Activate, 0x60030322)
VIREO_NOARG_SLOT(FireStatus, 0x6003032D)
#undef VIREO_NOARG_SLOT

// Properties of a number: Get into *value, Let from value.
#define VIREO_NUMBER_PROPERTY(Name, Type, Id)                                                                \
    HRESULT VireoControl::get_##Name(Type* value) {                                                          \
        if (!value) return E_POINTER;                                                                        \
        std::vector<Variant> args;                                                                           \
        Variant r;                                                                                           \
        HRESULT hr = Call(Id, G, args, &r);                                                                  \
        if (SUCCEEDED(hr)) *value = static_cast<Type>(r.LongValue());                                        \
        return hr;                                                                                           \
    }                                                                                                        \
    HRESULT VireoControl::put_##Name(Type value) {                                                           \
        std::vector<Variant> args{Variant::Long(value)};                                                     \
        return Call(Id, L, args);                                                                            \
    }

VIREO_NUMBER_PROPERTY(m_OpenOneClick, long, 0x40030303)
VIREO_NUMBER_PROPERTY(m_hwndWB, LONG_PTR, 0x40030304)
VIREO_NUMBER_PROPERTY(m_hwndSV, LONG_PTR, 0x40030305)
VIREO_NUMBER_PROPERTY(m_hwndLV, LONG_PTR, 0x40030306)
VIREO_NUMBER_PROPERTY(m_hwndLV2, LONG_PTR, 0x40030307)
VIREO_NUMBER_PROPERTY(ForeColor, long, 0x680302FD)
VIREO_NUMBER_PROPERTY(BackColor, long, 0x680302FC)
VIREO_NUMBER_PROPERTY(Style, long, 0x680302F9)
#undef VIREO_NUMBER_PROPERTY

HRESULT VireoControl::get_SelFolder(Folder* value) {
    if (!value) return E_POINTER;
    std::vector<Variant> args;
    Variant r;
    HRESULT hr = Call(0x680302FF, G, args, &r);
    if (FAILED(hr)) return hr;
    *value = Folder{};
    FillFolder(r.RecordValue(), *value);
    return S_OK;
}

HRESULT VireoControl::GoToParent(VARIANT_BOOL* result) {
    if (!result) return E_POINTER;
    std::vector<Variant> args;
    Variant r;
    HRESULT hr = Call(0x60030300, M, args, &r);
    if (SUCCEEDED(hr)) *result = Bool(r);
    return hr;
}

// Members with one in/out string and a result.
#define VIREO_BYREF_TEXT_SLOT(Name, Id, ResultType, Convert)                                                 \
    HRESULT VireoControl::Name(BSTR* text, ResultType* result) {                                             \
        if (!text || !result) return E_POINTER;                                                              \
        std::vector<Variant> args{FromBstr(*text)};                                                          \
        Variant r;                                                                                           \
        HRESULT hr = Call(Id, M, args, &r);                                                                  \
        if (SUCCEEDED(hr)) {                                                                                 \
            PutBstr(text, args[0]);                                                                          \
            *result = Convert(r);                                                                            \
        }                                                                                                    \
        return hr;                                                                                           \
    }
static long LongOf(const Variant& v) {
    return static_cast<long>(v.LongValue());
}
VIREO_BYREF_TEXT_SLOT(GoToChild, 0x60030301, VARIANT_BOOL, Bool)
VIREO_BYREF_TEXT_SLOT(GetSelectedCount, 0x60030316, long, LongOf)
VIREO_BYREF_TEXT_SLOT(GetSelectedFileList, 0x60030317, long, LongOf)
#undef VIREO_BYREF_TEXT_SLOT

HRESULT VireoControl::NavigateWB(VARIANT URL) {
    try {
        std::vector<Variant> args{FromVariant(URL)};
        return Call(0x60030307, M, args);
    } catch (const DispatchError& e) {
        return e.HResult();
    }
}

HRESULT VireoControl::NavigateTV(VARIANT URL, VARIANT_BOOL* bSuccess, LONG_PTR* result) {
    if (!result) return E_POINTER;
    try {
        std::vector<Variant> args{FromVariant(URL)};
        if (bSuccess) args.push_back(Variant::Boolean(*bSuccess != VARIANT_FALSE));
        Variant r;
        HRESULT hr = Call(0x60030308, M, args, &r);
        if (SUCCEEDED(hr)) {
            if (bSuccess) *bSuccess = Bool(args[1]);
            *result = static_cast<LONG_PTR>(r.LongValue());
        }
        return hr;
    } catch (const DispatchError& e) {
        return e.HResult();
    }
}

HRESULT VireoControl::SetFontColor(BSTR sFontName, LONG_PTR hFontLarge, LONG_PTR hFontSmall, long BackColor,
                                   long ForeColor) {
    std::vector<Variant> args{FromBstr(sFontName), Variant::Long(hFontLarge), Variant::Long(hFontSmall),
                              Variant::Long(BackColor), Variant::Long(ForeColor)};
    return Call(0x6003030A, M, args);
}

HRESULT VireoControl::FileOperation(short* Index, BSTR TargetDir) {
    if (!Index) return E_POINTER;
    std::vector<Variant> args{Variant::Integer(*Index), FromBstr(TargetDir)};
    HRESULT hr = Call(0x6003030B, M, args);
    if (SUCCEEDED(hr)) *Index = args[0].IntegerValue();
    return hr;
}

HRESULT VireoControl::SetSelectedFiles(BSTR sFiles) {
    std::vector<Variant> args{FromBstr(sFiles)};
    return Call(0x60030318, M, args);
}

HRESULT VireoControl::OpenArchiveEx(BSTR URL) {
    std::vector<Variant> args{FromBstr(URL)};
    return Call(0x6003031E, M, args);
}

HRESULT VireoControl::get_Font(IDispatch** value) {
    if (!value) return E_POINTER;
    // A control no container initialised (a script's CreateObject) takes the font a new control takes.
    if (!m_control->Font()) m_control->SetFont(m_control->Site().AmbientFont());
    *value = m_font.ObjectFor(m_control->Font());
    return S_OK;
}

HRESULT VireoControl::putref_Font(IDispatch* value) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = value;
    try {
        std::vector<Variant> args{FromVariant(v)};
        const HRESULT hr = Call(0x680302FB, S, args);
        if (SUCCEEDED(hr)) m_font.Link(m_control->Font(), value);
        return hr;
    } catch (const DispatchError& e) {
        return e.HResult();
    }
}

HRESULT VireoControl::get_hFont(LONG_PTR* value) {
    if (!value) return E_POINTER;
    std::vector<Variant> args;
    Variant r;
    HRESULT hr = Call(0x680302FA, G, args, &r);
    if (SUCCEEDED(hr)) *value = static_cast<LONG_PTR>(r.LongValue());
    return hr;
}

HRESULT VireoControl::SwitchView(long nStyle) {
    std::vector<Variant> args{Variant::Long(nStyle)};
    return Call(0x6003031F, M, args);
}

HRESULT VireoControl::SetTempDir(BSTR* sTempDir) {
    if (!sTempDir) return E_POINTER;
    std::vector<Variant> args{FromBstr(*sTempDir)};
    HRESULT hr = Call(0x60030320, M, args);
    if (SUCCEEDED(hr)) PutBstr(sTempDir, args[0]);
    return hr;
}

HRESULT VireoControl::put_URL(BSTR value) {
    std::vector<Variant> args{FromBstr(value)};
    return Call(0x680302F8, L, args);
}

HRESULT VireoControl::put_OpenOneClick(long value) {
    std::vector<Variant> args{Variant::Long(value)};
    return Call(0x680302F7, L, args);
}

HRESULT VireoControl::Terminate(VARIANT bClearAll) {
    try {
        std::vector<Variant> args;
        const bool missing = V_VT(&bClearAll) == VT_ERROR && V_ERROR(&bClearAll) == DISP_E_PARAMNOTFOUND;
        if (!missing) args.push_back(FromVariant(bClearAll));
        return Call(0x60030321, M, args);
    } catch (const DispatchError& e) {
        return e.HResult();
    }
}

HRESULT VireoControl::ParentPidl(LONG_PTR* result) {
    if (!result) return E_POINTER;
    std::vector<Variant> args;
    Variant r;
    HRESULT hr = Call(0x60030334, M, args, &r);
    if (SUCCEEDED(hr)) *result = static_cast<LONG_PTR>(r.LongValue());
    return hr;
}

HRESULT VireoControl::get_IsBusy(VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    std::vector<Variant> args;
    Variant r;
    HRESULT hr = Call(0x68030335, G, args, &r);
    if (SUCCEEDED(hr)) *value = Bool(r);
    return hr;
}

} // namespace vireo::com
