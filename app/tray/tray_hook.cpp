#include "app/tray/tray_hook.h"

#include "app/tray/sys_tray.h"
#include "logic/tray/tray_protocol.h"
#include "win32/boundary.h"

namespace tellurane::mSysTray {
namespace {
// A global, not a member: the system calls TrayWindowProc as a plain WNDPROC, with nothing of ours
// until it reads the window's user data, and the saved procedure must be reachable for every
// message, those that come before the control's pointer is set or after it is gone included.
// One control is in the tray at a time, which is all the program has.
WNDPROC g_savedProcedure = nullptr;
}  // namespace

void Install(HWND window, cSysTray* control) noexcept {
    g_savedProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
}

void Remove(HWND window) noexcept {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_savedProcedure));
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == kTrayCallbackMessage) {
        // A borrowed pointer: the control removes this hook before it goes.
        if (auto* control = reinterpret_cast<cSysTray*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            // The host's handlers report their own failures; nothing unwinds into the window procedure.
            CarryOn("mSysTray::TrayWindowProc",
                    [&] { control->HandleTrayMessage(static_cast<std::uintptr_t>(lParam), wParam); });
        }
    }
    return CallWindowProcW(g_savedProcedure, hwnd, message, wParam, lParam);
}

}  // namespace tellurane::mSysTray
