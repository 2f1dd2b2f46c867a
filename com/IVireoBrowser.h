// The control's dual interface _VireoBrowser, slot for slot as the type library (VireoBR.idl) declares
// it, and the Folder record. Keep the two in the same order: clients call the slots by position.
#pragma once
#include <ole2.h>
#include <oaidl.h>

namespace vireo::com {

struct Folder {
    BSTR sURL;
    BSTR sLocName;
    BSTR sLocURL;
    LONG_PTR nPidl;
    long nAttr;
};

struct _VireoBrowser : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_m_OpenOneClick(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_m_OpenOneClick(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_m_hwndWB(LONG_PTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_m_hwndWB(LONG_PTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_m_hwndSV(LONG_PTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_m_hwndSV(LONG_PTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_m_hwndLV(LONG_PTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_m_hwndLV(LONG_PTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_m_hwndLV2(LONG_PTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_m_hwndLV2(LONG_PTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SelFolder(Folder* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GoToParent(VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GoToChild(BSTR* sName, VARIANT_BOOL* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShellNotify() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColWidth() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColWidth() = 0;
    virtual HRESULT STDMETHODCALLTYPE NavigateWB(VARIANT URL) = 0;
    virtual HRESULT STDMETHODCALLTYPE NavigateTV(VARIANT URL, VARIANT_BOOL* bSuccess, LONG_PTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetFontColor(BSTR sFontName, LONG_PTR hFontLarge, LONG_PTR hFontSmall,
                                                   long BackColor, long ForeColor) = 0;
    virtual HRESULT STDMETHODCALLTYPE FileOperation(short* Index, BSTR TargetDir) = 0;
    virtual HRESULT STDMETHODCALLTYPE GoUp() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoBack() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoToDriveRoot() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoToNextDrive() = 0;
    virtual HRESULT STDMETHODCALLTYPE GoForward() = 0;
    virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reload() = 0;
    virtual HRESULT STDMETHODCALLTYPE StopEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE ThisGotFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE ThisLostFocus() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelectedCount(BSTR* sFile, long* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelectedFileList(BSTR* FileList, long* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetSelectedFiles(BSTR sFiles) = 0;
    virtual HRESULT STDMETHODCALLTYPE InvertSelection() = 0;
    virtual HRESULT STDMETHODCALLTYPE AddFavoriteEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE OrgFavoriteEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE PrintEx() = 0;
    virtual HRESULT STDMETHODCALLTYPE SaveAs() = 0;
    virtual HRESULT STDMETHODCALLTYPE OpenArchiveEx(BSTR URL) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ForeColor(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ForeColor(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BackColor(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BackColor(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Font(IDispatch** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Font(IDispatch* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_hFont(LONG_PTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Style(long* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Style(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SwitchView(long nStyle) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetTempDir(BSTR* sTempDir) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_URL(BSTR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OpenOneClick(long value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Terminate(VARIANT bClearAll) = 0;
    virtual HRESULT STDMETHODCALLTYPE Activate() = 0;
    virtual HRESULT STDMETHODCALLTYPE FireStatus() = 0;
    virtual HRESULT STDMETHODCALLTYPE ParentPidl(LONG_PTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsBusy(VARIANT_BOOL* value) = 0;
};

} // namespace vireo::com
