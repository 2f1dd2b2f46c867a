// ole32 as the emulated desktop declares it: the functions, constants and structures the system calls.
// COM interfaces are C++ structs of pure virtual methods in the SDK's vtable order, so code written
// against the SDK's C++ declarations calls them the same way; also the picture object of olepro32.
#pragma once
#include "platform/emu/api/types.h"

#define interface struct
#define PURE = 0
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define STDAPI HRESULT WINAPI
#define STDAPI_(type) type WINAPI

#define SEVERITY_SUCCESS 0
#define SEVERITY_ERROR 1
#define FACILITY_NULL 0
#define FACILITY_WIN32 7
#define MAKE_HRESULT(sev, fac, code)                                                                         \
    ((HRESULT)(((unsigned long)(sev) << 31) | ((unsigned long)(fac) << 16) | ((unsigned long)(code))))
#define HRESULT_CODE(hr) ((hr)&0xFFFF)
#define SCODE_CODE(sc) ((sc)&0xFFFF)

#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)

struct IStream;
struct IBindCtx;
typedef IStream* LPSTREAM;
typedef IBindCtx* LPBC;

extern const IID IID_IUnknown;
extern const IID IID_IMalloc;
extern const IID IID_IPicture;
extern const IID IID_IPictureDisp;

struct IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;
};
typedef IUnknown* LPUNKNOWN;

// The task allocator: the one every COM and shell caller shares (CoTaskMemAlloc uses it too).
struct IMalloc : public IUnknown {
    STDMETHOD_(void*, Alloc)(SIZE_T cb) PURE;
    STDMETHOD_(void*, Realloc)(void* pv, SIZE_T cb) PURE;
    STDMETHOD_(void, Free)(void* pv) PURE;
    STDMETHOD_(SIZE_T, GetSize)(void* pv) PURE;
    STDMETHOD_(int, DidAlloc)(void* pv) PURE;
    STDMETHOD_(void, HeapMinimize)() PURE;
};
typedef IMalloc* LPMALLOC;

// CoInitialize answers S_OK the first time on a thread and S_FALSE when COM is already initialised
// there; every successful call is balanced by one CoUninitialize.
HRESULT WINAPI CoInitialize(LPVOID pvReserved);
void WINAPI CoUninitialize();
HRESULT WINAPI CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);
LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb);
LPVOID WINAPI CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
void WINAPI CoTaskMemFree(LPVOID pv);
#define MEMCTX_TASK 1

// Picture objects (olectl.h / ocidl.h).
typedef UINT OLE_HANDLE;
typedef LONG OLE_XPOS_HIMETRIC;
typedef LONG OLE_YPOS_HIMETRIC;
typedef LONG OLE_XSIZE_HIMETRIC;
typedef LONG OLE_YSIZE_HIMETRIC;

#define PICTYPE_UNINITIALIZED ((UINT)-1)
#define PICTYPE_NONE 0
#define PICTYPE_BITMAP 1
#define PICTYPE_METAFILE 2
#define PICTYPE_ICON 3
#define PICTYPE_ENHMETAFILE 4

// The palette and metafile members are plain handles here: the system only describes icons, and the
// union keeps the SDK's size (20 bytes on a 32-bit build).
typedef struct tagPICTDESC {
    UINT cbSizeofstruct;
    UINT picType;
    union {
        struct {
            HBITMAP hbitmap;
            HANDLE hpal;
        } bmp;
        struct {
            HANDLE hmeta;
            int xExt;
            int yExt;
        } wmf;
        struct {
            HICON hicon;
        } icon;
        struct {
            HANDLE hemf;
        } emf;
    };
} PICTDESC, *LPPICTDESC;

struct IPicture : public IUnknown {
    STDMETHOD(get_Handle)(OLE_HANDLE* pHandle) PURE;
    STDMETHOD(get_hPal)(OLE_HANDLE* phPal) PURE;
    STDMETHOD(get_Type)(SHORT* pType) PURE;
    STDMETHOD(get_Width)(OLE_XSIZE_HIMETRIC* pWidth) PURE;
    STDMETHOD(get_Height)(OLE_YSIZE_HIMETRIC* pHeight) PURE;
    STDMETHOD(Render)
    (HDC hDC, LONG x, LONG y, LONG cx, LONG cy, OLE_XPOS_HIMETRIC xSrc, OLE_YPOS_HIMETRIC ySrc,
     OLE_XSIZE_HIMETRIC cxSrc, OLE_YSIZE_HIMETRIC cySrc, LPCRECT pRcWBounds) PURE;
    STDMETHOD(set_hPal)(OLE_HANDLE hPal) PURE;
    STDMETHOD(get_CurDC)(HDC* phDC) PURE;
    STDMETHOD(SelectPicture)(HDC hDCIn, HDC* phDCOut, OLE_HANDLE* phBmpOut) PURE;
    STDMETHOD(get_KeepOriginalFormat)(BOOL* pKeep) PURE;
    STDMETHOD(put_KeepOriginalFormat)(BOOL keep) PURE;
    STDMETHOD(PictureChanged)() PURE;
    STDMETHOD(SaveAsFile)(LPSTREAM pStream, BOOL fSaveMemCopy, LONG* pCbSize) PURE;
    STDMETHOD(get_Attributes)(DWORD* pDwAttr) PURE;
};
typedef IPicture* LPPICTURE;

// Creates a picture object for the description; with fOwn TRUE the picture destroys the icon or bitmap
// when its last reference goes.
HRESULT WINAPI OleCreatePictureIndirect(LPPICTDESC lpPictDesc, REFIID riid, BOOL fOwn, LPVOID* lplpvObj);
