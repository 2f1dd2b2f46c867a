// The identifiers of the library, its interfaces, its record and its class, as the type library
// (VireoBR.idl) declares them.
#pragma once
#include <ole2.h>

namespace vireo::com {

// {f94c1a82-570b-43d9-9bea-50f021ba755b}, version 1.0
extern const GUID LIBID_VireoBR;
constexpr WORD kTypeLibMajor = 1;
constexpr WORD kTypeLibMinor = 0;
// {b95f011c-9e55-4f43-8acd-5d6be145ce56}: the dual interface _VireoBrowser
extern const IID IID__VireoBrowser;
// {c8af1316-ff90-4a04-b7ae-ff866531bc9f}: the event interface __VireoBrowser
extern const IID DIID___VireoBrowser;
// {c84fe3b6-3355-4bd3-aea3-914e5bc2f24d}: the record Folder
extern const GUID GUID_Folder;
// {aab90922-e7c4-476c-9e8a-147da0437718}: the class VireoBrowser
extern const CLSID CLSID_VireoBrowser;

constexpr char kProgId[] = "VireoBR.VireoBrowser.1";
constexpr char kVersionIndependentProgId[] = "VireoBR.VireoBrowser";
constexpr char kClassName[] = "VireoBrowser Control";

} // namespace vireo::com
