// The controls of the emulated desktop (user32's Edit, Static, Button and ComboBox, and the common
// controls of comctl32): class registration, and the user actions tests and the host perform on them.
// Each control keeps one state struct per window, pointed to by its first window-extra slot, and has a
// window procedure that is a flat switch over the messages it answers.
#pragma once
#include "platform/win32.h"
#include <string>
#include <string_view>

namespace emu::comctl32 {

// The controls' classes, registered when the desktop starts: user32's own and every common control.
void RegisterSystemClasses();
// The common controls named by ICC_ flags that are not registered yet.
void RegisterCommonClasses(DWORD icc);

size_t LiveImageListCount();

// The user picks an entry of a combo box's list (a ComboBox or a ComboBoxEx32): the list drops down if
// needed, the entry is selected and the list closes, with the notifications Windows sends.
bool PickComboItem(HWND combo, int index);
// The user clicks a toolbar button (by command identifier) at its centre.
bool ClickToolbarButton(HWND toolbar, int idCommand);

// The control state of a window, from its first window-extra slot.
template <class T> T* StateOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, 0));
}
template <class T> void SetStateOf(HWND hwnd, T* state) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}
// Sends a WM_COMMAND notification to the control's parent.
LRESULT NotifyParent(HWND hwnd, WORD code);
std::string TextOf(LPARAM text);                                      // "" for a NULL text pointer
LRESULT CopyText(const std::string& text, WPARAM max, LPARAM buffer); // WM_GETTEXT's copy rule
// Texts come into the common controls as ANSI (the A messages) or UTF-16 (the W messages), and the
// controls keep UTF-16. Going out, the caller's buffer gets at most max - 1 characters and a NUL (ANSI
// converted straight into it); the result is the length copied.
std::u16string InText(LPCSTR s);
std::u16string InText(LPCWSTR s);
int OutText(std::u16string_view text, LPSTR buf, int max);
int OutText(std::u16string_view text, LPWSTR buf, int max);
HFONT DefaultFont();
int FontHeight(HFONT font);
int FontCharWidth(HFONT font);

} // namespace emu::comctl32
