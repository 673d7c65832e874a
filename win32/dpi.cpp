#include "win32/dpi.h"

#include "logic/twips.h"
#include "win32/boundary.h"
#include "win32/handles.h"

namespace tellurane {
namespace {

template <typename Function>
Function User32Function(const char* name) noexcept {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() noexcept {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : kDefaultDpi;
    return dpi > 0 ? dpi : kDefaultDpi;
}

}  // namespace

int DpiForWindow(HWND window) noexcept {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn getDpiForWindow = User32Function<Fn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

namespace {

int DpiForMonitor(HMONITOR monitor) noexcept {
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const Fn getDpiForMonitor = [] {
        // From System32 only, and kept loaded for the process's life.
        HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
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
    static const Fn getDpiForSystem = User32Function<Fn>("GetDpiForSystem");
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
    static const Fn adjust = User32Function<Fn>("AdjustWindowRectExForDpi");
    if (adjust) return adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace tellurane
