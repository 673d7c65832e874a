#pragma once
#include <string>
#include <string_view>

namespace tellurane {

inline constexpr std::wstring_view kProductName = L"Tellurane";
inline constexpr std::size_t kTitleLengthLimit = 40;

// Drops the last word, then more words from the end until at most 40 characters remain.
// Words are separated by spaces; spaces around the name or left at its end are not kept.
// A name of one word keeps that word: there is nothing sensible to drop. The title is never
// empty: a name without any word gives kProductName.
std::wstring ApplicationTitleFor(std::wstring_view productName);

}  // namespace tellurane
