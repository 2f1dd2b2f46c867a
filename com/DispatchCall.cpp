#include "com/DispatchCall.h"
#include "com/Guids.h"
#include "com/Module.h"
#include "com/Owners.h"
#include "com/VariantConv.h"
#include "control/VireoBrowser.h"
#include "platform/RuntimeError.h"
#include <optional>

namespace vireo::com {

namespace {

constexpr char kSource[] = "VireoBR";

// Position of a named parameter of member m, without regard to case.
std::optional<size_t> ParamIndex(const DispMember& m, const std::string& name) {
    for (size_t i = 0; i < m.params.size(); ++i) {
        const std::string_view p(m.params[i].name);
        if (p.size() != name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < p.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(p[k])) ==
                   std::tolower(static_cast<unsigned char>(name[k]));
        if (same) return i;
    }
    return std::nullopt;
}

// Which kind of call the flags ask for. A property write with an object may be either Let or Set:
// a member that has only one of them takes it, as Visual Basic's objects do.
unsigned KindOf(const DispMember& m, WORD flags) {
    unsigned kind = flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        const bool wantsSet = flags & DISPATCH_PROPERTYPUTREF;
        if ((m.kinds & kDispSet) && (wantsSet || !(m.kinds & kDispLet)))
            kind |= kDispSet;
        else
            kind |= kDispLet;
    }
    return kind;
}

// The default the type library declares for parameter index of member id called as kind; Empty (which
// converts to the parameter's zero value) when it declares none.
Variant DeclaredDefault(DISPID id, unsigned kind, size_t index) {
    ComPtr<ITypeInfo> dispatchInfo = TypeInfoOf(IID__VireoBrowser), info;
    HREFTYPE ref = 0;
    if (!dispatchInfo || FAILED(dispatchInfo->GetRefTypeOfImplType(-1, &ref)) ||
        FAILED(dispatchInfo->GetRefTypeInfo(ref, info.put())))
        return {};
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return {};
    const UINT count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    const INVOKEKIND want = kind == kDispMethod ? INVOKE_FUNC
                            : kind == kDispGet  ? INVOKE_PROPERTYGET
                            : kind == kDispLet  ? INVOKE_PROPERTYPUT
                                                : INVOKE_PROPERTYPUTREF;
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        const bool match = f->memid == id && f->invkind == want;
        Variant result;
        if (match && index < static_cast<size_t>(f->cParams)) {
            const PARAMDESC& p = f->lprgelemdescParam[index].paramdesc;
            if ((p.wParamFlags & PARAMFLAG_FHASDEFAULT) && p.pparamdescex) {
                try {
                    result = FromVariant(p.pparamdescex->varDefaultValue);
                } catch (const DispatchError&) {}
            }
        }
        info->ReleaseFuncDesc(f);
        if (match) return result;
    }
    return {};
}

bool IsMissing(const VARIANT& v) {
    return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

void FillException(EXCEPINFO* info, int32_t number, const std::string& source, const std::string& text) {
    if (!info) return;
    *info = EXCEPINFO{};
    info->bstrSource = Wide(source.empty() ? kSource : source).detach();
    info->bstrDescription = Wide(text).detach();
    info->scode = ErrorNumberResult(number);
}

void SetErrorObject(const std::string& source, const std::string& text) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return;
    Bstr src = Wide(source.empty() ? kSource : source), desc = Wide(text);
    create->SetSource(src.get());
    create->SetDescription(desc.get());
    ComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo);
    SetErrorInfo(0, info.get());
}

} // namespace

HRESULT ErrorNumberResult(int32_t number) {
    // Numbers that are HRESULTs already pass unchanged; small ones are control errors.
    if (number < 0) return number;
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number & 0xFFFF);
}

