// Arguments the automation conversions refuse (Null, an object without a default value where text or a
// number is expected) and the Font property's object, which the caller reads and changes in place.
#include "com/IVireoBrowser.h"
#include "tests/wine/Checker.h"
#include <vector>

namespace winecheck {

namespace {

// An automation object with or without a default value (DISPID_VALUE), as a script's objects are.
class ValueObject : public IDispatch {
public:
    explicit ValueObject(const wchar_t* value) : m_value(value) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    // Lives on the stack of the check.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != DISPID_VALUE || !m_value || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        if (result) *result = Str(m_value);
        return S_OK;
    }

private:
    const wchar_t* m_value;
};

IDispatch* NewControl() {
    IDispatch* object = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    return object;
}

VARIANT Null() {
    VARIANT v;
    V_VT(&v) = VT_NULL;
    return v;
}

VARIANT Object(IDispatch* object) {
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}

void CheckRefusals(IDispatch* c) {
    ValueObject none(nullptr), seven(L"7"), archive(L"C:\\from-default.zip");
    VARIANT text = Str(L"Tahoma");
    struct Row {
        const char* what;
        const wchar_t* member;
        WORD flags;
        std::vector<VARIANT> args; // in declared order
        HRESULT hr;
        UINT argErr; // position in rgvarg (last argument first); ~0u: not checked
    } rows[] = {
        {"Style = Null", L"Style", DISPATCH_PROPERTYPUT, {Null()}, DISP_E_TYPEMISMATCH, 0},
        {"Style = an object without a default value",
         L"Style",
         DISPATCH_PROPERTYPUT,
         {Object(&none)},
         DISP_E_TYPEMISMATCH,
         0},
        {"Style = an object whose default value is \"7\"",
         L"Style",
         DISPATCH_PROPERTYPUT,
         {Object(&seven)},
         S_OK,
         ~0u},
        {"OpenArchiveEx Null", L"OpenArchiveEx", DISPATCH_METHOD, {Null()}, DISP_E_TYPEMISMATCH, 0},
        {"OpenArchiveEx an object without a default value",
         L"OpenArchiveEx",
         DISPATCH_METHOD,
         {Object(&none)},
         DISP_E_TYPEMISMATCH,
         0},
        {"OpenArchiveEx an object with a default value",
         L"OpenArchiveEx",
         DISPATCH_METHOD,
         {Object(&archive)},
         S_OK,
         ~0u},
        {"SetSelectedFiles an object without a default value",
         L"SetSelectedFiles",
         DISPATCH_METHOD,
         {Object(&none)},
         DISP_E_TYPEMISMATCH,
         0},
        {"SetFontColor with Null as its third argument",
         L"SetFontColor",
         DISPATCH_METHOD,
         {text, Long(0), Null()},
         DISP_E_TYPEMISMATCH,
         0},
        {"SetFontColor with Null as its second argument",
         L"SetFontColor",
         DISPATCH_METHOD,
         {text, Null(), Long(0)},
         DISP_E_TYPEMISMATCH,
         1},
        {"SwitchView Null", L"SwitchView", DISPATCH_METHOD, {Null()}, DISP_E_TYPEMISMATCH, 0},
        {"GoToChild an object without a default value",
         L"GoToChild",
         DISPATCH_METHOD,
         {Object(&none)},
         DISP_E_TYPEMISMATCH,
         0},
    };
    for (Row& r : rows) {
        std::vector<VARIANT> reversed(r.args.rbegin(), r.args.rend());
        CallResult res;
        DISPID put = DISPID_PROPERTYPUT;
        const bool isPut = r.flags == DISPATCH_PROPERTYPUT;
        Call(res, c, IdOf(c, r.member), r.flags, reversed.data(), static_cast<UINT>(reversed.size()),
             isPut ? &put : nullptr, isPut ? 1 : 0);
        Check(std::string("conversion: ") + r.what,
              res.hr == r.hr && (r.argErr == ~0u || res.argErr == r.argErr),
              Hex(res.hr) + " argErr " + std::to_string(res.argErr));
    }
    Check("conversion: Style took the object's default value", GetNumber(c, L"Style") == 7,
          std::to_string(GetNumber(c, L"Style")));
    VariantClear(&text);
}

IUnknown* Identity(IUnknown* object) {
    return Query<IUnknown>(object, IID_IUnknown);
}

// The font object the Font property gives, through IDispatch (null when it gives none).
IDispatch* GetFont(IDispatch* c) {
    CallResult got;
    Call(got, c, IdOf(c, L"Font"), DISPATCH_PROPERTYGET, nullptr, 0);
    if (got.hr != S_OK || V_VT(&got.value) != VT_DISPATCH || !V_DISPATCH(&got.value)) return nullptr;
    IDispatch* font = V_DISPATCH(&got.value);
    font->AddRef();
    return font;
}

// The size a font object reports, in ten-thousandths of a point; -1 when it gives none.
LONGLONG FontSize(IUnknown* object) {
    IFont* font = Query<IFont>(object, IID_IFont);
    CY cy{};
    const bool read = font && SUCCEEDED(font->get_Size(&cy));
    if (font) font->Release();
    return read ? cy.int64 : -1;
}

// The persisted size of c's font, read back by a second control loaded from c's saved stream.
LONGLONG SavedFontSize(IDispatch* c) {
    IPersistStreamInit* persist = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    LONGLONG size = -1;
    if (persist && stream && SUCCEEDED(persist->Save(stream, TRUE))) {
        stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        IDispatch* other = NewControl();
        IPersistStreamInit* load = Query<IPersistStreamInit>(other, IID_IPersistStreamInit);
        if (load && SUCCEEDED(load->Load(stream)))
            if (IDispatch* f = GetFont(other)) size = FontSize(f), f->Release();
        if (load) load->Release();
        if (other) other->Release();
    }
    if (stream) stream->Release();
    if (persist) persist->Release();
    return size;
}

void CheckFontObject() {
    IDispatch* c = NewControl();
    IPersistStreamInit* init = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
    if (init) init->InitNew(), init->Release();
    IDispatch* first = GetFont(c);
    IDispatch* second = GetFont(c);
    Check("Font gives a font object through IDispatch", first != nullptr);
    IUnknown *a = Identity(first), *b = Identity(second);
    Check("Font gives the same object on every read", a && a == b);
    if (a) a->Release();
    if (b) b->Release();
    if (second) second->Release();

    // A caller changes the font it read (o.Font.Size = 15, late bound): the control's font is that object.
    // The object reports the size it realised (Wine rounds to the font's pixel height), and that is the
    // size the control keeps.
    LONGLONG reported = -1;
    if (first) {
        VARIANT size = Long(15);
        HRESULT hr = Put(first, L"Size", size);
        Check("the font object's Size takes 15", hr == S_OK, Hex(hr));
        reported = FontSize(first);
        first->Release();
    }
    Check("the control keeps the size set through its font object",
          reported >= 150000 && SavedFontSize(c) == reported, std::to_string(SavedFontSize(c)));

    // The dual interface gives the same object.
    auto* dual = Query<vireo::com::_VireoBrowser>(c, kDualIid);
    IDispatch* viaDual = nullptr;
    HRESULT dualHr = dual ? dual->get_Font(&viaDual) : E_NOINTERFACE;
    IDispatch* viaDispatch = GetFont(c);
    IUnknown *x = Identity(viaDual), *y = Identity(viaDispatch);
    Check("the dual interface's Font is the same object", dualHr == S_OK && x && x == y, Hex(dualHr));
    for (IUnknown* p : {static_cast<IUnknown*>(viaDual), static_cast<IUnknown*>(viaDispatch), x, y})
        if (p) p->Release();

    // A font the caller sets stays the caller's object.
    IFontDisp* own = NewFont(L"Courier New", 100000);
    VARIANT v = Object(own);
    HRESULT hr = Put(c, L"Font", v, DISPATCH_PROPERTYPUTREF);
    IDispatch* back = GetFont(c);
    IUnknown *mine = Identity(own), *theirs = Identity(back);
    Check("Font after Set Font is the object set", hr == S_OK && mine && mine == theirs, Hex(hr));
    if (IFont* f = Query<IFont>(own, IID_IFont)) {
        CY cy{};
        cy.int64 = 180000;
        f->put_Size(cy);
        f->Release();
    }
    reported = FontSize(own);
    Check("a change to the set font reaches the control", reported >= 180000 && SavedFontSize(c) == reported,
          std::to_string(SavedFontSize(c)));
    if (mine) mine->Release();
    if (theirs) theirs->Release();
    if (back) back->Release();
    if (own) own->Release();
    if (dual) dual->Release();
    c->Release();
}

} // namespace

void CheckConversions() {
    IDispatch* c = NewControl();
    Check("a control for the conversion checks", c != nullptr);
    if (!c) return;
    CheckRefusals(c);
    c->Release();
    CheckFontObject();
}

} // namespace winecheck
