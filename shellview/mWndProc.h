// mWndProc: the control's hold on the web view's inner windows. A subclassed window keeps the procedure
// that was in place before in its property "OldWndProc" and a non-owning pointer to the control in
// "ObjectPtr"; both go when the window is released or destroyed.
//
// The web view's top window ("Shell Embedding") is subclassed by Activate; its procedure finds the
// document-view host ("Shell DocObject View") and the list view under it as they are created, and the
// document view's procedure finds the list view of every later folder view.
#pragma once
#include "platform/RefCounted.h"
#include "shellview/FolderViewHost.h"
#include "platform/win32.h"
#include <cstddef>
#include <string>

namespace vireo {

// Installs proc on hwnd for the control. A window that already carries "OldWndProc" is left as it is and
// counts as subclassed, so a window is never chained to itself.
bool SubclassWindow(HWND hwnd, WNDPROC proc, FolderViewHost* control);

// Puts the previous procedure back, removes both properties and sets the caller's handle to 0. False (and
// the handle unchanged) when the window carries no previous procedure or it cannot be put back.
bool UnsubclassWindow(HWND& hwnd);

// The control that subclassed hwnd, held for the length of one message; null when there is none.
RefPtr<FolderViewHost> ObjectFromWindow(HWND hwnd);

// Passes a message on to the procedure stored in "OldWndProc".
LRESULT CallOldWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The messages each of the three procedures handles, in the order of its routes (mWndProc.cpp checks
// them against its routes when it is compiled).
constexpr UINT kEmbeddingMessages[] = {WM_DESTROY, WM_PARENTNOTIFY};
constexpr UINT kDocViewMessages[] = {WM_DESTROY, WM_WINDOWPOSCHANGING, WM_NOTIFY, WM_PARENTNOTIFY};
constexpr UINT kListViewMessages[] = {WM_DESTROY,     WM_CONTEXTMENU, WM_STYLECHANGED, WM_KEYDOWN,
                                      WM_KEYUP,       WM_TIMER,       WM_LBUTTONDOWN,  WM_LBUTTONDBLCLK,
                                      LVM_EDITLABELA, LVM_EDITLABELW};

// The OR of a list of messages.
template <size_t N> constexpr UINT MaskOf(const UINT (&messages)[N]) {
    UINT mask = 0;
    for (UINT msg : messages)
        mask |= msg;
    return mask;
}

// The three procedures. Each passes a message whose bits fall outside its mask straight on, before any
// property is read: the masks are the OR of the messages each one handles.
constexpr UINT kEmbeddingMask = MaskOf(kEmbeddingMessages);
constexpr UINT kDocViewMask = MaskOf(kDocViewMessages);
constexpr UINT kListViewMask = MaskOf(kListViewMessages);
LRESULT CALLBACK EmbeddingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DocViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ListViewWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

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
void ApplyListViewFont(FolderViewHost& control);
void ApplyListViewColors(FolderViewHost& control);

} // namespace vireo
