#pragma once
#include <string>
#include <string_view>

namespace tellurane {

inline constexpr std::wstring_view kProductName = L"Tellurane";
inline constexpr std::size_t kTitleLengthLimit = 40;

// Drops the last word, then more words from the end until at most 40 characters remain.
// A name of one word keeps that word: there is nothing sensible to drop.
std::wstring ApplicationTitleFor(std::wstring_view productName);

}  // namespace tellurane
