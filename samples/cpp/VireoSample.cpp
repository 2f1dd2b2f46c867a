// vireo-sample: the smallest complete C++ host of the VireoBrowser control, written to be read.
//
// It creates the control (by ProgID, or by CLSID with --clsid), gives it a site in a window of its own,
// activates it in place, connects to its events and prints each one, calls a few members through
// IDispatch and prints what they return, then shuts the control down. Build it with any Windows C++
// compiler (link ole32, oleaut32 and uuid); run it where VireoBR.dll is registered, or beside the DLL with
// VireoBR.manifest and vireo-sample.exe.manifest for registration-free use.
//
// Everything runs on one thread with a message loop, as every ActiveX control needs.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <commctrl.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t kProgId[] = L"VireoBR.VireoBrowser";
const wchar_t kClsid[] = L"{AAB90922-E7C4-476C-9E8A-147DA0437718}";
// The control's event interface __VireoBrowser.
const IID kEventsIid = {0xc8af1316, 0xff90, 0x4a04, {0xb7, 0xae, 0xff, 0x86, 0x65, 0x31, 0xbc, 0x9f}};

std::string Narrow(const wchar_t* s) {
    if (!s) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

// A value as text: strings in quotes, everything else as automation converts it.
std::string Text(const VARIANT& v) {
    if (V_VT(&v) == VT_BSTR) {
        std::string quoted(1, '"');
        quoted += Narrow(V_BSTR(&v));
        quoted += '"';
        return quoted;
    }
    VARIANT t;
    VariantInit(&t);
    if (FAILED(VariantChangeType(&t, const_cast<VARIANT*>(&v), VARIANT_ALPHABOOL, VT_BSTR))) return "?";
    std::string s = Narrow(V_BSTR(&t));
    VariantClear(&t);
    return s;
}

// Lets the control's window messages and timers run for a while.
void Pump(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// ---- Calling members by name through IDispatch ------------------------------------------------------

// Calls member name; args in declared order (Invoke takes them last to first). Returns the HRESULT;
// the result goes to *result when given.
HRESULT CallMember(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                   VARIANT* result = nullptr) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID put = DISPID_PROPERTYPUT;
    const bool isPut = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    DISPPARAMS params{reversed.data(), isPut ? &put : nullptr, static_cast<UINT>(reversed.size()),
                      isPut ? 1u : 0u};
    EXCEPINFO error{};
    UINT argErr = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &error, &argErr);
    if (hr == DISP_E_EXCEPTION)
        std::printf("  %s raised: %s\n", Narrow(name).c_str(), Narrow(error.bstrDescription).c_str());
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return hr;
}

VARIANT Long(long n) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

// A BSTR argument; the caller frees it with VariantClear.
VARIANT String(const wchar_t* s) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(s);
    return v;
}

// A number property; window handles are pointer-sized in the 64-bit DLL, so it is read as 64 bits.
long long GetNumber(IDispatch* object, const wchar_t* name) {
    VARIANT v;
    VariantInit(&v);
    CallMember(object, name, DISPATCH_PROPERTYGET, {}, &v);
    VariantChangeType(&v, &v, 0, VT_I8);
    return V_VT(&v) == VT_I8 ? V_I8(&v) : 0;
}

// ---- The container's site ----------------------------------------------------------------------------

