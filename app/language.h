#pragma once
// The program's language: the stored "Language", else Windows' preferred UI languages in order,
// else English. It applies to the windows, menus and boxes opened after it is chosen.

#include <string_view>

#include "logic/languages.h"

namespace tellurane {

// stored: a tag, or empty for Windows' choice. Called on the thread that shows the windows and boxes:
// the words Windows puts on them (a box's buttons) follow that thread's preferred UI languages.
void UseProgramLanguage(std::wstring_view stored);
const Language& ProgramLanguage() noexcept;
// Whether this program holds that language's texts (the tests' pseudo-language only in theirs).
bool ProgramSpeaks(const Language& language);

}  // namespace tellurane
