// Picture objects (olepro32's OleCreatePictureIndirect) for icons and bitmaps. A picture that owns its
// handle destroys it with its last reference.
#include "platform/emu/api/gdi32.h"
#include "platform/emu/api/ole32.h"
#include "platform/emu/api/user32.h"
#include "platform/emu/ole32/ComObject.h"

namespace {

// 32 pixels at 96 dots per inch, in hundredths of a millimetre: the size of a standard icon.
constexpr LONG kIconHimetric = 847;

class Picture final : public emu::ComObject<IPicture> {
public:
    Picture(UINT type, HANDLE handle, BOOL own)
        : ComObject(IID_IPicture), m_type(type), m_handle(handle), m_own(own) {}
    ~Picture() override {
        if (!m_own || !m_handle) return;
        if (m_type == PICTYPE_ICON)
            DestroyIcon(static_cast<HICON>(m_handle));
        else if (m_type == PICTYPE_BITMAP)
            DeleteObject(m_handle);
    }

    // Icon and bitmap handles are 32-bit values on Windows, so an OLE_HANDLE holds them.
    STDMETHODIMP get_Handle(OLE_HANDLE* pHandle) override {
        if (!pHandle) return E_POINTER;
        *pHandle = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(m_handle));
        return S_OK;
    }
    STDMETHODIMP get_hPal(OLE_HANDLE* phPal) override {
        if (!phPal) return E_POINTER;
        *phPal = 0;
        return S_OK;
    }
    STDMETHODIMP get_Type(SHORT* pType) override {
        if (!pType) return E_POINTER;
        *pType = static_cast<SHORT>(m_type);
        return S_OK;
    }
    STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* pWidth) override {
        if (!pWidth) return E_POINTER;
        *pWidth = m_handle ? kIconHimetric : 0;
        return S_OK;
    }
    STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* pHeight) override {
        if (!pHeight) return E_POINTER;
        *pHeight = m_handle ? kIconHimetric : 0;
        return S_OK;
    }
    STDMETHODIMP Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC, OLE_XSIZE_HIMETRIC,
                        OLE_YSIZE_HIMETRIC, LPCRECT) override {
        return S_OK; // nothing is drawn on the emulated desktop
    }
    STDMETHODIMP set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP get_CurDC(HDC* phDC) override {
        if (!phDC) return E_POINTER;
        *phDC = nullptr;
        return S_OK;
    }
    STDMETHODIMP SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    STDMETHODIMP get_KeepOriginalFormat(BOOL* pKeep) override {
        if (!pKeep) return E_POINTER;
        *pKeep = m_keep;
        return S_OK;
    }
    STDMETHODIMP put_KeepOriginalFormat(BOOL keep) override {
        m_keep = keep;
        return S_OK;
    }
    STDMETHODIMP PictureChanged() override { return S_OK; }
    STDMETHODIMP SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_Attributes(DWORD* pDwAttr) override {
        if (!pDwAttr) return E_POINTER;
        *pDwAttr = 0;
        return S_OK;
    }

private:
    UINT m_type;
    HANDLE m_handle;
    BOOL m_own;
    BOOL m_keep = FALSE;
};

} // namespace

// A NULL description makes an empty picture (PICTYPE_NONE); a description must give its own size.
HRESULT WINAPI OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, LPVOID* lplpvObj) {
    if (!lplpvObj) return E_POINTER;
    *lplpvObj = nullptr;
    UINT type = PICTYPE_NONE;
    HANDLE handle = nullptr;
    if (lpPictDesc) {
        if (lpPictDesc->cbSizeofstruct != sizeof(PICTDESC)) return E_INVALIDARG;
        type = lpPictDesc->picType;
        switch (type) {
        case PICTYPE_ICON:
            handle = lpPictDesc->icon.hicon;
            break;
        case PICTYPE_BITMAP:
            handle = lpPictDesc->bmp.hbitmap;
            break;
        case PICTYPE_NONE:
        case PICTYPE_UNINITIALIZED:
            break;
        default:
            return E_INVALIDARG;
        }
    }
    auto* picture = new Picture(type, handle, fOwn);
    HRESULT hr = picture->QueryInterface(riid, lplpvObj);
    picture->Release();
    return hr;
}
