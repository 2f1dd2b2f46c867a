// What the controls share: class registration, InitCommonControlsEx, notifications and text copying.
#include "platform/emu/comctl32/Controls.h"
#include "platform/emu/gdi32/Gdi.h"
#include "platform/emu/kernel32/CodePage.h"
#include "platform/emu/user32/WindowState.h"
#include <algorithm>
#include <cstring>

namespace emu::comctl32 {

LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StatusProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ToolbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboExProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HeaderProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TreeViewProc(HWND, UINT, WPARAM, LPARAM);

namespace {
void Register(const char* name, WNDPROC proc, UINT style, LPCSTR cursor, int background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = sizeof(void*);
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = background ? reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1)) : nullptr;
    wc.lpszClassName = name;
    if (RegisterClassExA(&wc)) {
        WindowState& s = S();
        if (auto it = s.classes.find(std::string_view(name)); it != s.classes.end())
            it->second->system = true;
    }
}
} // namespace

// user32's controls, and the common controls: comctl32 registers all its classes when it is loaded (as its
// DllMain does), so InitCommonControlsEx finds them there and only confirms.
void RegisterSystemClasses() {
    Register("Edit", EditProc, CS_DBLCLKS | CS_PARENTDC, IDC_IBEAM, 0);
    Register("Static", StaticProc, CS_DBLCLKS | CS_PARENTDC, IDC_ARROW, 0);
    Register("Button", ButtonProc, CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, IDC_ARROW, 0);
    Register("ComboBox", ComboProc, CS_DBLCLKS | CS_PARENTDC | CS_VREDRAW | CS_HREDRAW, IDC_ARROW, 0);
    RegisterCommonClasses(0xFFFFFFFF);
}

void RegisterCommonClasses(DWORD icc) {
    WindowState& s = S();
    auto missing = [&](const char* name) { return !s.classes.count(std::string_view(name)); };
    if ((icc & ICC_BAR_CLASSES) && missing(STATUSCLASSNAMEA))
        Register(STATUSCLASSNAMEA, StatusProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW, IDC_ARROW,
                 COLOR_BTNFACE);
    if ((icc & ICC_BAR_CLASSES) && missing(TOOLBARCLASSNAMEA))
        Register(TOOLBARCLASSNAMEA, ToolbarProc, CS_DBLCLKS, IDC_ARROW, COLOR_BTNFACE);
    if ((icc & ICC_PROGRESS_CLASS) && missing(PROGRESS_CLASSA))
        Register(PROGRESS_CLASSA, ProgressProc, CS_VREDRAW | CS_HREDRAW, IDC_ARROW, 0);
    if ((icc & ICC_USEREX_CLASSES) && missing(WC_COMBOBOXEXA))
        Register(WC_COMBOBOXEXA, ComboExProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW, IDC_ARROW, 0);
    if ((icc & ICC_LISTVIEW_CLASSES) && missing(WC_LISTVIEWA))
        Register(WC_LISTVIEWA, ListViewProc, CS_DBLCLKS, IDC_ARROW, 0);
    if ((icc & ICC_LISTVIEW_CLASSES) && missing(WC_HEADERA))
        Register(WC_HEADERA, HeaderProc, CS_DBLCLKS, IDC_ARROW, 0);
    if ((icc & ICC_TREEVIEW_CLASSES) && missing(WC_TREEVIEWA))
        Register(WC_TREEVIEWA, TreeViewProc, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW, IDC_ARROW, 0);
}

LRESULT NotifyParent(HWND hwnd, WORD code) {
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    return SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                        reinterpret_cast<LPARAM>(hwnd));
}

std::string TextOf(LPARAM text) {
    return text ? std::string(reinterpret_cast<LPCSTR>(text)) : std::string();
}

LRESULT CopyText(const std::string& text, WPARAM max, LPARAM buffer) {
    auto* buf = reinterpret_cast<LPSTR>(buffer);
    if (!buf || max == 0) return 0;
    size_t n = std::min(text.size(), static_cast<size_t>(max) - 1);
    std::memcpy(buf, text.data(), n);
    buf[n] = 0;
    return static_cast<LRESULT>(n);
}

std::u16string InText(LPCSTR s) {
    return s ? AnsiToWide(s) : std::u16string();
}
std::u16string InText(LPCWSTR s) {
    return s ? std::u16string(s) : std::u16string();
}

int OutText(std::u16string_view text, LPSTR buf, int max) {
    if (!buf || max <= 0) return 0;
    const size_t n = std::min(text.size(), static_cast<size_t>(max) - 1);
    WideToAnsiInto(text.substr(0, n), buf, n);
    buf[n] = 0;
    return static_cast<int>(n);
}
int OutText(std::u16string_view text, LPWSTR buf, int max) {
    if (!buf || max <= 0) return 0;
    const size_t n = std::min(text.size(), static_cast<size_t>(max) - 1);
    if (n) std::memcpy(buf, text.data(), n * sizeof(WCHAR)); // an empty text may have no characters at all
    buf[n] = 0;
    return static_cast<int>(n);
}

// Controls draw with the system font until they are given one with WM_SETFONT.
HFONT DefaultFont() {
    return static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

int FontHeight(HFONT font) {
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf)) GetObjectA(DefaultFont(), sizeof lf, &lf);
    return FontCellHeight(lf);
}

int FontCharWidth(HFONT font) {
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf)) GetObjectA(DefaultFont(), sizeof lf, &lf);
    return FontAverageWidth(lf);
}

} // namespace emu::comctl32

void WINAPI InitCommonControls(void) {
    emu::comctl32::RegisterCommonClasses(ICC_WIN95_CLASSES);
}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc) {
    if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    emu::comctl32::RegisterCommonClasses(icc->dwICC);
    return TRUE;
}
