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

} // namespace vireo
