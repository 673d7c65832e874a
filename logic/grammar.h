#pragma once
// What a language's grammar asks of the texts the program builds: which form a counted text takes
// (CLDR's cardinal plural rules) and what stands between the items of a list.

#include <string>
#include <string_view>

namespace tellurane {

enum class Plural { Zero, One, Two, Few, Many, Other };

// The plural category of a number in a language (a tag such as "pl-PL"): the number as the program
// writes it, ASCII digits with at most one '.' or ',' before its decimals ("1.5"). Other for anything
// else, and for a language the table lacks, as English would need more.
Plural PluralOf(std::wstring_view languageTag, std::wstring_view number) noexcept;
std::wstring_view PluralName(Plural plural) noexcept;

// A counted text's form for a category: its forms are written "one:…|few:…|other:…"; one without a form of
// its own takes "other". A text without forms is itself.
std::wstring_view FormOf(std::wstring_view text, Plural plural) noexcept;

// Between the items of a list written in prose, in the language of tag: "、" in Chinese and Japanese,
// "، " in Arabic and Persian, else ", ". Not Windows' LOCALE_SLIST: that is the spreadsheets' separator,
// ";" wherever the decimal point is a comma.
std::wstring_view ListSeparator(std::wstring_view languageTag) noexcept;

}  // namespace tellurane
