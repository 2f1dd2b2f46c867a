// The container's property bag, where a form designer keeps a placed control's properties between
// sessions. A bag failure (a value it cannot give) is thrown as RuntimeError or DispatchError.
#pragma once
#include "platform/Variant.h"
#include <string>

namespace vireo {

class PropertyBag {
public:
    virtual ~PropertyBag() = default;
    // The stored value of name, or defaultValue when the bag has no such key.
    virtual Variant ReadProperty(const std::string& name, const Variant& defaultValue) = 0;
    // Stores value under name; a bag may leave out a value equal to its default.
    virtual void WriteProperty(const std::string& name, const Variant& value,
                               const Variant& defaultValue) = 0;
};

} // namespace vireo
