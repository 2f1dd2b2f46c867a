// The four persisted properties through a property bag and through a stream.
#include "tests/wine/Checker.h"
#include <map>
#include <ocidl.h>
#include <olectl.h>

namespace winecheck {

namespace {

// A container's property bag in memory: values copied in and out by name.
class MemoryBag : public IPropertyBag {
public:
    std::map<std::wstring, VARIANT> values;
    HRESULT writeAnswer = S_OK; // a failure the bag gives on every write
    ~MemoryBag() {
        for (auto& [name, v] : values)
            VariantClear(&v);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag)) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto it = values.find(name);
        if (it == values.end()) return E_INVALIDARG; // as the system's bags answer a missing key
        return VariantCopy(value, &it->second);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        if (FAILED(writeAnswer)) return writeAnswer;
        VARIANT& slot = values[name];
        VariantClear(&slot);
        return VariantCopy(&slot, value);
    }
};

IDispatch* NewControl() {
    IDispatch* object = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object));
    return object;
}

std::string FontName(IDispatch* c) {
    CallResult got;
    Call(got, c, IdOf(c, L"Font"), DISPATCH_PROPERTYGET, nullptr, 0);
    if (got.hr != S_OK || V_VT(&got.value) != VT_DISPATCH || !V_DISPATCH(&got.value)) return "<none>";
    IFont* font = Query<IFont>(V_DISPATCH(&got.value), IID_IFont);
    BSTR name = nullptr;
    if (font) font->get_Name(&name), font->Release();
    std::string s = Narrow(name);
    SysFreeString(name);
    return s;
}

void SetUp(IDispatch* c) {
    Put(c, L"Style", Long(1));
    Put(c, L"ForeColor", Long(0x0000FF));
    Put(c, L"BackColor", Long(0x00FF00));
    IFontDisp* font = NewFont(L"Arial", 100000);
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = font;
    Put(c, L"Font", v, DISPATCH_PROPERTYPUTREF);
    font->Release();
}

void CheckRestored(const char* how, IDispatch* c, long style, long fore, long back, const wchar_t* face) {
    const std::string font = RealisedFace(face);
    const long long s = GetNumber(c, L"Style"), f = GetNumber(c, L"ForeColor"),
                    b = GetNumber(c, L"BackColor");
    const std::string name = FontName(c);
    Check(std::string(how) + ": Style, ForeColor, BackColor and Font",
          s == style && f == fore && b == back && name == font,
          std::to_string(s) + " " + std::to_string(f) + " " + std::to_string(b) + " " + name);
}

void CheckPropertyBag() {
    IDispatch* c = NewControl();
    IPersistPropertyBag* persist = Query<IPersistPropertyBag>(c, IID_IPersistPropertyBag);
    Check("the control has IPersistPropertyBag", persist != nullptr);
    if (!persist) {
        if (c) c->Release();
        return;
    }
    CLSID clsid{};
    persist->GetClassID(&clsid);
    Check("GetClassID", IsEqualCLSID(clsid, kClsid));
    HRESULT hr = persist->InitNew();
    CheckRestored("InitNew", c, 3, 0, 0, L"MS Sans Serif");
    IPersistStreamInit* stream = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
    Check("not dirty after InitNew", hr == S_OK && stream && stream->IsDirty() == S_FALSE, Hex(hr));
    SetUp(c);
    Check("dirty after ForeColor and BackColor change", stream && stream->IsDirty() == S_OK);

    MemoryBag bag;
    hr = persist->Save(&bag, TRUE, TRUE);
    Check("Save writes the four keys",
          hr == S_OK && bag.values.size() == 4 && bag.values.count(L"Style") &&
              bag.values.count(L"ForeColor") && bag.values.count(L"BackColor") && bag.values.count(L"Font"),
          Hex(hr) + " " + std::to_string(bag.values.size()));
    Check("Style stored as 1", bag.values.count(L"Style") && Text(bag.values[L"Style"]) == "1");
    Check("not dirty after a clearing Save", stream && stream->IsDirty() == S_FALSE);
    MemoryBag full;
    full.writeAnswer = STG_E_MEDIUMFULL;
    hr = persist->Save(&full, TRUE, TRUE);
    Check("a bag that fails a write: Save gives its failure", hr == STG_E_MEDIUMFULL && full.values.empty(),
          Hex(hr));
    if (stream) stream->Release();
    persist->Release();
    c->Release();

    IDispatch* loaded = NewControl();
    IPersistPropertyBag* lp = Query<IPersistPropertyBag>(loaded, IID_IPersistPropertyBag);
    hr = lp ? lp->Load(&bag, nullptr) : E_FAIL;
    Check("Load from the bag", hr == S_OK, Hex(hr));
    CheckRestored("loaded from a bag", loaded, 1, 0xFF, 0xFF00, L"Arial");
    if (lp) lp->Release();
    loaded->Release();

    MemoryBag empty;
    IDispatch* fresh = NewControl();
    IPersistPropertyBag* fp = Query<IPersistPropertyBag>(fresh, IID_IPersistPropertyBag);
    hr = fp ? fp->Load(&empty, nullptr) : E_FAIL;
    Check("Load from an empty bag", hr == S_OK, Hex(hr));
    CheckRestored("an empty bag gives the defaults", fresh, 3, 0, 0, L"MS Sans Serif");
    MemoryBag wrong;
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"not a number");
    wrong.Write(L"Style", &text);
    VariantClear(&text);
    hr = fp ? fp->Load(&wrong, nullptr) : E_FAIL;
    Check("Load with a Style that is no number fails", hr == DISP_E_TYPEMISMATCH, Hex(hr));
    if (fp) fp->Release();
    fresh->Release();
}

void CheckStream() {
    IDispatch* c = NewControl();
    IPersistStreamInit* persist = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
    if (!persist) {
        Check("the control has IPersistStreamInit", false);
        if (c) c->Release();
        return;
    }
    persist->InitNew();
    SetUp(c);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ULARGE_INTEGER max{};
    persist->GetSizeMax(&max);
    HRESULT hr = persist->Save(stream, TRUE);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    Check("Save to a stream writes GetSizeMax bytes",
          hr == S_OK && stat.cbSize.QuadPart == max.QuadPart && max.QuadPart > 0,
          Hex(hr) + " " + std::to_string(stat.cbSize.QuadPart) + " " + std::to_string(max.QuadPart));
    persist->Release();
    c->Release();

    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    IDispatch* loaded = NewControl();
    IPersistStreamInit* lp = Query<IPersistStreamInit>(loaded, IID_IPersistStreamInit);
    hr = lp ? lp->Load(stream) : E_FAIL;
    Check("Load from the stream", hr == S_OK, Hex(hr));
    CheckRestored("loaded from a stream", loaded, 1, 0xFF, 0xFF00, L"Arial");
    stream->Release();

    IStream* junk = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &junk);
    const char bytes[] = "garbage in the stream";
    junk->Write(bytes, sizeof bytes, nullptr);
    junk->Seek(zero, STREAM_SEEK_SET, nullptr);
    hr = lp ? lp->Load(junk) : E_FAIL;
    Check("Load of a stream in another format fails", FAILED(hr), Hex(hr));
    junk->Release();
    if (lp) lp->Release();
    loaded->Release();
}

} // namespace

void CheckPersistence() {
    CheckPropertyBag();
    CheckStream();
}

} // namespace winecheck
