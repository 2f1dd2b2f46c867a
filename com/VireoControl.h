// The COM object of the class VireoBrowser: the dual interface through the dispatch table, the events
// and the property change notices through connection points, persistence, quick activation and the OLE
// interfaces a container uses to place, activate and show the control. It owns the control (with the
// container over its client site) and raises the control's events to the connected sinks.
#pragma once
#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "com/IVireoBrowser.h"
#include "com/Owners.h"
#include "control/VireoBrowser.h"
#include "platform/win32/FontObject.h"
#include "platform/win32/SiteContainer.h"
#include <ocidl.h>
#include <olectl.h>

namespace vireo::com {

// The control together with its container: the container is built first and goes last, so the control
// can use it until its own destructor has run, however long a window procedure holds the control.
struct SiteHolder {
    SiteContainer site;
};
class HostedBrowser : private SiteHolder, public VireoBrowser {
public:
    HostedBrowser() : SiteHolder(), VireoBrowser(site) {}
    SiteContainer& Site() { return site; }
};

class VireoControl final : public _VireoBrowser,
                           public IProvideClassInfo2,
                           public IConnectionPointContainer,
                           public IPersistPropertyBag,
                           public IPersistStreamInit,
                           public IOleObject,
                           public IOleInPlaceObject,
                           public IOleInPlaceActiveObject,
                           public IOleControl,
                           public IViewObject2,
                           public IQuickActivate,
                           public ISupportErrorInfo,
                           private VireoBrowserEvents,
                           public RefCount<VireoControl> {
public:
    VireoControl();
    ~VireoControl();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    VIREO_COM_REFCOUNT

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

    // _VireoBrowser (DualMembers.cpp)
    HRESULT STDMETHODCALLTYPE get_m_OpenOneClick(long* value) override;
    HRESULT STDMETHODCALLTYPE put_m_OpenOneClick(long value) override;
    HRESULT STDMETHODCALLTYPE get_m_hwndWB(LONG_PTR* value) override;
    HRESULT STDMETHODCALLTYPE put_m_hwndWB(LONG_PTR value) override;
    HRESULT STDMETHODCALLTYPE get_m_hwndSV(LONG_PTR* value) override;
    HRESULT STDMETHODCALLTYPE put_m_hwndSV(LONG_PTR value) override;
    HRESULT STDMETHODCALLTYPE get_m_hwndLV(LONG_PTR* value) override;
    HRESULT STDMETHODCALLTYPE put_m_hwndLV(LONG_PTR value) override;
    HRESULT STDMETHODCALLTYPE get_m_hwndLV2(LONG_PTR* value) override;
    HRESULT STDMETHODCALLTYPE put_m_hwndLV2(LONG_PTR value) override;
    HRESULT STDMETHODCALLTYPE get_SelFolder(Folder* value) override;
    HRESULT STDMETHODCALLTYPE GoToParent(VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE GoToChild(BSTR* sName, VARIANT_BOOL* result) override;
    HRESULT STDMETHODCALLTYPE ShellNotify() override;
    HRESULT STDMETHODCALLTYPE GetColWidth() override;
    HRESULT STDMETHODCALLTYPE SetColWidth() override;
    HRESULT STDMETHODCALLTYPE NavigateWB(VARIANT URL) override;
    HRESULT STDMETHODCALLTYPE NavigateTV(VARIANT URL, VARIANT_BOOL* bSuccess, LONG_PTR* result) override;
    HRESULT STDMETHODCALLTYPE SetFontColor(BSTR sFontName, LONG_PTR hFontLarge, LONG_PTR hFontSmall,
                                           long BackColor, long ForeColor) override;
    HRESULT STDMETHODCALLTYPE FileOperation(short* Index, BSTR TargetDir) override;
    HRESULT STDMETHODCALLTYPE GoUp() override;
    HRESULT STDMETHODCALLTYPE GoBack() override;
    HRESULT STDMETHODCALLTYPE GoToDriveRoot() override;
    HRESULT STDMETHODCALLTYPE GoToNextDrive() override;
    HRESULT STDMETHODCALLTYPE GoForward() override;
    HRESULT STDMETHODCALLTYPE Refresh() override;
    HRESULT STDMETHODCALLTYPE Reload() override;
    HRESULT STDMETHODCALLTYPE StopEx() override;
    HRESULT STDMETHODCALLTYPE ThisGotFocus() override;
    HRESULT STDMETHODCALLTYPE ThisLostFocus() override;
    HRESULT STDMETHODCALLTYPE GetSelectedCount(BSTR* sFile, long* result) override;
    HRESULT STDMETHODCALLTYPE GetSelectedFileList(BSTR* FileList, long* result) override;
    HRESULT STDMETHODCALLTYPE SetSelectedFiles(BSTR sFiles) override;
    HRESULT STDMETHODCALLTYPE InvertSelection() override;
    HRESULT STDMETHODCALLTYPE AddFavoriteEx() override;
    HRESULT STDMETHODCALLTYPE OrgFavoriteEx() override;
    HRESULT STDMETHODCALLTYPE PrintEx() override;
    HRESULT STDMETHODCALLTYPE SaveAs() override;
    HRESULT STDMETHODCALLTYPE OpenArchiveEx(BSTR URL) override;
    HRESULT STDMETHODCALLTYPE get_ForeColor(long* value) override;
    HRESULT STDMETHODCALLTYPE put_ForeColor(long value) override;
    HRESULT STDMETHODCALLTYPE get_BackColor(long* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColor(long value) override;
    HRESULT STDMETHODCALLTYPE get_Font(IDispatch** value) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IDispatch* value) override;
    HRESULT STDMETHODCALLTYPE get_hFont(LONG_PTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Style(long* value) override;
    HRESULT STDMETHODCALLTYPE put_Style(long value) override;
    HRESULT STDMETHODCALLTYPE SwitchView(long nStyle) override;
    HRESULT STDMETHODCALLTYPE SetTempDir(BSTR* sTempDir) override;
    HRESULT STDMETHODCALLTYPE put_URL(BSTR value) override;
    HRESULT STDMETHODCALLTYPE put_OpenOneClick(long value) override;
    HRESULT STDMETHODCALLTYPE Terminate(VARIANT bClearAll) override;
    HRESULT STDMETHODCALLTYPE Activate() override;
    HRESULT STDMETHODCALLTYPE FireStatus() override;
    HRESULT STDMETHODCALLTYPE ParentPidl(LONG_PTR* result) override;
    HRESULT STDMETHODCALLTYPE get_IsBusy(VARIANT_BOOL* value) override;

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IPersist, IPersistPropertyBag, IPersistStreamInit (Persistence.cpp)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // IOleObject (OleEmbedding.cpp)
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                     LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* name) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IViewObject, IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                   HDC target, HDC draw, LPCRECTL bounds, LPCRECTL wBounds,
                                   BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR contArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device,
                                          HDC target, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

    // IQuickActivate (QuickActivate.cpp)
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    VireoBrowser& Control() { return *m_control; }

private:
    // VireoBrowserEvents: raised to the sinks, with this object kept alive for the call.
    void PanelProperty(const std::string& sTitle, bool bBack, bool bForward, bool bUp) override;
    void OpenURL(const std::string& sURL) override;
    void OpenArchive(const std::string& sURL) override;
    void OpenFTP(const std::string& sURL) override;
    void CombUrlGotFocus() override;
    void CombUrlLostFocus() override;
    void NotifyURL(const std::string& sURL, const std::string& sLocName, const std::string& sLocURL,
                   LONG_PTR nPidl, LONG nAttr) override;
    void NotifySelection(LONG nCnt, const std::string& sFile) override;
    void Raise(DISPID id, std::vector<Variant> args);
    // A persisted property changed: the object is dirty and the property sinks hear the property's id.
    void PropertyChanged(const std::string& name);

    // A vtable slot's call through the table.
    HRESULT Call(DISPID id, unsigned kind, std::vector<Variant>& args, Variant* result = nullptr);
    template <class Fn> HRESULT Guarded(Fn fn);
    HRESULT InPlaceActivate(bool uiActivate, HWND parent, LPCRECT rect);

    RefPtr<HostedBrowser> m_control;
    // The object the Font property gives: the same one on every read, the caller's own after Set Font.
    FontLink m_font;
    ConnectionPoint m_events;
    ConnectionPoint m_properties; // IPropertyNotifySink
    ComPtr<IOleClientSite> m_site;
    ComPtr<IOleInPlaceSite> m_inPlaceSite;
    ComPtr<IOleAdviseHolder> m_adviseHolder;
    ComPtr<IAdviseSink> m_viewSink;
    DWORD m_viewAspects = 0, m_viewFlags = 0;
    SIZEL m_extent{5080, 5080}; // HIMETRIC: 2 inches square until the container sizes the control
    bool m_inPlace = false;
    bool m_dirty = false;
    long m_frozen = 0;
};

} // namespace vireo::com
