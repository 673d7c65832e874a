#pragma once
// DPI queries that also work on Windows versions without the Per-Monitor V2 functions.

#include <windows.h>

namespace tellurane {

int DpiForWindow(HWND window) noexcept;
int DpiForPoint(POINT point) noexcept;
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) noexcept;

}  // namespace tellurane
