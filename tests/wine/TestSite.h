// The container side the checks place the control with.
#pragma once
#include "com/SiteDefaults.h"
#include "tests/wine/Checker.h"
#include <ocidl.h>
#include <olectl.h>

namespace winecheck {

// A minimal container site: the ambient properties UserMode and Font, and a window to activate in.
class TestSite : public vireo::ClientSiteDefaults, public vireo::InPlaceSiteDefaults, public IDispatch {
public:
    HWND window = nullptr;
    bool userMode = true;
    int activated = 0, deactivated = 0;
    RECT position{10, 20, 410, 320};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        *ppv = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            *ppv = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(riid, IID_IDispatch))
            *ppv = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // The site lives on the stack; refs shows whether the control still holds it.
    ULONG refs = 0;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    // IOleInPlaceSite: the window, and counts of the activations.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* h) override {
        *h = window;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
        ++activated;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d, LPRECT pos,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
        *f = nullptr;
        *d = nullptr;
        *pos = position;
        *clip = position;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
        ++deactivated;
        return S_OK;
    }
    // IDispatch: the ambient properties.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id == DISPID_AMBIENT_USERMODE) {
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = userMode ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
        if (id == DISPID_AMBIENT_FONT) {
            IFontDisp* font = NewFont(L"Tahoma", 90000);
            if (!font) return E_OUTOFMEMORY;
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = font;
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }
};

// The face name of the control's Font property ("" when it has none).
inline std::string FaceOf(IDispatch* c) {
    CallResult got;
    Call(got, c, IdOf(c, L"Font"), DISPATCH_PROPERTYGET, nullptr, 0);
    IFont* font = got.hr == S_OK && V_VT(&got.value) == VT_DISPATCH
                      ? Query<IFont>(V_DISPATCH(&got.value), IID_IFont)
                      : nullptr;
    BSTR name = nullptr;
    if (font) font->get_Name(&name), font->Release();
    std::string s = Narrow(name);
    SysFreeString(name);
    return s;
}

} // namespace winecheck
