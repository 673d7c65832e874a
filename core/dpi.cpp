#include "core/dpi.h"

#include "core/twips.h"

namespace tellurane {
namespace {

template <typename Function>
Function User32Function(const char* name) noexcept {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() noexcept {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
    if (screen) ReleaseDC(nullptr, screen);
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

int DpiForPoint(POINT point) noexcept {
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const Fn getDpiForMonitor = [] {
        HMODULE shcore = LoadLibraryW(L"shcore.dll");  // kept loaded for the process's life
        return shcore ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    if (getDpiForMonitor) {
        UINT x = 0, y = 0;
        HMONITOR monitor = MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY);
        if (SUCCEEDED(getDpiForMonitor(monitor, 0 /* MDT_EFFECTIVE_DPI */, &x, &y)) && x > 0) {
            return static_cast<int>(x);
        }
    }
    return ScreenDpi();
}

bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) noexcept {
    using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const Fn adjust = User32Function<Fn>("AdjustWindowRectExForDpi");
    if (adjust) return adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
    return AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

}  // namespace tellurane
