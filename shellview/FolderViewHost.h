// FolderViewHost: the control as the folder view's windows see it. The window procedures, the list-view
// operations and the context menu reach their control only through this: the four windows it holds and
// the few things they ask of it. "ObjectPtr" on a subclassed window points at it.
#pragma once
#include "platform/RefCounted.h"
#include "platform/Variant.h"
#include "platform/win32.h"
#include "support/Folder.h"
#include <string>

namespace vireo {

class FolderViewHost : public RefCounted {
public:
    // The web view's inner windows, 0 for none (public fields of the control): its top window ("Shell
    // Embedding", taken by Activate), the document-view host and the list view found under it when it is
    // created, and the list view of each folder view created later.
    HWND m_hwndWB = nullptr;
    HWND m_hwndSV = nullptr;
    HWND m_hwndLV = nullptr;
    HWND m_hwndLV2 = nullptr;
    // Non-zero: a single click opens an item (public field of the control).
    LONG m_OpenOneClick = 0;

    // The current location.
    virtual Folder SelFolder() const = 0;
    // The view mode, kept for every new folder view, and the looks given to it.
    virtual LONG Style() const = 0;
    virtual void SetStyle(LONG style) = 0;
    virtual LONG_PTR hFont() const = 0;
    virtual LONG ForeColor() const = 0;
    virtual LONG BackColor() const = 0;
    virtual void SetColWidth() = 0;
    // Arms the selection notice.
    virtual void FireStatus() = 0;
    // Navigation: the up-one-level step (True when it moved), a child of the current location by name,
    // any location, and showing the current one again.
    virtual bool UpOneLevel() = 0;
    virtual bool GoToChild(std::string& sName) = 0;
    virtual LONG_PTR NavigateTV(const Variant& URL, bool* bSuccess = nullptr) = 0;
    virtual void Refresh() = 0;
};

} // namespace vireo
