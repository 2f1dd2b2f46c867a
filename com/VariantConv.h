// The boundary between automation VARIANTs and the control's Variant: BSTRs become ANSI strings in the
// process code page, fonts become StdFont objects and back, the Folder record becomes a VT_RECORD, any
// other object is kept with its default property as its text.
#pragma once
#include "com/IVireoBrowser.h"
#include "com/Owners.h"
#include "control/Dispatch.h"
#include "platform/StdFont.h"
#include "platform/Variant.h"
#include <ole2.h>
#include <olectl.h>
#include <string>

namespace vireo::com {

std::string Narrow(const OLECHAR* s, UINT length);
std::string Narrow(BSTR s);
Bstr Wide(const std::string& s);

// The value of v (through any VT_BYREF). Throws DispatchError (type mismatch) naming argIndex for types
// the control does not take.
Variant FromVariant(const VARIANT& v, unsigned argIndex = 0);
// An argument for a parameter of the declared type. Null and objects become text, numbers and flags as
// VariantChangeType makes them (an object through its default value); where it has no answer (Null, an
// object without a default value) the argument is a type mismatch naming argIndex.
Variant FromArgument(const VARIANT& v, ParamType type, unsigned argIndex);
// Fills out (which the caller then owns) with v; an integer outside the 32-bit range becomes VT_I8.
HRESULT ToVariant(const Variant& v, VARIANT* out);
// The Folder record's fields (sURL, sLocName, sLocURL, nPidl, nAttr) into the structure, which then owns
// its BSTRs.
void FillFolder(const RecordFields& fields, Folder& folder);
// Writes v back into the by-reference argument target, converted to the type target points to.
HRESULT WriteBack(const Variant& v, VARIANT& target);

// An automation object handed to the control; its text is its default property (DISPID_VALUE).
class DispatchObject : public VariantObject {
public:
    explicit DispatchObject(IDispatch* object) : m_object(object) {}
    std::string DefaultText() const override;
    IDispatch* Get() const { return m_object.get(); }

private:
    ComPtr<IDispatch> m_object;
};

} // namespace vireo::com
