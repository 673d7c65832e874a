#pragma once
// The program's own texts, by number (logic/text_ids.h, named IDS_...), in the language chosen for it: the
// program's string tables once a source is set, English (built from the same tables) before that
// and on the build machine.

#include <initializer_list>
#include <string>
#include <string_view>

#include "logic/text_ids.h"

namespace tellurane {

using TextId = unsigned;

// The text, with %1, %2 ... replaced by the inserts in order (%% is a %). A text with a count takes the
// form its language's plural rule gives %1 ("one:%1 day|other:%1 days"); without inserts, "other".
std::wstring Tr(TextId id);
std::wstring Tr(TextId id, std::initializer_list<std::wstring_view> inserts);
// The same for the places that must not fail (a box about a failure): English when even that fails.
std::wstring TrOr(TextId id, std::wstring_view english) noexcept;

// As the English table has it; empty for a number it lacks.
std::wstring_view EnglishText(TextId id) noexcept;

// Where Tr() looks first; it returns false to send Tr() on to English. nullptr: English only. The tag is
// the source's language, whose plural rule and lists the texts follow; it must outlive the source.
using TextSource = bool (*)(TextId id, std::wstring& text);
void SetTextSource(TextSource source, std::wstring_view languageTag = L"en-US") noexcept;
std::wstring_view TextLanguage() noexcept;

std::wstring InsertInto(std::wstring_view text, std::initializer_list<std::wstring_view> inserts);

}  // namespace tellurane
