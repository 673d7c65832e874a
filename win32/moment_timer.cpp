#include "win32/moment_timer.h"

namespace tellurane {

MomentTimer::MomentTimer(HWND owner, UINT message) noexcept
    : owner_(owner),
      message_(message),
      timer_(CreateWaitableTimerW(nullptr, FALSE, nullptr)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

MomentTimer::~MomentTimer() {
    if (thread_) {
        SetEvent(stop_.get());
        WaitForSingleObject(thread_.get(), INFINITE);
    }
}

bool MomentTimer::SetFor(std::int64_t utcMilliseconds) noexcept {
    if (!Working()) return false;
    if (!thread_) {
        // A thread of its own that only waits, rather than the thread pool's wait: Wine keeps a pool worker
        // that wakes every five seconds for as long as the pool is used, and a hidden clock must not wake.
        // Started only now: a thread's stack is memory held for as long as the program runs (under Wine
        // about a megabyte whatever size is asked for), which a clock without alarms or chimes never needs.
        thread_.reset(
            CreateThread(nullptr, 64 * 1024, &MomentTimer::Wait, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
        if (!thread_) return false;
    }
    LARGE_INTEGER due;
    // A positive due time is absolute, in 100 ns units of UTC since 1601; at least 1, which is long past.
    due.QuadPart = utcMilliseconds > 0 ? utcMilliseconds * 10'000 : 1;
    // Not resuming a sleeping computer for it: what passes during a sleep is the caller's to judge.
    return SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE) != FALSE;
}

void MomentTimer::Cancel() noexcept {
    if (timer_) CancelWaitableTimer(timer_.get());
}

DWORD WINAPI MomentTimer::Wait(void* self) noexcept {
    const auto* timer = static_cast<const MomentTimer*>(self);
    const HANDLE objects[] = {timer->stop_.get(), timer->timer_.get()};
    // The stop event comes first: once it is set, nothing more is posted.
    while (WaitForMultipleObjects(2, objects, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        PostMessageW(timer->owner_, timer->message_, 0, 0);
    }
    return 0;
}

}  // namespace tellurane
