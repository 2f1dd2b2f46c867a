// The emulated desktop's graphics objects: fonts, brushes, pens, bitmaps and device contexts keep their
// attributes (nothing is drawn) and every handle is counted, so a test sees a leaked font or DC.
#pragma once
#include "platform/win32.h"
#include <unordered_map>

namespace emu {

class Gdi {
public:
    enum class Kind { Font, Brush, Pen, Bitmap, DC };

    struct Object {
        Kind kind = Kind::Brush;
        bool stock = false;
        LOGFONTA font{};    // fonts
        COLORREF color = 0; // brushes and pens
        UINT style = 0;     // brush or pen style
        SIZE size{};        // bitmaps
        // Device contexts.
        HWND window = nullptr;
        bool memory = false; // from CreateCompatibleDC (freed by DeleteDC, not ReleaseDC)
        COLORREF textColor = 0;
        COLORREF bkColor = 0xFFFFFF;
        int bkMode = OPAQUE;
        HGDIOBJ selected[4] = {}; // font, brush, pen, bitmap
    };

    Gdi();
    ~Gdi();
    Gdi(const Gdi&) = delete;
    Gdi& operator=(const Gdi&) = delete;

    // Objects created and not deleted, device contexts taken and not released; stock objects not counted.
    size_t LiveObjectCount() const;

    Object* Find(HGDIOBJ h);
    HGDIOBJ Add(Object object);
    void Remove(HGDIOBJ h);
    HGDIOBJ Stock(int index) const;
    // The brush GetSysColorBrush hands out for a system colour (a stock object).
    HBRUSH SystemBrush(int index, COLORREF color);
    HDC NewDC(HWND window, bool memory);
    // True when the object is selected into a live device context.
    bool IsSelected(HGDIOBJ h) const;

private:
    std::unordered_map<uintptr_t, Object> m_objects;
    std::unordered_map<int, HGDIOBJ> m_stock;
    std::unordered_map<int, HBRUSH> m_systemBrushes;
    uintptr_t m_next = 0x03000010;
};

// The measures of a font: its cell height and the average character width used for text extents.
int FontCellHeight(const LOGFONTA& font);
int FontAverageWidth(const LOGFONTA& font);

} // namespace emu
