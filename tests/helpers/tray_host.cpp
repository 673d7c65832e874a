// A window that hosts the tray control with the program's tray icon, for the end-to-end tests.
// Its caption tells the driver the last event, e.g. "MouseUp 1 0". Its tip is that of a clock labelled
// in Japanese; its balloon an alarm labelled in Arabic, texts no ANSI code page of an English Windows holds.
// Commands come as messages:
//   WM_APP      show a balloon (3 s)
//   WM_APP + 1  take the icon out of the shell behind the control's back, as an Explorer crash does

#include <windows.h>

#include <string>

#include "app/tray/sys_tray.h"
#include "resources/resource_ids.h"
#include "win32/message_loop.h"

namespace {

constexpr wchar_t kTip[] = L"会議 7:29 AM";
constexpr wchar_t kBalloonText[] = L"اجتماع الفريق 07:30";

tellurane::cSysTray* g_tray = nullptr;

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && g_tray) {
        g_tray->ShowBalloon(kBalloonText, L"Tellurane", 3, false);
        return 0;
    }
    if (message == WM_APP + 1 && g_tray) {
        NOTIFYICONDATAW data{};
        data.cbSize = tellurane::kTrayStructureSize;
        data.hWnd = g_tray->OwnerWindow();
        data.uID = 0;
        Shell_NotifyIconW(NIM_DELETE, &data);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"Tellurane.TrayHost";
    RegisterClassW(&windowClass);
    HWND host = CreateWindowExW(0, windowClass.lpszClassName, L"ready", WS_OVERLAPPEDWINDOW, 20, 20, 300, 80, nullptr,
                                nullptr, instance, nullptr);

    tellurane::cSysTray tray;
    g_tray = &tray;
    auto report = [host](const std::wstring& text) { SetWindowTextW(host, text.c_str()); };
    tray.MouseDown = [&](std::int16_t button, std::int32_t id) {
        report(L"MouseDown " + std::to_wstring(button) + L" " + std::to_wstring(id));
    };
    tray.MouseUp = [&](std::int16_t button, std::int32_t id) {
        report(L"MouseUp " + std::to_wstring(button) + L" " + std::to_wstring(id));
    };
    tray.InitProperties();
    tray.SetTrayIcon(tellurane::LoadIconPicture(TELLURANE_TRAY_ICON, 16));
    tray.SetTrayTip(kTip);
    tray.SetInTray(true);
    ShowWindow(host, SW_SHOWNORMAL);
    const int code = tellurane::RunMessageLoop();
    g_tray = nullptr;
    return code;
}
