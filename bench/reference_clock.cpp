// The floor the benchmarks compare against: a bare window with one button that shows the time,
// refreshed by a plain one-second timer, built and run the same way as the program.
//   reference_clock [count]   count windows (1 by default), all refreshed from the first one's timer

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

#include "clock_places.h"

namespace {

std::vector<HWND> windows;  // the first owns the timer and the program's life

LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 456, 51, hwnd,
                            reinterpret_cast<HMENU>(1), nullptr, nullptr);
            if (windows.empty()) SetTimer(hwnd, 1, 1000, nullptr);
            windows.push_back(hwnd);
            return 0;
        case WM_TIMER: {
            SYSTEMTIME now;
            GetLocalTime(&now);
            wchar_t text[64];
            swprintf(text, 64, L"%02d:%02d:%02d %02d/%02d/%04d", now.wHour, now.wMinute, now.wSecond, now.wMonth,
                     now.wDay, now.wYear);
            for (HWND window : windows) SetDlgItemTextW(window, 1, text);
            return 0;
        }
        case WM_DESTROY:
            if (hwnd == windows.front()) {
                PostQuitMessage(0);
            } else {
                std::erase(windows, hwnd);
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    const long count = std::wcstol(commandLine, nullptr, 10);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReferenceProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Tellurane.Reference";
    RegisterClassW(&windowClass);
    for (long i = 0; i < (count > 1 ? count : 1); ++i) {
        // The first where Windows puts it, as a single window always was; the others where Tellurane's are.
        const POINT place = i ? tellurane::bench::ExtraClockPlace(static_cast<int>(i - 1))
                              : POINT{CW_USEDEFAULT, CW_USEDEFAULT};
        HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Reference", WS_OVERLAPPEDWINDOW, place.x, place.y,
                                      477, 96, nullptr, nullptr, instance, nullptr);
        ShowWindow(window, i ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
