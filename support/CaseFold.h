// CaseFold: the one case fold of the system. Text is in the ANSI code page, and two texts are the same
// regardless of case when their lower-case forms, made as Windows makes them (CharLowerBuffA), are equal:
// the upper half of the code page ("ÀÉÎ" and "àéî" in Windows-1252) folds as Windows folds it, which the
// C library's locale does not.
#pragma once
#include <string>
#include <string_view>

namespace vireo {

// The lower-case form of text.
std::string FoldCase(std::string_view text);
// Whether a and b are the same text regardless of case.
bool SameTextNoCase(std::string_view a, std::string_view b);

// The capitals of text as Windows makes them (CharUpperBuffA): what the status bar and the drive menu
// show. Not a fold: compare with SameTextNoCase.
std::string UpperText(std::string_view text);

} // namespace vireo
