#include "win32/dpi.h"

#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/handles.h"
#include "win32/system_library.h"

namespace tellurane {
namespace {

int ScreenDpi() noexcept {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kDefaultDpi;
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int DpiForWindow(HWND window) noexcept {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn getDpiForWindow = SystemFunction<Fn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

namespace {

int DpiForMonitor(HMONITOR monitor) noexcept {
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const Fn getDpiForMonitor = SystemFunction<Fn>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor && monitor) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(getDpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x > 0) {
            return static_cast<int>(x);
        }
    }
    return ScreenDpi();
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    auto* monitors = reinterpret_cast<std::vector<MonitorArea>*>(context);
    MONITORINFO info{sizeof info};
    if (GetMonitorInfoW(monitor, &info)) {
        const MonitorArea area{ToPixelRect(info.rcMonitor), ToPixelRect(info.rcWork), DpiForMonitor(monitor)};
        if (!CarryOn("AddMonitor", [&] { monitors->push_back(area); })) return FALSE;
    }
    return TRUE;
}

}  // namespace

int DpiForPoint(POINT point) noexcept { return DpiForMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY)); }

int SystemDpi() noexcept {
    using Fn = UINT(WINAPI*)();
    static const Fn getDpiForSystem = SystemFunction<Fn>(L"user32.dll", "GetDpiForSystem");
    if (getDpiForSystem) {
        const UINT dpi = getDpiForSystem();
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

std::vector<MonitorArea> DesktopMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        const PixelRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        monitors.push_back({screen, screen, SystemDpi()});
    }
    return monitors;
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) noexcept {
    using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const Fn adjust = SystemFunction<Fn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjust) return adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace tellurane
