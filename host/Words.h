// The words of a script line read as values, checked: a malformed word is a ScriptError that names the
// word and what was expected; a number outside its type's range is the overflow the dispatch layer
// reports (vireo::DispatchError 0x8002000A).
#pragma once
#include "host/ScriptError.h"
#include "host/Tokens.h"
#include "platform/Variant.h"
#include <cstdint>
#include <string>

namespace host {

// The word in lower case (script words are read without regard to case).
std::string Lower(std::string s);

// An argument of invoke, typed by its form: "text" String, 12 or &HFF Long, int:12 Integer, 1.5 Double,
// true / false Boolean, empty Empty; any other bare word is a String. argIndex is the argument's place,
// for the error.
vireo::Variant ParseArgument(const Token& t, unsigned argIndex);

// A whole number in decimal (or &H hexadecimal when hex is true) between min and max; what names the
// value in the error ("clock: the milliseconds").
int64_t ParseNumber(const std::string& word, const std::string& what, int64_t min, int64_t max,
                    bool hex = false);

} // namespace host
