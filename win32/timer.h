#include "win32/boundary.h"
#pragma once
// A window timer: ticks arrive as WM_TIMER on the owner window's thread, which hands them to Tick().

#include <windows.h>

#include <functional>

namespace tellurane {

class Timer {
public:
    Timer(UINT_PTR id, UINT intervalMilliseconds) : id_(id), interval_(intervalMilliseconds) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { SetEnabled(false); }

    // Attaches the timer to its window; an enabled timer starts now.
    void Attach(HWND owner) noexcept {
        owner_ = owner;
        if (enabled_) SetTimer(owner_, id_, interval_, nullptr);
    }

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled) noexcept {
        enabled_ = enabled;
        if (!owner_) return;
        if (enabled) {
            SetTimer(owner_, id_, interval_, nullptr);
        } else {
            KillTimer(owner_, id_);
        }
    }

    // Runs the next tick after the given delay instead of the interval (for aligning to the clock).
    void Reschedule(UINT delayMilliseconds) noexcept {
        if (owner_ && enabled_) SetTimer(owner_, id_, delayMilliseconds ? delayMilliseconds : 1, nullptr);
    }

    // No tick until the next Reschedule; the timer stays enabled.
    void Pause() noexcept {
        if (owner_) KillTimer(owner_, id_);
    }

    UINT_PTR Id() const noexcept { return id_; }

    std::function<void()> onTick;

    void Tick() noexcept {
        if (!enabled_ || !onTick) return;
        // The tick reports its own failures; nothing unwinds into the window procedure.
        CarryOn("Timer::Tick", [&] { onTick(); });
    }

private:
    HWND owner_ = nullptr;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = true;
};

}  // namespace tellurane
