#pragma once
// Routines that several windows share.

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/handles.h"

namespace tellurane {

class Form;

inline constexpr std::wstring_view kCursorFile = L"\\HAND-M.CUR";

// The full path of the running executable.
std::wstring ProgramPath();
// The folder that holds the program's executable, without a trailing separator except at a drive's root.
std::wstring ProgramFolder();

// True when the file system can report the path's last-modified time; never reports an error.
bool FileExists(std::wstring_view path) noexcept;

// Gives the window, its frames and its check boxes the face colour of 3-D objects. Its failures
// are the calling handler's to report.
void ResetControlColors(Form& window);

void SetApplicationTitle();
const std::wstring& ApplicationTitle() noexcept;

// The message box used by the common error box; tests put in their own.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction box) noexcept;

// A failure outside the trapped handlers: a plain box titled with the application title, so nothing
// goes unsaid.
void ShowPlainError(std::wstring_view description) noexcept;

// Shows the common error box for a failure of a trapped handler and returns when it is closed.
void ShowApplicationError(std::wstring_view description, std::wstring_view location, int line) noexcept;

// The program's icon at the size a window at this DPI shows its big (title bar: small) icon at;
// each size is loaded once and kept for the process's life.
HICON ProgramIcon(bool small, int dpi) noexcept;

}  // namespace tellurane
