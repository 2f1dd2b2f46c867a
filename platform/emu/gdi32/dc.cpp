// gdi32's device-context attributes and text measurement.
#include "platform/emu/gdi32/Gdi.h"
#include "platform/emu/user32/WindowState.h"
#include <cstring>

using namespace emu;

namespace {
Gdi::Object* DC(HDC hdc) {
    Gdi::Object* o = S().gdi->Find(hdc);
    if (!o || o->kind != Gdi::Kind::DC) {
        SetError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return o;
}

LOGFONTA SelectedFont(Gdi::Object& dc) {
    Gdi::Object* f = S().gdi->Find(dc.selected[0]);
    return f ? f->font : LOGFONTA{};
}
} // namespace

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    Gdi::Object* dc = DC(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->textColor;
    dc->textColor = color;
    return old;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    Gdi::Object* dc = DC(hdc);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    Gdi::Object* dc = DC(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF old = dc->bkColor;
    dc->bkColor = color;
    return old;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    Gdi::Object* dc = DC(hdc);
    return dc ? dc->bkColor : CLR_INVALID;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    Gdi::Object* dc = DC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int old = dc->bkMode;
    dc->bkMode = mode;
    return old;
}

int WINAPI GetBkMode(HDC hdc) {
    Gdi::Object* dc = DC(hdc);
    return dc ? dc->bkMode : 0;
}

// The screen of the emulated desktop: 96 dots per inch, 32 bits per pixel.
int WINAPI GetDeviceCaps(HDC hdc, int index) {
    if (!DC(hdc)) return 0;
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    default:
        return 0;
    }
}

// Text is measured with a fixed-width estimate of the selected font: every character is the font's
// average width wide and the cell height high.
BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    Gdi::Object* dc = DC(hdc);
    if (!dc || !size || count < 0 || (count && !text)) {
        SetError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    LOGFONTA lf = SelectedFont(*dc);
    size->cx = count * FontAverageWidth(lf);
    size->cy = FontCellHeight(lf);
    return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
    Gdi::Object* dc = DC(hdc);
    if (!dc || !tm) return FALSE;
    LOGFONTA lf = SelectedFont(*dc);
    std::memset(tm, 0, sizeof *tm);
    tm->tmHeight = FontCellHeight(lf);
    tm->tmAscent = tm->tmHeight * 4 / 5;
    tm->tmDescent = tm->tmHeight - tm->tmAscent;
    tm->tmInternalLeading = lf.lfHeight < 0 ? tm->tmHeight + lf.lfHeight : 0;
    tm->tmAveCharWidth = FontAverageWidth(lf);
    tm->tmMaxCharWidth = tm->tmAveCharWidth * 2;
    tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    tm->tmPitchAndFamily = lf.lfPitchAndFamily;
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int, int, LPCSTR, int) {
    return DC(hdc) != nullptr;
}
