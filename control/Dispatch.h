// The dispatch table: every public member of the control with its dispatch identifier, its kinds and an
// invoker over Variant arguments. The COM IDispatch and the scripting host both call through it.
#pragma once
#include "platform/Variant.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vireo {

class VireoBrowser;

// The kinds of a call, with the bits of IDispatch::Invoke's wFlags.
enum DispKind : unsigned { kDispMethod = 1, kDispGet = 2, kDispLet = 4, kDispSet = 8 };

// Declared parameter types. Handle is a Long that holds a window handle or an item-ID list (pointer-sized
// off 32-bit Windows); Variant takes any value unchanged.
enum class ParamType { String, Long, Handle, Integer, Boolean, Variant, Font, Folder, None };

struct DispParam {
    const char* name;
    ParamType type;
    bool byRef = false;
    bool optional = false;
};

using DispInvoker = Variant (*)(VireoBrowser& control, unsigned kind, std::vector<Variant>& args);

struct DispMember {
    const char* name;
    int32_t id;
    unsigned kinds;                // DispKind bits
    std::vector<DispParam> params; // a method's parameters, or a property's value
    ParamType result;              // None for a method without result
    DispInvoker invoke;
};

// The members in the order of their interface slots.
const std::vector<DispMember>& DispatchTable();
const DispMember* FindMember(int32_t id);
const DispMember* FindMember(std::string_view name); // without regard to case

// Calls a member. args holds the arguments in declared order (optional trailing ones may be left out);
// by-reference arguments are written back. A failed call throws DispatchError; a failure inside the
// member throws the member's RuntimeError.
Variant Invoke(VireoBrowser& control, int32_t id, unsigned kind, std::vector<Variant>& args);

// "Get, Let" and the like, and a parameter list such as "URL As Variant, [ByRef bSuccess As Boolean]".
std::string KindsText(unsigned kinds);
std::string ParamsText(const DispMember& member);
const char* ParamTypeName(ParamType type);

} // namespace vireo
