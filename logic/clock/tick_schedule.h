#pragma once
// When the clock face ticks. A timer at a fixed 1000 ms drifts against the wall clock and, now and
// then, shows one second twice or skips one. Instead every tick is aimed just after the start of
// the next wall-clock second, and a timer that fires before that second has begun does not tick.

#include <cstdint>
#include <optional>

namespace tellurane {

// How long after a second begins the face is aimed to change: late enough that a timer rounded
// to the system's tick does not fire before the second, early enough to be seen as on time.
inline constexpr int kTickOffsetMilliseconds = 10;

struct TickPlan {
    bool tickNow;
    unsigned delayMilliseconds;  // until the timer should fire again
};

// nowMilliseconds: the wall clock in milliseconds since any fixed epoch; shownSecond: the second
// (same epoch, in seconds) the face shows, if any.
TickPlan PlanTick(std::uint64_t nowMilliseconds, std::optional<std::uint64_t> shownSecond);

}  // namespace tellurane
