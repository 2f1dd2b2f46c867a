// IDispatch over the control's dispatch table: names to identifiers, and Invoke with the automation
// rules for argument order, named arguments, optional arguments, by-reference write-back and errors.
#pragma once
#include "control/Dispatch.h"
#include <ole2.h>

namespace vireo::com {

// Member names map to their dispatch identifiers (without regard to case); later names to the
// 0-based positions of that member's parameters. Unknown names give DISPID_UNKNOWN and
// DISP_E_UNKNOWNNAME.
HRESULT IdsOfNames(LPOLESTR* names, UINT count, DISPID* ids);

// Invoke's body for the control. An error raised by the member fills excepInfo (when given) and gives
// DISP_E_EXCEPTION; a failed call gives its dispatch error and, for an argument's fault, its position in
// rgvarg in argErr.
HRESULT InvokeMember(VireoBrowser& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                     EXCEPINFO* excepInfo, UINT* argErr);

// The HRESULT that carries a run-time error's number, as the control's errors reach a vtable caller.
HRESULT ErrorNumberResult(int32_t number);

// Runs a call for a vtable slot: the member's errors become an error object (SetErrorInfo) and their
// HRESULT.
HRESULT CallMember(VireoBrowser& control, DISPID id, unsigned kind, std::vector<Variant>& args,
                   Variant* result);

} // namespace vireo::com