// What the control needs from its container: a client site, and an in-place site that names the window
// to live in. (A full container also offers IOleInPlaceFrame for menus and the ambient properties
// through IDispatch; the control does without them.)
class Site : public IOleClientSite, public IOleInPlaceSite {
public:
    explicit Site(HWND window) : m_window(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The site lives as long as the program; it is not counted.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** m) override {
        *m = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** c) override {
        *c = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow and IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* h) override {
        *h = m_window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                               LPRECT pos, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
        *frame = nullptr;
        *doc = nullptr;
        GetClientRect(m_window, pos);
        *clip = *pos;
        info->fMDIApp = FALSE;
        info->hwndFrame = m_window;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

private:
    HWND m_window;
};

// ---- The shell view on Windows -------------------------------------------------------------------

// The list view's notifications go to its parent, the shell's view window, which the control does not
// watch: the host asks for the selection notice itself (the control's timer makes one notice of a burst).
LRESULT CALLBACK ShellViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR browser) {
    if (msg == WM_NOTIFY) {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        const auto* item = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (hdr->code == NM_CLICK || hdr->code == NM_RCLICK ||
            (hdr->code == LVN_ITEMCHANGED && ((item->uNewState ^ item->uOldState) & LVIS_SELECTED)))
            CallMember(reinterpret_cast<IDispatch*>(browser), L"FireStatus", DISPATCH_METHOD, {});
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ShellViewProc, 1);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// ---- The events ------------------------------------------------------------------------------------

// The sink of __VireoBrowser: a plain IDispatch whose Invoke receives each event by its dispatch id,
// arguments last to first. It prints the event and, for NotifyURL, takes the two steps a host makes on
// Windows so that the list-view members and the selection notice work on the shell's folder view
// (docs/windows.md).
class Events : public IDispatch {
public:
    IDispatch* control = nullptr; // not counted: the control holds the sink, not the other way round

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, kEventsIid))
            return E_NOINTERFACE;
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        static const char* const names[] = {"",
                                            "PanelProperty",
                                            "OpenURL",
                                            "OpenArchive",
                                            "OpenFTP",
                                            "CombUrlGotFocus",
                                            "CombUrlLostFocus",
                                            "NotifyURL",
                                            "NotifySelection"};
        std::string line = "event ";
        line += id >= 1 && id <= 8 ? names[id] : "?";
        line += "(";
        for (UINT i = params->cArgs; i > 0; --i)
            line += Text(params->rgvarg[i - 1]) + (i > 1 ? ", " : "");
        std::printf("%s)\n", line.c_str());
        std::fflush(stdout);
        if (id == 7) AdoptShellListView();
        return S_OK;
    }

private:
    // On Windows the shell's list view sits one level below the document-view host, where the control
    // finds it as m_hwndLV2 only; the selection members and the selection notice use m_hwndLV. Each folder
    // shown brings a new list view in a new view window.
    void AdoptShellListView() {
        if (!control) return;
        const long long lv = GetNumber(control, L"m_hwndLV"), lv2 = GetNumber(control, L"m_hwndLV2");
        if (lv2 == 0 || lv2 == lv) return;
        VARIANT handle;
        V_VT(&handle) = VT_I8;
        V_I8(&handle) = lv2;
        CallMember(control, L"m_hwndLV", DISPATCH_PROPERTYPUT, {handle});
        SetWindowSubclass(GetParent(reinterpret_cast<HWND>(static_cast<LONG_PTR>(lv2))), ShellViewProc, 1,
                          reinterpret_cast<DWORD_PTR>(control));
    }
};

