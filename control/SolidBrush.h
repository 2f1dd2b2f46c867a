// A solid brush of one colour, made when first asked for and made again when the colour changes; it is
// deleted with its owner. Colours are as the control's properties hold them: system colours have the
// high bit set and their index in the low byte.
#pragma once
#include "platform/Owners.h"
#include "platform/win32.h"

namespace vireo {

// The RGB value of a colour property.
inline COLORREF TranslateColor(LONG color) {
    const auto bits = static_cast<DWORD>(color);
    if (bits & 0x80000000u) return GetSysColor(static_cast<int>(bits & 0xFF));
    return static_cast<COLORREF>(bits & 0xFFFFFF);
}

class SolidBrush {
public:
    HBRUSH Get(COLORREF color) {
        if (!m_brush || color != m_color) {
            m_brush.reset(CreateSolidBrush(color));
            m_color = color;
        }
        return m_brush.get();
    }

private:
    UniqueBrush m_brush;
    COLORREF m_color = 0;
};

} // namespace vireo
