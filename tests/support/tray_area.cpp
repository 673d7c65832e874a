// The taskbar's notification area as a user sees it: the program's icons, ghosts passed over, balloons.

#include "tests/support/desktop.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace tellurane::support {

bool WaitForTrayIcons(std::size_t count, std::chrono::milliseconds timeout) {
    POINT rest;
    GetCursorPos(&rest);
    bool passed = false;
    const bool shown = WaitUntil(
        [&] {
            const std::vector<RECT> icons = TrayIconsShown();
            if (icons.size() <= count) return icons.size() == count;
            // Left to right: when an icon goes, those left of it move right, into places already passed.
            const std::vector<RECT> leftToRight(icons.rbegin(), icons.rend());
            for (const RECT& icon : leftToRight) {
                MoveMouseTo({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
            }
            passed = true;
            return false;
        },
        timeout);
    if (passed) MoveMouseTo(rest, 1);
    return shown;
}

std::vector<RECT> TrayIconsShown() {
    std::vector<RECT> icons;
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!taskbar) return icons;
    RECT bar;
    GetWindowRect(taskbar, &bar);
    HDC screen = GetDC(nullptr);
    // Columns of the notification area that hold the icon's blue, grouped into icons.
    std::optional<RECT> current;
    for (int x = bar.right - 1; x >= bar.right - 200 && x >= bar.left; --x) {
        int top = -1, bottom = -1;
        for (int y = bar.top; y < bar.bottom; ++y) {
            const COLORREF colour = GetPixel(screen, x, y);
            if (GetBValue(colour) > 150 && GetRValue(colour) < 120 && GetGValue(colour) < 160) {
                if (top < 0) top = y;
                bottom = y;
            }
        }
        if (top >= 0) {
            if (!current) current = RECT{x, top, x + 1, bottom + 1};
            current->left = x;
            current->top = std::min<LONG>(current->top, top);
            current->bottom = std::max<LONG>(current->bottom, bottom + 1);
        } else if (current) {
            icons.push_back(*current);
            current.reset();
        }
    }
    if (current) icons.push_back(*current);
    ReleaseDC(nullptr, screen);
    return icons;
}

namespace {
BOOL CALLBACK FindBalloon(HWND window, LPARAM found) {
    // A balloon is a tooltip window with the balloon style; plain tips (the icon's own) do not count.
    if (IsWindowVisible(window) && ClassOf(window) == L"tooltips_class32" &&
        (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND Balloon() {
    HWND found = nullptr;
    EnumWindows(&FindBalloon, reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

bool BalloonShown() { return Balloon() != nullptr; }

std::wstring BalloonText() {
    HWND balloon = Balloon();
    return balloon ? WindowText(balloon) : std::wstring();
}

bool BalloonsCanBeSeen() {
    using Version = const char*(CDECL*)();
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto version = ntdll ? reinterpret_cast<Version>(
                                     reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_version")))
                               : nullptr;
    if (!version) return true;  // Windows itself
    return std::atoi(version()) <= 8;
}

}  // namespace tellurane::support
