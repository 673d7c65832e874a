#pragma once
// A clock the mouse passes through, to what lies under it (a clock over a working area), and the way
// back: after a click on the tray icon it takes the mouse again, until the pointer has been over it and
// has left it.

#include <windows.h>

#include "win32/window.h"

namespace tellurane {

class ClickThrough {
public:
    explicit ClickThrough(const Window& window) : window_(window) {}

    // At each tick: the clock's stored switch.
    void Follow(bool wanted) noexcept;
    // The tray icon was clicked: the clock takes the mouse at once.
    void TakeTheMouse() noexcept;
    // The pointer is over the clock (its WM_SETCURSOR): once it has left, the mouse goes through again.
    void PointerOver() noexcept {
        if (pause_ == Pause::WaitingForThePointer) pause_ = Pause::PointerOver;
    }

private:
    void Apply(bool through) noexcept;

    const Window& window_;
    bool through_ = false;
    bool addedLayer_ = false;  // layered for the pass-through alone, not for a skin's opacity
    enum class Pause { None, WaitingForThePointer, PointerOver } pause_ = Pause::None;
};

}  // namespace tellurane
