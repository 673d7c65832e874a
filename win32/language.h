#pragma once
// The module's string tables in one language, and the reading order of what is opened next.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tellurane {

// A string exactly as that language's block has it; false when the block lacks it.
bool LoadStringIn(HMODULE module, UINT id, LANGID language, std::wstring& text);
// Whether the module has a block of strings in that language holding this text.
bool HasStringIn(HMODULE module, UINT id, LANGID language);

// The user's preferred UI languages, in order, as tags ("de-AT"); empty when Windows says none.
std::vector<std::wstring> PreferredUiLanguages();

// Windows draws what it draws for the program (a message box's buttons, the common dialogs, the
// controls' own words) in the thread's preferred UI language: the program's, from now on. Windows has
// those words only in the languages installed on it, and else uses the user's. Returns false when
// Windows refused the tag.
bool UseThreadUiLanguage(std::wstring_view tag) noexcept;
// The call that sets the thread's languages, for a test to watch (nullptr: Windows' own); the last one.
using ThreadUiLanguagesFunction = BOOL(WINAPI*)(DWORD, PCZZWSTR, PULONG);
ThreadUiLanguagesFunction SetThreadUiLanguagesFunction(ThreadUiLanguagesFunction set) noexcept;

// Right to left: forms are mirrored (unless their layout says not), menus too, and message boxes
// read right to left, from the next one opened.
void SetRightToLeft(bool rightToLeft) noexcept;
bool RightToLeft() noexcept;
UINT BoxReadingFlags() noexcept;   // MB_RTLREADING | MB_RIGHT, or 0
UINT MenuReadingFlags() noexcept;  // TPM_LAYOUTRTL, or 0

// What a caption the program draws itself is: a text in the program's language, which reads as the
// language reads, or the face's time and date, which read left to right in every language.
enum class CaptionReading { Language, Face };
// Whether such a caption reads right to left now, and DrawText's flag for it (DT_RTLREADING, or 0).
bool ReadsRightToLeft(CaptionReading reading) noexcept;
UINT DrawTextReadingFlags(CaptionReading reading) noexcept;

// MessageBoxW in the reading order above.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) noexcept;

}  // namespace tellurane
