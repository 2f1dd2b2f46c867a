// The folder size the shell's view reports in its status text ("12.5 KB", "512 BYTES"): a number
// written with the user's separators, one blank, and a byte unit.
#pragma once
#include <string>

namespace vireo {

// True when text reads as a number: an optional sign, digits with thousands separators between them, an
// optional decimal separator with digits after it, an optional exponent (E, a sign, digits); at least one
// digit before the exponent.
bool IsNumberText(const std::string& text, const std::string& decimal, const std::string& thousand);

// True when text, already upper-cased, is exactly two pieces separated by one blank: a number in the
// user's format (GetLocaleInfoA of the user's locale) and "BYTES", "KB" or "MB".
bool IsSizeText(const std::string& text);

} // namespace vireo
