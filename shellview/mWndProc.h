// mWndProc: the control's hold on the web view's inner windows. A subclassed window keeps the procedure
// that was in place before in its property "OldWndProc" and a non-owning pointer to the control in
// "ObjectPtr"; both go when the window is released or destroyed.
#pragma once
#include "platform/RefCounted.h"
#include "platform/win32.h"

namespace vireo {

class VireoBrowser;

// Installs proc on hwnd for the control. A window that already carries "OldWndProc" is left as it is and
// counts as subclassed, so a window is never chained to itself.
bool SubclassWindow(HWND hwnd, WNDPROC proc, VireoBrowser* control);

// Puts the previous procedure back, removes both properties and sets the caller's handle to 0. False (and
// the handle unchanged) when the window carries no previous procedure or it cannot be put back.
bool UnsubclassWindow(HWND& hwnd);

// The control that subclassed hwnd, held for the length of one message; null when there is none.
RefPtr<VireoBrowser> ObjectFromWindow(HWND hwnd);

// Passes a message on to the procedure stored in "OldWndProc".
LRESULT CallOldWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace vireo
