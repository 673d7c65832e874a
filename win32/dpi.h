#pragma once
// DPI queries that also work on Windows versions without the Per-Monitor V2 functions.

#include <windows.h>

#include <vector>

#include "logic/placement.h"

namespace tellurane {

int DpiForWindow(HWND window) noexcept;
int DpiForPoint(POINT point) noexcept;
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) noexcept;
// The DPI that positions are stored at: the primary monitor's when the user logged on.
int SystemDpi() noexcept;
// Every monitor of the desktop with its work area and DPI; never empty.
std::vector<MonitorArea> DesktopMonitors();

inline PixelRect ToPixelRect(const RECT& rect) noexcept { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace tellurane
