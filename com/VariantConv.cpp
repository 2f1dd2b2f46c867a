#include "com/VariantConv.h"
#include "com/Guids.h"
#include "com/IVireoBrowser.h"
#include "com/Module.h"
#include "com/WideText.h"
#include "platform/RuntimeError.h"
#include "platform/win32/FontObject.h"
#include <algorithm>
#include <limits>

namespace vireo::com {

namespace {

[[noreturn]] void Mismatch(unsigned argIndex, const char* what) {
    throw DispatchError(kDispTypeMismatch, std::string("Type mismatch: ") + what, argIndex);
}

Variant FromBytes(SAFEARRAY* array, unsigned argIndex) {
    if (!array || SafeArrayGetDim(array) != 1) Mismatch(argIndex, "a byte array has one dimension");
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    std::vector<uint8_t> bytes(static_cast<size_t>(upper - lower + 1));
    void* data = nullptr;
    if (!bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        std::copy_n(static_cast<const uint8_t*>(data), bytes.size(), bytes.begin());
        SafeArrayUnaccessData(array);
    }
    return Variant::Bytes(std::move(bytes));
}

Variant FromObject(IUnknown* unknown) {
    if (!unknown) return Variant::Object({});
    if (RefPtr<StdFont> font = FontFromInterface(unknown)) return Variant::Object(font);
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(unknown->QueryInterface(IID_IDispatch, dispatch.put_void())))
        return Variant::Object(RefPtr<VariantObject>::Adopt(new DispatchObject(dispatch.get())));
    return Variant::Object({});
}

// Through any other type the automation conversions know (dates, currency, decimals, unsigned).
Variant ThroughChangeType(const VARIANT& v, VARTYPE to, unsigned argIndex) {
    VariantOwner converted;
    if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT*>(&v), 0, to)))
        Mismatch(argIndex, "the value has no conversion");
    return FromVariant(*converted.get(), argIndex);
}

// The record's memory is the Folder structure the type library declares (IVireoBrowser.h); its fields
// are filled directly, as Wine's IRecordInfo::PutField does not take 64-bit integers.
HRESULT FolderRecordVariant(const RecordFields& fields, VARIANT* out) {
    ComPtr<ITypeInfo> info = TypeInfoOf(GUID_Folder);
    ComPtr<IRecordInfo> record;
    if (!info || FAILED(GetRecordInfoFromTypeInfo(info.get(), record.put()))) return E_FAIL;
    ULONG size = 0;
    if (FAILED(record->GetSize(&size)) || size != sizeof(Folder)) return E_UNEXPECTED;
    auto* data = static_cast<Folder*>(record->RecordCreate());
    if (!data) return E_OUTOFMEMORY;
    FillFolder(fields, *data);
    V_VT(out) = VT_RECORD;
    out->pvRecord = data;
    out->pRecInfo = record.detach();
    return S_OK;
}

} // namespace

void FillFolder(const RecordFields& fields, Folder& folder) {
    for (const auto& [name, field] : fields) {
        if (name == "sURL")
            folder.sURL = Wide(field.Text()).detach();
        else if (name == "sLocName")
            folder.sLocName = Wide(field.Text()).detach();
        else if (name == "sLocURL")
            folder.sLocURL = Wide(field.Text()).detach();
        else if (name == "nPidl")
            folder.nPidl = static_cast<LONG_PTR>(ToLongPtr(field));
        else if (name == "nAttr")
            folder.nAttr = static_cast<long>(ToLong(field));
    }
}

