#pragma once
// A timer for a moment of the wall clock, not for a delay: a waitable timer set to an absolute time, so
// that a change of the system time or a sleep between now and then moves or passes the moment with it.
// When the moment comes it posts a message to a window, which any message loop delivers, a system's
// modal one (a message box, a menu) included. Between moments it costs nothing: a thread that only waits,
// started by the first moment set, so that a program with nothing to time has no thread for it.

#include <windows.h>

#include <cstdint>

#include "win32/handles.h"

namespace tellurane {

class MomentTimer {
public:
    MomentTimer(HWND owner, UINT message) noexcept;
    MomentTimer(const MomentTimer&) = delete;
    MomentTimer& operator=(const MomentTimer&) = delete;
    ~MomentTimer();

    // Posts the message at that moment (UTC milliseconds since 1601, as Windows counts), or at once for a
    // moment already past; replaces any moment set before. False when Windows refused.
    bool SetFor(std::int64_t utcMilliseconds) noexcept;
    void Cancel() noexcept;
    bool Working() const noexcept { return timer_ && stop_; }

private:
    static DWORD WINAPI Wait(void* self) noexcept;
    HWND owner_;
    UINT message_;
    UniqueKernelHandle timer_, stop_;
    UniqueKernelHandle thread_;  // last: it stops and goes before what it waits on
};

}  // namespace tellurane
