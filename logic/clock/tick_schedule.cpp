#include "logic/clock/tick_schedule.h"

namespace tellurane {

TickPlan PlanTick(std::uint64_t nowMilliseconds, std::optional<std::uint64_t> shownSecond) {
    const std::uint64_t second = nowMilliseconds / 1000;
    const auto delay = static_cast<unsigned>(1000 - nowMilliseconds % 1000 + kTickOffsetMilliseconds);
    // The face already shows this second: the timer came early, so wait for the next one.
    const bool early = shownSecond.has_value() && *shownSecond == second;
    return {!early, delay};
}

}  // namespace tellurane
