#pragma once
// Whether a line of text can be drawn one character at a time, or must be drawn, and outlined, whole.

#include <string_view>

namespace tellurane {

// True when a character of the line is written right to left (Hebrew, Arabic, Syriac, Thaana, N'Ko and
// their presentation forms) or takes its shape from its neighbours (Indic and South-East Asian scripts,
// Tibetan, Myanmar, Khmer, combining marks, joiners, a surrogate pair): Windows shapes and orders such
// a line as a whole, so one character drawn alone is not what the line shows.
bool NeedsWholeLineShaping(std::wstring_view line) noexcept;

}  // namespace tellurane
