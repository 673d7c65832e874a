#include "logic/clock/wake_plan.h"

#include <algorithm>

#include "logic/clock/tick_schedule.h"

namespace tellurane {

WakePlan PlanWake(std::uint64_t now, std::optional<std::uint64_t> shownSecond, const WakeState& state) {
    const std::uint64_t step = state.secondsSeen ? 1000 : 60'000;
    const bool momentCame = state.nextMoment && *state.nextMoment <= now;
    // A timer may fire a little early: the faces already show this second (or minute), so it waits.
    const bool stepTurned = !shownSecond || *shownSecond * 1000 / step != now / step;
    WakePlan plan{momentCame || (state.seen && stepTurned), std::nullopt};
    std::optional<std::uint64_t> until;
    if (state.seen) until = step - now % step + kTickOffsetMilliseconds;
    if (state.nextMoment && *state.nextMoment > now) {
        const std::uint64_t toMoment = *state.nextMoment - now + kTickOffsetMilliseconds;
        until = until ? std::min(*until, toMoment) : toMoment;
    }
    if (until) plan.delay = static_cast<unsigned>(std::min<std::uint64_t>(*until, kLongestWakeMilliseconds));
    return plan;
}

}  // namespace tellurane