// Connects sink to the control's events; returns the connection's cookie (0 when it failed).
DWORD Connect(IUnknown* control, IDispatch* sink, IConnectionPoint** point) {
    IConnectionPointContainer* container = nullptr;
    DWORD cookie = 0;
    *point = nullptr;
    if (SUCCEEDED(
            control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        if (SUCCEEDED(container->FindConnectionPoint(kEventsIid, point)) &&
            FAILED((*point)->Advise(sink, &cookie)))
            cookie = 0;
        container->Release();
    }
    return cookie;
}

// ---- The program -----------------------------------------------------------------------------------

void CallMembers(IDispatch* browser) {
    // Activate: a control made with InitNew starts working once it is in place.
    std::printf("Activate: 0x%08lX\n",
                static_cast<unsigned long>(CallMember(browser, L"Activate", DISPATCH_METHOD, {})));

    // Properties: the view mode, and the font object (Font.Name read, Font.Size set through it).
    CallMember(browser, L"Style", DISPATCH_PROPERTYPUT, {Long(1)});
    std::printf("Style: %lld\n", GetNumber(browser, L"Style"));
    VARIANT font;
    VariantInit(&font);
    if (SUCCEEDED(CallMember(browser, L"Font", DISPATCH_PROPERTYGET, {}, &font)) &&
        V_VT(&font) == VT_DISPATCH && V_DISPATCH(&font)) {
        VARIANT name;
        VariantInit(&name);
        CallMember(V_DISPATCH(&font), L"Name", DISPATCH_PROPERTYGET, {}, &name);
        CallMember(V_DISPATCH(&font), L"Size", DISPATCH_PROPERTYPUT, {Long(12)});
        VARIANT size;
        VariantInit(&size);
        CallMember(V_DISPATCH(&font), L"Size", DISPATCH_PROPERTYGET, {}, &size);
        std::printf("Font: %s, size %s\n", Text(name).c_str(), Text(size).c_str());
        VariantClear(&name);
        VariantClear(&size);
    }
    VariantClear(&font);

    // Methods: an archive goes back to the host as the OpenArchive event; NavigateTV hands an FTP
    // address to the host too, and writes bSuccess back by reference.
    VARIANT archive = String(L"C:\\backup.zip");
    CallMember(browser, L"OpenArchiveEx", DISPATCH_METHOD, {archive});
    VariantClear(&archive);
    VARIANT_BOOL success = VARIANT_FALSE;
    VARIANT url = String(L"ftp://ftp.example.org/"), ok, result;
    V_VT(&ok) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&ok) = &success;
    VariantInit(&result);
    CallMember(browser, L"NavigateTV", DISPATCH_METHOD, {url, ok}, &result);
    std::printf("NavigateTV: %s, bSuccess %s\n", Text(result).c_str(), success ? "True" : "False");
    VariantClear(&url);

    // Errors come back as HRESULTs: an unknown name, a type mismatch.
    std::printf("NoSuchMember: 0x%08lX\n",
                static_cast<unsigned long>(CallMember(browser, L"NoSuchMember", DISPATCH_METHOD, {})));
    VARIANT text = String(L"not a number");
    std::printf("Style = text: 0x%08lX\n",
                static_cast<unsigned long>(CallMember(browser, L"Style", DISPATCH_PROPERTYPUT, {text})));
    VariantClear(&text);

    // The selection notice: FireStatus asks for it, and it comes 200 ms later.
    CallMember(browser, L"FireStatus", DISPATCH_METHOD, {});
    Pump(400);
}

int Run(bool byClsid) {
    HWND window = CreateWindowExW(0, L"STATIC", L"vireo-sample", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, nullptr, nullptr);
    CLSID clsid;
    HRESULT hr = byClsid ? CLSIDFromString(kClsid, &clsid) : CLSIDFromProgID(kProgId, &clsid);
    IOleObject* control = nullptr;
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(&control));
    if (FAILED(hr)) {
        std::printf("cannot create %s: 0x%08lX\n", Narrow(byClsid ? kClsid : kProgId).c_str(),
                    static_cast<unsigned long>(hr));
        DestroyWindow(window);
        return 1;
    }
    std::printf("created %s by %s\n", Narrow(kProgId).c_str(), byClsid ? "CLSID" : "ProgID");

    // Site it, give it its properties (a new control: InitNew) and activate it in the window.
    Site site(window);
    control->SetClientSite(&site);
    IPersistStreamInit* persist = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) {
        persist->InitNew();
        persist->Release();
    }
    RECT rect;
    GetClientRect(window, &rect);
    hr = control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &rect);
    std::printf("in place: 0x%08lX\n", static_cast<unsigned long>(hr));

    IDispatch* browser = nullptr;
    control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&browser));
    Events events;
    events.control = browser;
    IConnectionPoint* point = nullptr;
    const DWORD cookie = Connect(control, &events, &point);
    std::printf("events connected: %s\n", cookie ? "yes" : "no");

    CallMembers(browser);

    // Shut down: Terminate(True) because this is the last control on the thread, then let go.
    VARIANT last;
    V_VT(&last) = VT_BOOL;
    V_BOOL(&last) = VARIANT_TRUE;
    CallMember(browser, L"Terminate", DISPATCH_METHOD, {last});
    if (point) {
        point->Unadvise(cookie);
        point->Release();
    }
    browser->Release();
    control->Close(OLECLOSE_NOSAVE);
    control->SetClientSite(nullptr);
    control->Release();
    DestroyWindow(window);
    std::printf("done\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool byClsid = argc > 1 && std::string(argv[1]) == "--clsid";
    OleInitialize(nullptr);
    const int status = Run(byClsid);
    OleUninitialize();
    return status;
}
