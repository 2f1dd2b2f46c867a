// A small checker for the Wine run: one line per check ("ok" or "FAIL" with what was seen), and a
// count of failures that becomes the exit code.
#pragma once
#include "com/WideText.h"
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
#include <cstdio>
#include <string>

namespace winecheck {

int& Failures();
void Check(const std::string& name, bool ok, const std::string& detail = "");
std::string Hex(long value);
using vireo::Narrow;
// Text of a VARIANT, "<vt N>" for what has none.
std::string Text(const VARIANT& v);

// IDispatch calls by name with arguments in declared order (they are passed last to first).
struct CallResult {
    HRESULT hr = E_FAIL;
    VARIANT value;
    EXCEPINFO excep{};
    UINT argErr = ~0u;
    CallResult() { VariantInit(&value); }
    CallResult(const CallResult&) = delete;
    ~CallResult() {
        VariantClear(&value);
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
};
DISPID IdOf(IDispatch* object, const wchar_t* name);
// args are borrowed (not cleared); flags as IDispatch::Invoke takes them.
void Call(CallResult& out, IDispatch* object, DISPID id, WORD flags, VARIANT* args, UINT count,
          DISPID* named = nullptr, UINT namedCount = 0);
// Property write: the value as the named DISPID_PROPERTYPUT argument.
HRESULT Put(IDispatch* object, const wchar_t* name, VARIANT value, WORD flags = DISPATCH_PROPERTYPUT);
// Property read as a 64-bit integer (VT_I4, VT_I8, VT_BOOL, VT_I2); LLONG_MIN when it fails.
long long GetNumber(IDispatch* object, const wchar_t* name);

// The face a font object made with face reports: Wine gives the face it realised (its own fonts stand in
// for the system's), Windows the face asked for.
std::string RealisedFace(const wchar_t* face);
// A new font object (the caller releases it); size in ten-thousandths of a point, as FONTDESC takes it.
IFontDisp* NewFont(const wchar_t* face, LONGLONG size, SHORT weight = FW_NORMAL, BOOL italic = FALSE);

// The interface iid of object with a new reference, or null.
template <class I> I* Query(IUnknown* object, REFIID iid) {
    I* p = nullptr;
    if (object) object->QueryInterface(iid, reinterpret_cast<void**>(&p));
    return p;
}

VARIANT Long(long n);
VARIANT Str(const wchar_t* s); // the caller frees V_BSTR

// The check groups.
void CheckRegistration();
void CheckVersionResource();
void CheckTypeLibrary();
void CheckHelpStrings();
void CheckDispatch();
void CheckConversions();
void CheckEvents();
void CheckPersistence();
void CheckSite();
void CheckWebView();
void CheckQuickActivation();
void CheckListView();
void CheckSupport();
void CheckNamespace();
void CheckRegistry();
void CheckIconsAndExecution();
void CheckPathConformance();
void CheckHostNumbers();
void CheckSequences();

extern const CLSID kClsid;
extern const GUID kLibId;
extern const IID kEventsIid;
extern const IID kDualIid;

} // namespace winecheck
