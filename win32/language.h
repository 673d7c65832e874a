#pragma once
// The module's string tables in one language, and the reading order of what is opened next.

#include <windows.h>

#include <string>
#include <vector>

namespace tellurane {

// A string exactly as that language's block has it; false when the block lacks it.
bool LoadStringIn(HMODULE module, UINT id, LANGID language, std::wstring& text);
// Whether the module has a block of strings in that language holding this text.
bool HasStringIn(HMODULE module, UINT id, LANGID language);

// The user's preferred UI languages, in order, as tags ("de-AT"); empty when Windows says none.
std::vector<std::wstring> PreferredUiLanguages();

// Right to left: forms are mirrored (unless their layout says not), menus too, and message boxes
// read right to left, from the next one opened.
void SetRightToLeft(bool rightToLeft) noexcept;
bool RightToLeft() noexcept;
UINT BoxReadingFlags() noexcept;   // MB_RTLREADING | MB_RIGHT, or 0
UINT MenuReadingFlags() noexcept;  // TPM_LAYOUTRTL, or 0

// MessageBoxW in the reading order above.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& title, UINT flags) noexcept;

}  // namespace tellurane
