#include "tests/wine/Checker.h"
#include <climits>
#include <olectl.h>

namespace winecheck {

// The identifiers VireoBR.idl gives the library, its interfaces and its class.
const CLSID kClsid = {0xaab90922, 0xe7c4, 0x476c, {0x9e, 0x8a, 0x14, 0x7d, 0xa0, 0x43, 0x77, 0x18}};
const GUID kLibId = {0xf94c1a82, 0x570b, 0x43d9, {0x9b, 0xea, 0x50, 0xf0, 0x21, 0xba, 0x75, 0x5b}};
const IID kEventsIid = {0xc8af1316, 0xff90, 0x4a04, {0xb7, 0xae, 0xff, 0x86, 0x65, 0x31, 0xbc, 0x9f}};
const IID kDualIid = {0xb95f011c, 0x9e55, 0x4f43, {0x8a, 0xcd, 0x5d, 0x6b, 0xe1, 0x45, 0xce, 0x56}};

int& Failures() {
    static int failures = 0;
    return failures;
}

void Check(const std::string& name, bool ok, const std::string& detail) {
    if (ok) {
        std::printf("ok   %s\n", name.c_str());
    } else {
        ++Failures();
        std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
}

std::string Hex(long value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(value));
    return buf;
}

std::string Text(const VARIANT& v) {
    VARIANT t;
    VariantInit(&t);
    if (FAILED(VariantChangeType(&t, const_cast<VARIANT*>(&v), 0, VT_BSTR)))
        return "<vt " + std::to_string(V_VT(&v)) + ">";
    std::string s = Narrow(V_BSTR(&t));
    VariantClear(&t);
    return s;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

void Call(CallResult& out, IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count, DISPID* named,
          UINT namedCount) {
    DISPPARAMS params{args, named, count, namedCount};
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &out.value, &out.excep,
                            &out.argErr);
}

HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value, WORD flags) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr,
                          nullptr);
}

long long GetNumber(IDispatch* object, const wchar_t* name) {
    CallResult r;
    Call(r, object, IdOf(object, name), DISPATCH_PROPERTYGET, nullptr, 0);
    if (FAILED(r.hr)) return LLONG_MIN;
    switch (V_VT(&r.value)) {
    case VT_I4:
        return V_I4(&r.value);
    case VT_I8:
        return V_I8(&r.value);
    case VT_I2:
        return V_I2(&r.value);
    case VT_BOOL:
        return V_BOOL(&r.value);
    default:
        return LLONG_MIN;
    }
}

IFontDisp* NewFont(const wchar_t* face, LONGLONG size, SHORT weight, BOOL italic) {
    FONTDESC desc{sizeof(FONTDESC), const_cast<LPOLESTR>(face), {}, weight, 0, italic, FALSE, FALSE};
    desc.cySize.int64 = size;
    IFontDisp* font = nullptr;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&font)))) return nullptr;
    return font;
}

std::string RealisedFace(const wchar_t* face) {
    IFontDisp* disp = NewFont(face, 82500);
    IFont* font = Query<IFont>(disp, IID_IFont);
    if (disp) disp->Release();
    if (!font) return "<none>";
    BSTR name = nullptr;
    font->get_Name(&name);
    std::string s = Narrow(name);
    SysFreeString(name);
    font->Release();
    return s;
}

VARIANT Long(long n) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

VARIANT Str(const wchar_t* s) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(s);
    return v;
}

} // namespace winecheck

// With an argument, only the named group runs ("paths", "numbers", "sequences" or "support").
int main(int argc, char** argv) {
    using namespace winecheck;
    OleInitialize(nullptr);
    const std::string only = argc > 1 ? argv[1] : "";
    if (only == "paths") {
        CheckPathConformance();
    } else if (only == "numbers") {
        CheckHostNumbers();
    } else if (only == "sequences") {
        CheckSequences();
    } else if (only == "support") {
        CheckSupport();
    } else {
        CheckRegistration();
        CheckVersionResource();
        CheckTypeLibrary();
        CheckHelpStrings();
        CheckDispatch();
        CheckConversions();
        CheckEvents();
        CheckPersistence();
        CheckSite();
        CheckWebView();
        CheckQuickActivation();
        CheckListView();
        CheckSequences();
        CheckSupport();
        CheckNamespace();
        CheckRegistry();
        CheckIconsAndExecution();
        CheckPathConformance();
        CheckHostNumbers();
    }
    OleUninitialize();
    std::printf("%d failure(s)\n", Failures());
    return Failures() == 0 ? 0 : 1;
}
