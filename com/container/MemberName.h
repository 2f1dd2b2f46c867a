// The name the control's type information gives a member id, for the container's printed lines.
#pragma once
#include "com/WideText.h"
#include <oaidl.h>
#include <string>

namespace vireo::container {

// The member's name in type, or fallback followed by the id when type is null or does not know it.
inline std::string MemberName(ITypeInfo* type, DISPID id, const char* fallback) {
    BSTR name = nullptr;
    if (!type || FAILED(type->GetDocumentation(id, &name, nullptr, nullptr, nullptr)))
        return fallback + std::to_string(id);
    std::string s = Narrow(name);
    SysFreeString(name);
    return s;
}

} // namespace vireo::container
