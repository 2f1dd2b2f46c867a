// mWndProc: the control's hold on the web view's inner windows. A subclassed window keeps the procedure
// that was in place before in its property "OldWndProc" and a non-owning pointer to the control in
// "ObjectPtr"; both go when the window is released or destroyed.
//
// The web view's top window ("Shell Embedding") is subclassed by Activate; its procedure finds the
// document-view host ("Shell DocObject View") and the list view under it as they are created, and the
// document view's procedure finds the list view of every later folder view.
#pragma once
#include "platform/RefCounted.h"
#include "platform/win32.h"
#include <string>

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

// The three procedures. Each passes a message whose bits fall outside its mask straight on, before any
// property is read: the masks are the OR of the messages each one handles.
constexpr UINT kEmbeddingMask = 0x212;
constexpr UINT kDocViewMask = 0x25E;
constexpr UINT kListViewMask = 0x137F;
LRESULT CALLBACK EmbeddingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DocViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// State shared by the procedures of every control on the thread.
extern thread_local HWND lastDocView;  // the last document view whose first move was handled
extern thread_local bool shiftDown;    // Shift held in a list view
extern thread_local bool ctrlDown;     // Ctrl held in a list view
extern thread_local bool g_bViewReady; // False while a list view found at creation is being set up

// Window utilities.
// WM_SETFONT with redraw, then RefreshWindow; nothing for a window of 0.
void SetWindowFont(HWND hwnd, HFONT hFont);
// Invalidates the window's rectangle without erasing and lets pending messages run.
void RefreshWindow(HWND hwnd);
// Every child window of the form that has a font with a face name and a size gets the same font under
// sFaceName, then is refreshed. The new font stays with the window (property "FormFont") and replaces the
// one an earlier call gave it, which is deleted.
void ApplyFormFont(HWND form, const std::string& sFaceName);
// The control's font and colours on its list view, when it has one.
void ApplyListViewFont(VireoBrowser& control);
void ApplyListViewColors(VireoBrowser& control);

} // namespace vireo
