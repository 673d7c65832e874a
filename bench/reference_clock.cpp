// The floor the benchmarks compare against: a bare window with one button that shows the time,
// refreshed by a plain one-second timer, built and run the same way as the program.

#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK ReferenceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 456, 51, hwnd,
                            reinterpret_cast<HMENU>(1), nullptr, nullptr);
            SetTimer(hwnd, 1, 1000, nullptr);
            return 0;
        case WM_TIMER: {
            SYSTEMTIME now;
            GetLocalTime(&now);
            wchar_t text[64];
            swprintf(text, 64, L"%02d:%02d:%02d %02d/%02d/%04d", now.wHour, now.wMinute, now.wSecond, now.wMonth,
                     now.wDay, now.wYear);
            SetDlgItemTextW(hwnd, 1, text);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ReferenceProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Tellurane.Reference";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Reference", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 477, 96, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
