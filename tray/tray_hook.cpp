#include "tray/tray_hook.h"

#include "tray/sys_tray.h"
#include "tray/tray_protocol.h"

namespace tellurane::mSysTray {
namespace {
// One process-wide saved procedure: one control in the tray at a time, which is all the program has.
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
            try {
                control->HandleTrayMessage(static_cast<std::uintptr_t>(lParam), wParam);
            } catch (...) {
                // The host's handlers report their own failures; nothing unwinds into the window procedure.
            }
        }
    }
    return CallWindowProcW(g_savedProcedure, hwnd, message, wParam, lParam);
}

}  // namespace tellurane::mSysTray