std::string Narrow(const OLECHAR* s, UINT length) {
    if (!s || length == 0) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, s, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

std::string Narrow(BSTR s) {
    return Narrow(s, s ? SysStringLen(s) : 0);
}

Bstr Wide(const std::string& s) {
    return Bstr::Adopt(AllocWide(s));
}

Variant FromVariant(const VARIANT& v, unsigned argIndex) {
    const VARTYPE vt = V_VT(&v);
    if (vt == (VT_BYREF | VT_VARIANT)) {
        if (!V_VARIANTREF(&v)) Mismatch(argIndex, "null reference");
        return FromVariant(*V_VARIANTREF(&v), argIndex);
    }
    if (vt & VT_BYREF) {
        // The referenced value as a plain VARIANT of the same type.
        VARIANT plain;
        VariantInit(&plain);
        if (FAILED(VariantCopyInd(&plain, const_cast<VARIANT*>(&v)))) Mismatch(argIndex, "bad reference");
        Variant result;
        try {
            result = FromVariant(plain, argIndex);
        } catch (...) {
            VariantClear(&plain);
            throw;
        }
        VariantClear(&plain);
        return result;
    }
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return {};
    case VT_BSTR:
        return Variant(Narrow(V_BSTR(&v)));
    case VT_I2:
        return Variant::Integer(V_I2(&v));
    case VT_I4:
        return Variant::Long(V_I4(&v));
    case VT_I8:
        return Variant::Long(V_I8(&v));
    case VT_INT:
        return Variant::Long(V_INT(&v));
    case VT_UI1:
        return Variant::Integer(V_UI1(&v));
    case VT_I1:
        return Variant::Integer(V_I1(&v));
    case VT_UI2:
        return Variant::Long(V_UI2(&v));
    case VT_UI4:
        return Variant::Long(static_cast<int64_t>(V_UI4(&v)));
    case VT_UINT:
        return Variant::Long(static_cast<int64_t>(V_UINT(&v)));
    case VT_R4:
        return Variant::Double(V_R4(&v));
    case VT_R8:
        return Variant::Double(V_R8(&v));
    case VT_BOOL:
        return Variant::Boolean(V_BOOL(&v) != VARIANT_FALSE);
    case VT_DISPATCH:
        return FromObject(V_DISPATCH(&v));
    case VT_UNKNOWN:
        return FromObject(V_UNKNOWN(&v));
    case VT_ARRAY | VT_UI1:
        return FromBytes(V_ARRAY(&v), argIndex);
    case VT_CY:
    case VT_DATE:
    case VT_DECIMAL:
        return ThroughChangeType(v, VT_R8, argIndex);
    case VT_UI8:
        return ThroughChangeType(v, VT_I8, argIndex);
    default:
        Mismatch(argIndex, "the control does not take this kind of value");
    }
}

namespace {

// The automation type a scalar parameter takes; VT_EMPTY for those that take any value or an object.
VARTYPE ScalarType(ParamType type) {
    switch (type) {
    case ParamType::String:
        return VT_BSTR;
    case ParamType::Long:
        return VT_I4;
    case ParamType::Handle:
        return sizeof(LONG_PTR) == 8 ? VT_I8 : VT_I4;
    case ParamType::Integer:
        return VT_I2;
    case ParamType::Boolean:
        return VT_BOOL;
    default:
        return VT_EMPTY;
    }
}

} // namespace

Variant FromArgument(const VARIANT& v, ParamType type, unsigned argIndex) {
    const VARIANT* value = &v;
    while (V_VT(value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(value))
        value = V_VARIANTREF(value);
    const VARTYPE base = V_VT(value) & ~VT_BYREF;
    const VARTYPE to = ScalarType(type);
    if (to == VT_EMPTY || (base != VT_NULL && base != VT_DISPATCH && base != VT_UNKNOWN))
        return FromVariant(v, argIndex);
    VariantOwner converted;
    const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(value), 0, to);
    if (hr == DISP_E_OVERFLOW) throw DispatchError(kDispOverflow, "Overflow", argIndex);
    if (FAILED(hr))
        Mismatch(argIndex, base == VT_NULL ? "Null is no value" : "the object has no default value");
    return FromVariant(*converted.get(), argIndex);
}

