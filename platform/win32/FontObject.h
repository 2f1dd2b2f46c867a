// The standard font object (IFont / IFontDisp) and the control's StdFont, one from the other.
#pragma once
#include "platform/StdFont.h"
#include <ole2.h>
#include <olectl.h>

namespace vireo {

// The font's face, size and style; null when unknown is not a font.
RefPtr<StdFont> FontFromInterface(IUnknown* unknown);
// A new font object (one reference, owned by the caller), null when the system cannot make one.
IFontDisp* InterfaceFromFont(const StdFont& font);

// One font object kept for a StdFont, so that every read of a Font property gives the same object and a
// change made through it (a script's f.Size = 12) reaches the StdFont's fields.
class FontLink {
public:
    FontLink() = default;
    FontLink(const FontLink&) = delete;
    FontLink& operator=(const FontLink&) = delete;
    ~FontLink() { Unlink(); }

    // The object for font, with a new reference owned by the caller: the linked one when font is the
    // linked StdFont, else a new one linked from now on. Null for no font, or when none can be made.
    IFontDisp* ObjectFor(const RefPtr<StdFont>& font);
    // Links font to object (a font the caller handed over stays the caller's object). Nothing is linked
    // when object is no font.
    void Link(const RefPtr<StdFont>& font, IUnknown* object);
    void Unlink();

private:
    RefPtr<StdFont> m_font;
    IFont* m_object = nullptr;
    class ChangeSink* m_sink = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
};

} // namespace vireo
