// Keeps the Wine virtual desktop open between test programs. Wine closes a desktop about a
// second after its last user exits; a program started in that second finds its desktop gone.
// This one only owns a hidden window and waits; it ends with the Wine session.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // One keeper per session is enough.
    HANDLE single = CreateMutexW(nullptr, TRUE, L"Local\\TelluraneDesktopKeeper");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TelluraneDesktopKeeper";
    RegisterClassW(&windowClass);
    CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                    nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    CloseHandle(single);
    return 0;
}
