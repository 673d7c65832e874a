// Stands in for what a clock must get out of the way of, or let the mouse through to:
//   cover_host full                  a borderless window over the whole primary monitor, in the foreground
//   cover_host silent                the same, raising no event for it (as Wine itself raises none)
//   cover_host maximised             a window with a caption and a sizing frame, maximised
//   cover_host under X Y WIDTH HEIGHT  a plain window there whose title counts the clicks it gets
// It runs until its window is closed.

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

int clicks = 0;
bool silent = false;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            ++clicks;
            SetWindowTextW(window, (L"clicks " + std::to_wstring(clicks)).c_str());
            return 0;
        case WM_CLOSE:
            // Hidden, then destroyed, as DestroyWindow does it, with the event Windows raises by itself for
            // the hiding; Wine 8 raises none.
            ShowWindow(window, SW_HIDE);
            if (!silent) NotifyWinEvent(EVENT_OBJECT_HIDE, window, OBJID_WINDOW, CHILDID_SELF);
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    silent = count >= 2 && std::wcscmp(args[1], L"silent") == 0;
    const bool full = count < 2 || std::wcscmp(args[1], L"full") == 0 || silent;
    const bool maximised = count >= 2 && std::wcscmp(args[1], L"maximised") == 0;
    WNDCLASSW type{};
    type.lpfnWndProc = &CoverProc;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    type.lpszClassName = L"Tellurane.Test.Cover";
    RegisterClassW(&type);
    HWND window = nullptr;
    if (full) {
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& all = monitor.rcMonitor;
        window = CreateWindowExW(0, type.lpszClassName, L"clicks 0", WS_POPUP | WS_VISIBLE, all.left, all.top,
                                 all.right - all.left, all.bottom - all.top, nullptr, nullptr, instance, nullptr);
    } else if (maximised) {
        window = CreateWindowExW(0, type.lpszClassName, L"clicks 0", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 400, 300, nullptr, nullptr, instance, nullptr);
        if (window) ShowWindow(window, SW_MAXIMIZE);
    } else if (count >= 6) {
        window = CreateWindowExW(0, type.lpszClassName, L"clicks 0", WS_POPUP | WS_BORDER | WS_VISIBLE, _wtoi(args[2]),
                                 _wtoi(args[3]), _wtoi(args[4]), _wtoi(args[5]), nullptr, nullptr, instance, nullptr);
    }
    LocalFree(args);
    if (!window) return 1;
    SetForegroundWindow(window);
    // What Windows raises by itself when the foreground changes; Wine does not, so the window says it.
    if (!silent) NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
