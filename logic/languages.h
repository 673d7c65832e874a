#pragma once
// The languages the program speaks, and which one a user gets: the stored choice, else Windows'
// preferred UI languages in order (a regional variant falls back to its language), else English.

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace tellurane {

struct Language {
    std::wstring_view tag;   // as Windows names it, and as "Language" stores it
    unsigned short langId;   // its string table's LANGUAGE
    std::wstring_view name;  // in itself, as the menu lists it
    bool rightToLeft;
};

// English first, then the others by tag; the tests' pseudo-language last.
std::span<const Language> Languages() noexcept;
const Language& EnglishLanguage() noexcept;

// The table's language for a tag: itself, else its language's (de-AT: de-DE; zh-HK: Chinese
// (Traditional)); nullptr when the program does not speak it.
const Language* LanguageForTag(std::wstring_view tag) noexcept;

// has: whether the program's string tables hold that language. Never nullptr (a pointer, not a
// reference: the table's entries outlive the temporaries a caller passes).
const Language* ChooseLanguage(std::wstring_view stored, std::span<const std::wstring> preferred,
                               const std::function<bool(const Language&)>& has);

}  // namespace tellurane
