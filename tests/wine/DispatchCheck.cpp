// Calls through IDispatch::Invoke: names, property round trips, by-reference write-back, named and
// optional arguments, and the dispatch errors of bad calls.
#include "tests/wine/Checker.h"
#include <climits>
#include <olectl.h>

namespace winecheck {

namespace {

IDispatch* NewControl() {
    IDispatch* object = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    return object;
}

void CheckNames(IDispatch* c) {
    struct Row {
        const wchar_t* name;
        HRESULT hr;
        DISPID id;
    } rows[] = {
        {L"Style", S_OK, 0x680302F9},
        {L"STYLE", S_OK, 0x680302F9},
        {L"navigatetv", S_OK, 0x60030308},
        {L"m_hwndLV2", S_OK, 0x40030307},
        {L"NoSuchMember", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {L"Styl", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {L"", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
    };
    for (const Row& r : rows) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(r.name)};
        HRESULT hr = c->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        Check("GetIDsOfNames " + Narrow(r.name), hr == r.hr && id == r.id, Hex(hr) + " " + Hex(id));
    }
    // Parameter names follow the member's name.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetFontColor"), const_cast<LPOLESTR>(L"ForeColor"),
                        const_cast<LPOLESTR>(L"nothing")};
    DISPID ids[3] = {};
    HRESULT hr = c->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids);
    Check("GetIDsOfNames of parameters",
          hr == DISP_E_UNKNOWNNAME && ids[0] == 0x6003030A && ids[1] == 4 && ids[2] == DISPID_UNKNOWN,
          Hex(hr) + " " + Hex(ids[1]) + " " + Hex(ids[2]));
}

void CheckProperties(IDispatch* c) {
    struct Row {
        const wchar_t* name;
        long value;
    } rows[] = {{L"Style", 0},           {L"Style", 3},
                {L"ForeColor", 0xFF},    {L"BackColor", static_cast<long>(0x80000005)},
                {L"m_OpenOneClick", -1}, {L"m_hwndWB", 0}};
    for (const Row& r : rows) {
        HRESULT hr = Put(c, r.name, Long(r.value));
        const long long seen = GetNumber(c, r.name);
        Check("put and get " + Narrow(r.name) + " " + std::to_string(r.value), hr == S_OK && seen == r.value,
              Hex(hr) + " " + std::to_string(seen));
    }
    // Let-only OpenOneClick stores into the public field.
    HRESULT hr = Put(c, L"OpenOneClick", Long(5));
    Check("OpenOneClick writes m_OpenOneClick", hr == S_OK && GetNumber(c, L"m_OpenOneClick") == 5, Hex(hr));
    // A string that holds a number converts as automation does.
    VARIANT text = Str(L"2");
    hr = Put(c, L"Style", text);
    VariantClear(&text);
    Check("Style takes numeric text", hr == S_OK && GetNumber(c, L"Style") == 2, Hex(hr));
    Check("hFont is 0 before SetFontColor", GetNumber(c, L"hFont") == 0);
    Check("IsBusy is False", GetNumber(c, L"IsBusy") == VARIANT_FALSE);

    CallResult folder;
    Call(folder, c, IdOf(c, L"SelFolder"), DISPATCH_PROPERTYGET, nullptr, 0);
    Check("SelFolder is a Folder record", folder.hr == S_OK && V_VT(&folder.value) == VT_RECORD,
          Hex(folder.hr));
    if (folder.hr == S_OK && V_VT(&folder.value) == VT_RECORD) {
        VARIANT field;
        VariantInit(&field);
        HRESULT fr = folder.value.pRecInfo->GetField(folder.value.pvRecord, L"nPidl", &field);
        Check("SelFolder's nPidl is 0 before a navigation", SUCCEEDED(fr) && Text(field) == "0", Text(field));
        VariantClear(&field);
        fr = folder.value.pRecInfo->GetField(folder.value.pvRecord, L"sURL", &field);
        Check("SelFolder's sURL is empty",
              SUCCEEDED(fr) && V_VT(&field) == VT_BSTR && SysStringLen(V_BSTR(&field)) == 0);
        VariantClear(&field);
    }
}

void CheckFont(IDispatch* c) {
    IFontDisp* font = NewFont(L"Courier New", 120000, FW_BOLD, TRUE);
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = font;
    HRESULT hr = Put(c, L"Font", v, DISPATCH_PROPERTYPUTREF);
    Check("Set Font", hr == S_OK, Hex(hr));
    font->Release();
    CallResult got;
    Call(got, c, IdOf(c, L"Font"), DISPATCH_PROPERTYGET, nullptr, 0);
    IFont* back = nullptr;
    if (got.hr == S_OK && V_VT(&got.value) == VT_DISPATCH && V_DISPATCH(&got.value))
        V_DISPATCH(&got.value)->QueryInterface(IID_IFont, reinterpret_cast<void**>(&back));
    BSTR name = nullptr;
    CY size{};
    BOOL italic = FALSE, bold = FALSE;
    if (back) {
        back->get_Name(&name);
        back->get_Size(&size);
        back->get_Italic(&italic);
        back->get_Bold(&bold);
        back->Release();
    }
    Check("Font reads back its face, size and style",
          Narrow(name) == RealisedFace(L"Courier New") && size.int64 == 120000 && italic && bold,
          Narrow(name) + " " + std::to_string(size.int64));
    SysFreeString(name);
    VARIANT text = Str(L"Arial");
    hr = Put(c, L"Font", text, DISPATCH_PROPERTYPUTREF);
    VariantClear(&text);
    Check("Set Font with a text is a type mismatch", hr == DISP_E_TYPEMISMATCH, Hex(hr));
}

void CheckArguments(IDispatch* c) {
    // By reference: the member's value comes back into the caller's variable, of the caller's type.
    struct ByRef {
        VARTYPE vt;
        const char* expected;
    } byRefs[] = {{VT_BOOL, "-1"}, {VT_VARIANT, "-1"}, {VT_I4, "-1"}, {VT_BSTR, "True"}};
    for (const ByRef& b : byRefs) {
        VARIANT_BOOL flag = VARIANT_FALSE;
        long number = 0;
        BSTR text = SysAllocString(L"False");
        VARIANT inner;
        V_VT(&inner) = VT_BOOL;
        V_BOOL(&inner) = VARIANT_FALSE;
        VARIANT args[2];
        args[1] = Str(L"ftp://example.com/byref");
        V_VT(&args[0]) = VT_BYREF | b.vt;
        if (b.vt == VT_BOOL) V_BOOLREF(&args[0]) = &flag;
        if (b.vt == VT_VARIANT) V_VARIANTREF(&args[0]) = &inner;
        if (b.vt == VT_I4) V_I4REF(&args[0]) = &number;
        if (b.vt == VT_BSTR) V_BSTRREF(&args[0]) = &text;
        CallResult r;
        Call(r, c, IdOf(c, L"NavigateTV"), DISPATCH_METHOD, args, 2);
        VARIANT seen;
        VariantInit(&seen);
        VariantCopyInd(&seen, &args[0]);
        Check("NavigateTV writes bSuccess back by reference, vt " + std::to_string(b.vt),
              r.hr == S_OK && Text(seen) == b.expected &&
                  V_VT(&seen) == (b.vt == VT_VARIANT ? VARTYPE(VT_BOOL) : b.vt),
              Hex(r.hr) + " " + Text(seen));
        VariantClear(&seen);
        VariantClear(&inner);
        SysFreeString(text);
        VariantClear(&args[1]);
    }

    // Optional arguments left out take their defaults; a named argument goes to its parameter.
    VARIANT args[3] = {Long(0), Long(0), Str(L"Tahoma")}; // last to first
    CallResult set;
    Call(set, c, IdOf(c, L"SetFontColor"), DISPATCH_METHOD, args, 3);
    Check("SetFontColor's defaults: white on black",
          set.hr == S_OK && GetNumber(c, L"BackColor") == 0xFFFFFF && GetNumber(c, L"ForeColor") == 0,
          Hex(set.hr));
    VARIANT named[4] = {Long(0x0000FF), Long(0), Long(0), Str(L"Tahoma")};
    DISPID ids[1] = {4}; // ForeColor
    CallResult setNamed;
    Call(setNamed, c, IdOf(c, L"SetFontColor"), DISPATCH_METHOD, named, 4, ids, 1);
    Check("SetFontColor with ForeColor named",
          setNamed.hr == S_OK && GetNumber(c, L"ForeColor") == 0xFF && GetNumber(c, L"BackColor") == 0xFFFFFF,
          Hex(setNamed.hr));
    SysFreeString(V_BSTR(&args[2]));
    SysFreeString(V_BSTR(&named[3]));

    // A method called as a property read (as VBScript does) works.
    CallResult both;
    Call(both, c, IdOf(c, L"IsBusy"), DISPATCH_METHOD | DISPATCH_PROPERTYGET, nullptr, 0);
    Check("IsBusy called with method and get flags", both.hr == S_OK && V_VT(&both.value) == VT_BOOL,
          Hex(both.hr));
}

void CheckErrors(IDispatch* c) {
    VARIANT one = Long(1), text = Str(L"not a number");
    VARIANT two[2] = {Long(1), Long(2)};
    struct Row {
        const char* what;
        DISPID id;
        WORD flags;
        VARIANT* args;
        UINT count;
        HRESULT hr;
        UINT argErr; // ~0u: not checked
    } rows[] = {
        {"unknown identifier", 0x12345, DISPATCH_METHOD, nullptr, 0, DISP_E_MEMBERNOTFOUND, ~0u},
        {"reading the Let-only URL", 0x680302F8, DISPATCH_PROPERTYGET, nullptr, 0, DISP_E_MEMBERNOTFOUND,
         ~0u},
        {"GoUp with two arguments", 0x6003030C, DISPATCH_METHOD, two, 2, DISP_E_BADPARAMCOUNT, ~0u},
        {"SwitchView without its argument", 0x6003031F, DISPATCH_METHOD, nullptr, 0, DISP_E_BADPARAMCOUNT,
         ~0u},
        {"SwitchView with text", 0x6003031F, DISPATCH_METHOD, &text, 1, DISP_E_TYPEMISMATCH, 0},
        {"SetFontColor without arguments", 0x6003030A, DISPATCH_METHOD, nullptr, 0, DISP_E_BADPARAMCOUNT,
         ~0u},
        {"Style read with an argument", 0x680302F9, DISPATCH_PROPERTYGET, &one, 1, DISP_E_BADPARAMCOUNT, ~0u},
    };
    for (const Row& r : rows) {
        CallResult res;
        Call(res, c, r.id, r.flags, r.args, r.count);
        Check(std::string("error: ") + r.what, res.hr == r.hr && (r.argErr == ~0u || res.argErr == r.argErr),
              Hex(res.hr) + " argErr " + std::to_string(res.argErr));
    }
    HRESULT hr = Put(c, L"Style", text);
    Check("error: Style = text", hr == DISP_E_TYPEMISMATCH, Hex(hr));
    hr = Put(c, L"IsBusy", one);
    Check("error: writing the read-only IsBusy", hr == DISP_E_MEMBERNOTFOUND, Hex(hr));
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    hr = c->Invoke(0x680302F9, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr);
    Check("error: Invoke with an interface id", hr == DISP_E_UNKNOWNINTERFACE, Hex(hr));

    VariantClear(&text);
}

} // namespace

void CheckDispatch() {
    IDispatch* c = NewControl();
    Check("a control for the dispatch checks", c != nullptr);
    if (!c) return;
    CheckNames(c);
    CheckProperties(c);
    CheckFont(c);
    CheckArguments(c);
    CheckErrors(c);
    c->Release();
}

} // namespace winecheck
