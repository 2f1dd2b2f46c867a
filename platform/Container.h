// The container the control is placed in, and the outside components it creates. On Windows the container
// is the COM control site; on the emulated desktop a test container.
#pragma once
#include "platform/FolderTree.h"
#include "platform/IconMenu.h"
#include "platform/RefCounted.h"
#include "platform/StdFont.h"
#include "platform/WebView.h"
#include "platform/win32.h"
#include <string>

namespace vireo {

class Container {
public:
    virtual ~Container() = default;
    // The window the control's own window is a child of.
    virtual HWND ParentWindow() = 0;
    // Ambient UserMode: True at run time, False in a form designer.
    virtual bool UserMode() = 0;
    // Tells the container that a persisted property changed (the designer marks the form as changed).
    virtual void PropertyChanged(const std::string& name) = 0;
    // Ambient Font: the font of the form the control is placed on.
    virtual RefPtr<StdFont> AmbientFont() = 0;
    // The screen's mouse pointer (0 default, 11 hourglass).
    virtual void SetMousePointer(int32_t pointer) = 0;

    // The outside components, created for the control.
    virtual RefPtr<WebView> CreateWebView(HWND parent) = 0;
    virtual RefPtr<FolderTree> CreateFolderTree(HWND parent) = 0;
    virtual RefPtr<IconMenu> CreateIconMenu() = 0;
};

} // namespace vireo
