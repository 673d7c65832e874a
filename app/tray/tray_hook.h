#pragma once
// The hook that routes the shell's callback message to the tray control: while the control's icon
// is in the tray, its window's procedure is replaced, and every message is still handed on.

#include <windows.h>

namespace tellurane {

class cSysTray;

namespace mSysTray {

// Replaces the window's procedure first, then records the control in the window's user data.
void Install(HWND window, cSysTray* control) noexcept;
// Puts the saved procedure back. The user data is left as it is; nothing reads it any more.
void Remove(HWND window) noexcept;

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace mSysTray
}  // namespace tellurane
