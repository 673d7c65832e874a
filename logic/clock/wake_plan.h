#pragma once
// When the program wakes next. A face that shows seconds changes every second, one that shows
// minutes every minute, and one nobody can see (every clock in the tray, the session locked, the
// display off) not at all: then only a moment something must happen at (a countdown's zero) wakes it.
// Every wake is aimed just after the turn of the second or minute it is for (see tick_schedule.h).

#include <cstdint>
#include <optional>

namespace tellurane {

struct WakeState {
    bool seen = true;                         // some clock can be seen
    bool secondsSeen = true;                  // a clock that can be seen shows seconds (its picture, or a countdown)
    std::optional<std::uint64_t> nextMoment;  // the earliest moment ahead that something must happen at
};

struct WakePlan {
    bool tickNow;                   // the faces change now, or a moment has come
    std::optional<unsigned> delay;  // milliseconds until the next wake; none: only an event wakes it
};

// Longest a timer is set for: a far moment is aimed at again from nearer.
inline constexpr unsigned kLongestWakeMilliseconds = 86'400'000;

// now: the wall clock in milliseconds (any fixed epoch; moments in the same). shownSecond: the second
// the faces show (now / 1000 when they were last written), if any.
WakePlan PlanWake(std::uint64_t now, std::optional<std::uint64_t> shownSecond, const WakeState& state);

}  // namespace tellurane
