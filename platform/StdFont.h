// The standard font object of the Font property: a face and its attributes. Its default property is
// the face name.
#pragma once
#include "platform/Variant.h"
#include <string>

namespace vireo {

class StdFont : public VariantObject {
public:
    std::string Name = "MS Sans Serif";
    double Size = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int16_t Weight = 400;
    int16_t Charset = 0;

    std::string DefaultText() const override { return Name; }
};

} // namespace vireo
