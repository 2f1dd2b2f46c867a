// gdi32's objects: creation, selection, deletion and the attributes GetObjectA reads back.
#include "platform/emu/gdi32/Gdi.h"
#include "platform/emu/user32/WindowState.h"
#include <algorithm>
#include <cstring>

namespace emu {

namespace {
LOGFONTA MakeFont(LONG height, LONG weight, const char* face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = ANSI_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

int SlotOf(Gdi::Kind kind) {
    switch (kind) {
    case Gdi::Kind::Font:
        return 0;
    case Gdi::Kind::Brush:
        return 1;
    case Gdi::Kind::Pen:
        return 2;
    default:
        return 3;
    }
}
} // namespace

Gdi::Gdi() {
    auto stock = [this](int index, Object o) {
        o.stock = true;
        m_stock[index] = Add(o);
    };
    auto brush = [](COLORREF c, UINT style = BS_SOLID) {
        Object o;
        o.kind = Kind::Brush;
        o.color = c;
        o.style = style;
        return o;
    };
    auto pen = [](COLORREF c, UINT style = 0) {
        Object o;
        o.kind = Kind::Pen;
        o.color = c;
        o.style = style;
        return o;
    };
    auto font = [](LOGFONTA lf) {
        Object o;
        o.kind = Kind::Font;
        o.font = lf;
        return o;
    };
    stock(WHITE_BRUSH, brush(RGB(255, 255, 255)));
    stock(LTGRAY_BRUSH, brush(RGB(192, 192, 192)));
    stock(GRAY_BRUSH, brush(RGB(128, 128, 128)));
    stock(DKGRAY_BRUSH, brush(RGB(64, 64, 64)));
    stock(BLACK_BRUSH, brush(RGB(0, 0, 0)));
    stock(NULL_BRUSH, brush(0, BS_NULL));
    stock(WHITE_PEN, pen(RGB(255, 255, 255)));
    stock(BLACK_PEN, pen(RGB(0, 0, 0)));
    stock(NULL_PEN, pen(0, 5)); // PS_NULL
    stock(OEM_FIXED_FONT, font(MakeFont(12, FW_NORMAL, "Terminal")));
    stock(ANSI_FIXED_FONT, font(MakeFont(12, FW_NORMAL, "Courier")));
    stock(ANSI_VAR_FONT, font(MakeFont(12, FW_NORMAL, "MS Sans Serif")));
    stock(SYSTEM_FONT, font(MakeFont(16, FW_BOLD, "System")));
    stock(DEVICE_DEFAULT_FONT, font(MakeFont(16, FW_BOLD, "System")));
    stock(SYSTEM_FIXED_FONT, font(MakeFont(16, FW_NORMAL, "Fixedsys")));
    stock(DEFAULT_GUI_FONT, font(MakeFont(-11, FW_NORMAL, "MS Shell Dlg")));
    stock(DC_BRUSH, brush(RGB(255, 255, 255)));
    stock(DC_PEN, pen(RGB(0, 0, 0)));
    Object bmp;
    bmp.kind = Kind::Bitmap;
    bmp.size = SIZE{1, 1};
    stock(-1, bmp); // the 1x1 bitmap every memory DC starts with
}

Gdi::~Gdi() = default;

size_t Gdi::LiveObjectCount() const {
    size_t n = 0;
    for (const auto& [h, o] : m_objects)
        n += !o.stock;
    return n;
}

Gdi::Object* Gdi::Find(HGDIOBJ h) {
    auto it = m_objects.find(reinterpret_cast<uintptr_t>(h));
    return it == m_objects.end() ? nullptr : &it->second;
}

HGDIOBJ Gdi::Add(Object object) {
    auto h = m_next;
    m_next += 4;
    m_objects.emplace(h, object);
    return reinterpret_cast<HGDIOBJ>(h);
}

void Gdi::Remove(HGDIOBJ h) {
    m_objects.erase(reinterpret_cast<uintptr_t>(h));
}

HGDIOBJ Gdi::Stock(int index) const {
    auto it = m_stock.find(index);
    return it == m_stock.end() ? nullptr : it->second;
}

HBRUSH Gdi::SystemBrush(int index, COLORREF color) {
    auto it = m_systemBrushes.find(index);
    if (it != m_systemBrushes.end()) return it->second;
    Object o;
    o.kind = Kind::Brush;
    o.color = color;
    o.stock = true;
    auto h = static_cast<HBRUSH>(Add(o));
    m_systemBrushes[index] = h;
    return h;
}

HDC Gdi::NewDC(HWND window, bool memory) {
    Object dc;
    dc.kind = Kind::DC;
    dc.window = window;
    dc.memory = memory;
    dc.selected[0] = Stock(SYSTEM_FONT);
    dc.selected[1] = Stock(WHITE_BRUSH);
    dc.selected[2] = Stock(BLACK_PEN);
    dc.selected[3] = Stock(-1);
    return static_cast<HDC>(Add(dc));
}

bool Gdi::IsSelected(HGDIOBJ h) const {
    for (const auto& [k, o] : m_objects)
        if (o.kind == Kind::DC &&
            std::find(std::begin(o.selected), std::end(o.selected), h) != std::end(o.selected))
            return true;
    return false;
}

int FontCellHeight(const LOGFONTA& font) {
    // A negative height is the character height; the cell adds the internal leading (about 2 pixels at
    // the sizes used on screen). Zero asks for the default size.
    if (font.lfHeight < 0) return -font.lfHeight + 2;
    if (font.lfHeight > 0) return font.lfHeight;
    return 13;
}

int FontAverageWidth(const LOGFONTA& font) {
    if (font.lfWidth > 0) return font.lfWidth;
    return std::max(1, (FontCellHeight(font) * 6 + 6) / 13);
}

} // namespace emu

using namespace emu;

namespace {
Gdi& G() {
    return *S().gdi;
}

Gdi::Object* DC(HDC hdc) {
    Gdi::Object* o = G().Find(hdc);
    if (!o || o->kind != Gdi::Kind::DC) {
        SetError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return o;
}
} // namespace

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lf) {
    if (!lf) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Gdi::Object o;
    o.kind = Gdi::Kind::Font;
    o.font = *lf;
    o.font.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(G().Add(o));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                         DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
    lf.lfCharSet = static_cast<BYTE>(charSet);
    lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    Gdi::Object o;
    o.kind = Gdi::Kind::Brush;
    o.color = color;
    o.style = BS_SOLID;
    return static_cast<HBRUSH>(G().Add(o));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lb) {
    if (!lb) return nullptr;
    Gdi::Object o;
    o.kind = Gdi::Kind::Brush;
    o.color = lb->lbColor;
    o.style = lb->lbStyle;
    return static_cast<HBRUSH>(G().Add(o));
}

HPEN WINAPI CreatePen(int style, int, COLORREF color) {
    Gdi::Object o;
    o.kind = Gdi::Kind::Pen;
    o.color = color;
    o.style = static_cast<UINT>(style);
    return static_cast<HPEN>(G().Add(o));
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC, int cx, int cy) {
    Gdi::Object o;
    o.kind = Gdi::Kind::Bitmap;
    o.size = SIZE{cx, cy};
    return static_cast<HBITMAP>(G().Add(o));
}

HDC WINAPI CreateCompatibleDC(HDC) {
    return G().NewDC(nullptr, true);
}

BOOL WINAPI DeleteDC(HDC hdc) {
    Gdi::Object* o = DC(hdc);
    if (!o) return FALSE;
    G().Remove(hdc);
    return TRUE;
}

HGDIOBJ WINAPI GetStockObject(int index) {
    return index >= 0 ? G().Stock(index) : nullptr;
}

// Deleting a stock object does nothing and succeeds; an object still selected into a DC is not deleted.
BOOL WINAPI DeleteObject(HGDIOBJ h) {
    Gdi::Object* o = G().Find(h);
    if (!o || o->kind == Gdi::Kind::DC) {
        SetError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (o->stock) return TRUE;
    if (G().IsSelected(h)) return FALSE;
    G().Remove(h);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    Gdi::Object* dc = DC(hdc);
    Gdi::Object* o = G().Find(h);
    if (!dc || !o || o->kind == Gdi::Kind::DC) return nullptr;
    HGDIOBJ& slot = dc->selected[SlotOf(o->kind)];
    HGDIOBJ old = slot;
    slot = h;
    return old;
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    Gdi::Object* dc = DC(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_FONT:
        return dc->selected[0];
    case OBJ_BRUSH:
        return dc->selected[1];
    case OBJ_PEN:
        return dc->selected[2];
    case OBJ_BITMAP:
        return dc->selected[3];
    default:
        return nullptr;
    }
}

// Returns the bytes written, or the size needed when pv is NULL.
int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    Gdi::Object* o = G().Find(h);
    if (!o) {
        SetError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (o->kind) {
    case Gdi::Kind::Font: {
        if (!pv) return sizeof(LOGFONTA);
        int n = std::min<int>(c, sizeof(LOGFONTA));
        std::memcpy(pv, &o->font, static_cast<size_t>(std::max(n, 0)));
        return std::max(n, 0);
    }
    case Gdi::Kind::Brush: {
        LOGBRUSH lb{o->style, o->color, 0};
        if (!pv) return sizeof(LOGBRUSH);
        int n = std::min<int>(c, sizeof(LOGBRUSH));
        std::memcpy(pv, &lb, static_cast<size_t>(std::max(n, 0)));
        return std::max(n, 0);
    }
    default:
        return 0;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    Gdi::Object* o = G().Find(h);
    if (!o) return 0;
    switch (o->kind) {
    case Gdi::Kind::Font:
        return OBJ_FONT;
    case Gdi::Kind::Brush:
        return OBJ_BRUSH;
    case Gdi::Kind::Pen:
        return OBJ_PEN;
    case Gdi::Kind::Bitmap:
        return OBJ_BITMAP;
    case Gdi::Kind::DC:
        return OBJ_DC;
    }
    return 0;
}