HRESULT ToVariant(const Variant& v, VARIANT* out) {
    VariantInit(out);
    switch (v.Type()) {
    case VarType::Empty:
        return S_OK;
    case VarType::String:
        V_VT(out) = VT_BSTR;
        V_BSTR(out) = Wide(v.Str()).detach();
        return S_OK;
    case VarType::Long: {
        const int64_t n = v.LongValue();
        if (n >= std::numeric_limits<LONG>::min() && n <= std::numeric_limits<LONG>::max()) {
            V_VT(out) = VT_I4;
            V_I4(out) = static_cast<LONG>(n);
        } else {
            V_VT(out) = VT_I8;
            V_I8(out) = n;
        }
        return S_OK;
    }
    case VarType::Integer:
        V_VT(out) = VT_I2;
        V_I2(out) = v.IntegerValue();
        return S_OK;
    case VarType::Double:
        V_VT(out) = VT_R8;
        V_R8(out) = v.DoubleValue();
        return S_OK;
    case VarType::Boolean:
        V_VT(out) = VT_BOOL;
        V_BOOL(out) = v.BooleanValue() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case VarType::Bytes: {
        const auto& bytes = v.BytesValue();
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
        if (!array) return E_OUTOFMEMORY;
        void* data = nullptr;
        if (!bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(data));
            SafeArrayUnaccessData(array);
        }
        V_VT(out) = VT_ARRAY | VT_UI1;
        V_ARRAY(out) = array;
        return S_OK;
    }
    case VarType::Object: {
        V_VT(out) = VT_DISPATCH;
        V_DISPATCH(out) = nullptr;
        VariantObject* object = v.ObjectValue().get();
        if (auto* font = dynamic_cast<StdFont*>(object)) {
            V_DISPATCH(out) = InterfaceFromFont(*font);
        } else if (auto* dispatch = dynamic_cast<DispatchObject*>(object)) {
            V_DISPATCH(out) = dispatch->Get();
            if (V_DISPATCH(out)) V_DISPATCH(out)->AddRef();
        }
        return S_OK;
    }
    case VarType::Record:
        return FolderRecordVariant(v.RecordValue(), out);
    }
    return E_UNEXPECTED;
}

HRESULT WriteBack(const Variant& v, VARIANT& target) {
    const VARTYPE vt = V_VT(&target);
    if (!(vt & VT_BYREF)) return S_OK;
    if (vt == (VT_BYREF | VT_VARIANT)) {
        VARIANT* inner = V_VARIANTREF(&target);
        VariantClear(inner);
        return ToVariant(v, inner);
    }
    VariantOwner value, converted;
    HRESULT hr = ToVariant(v, value.get());
    if (FAILED(hr)) return hr;
    const VARTYPE base = vt & ~VT_BYREF;
    // A Boolean written into a String reads "True" or "False", as in Visual Basic.
    hr = VariantChangeType(converted.get(), value.get(), base == VT_BSTR ? VARIANT_ALPHABOOL : 0, base);
    if (FAILED(hr)) return hr;
    switch (base) {
    case VT_BSTR:
        SysFreeString(*V_BSTRREF(&target));
        *V_BSTRREF(&target) = V_BSTR(converted.get());
        V_VT(converted.get()) = VT_EMPTY; // handed over
        return S_OK;
    case VT_I2:
        *V_I2REF(&target) = V_I2(converted.get());
        return S_OK;
    case VT_I4:
        *V_I4REF(&target) = V_I4(converted.get());
        return S_OK;
    case VT_I8:
        *V_I8REF(&target) = V_I8(converted.get());
        return S_OK;
    case VT_BOOL:
        *V_BOOLREF(&target) = V_BOOL(converted.get());
        return S_OK;
    case VT_R8:
        *V_R8REF(&target) = V_R8(converted.get());
        return S_OK;
    case VT_R4:
        *V_R4REF(&target) = V_R4(converted.get());
        return S_OK;
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

std::string DispatchObject::DefaultText() const {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantOwner value;
    if (!m_object || FAILED(m_object->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none,
                                             value.get(), nullptr, nullptr)))
        return {};
    VariantOwner text;
    if (FAILED(VariantChangeType(text.get(), value.get(), 0, VT_BSTR))) return {};
    return Narrow(V_BSTR(text.get()));
}

} // namespace vireo::com
