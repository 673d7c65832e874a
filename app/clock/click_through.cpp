#include "app/clock/click_through.h"

namespace tellurane {

void ClickThrough::Follow(bool wanted) noexcept {
    HWND handle = window_.Handle();
    if (pause_ != Pause::None && handle) {
        POINT pointer;
        RECT window;
        if (GetCursorPos(&pointer) && GetWindowRect(handle, &window)) {
            if (PtInRect(&window, pointer)) {
                pause_ = Pause::PointerOver;
            } else if (pause_ == Pause::PointerOver) {
                pause_ = Pause::None;
            }
        }
    }
    if (!wanted) pause_ = Pause::None;
    Apply(wanted && pause_ == Pause::None);
}

void ClickThrough::TakeTheMouse() noexcept {
    if (!through_) return;
    pause_ = Pause::WaitingForThePointer;
    Apply(false);
}

// A layered window with WS_EX_TRANSPARENT lets the mouse through to the windows under it.
void ClickThrough::Apply(bool through) noexcept {
    HWND handle = window_.Handle();
    if (through == through_ || !handle) return;
    through_ = through;
    const LONG_PTR style = GetWindowLongPtrW(handle, GWL_EXSTYLE);
    if (through) {
        if (!(style & WS_EX_LAYERED)) {
            addedLayer_ = true;
            SetWindowLongPtrW(handle, GWL_EXSTYLE, style | WS_EX_LAYERED | WS_EX_TRANSPARENT);
            SetLayeredWindowAttributes(handle, 0, 255, LWA_ALPHA);
        } else {
            SetWindowLongPtrW(handle, GWL_EXSTYLE, style | WS_EX_TRANSPARENT);
        }
        return;
    }
    LONG_PTR plain = style & ~WS_EX_TRANSPARENT;
    BYTE alpha = 255;
    DWORD flags = 0;
    // Still layered for a skin's opacity since: that stays.
    if (addedLayer_ && (!GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags) || alpha == 255)) {
        plain &= ~WS_EX_LAYERED;
    }
    addedLayer_ = false;
    SetWindowLongPtrW(handle, GWL_EXSTYLE, plain);
}

}  // namespace tellurane
