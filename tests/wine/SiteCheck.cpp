// The control placed by a container: ambient properties through the client site, in-place activation in
// the site's window, moving, deactivation, and the module's unload answer while objects and locks live.
#include "tests/wine/TestSite.h"
#include <ocidl.h>
#include <olectl.h>

namespace winecheck {

namespace {

// The window's own visibility, whatever its parents show.
bool Shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CheckInPlace() {
    TestSite site;
    site.window = CreateWindowExW(0, L"Static", L"container", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, nullptr, nullptr);
    IDispatch* c = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&c));
    IOleObject* ole = Query<IOleObject>(c, IID_IOleObject);
    Check("the control has IOleObject", ole != nullptr);
    if (!ole) {
        if (c) c->Release();
        DestroyWindow(site.window);
        return;
    }
    DWORD misc = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
    Check("MiscStatus asks for the client site first",
          (misc & OLEMISC_SETCLIENTSITEFIRST) && (misc & OLEMISC_INSIDEOUT), Hex(static_cast<long>(misc)));
    HRESULT hr = ole->SetClientSite(&site);
    IPersistPropertyBag* persist = Query<IPersistPropertyBag>(c, IID_IPersistPropertyBag);
    if (persist) persist->InitNew(), persist->Release();
    Check("InitNew takes the ambient font", hr == S_OK && FaceOf(c) == RealisedFace(L"Tahoma"), FaceOf(c));

    IOleWindow* window = Query<IOleWindow>(c, IID_IOleWindow);
    HWND control = nullptr;
    if (window) window->GetWindow(&control), window->Release();
    Check("the control has its window before it is placed", control && GetParent(control) != site.window);

    hr = ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.window, &site.position);
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, site.window, reinterpret_cast<POINT*>(&r), 2);
    Check("in-place activation puts the window in the site's window at its place",
          hr == S_OK && site.activated == 1 && GetParent(control) == site.window && Shown(control) &&
              r.right - r.left == 400 && r.bottom - r.top == 300,
          Hex(hr) + " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));

    IOleInPlaceObject* inPlace = Query<IOleInPlaceObject>(c, IID_IOleInPlaceObject);
    RECT moved{0, 0, 200, 100};
    if (inPlace) inPlace->SetObjectRects(&moved, &moved);
    GetClientRect(control, &r);
    Check("SetObjectRects sizes the window", r.right == 200 && r.bottom == 100,
          std::to_string(r.right) + "x" + std::to_string(r.bottom));
    hr = inPlace ? inPlace->InPlaceDeactivate() : E_FAIL;
    Check("InPlaceDeactivate hides the window and tells the site",
          hr == S_OK && site.deactivated == 1 && !Shown(control) && GetParent(control) != site.window);
    if (inPlace) inPlace->Release();

    hr = ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    Check("Close", hr == S_OK, Hex(hr));
    ole->Release();
    c->Release();
    Check("the control's window goes with the control", !IsWindow(control));
    DestroyWindow(site.window);
}

void CheckDesignMode() {
    // In a form designer (UserMode False) a stored control is not activated.
    TestSite site;
    site.userMode = false;
    IDispatch* c = nullptr;
    CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&c));
    IOleObject* ole = Query<IOleObject>(c, IID_IOleObject);
    if (ole) ole->SetClientSite(&site);
    IPersistStreamInit* persist = Query<IPersistStreamInit>(c, IID_IPersistStreamInit);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    HRESULT hr = E_FAIL;
    if (persist && stream) {
        persist->InitNew();
        persist->Save(stream, TRUE);
        LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        hr = persist->Load(stream);
    }
    Check("a stored control loads in a designer", hr == S_OK, Hex(hr));
    if (stream) stream->Release();
    if (persist) persist->Release();
    if (ole) ole->SetClientSite(nullptr), ole->Release();
    if (c) c->Release();
}

void CheckUnload() {
    HMODULE dll = GetModuleHandleW(L"VireoBR.dll");
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload =
        reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    Check("the DLL is loaded by COM", canUnload != nullptr);
    if (!canUnload) return;
    Check("DllCanUnloadNow when nothing lives", canUnload() == S_OK);
    IClassFactory* factory = nullptr;
    CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&factory));
    Check("DllCanUnloadNow while a factory lives", factory && canUnload() == S_FALSE);
    if (!factory) return;
    factory->LockServer(TRUE);
    factory->Release();
    Check("DllCanUnloadNow while the server is locked", canUnload() == S_FALSE);
    IUnknown* object = nullptr;
    IClassFactory* again = nullptr;
    CoGetClassObject(kClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&again));
    HRESULT hr =
        again ? again->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&object)) : E_FAIL;
    IUnknown* outer = object;
    IUnknown* aggregated = nullptr;
    HRESULT agg =
        again ? again->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&aggregated)) : E_FAIL;
    Check("no aggregation", agg == CLASS_E_NOAGGREGATION && !aggregated, Hex(agg));
    if (again) again->LockServer(FALSE), again->Release();
    Check("DllCanUnloadNow while an object lives", SUCCEEDED(hr) && canUnload() == S_FALSE);
    if (object) object->Release();
    Check("DllCanUnloadNow after the last object", canUnload() == S_OK);
}

} // namespace

void CheckSite() {
    CheckInPlace();
    CheckDesignMode();
    CheckUnload();
}

} // namespace winecheck
