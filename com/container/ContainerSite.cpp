#include "com/container/ContainerSite.h"

namespace vireo::container {

HRESULT ContainerSite::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceSite) || IsEqualIID(riid, IID_IOleWindow))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    return S_OK;
}

HRESULT ContainerSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = m_window;
    return S_OK;
}

HRESULT ContainerSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO) {
    // No frame or document window: the container has no menus or toolbars to share.
    *frame = nullptr;
    *document = nullptr;
    GetClientRect(m_window, position);
    *clip = *position;
    return S_OK;
}

HRESULT ContainerSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ContainerSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                              UINT*) {
    if (!result) return E_POINTER;
    VariantInit(result);
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
        return S_OK;
    case DISPID_AMBIENT_FONT: {
        FONTDESC desc{sizeof(FONTDESC),
                      const_cast<LPOLESTR>(L"Tahoma"),
                      {},
                      FW_NORMAL,
                      DEFAULT_CHARSET,
                      FALSE,
                      FALSE,
                      FALSE};
        desc.cySize.int64 = 82500; // 8.25 points
        V_VT(result) = VT_DISPATCH;
        return OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&V_DISPATCH(result)));
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

} // namespace vireo::container