HRESULT IdsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_INVALIDARG;
    HRESULT hr = S_OK;
    const std::string first = Narrow(names[0], names[0] ? static_cast<UINT>(lstrlenW(names[0])) : 0);
    const DispMember* m = FindMember(first);
    ids[0] = m ? m->id : DISPID_UNKNOWN;
    if (!m) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        std::optional<size_t> index;
        if (m && names[i]) index = ParamIndex(*m, Narrow(names[i], static_cast<UINT>(lstrlenW(names[i]))));
        ids[i] = index ? static_cast<DISPID>(*index) : DISPID_UNKNOWN;
        if (!index) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT InvokeMember(VireoBrowser& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                     EXCEPINFO* excepInfo, UINT* argErr) {
    const DispMember* m = FindMember(static_cast<int32_t>(id));
    if (!m) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs) return E_INVALIDARG;
    const unsigned kind = KindOf(*m, flags);
    const bool isPut = kind & (kDispLet | kDispSet);

    // rgvarg holds the named arguments first, then the positional ones last to first.
    const UINT named = params->cNamedArgs, positional = params->cArgs - named;
    std::vector<VARIANT*> slots(positional, nullptr); // by declared position
    for (UINT i = 0; i < positional; ++i)
        slots[i] = &params->rgvarg[params->cArgs - 1 - i];
    VARIANT* putValue = nullptr;
    for (UINT i = 0; i < named; ++i) {
        const DISPID n = params->rgdispidNamedArgs[i];
        if (n == DISPID_PROPERTYPUT && isPut) {
            putValue = &params->rgvarg[i];
            continue;
        }
        if (n < 0 || isPut || static_cast<size_t>(n) >= m->params.size()) {
            if (argErr) *argErr = i;
            return DISP_E_PARAMNOTFOUND;
        }
        if (slots.size() <= static_cast<size_t>(n)) slots.resize(static_cast<size_t>(n) + 1, nullptr);
        if (slots[static_cast<size_t>(n)]) return DISP_E_BADPARAMCOUNT;
        slots[static_cast<size_t>(n)] = &params->rgvarg[i];
    }
    if (isPut) {
        // The value is the named DISPID_PROPERTYPUT argument; VBScript-style callers may pass it alone.
        if (!putValue && positional == 1 && named == 0) putValue = slots[0], slots.clear();
        if (!putValue || !slots.empty()) return putValue ? DISP_E_BADPARAMCOUNT : DISP_E_PARAMNOTOPTIONAL;
        slots.push_back(putValue);
    }

    // Missing optional arguments at the end are left out; a missing one before a given one takes the
    // default the type library declares.
    while (!slots.empty() && (!slots.back() || IsMissing(*slots.back())))
        slots.pop_back();
    std::vector<Variant> args;
    args.reserve(slots.size());
    auto rgIndex = [&](size_t position) -> UINT {
        for (UINT i = 0; i < params->cArgs; ++i)
            if (&params->rgvarg[i] == slots[position]) return i;
        return 0;
    };
    for (size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i] || IsMissing(*slots[i])) {
            if (i < m->params.size() && !m->params[i].optional) {
                if (argErr && slots[i]) *argErr = rgIndex(i);
                return DISP_E_PARAMNOTOPTIONAL;
            }
            args.push_back(DeclaredDefault(id, kind & ~(kind - 1), i));
            continue;
        }
        try {
            const ParamType type = i < m->params.size() ? m->params[i].type : ParamType::Variant;
            args.push_back(FromArgument(*slots[i], type, static_cast<unsigned>(i)));
        } catch (const DispatchError& e) {
            if (argErr) *argErr = rgIndex(i);
            return e.HResult();
        }
    }

    try {
        Variant value = Invoke(control, static_cast<int32_t>(id), kind, args);
        for (size_t i = 0; i < args.size() && i < m->params.size(); ++i)
            if (m->params[i].byRef && slots[i]) WriteBack(args[i], *slots[i]);
        if (result) {
            VariantInit(result);
            if (!value.IsEmpty()) return ToVariant(value, result);
        }
        return S_OK;
    } catch (const DispatchError& e) {
        if (argErr && (e.HResult() == kDispTypeMismatch || e.HResult() == kDispOverflow) &&
            e.ArgIndex() < slots.size())
            *argErr = rgIndex(e.ArgIndex());
        return e.HResult();
    } catch (const RuntimeError& e) {
        FillException(excepInfo, e.Number(), e.Source(), e.Description());
        return DISP_E_EXCEPTION;
    } catch (const std::exception& e) {
        FillException(excepInfo, static_cast<int32_t>(E_FAIL), kSource, e.what());
        return DISP_E_EXCEPTION;
    } catch (...) {
        FillException(excepInfo, static_cast<int32_t>(E_UNEXPECTED), kSource, "Unexpected error");
        return DISP_E_EXCEPTION;
    }
}

HRESULT CallMember(VireoBrowser& control, DISPID id, unsigned kind, std::vector<Variant>& args,
                   Variant* result) {
    SetErrorInfo(0, nullptr);
    try {
        Variant value = Invoke(control, static_cast<int32_t>(id), kind, args);
        if (result) *result = std::move(value);
        return S_OK;
    } catch (const DispatchError& e) {
        SetErrorObject(kSource, e.what());
        return e.HResult();
    } catch (const RuntimeError& e) {
        SetErrorObject(e.Source(), e.Description());
        return ErrorNumberResult(e.Number());
    } catch (const std::exception& e) {
        SetErrorObject(kSource, e.what());
        return E_FAIL;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

} // namespace vireo::com
