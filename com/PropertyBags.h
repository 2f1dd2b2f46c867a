// The control's property persistence over the container's storage: a container's IPropertyBag, and a
// stream (IPersistStreamInit) holding the same properties in a small format of our own.
#pragma once
#include "platform/PropertyBag.h"
#include <map>
#include <ocidl.h>

namespace vireo::com {

// Reads and writes through a container's IPropertyBag. A key the bag does not have reads as the default;
// a bag failure on write is thrown as RuntimeError.
class ContainerPropertyBag : public PropertyBag {
public:
    ContainerPropertyBag(IPropertyBag* bag, IErrorLog* log) : m_bag(bag), m_log(log) {}
    Variant ReadProperty(const std::string& name, const Variant& defaultValue) override;
    void WriteProperty(const std::string& name, const Variant& value, const Variant& defaultValue) override;

private:
    IPropertyBag* m_bag;
    IErrorLog* m_log;
};

// The properties in memory, read from and written to a stream: a version word, then per property its name
// and a typed value (strings, 32-bit numbers and fonts, which is all the control persists).
class StreamPropertyBag : public PropertyBag {
public:
    Variant ReadProperty(const std::string& name, const Variant& defaultValue) override;
    void WriteProperty(const std::string& name, const Variant& value, const Variant& defaultValue) override;

    HRESULT Load(IStream* stream);
    HRESULT Save(IStream* stream) const;
    // The bytes Save writes.
    ULONG Size() const;

private:
    std::map<std::string, Variant> m_values;
};

} // namespace vireo::com
