#include "logic/clock/tick_schedule.h"

#include "logic/clock/wake_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace tellurane {
namespace {

TEST(PlanTick, AimsJustAfterTheNextSecondBegins) {
    EXPECT_EQ(PlanTick(5'000, std::nullopt).delayMilliseconds, 1000u + kTickOffsetMilliseconds);
    EXPECT_EQ(PlanTick(5'400, 4).delayMilliseconds, 600u + kTickOffsetMilliseconds);
    EXPECT_EQ(PlanTick(5'999, 4).delayMilliseconds, 1u + kTickOffsetMilliseconds);
}

TEST(PlanTick, ATimerThatFiresBeforeTheSecondBeginsDoesNotTickAgain) {
    const TickPlan early = PlanTick(5'995, 5);
    EXPECT_FALSE(early.tickNow);
    EXPECT_EQ(early.delayMilliseconds, 5u + kTickOffsetMilliseconds);
    EXPECT_TRUE(PlanTick(6'003, 5).tickNow);
    EXPECT_TRUE(PlanTick(9'500, 5).tickNow);  // late after a stall: show the time now
    EXPECT_TRUE(PlanTick(3'000, 5).tickNow);  // the clock was set back
}

// Timers that fire up to a system tick early or late, over a long run: each second is shown once.
TEST(PlanTick, ShowsEverySecondExactlyOnceWhateverTheTimerJitter) {
    std::uint64_t now = 1'000'000'123;
    std::optional<std::uint64_t> shown;
    std::set<std::uint64_t> seen;
    std::uint32_t random = 1;
    for (int fire = 0; fire < 20'000; ++fire) {
        const TickPlan plan = PlanTick(now, shown);
        if (plan.tickNow) {
            ASSERT_TRUE(seen.insert(now / 1000).second) << "second shown twice";
            if (shown) {
                ASSERT_EQ(now / 1000, *shown + 1) << "second skipped";
            }
            shown = now / 1000;
        }
        random = random * 1103515245u + 12345u;
        const int jitter = static_cast<int>((random >> 16) % 33) - 16;  // -16 .. +16 ms
        now = static_cast<std::uint64_t>(static_cast<std::int64_t>(now) + plan.delayMilliseconds + jitter + 1);
    }
    EXPECT_GT(seen.size(), 15'000u);
}

// What wakes the program next, over states and times: seconds or minutes seen, nothing seen, a
// countdown's moment ahead; at the turns of a minute and a day, and across a change of daylight saving
// time (which moves local time, not the minutes of the wall clock the wakes are aimed at).
constexpr std::uint64_t kDay = 86'400'000, kMidnight = 20'000 * kDay;  // a UTC day's turn
constexpr auto kOff = kTickOffsetMilliseconds;

struct WakeCase {
    const char* what;
    std::uint64_t now;
    std::optional<std::uint64_t> shown;
    WakeState state;
    bool tickNow;
    std::optional<unsigned> delay;
};
const WakeCase kWakeCases[]{
    WakeCase{"seconds: the next second", kMidnight + 400, kMidnight / 1000, {}, false, 600 + kOff},
    WakeCase{"seconds: a new second", kMidnight + 1'010, kMidnight / 1000, {}, true, 990 + kOff},
    WakeCase{"minutes: within the minute",
             kMidnight + 5'010,
             kMidnight / 1000,
             {true, false, {}},
             false,
             55'000 - 10 + kOff},
    WakeCase{"minutes: the minute turned",
             kMidnight + 60'010,
             kMidnight / 1000 + 59,
             {true, false, {}},
             true,
             60'000 - 10 + kOff},
    WakeCase{
        "minutes: the day turned", kMidnight + 15, kMidnight / 1000 - 1, {true, false, {}}, true, 60'000 - 15 + kOff},
    WakeCase{"minutes: the hour a clock goes back (same UTC minutes)",
             kMidnight + 3'600'000 + 20,
             kMidnight / 1000 + 3'599,
             {true, false, {}},
             true,
             60'000 - 20 + kOff},
    WakeCase{"minutes, a countdown's moment sooner",
             kMidnight + 10'000,
             kMidnight / 1000 + 10,
             {true, false, kMidnight + 12'500},
             false,
             2'500 + kOff},
    WakeCase{"nothing seen, nothing due: no timer",
             kMidnight + 10'000,
             kMidnight / 1000,
             {false, false, {}},
             false,
             std::nullopt},
    WakeCase{"nothing seen: the moment ahead",
             kMidnight + 10'000,
             kMidnight / 1000,
             {false, false, kMidnight + 70'000},
             false,
             60'000 + kOff},
    WakeCase{"nothing seen: the moment came",
             kMidnight + 70'005,
             kMidnight / 1000,
             {false, false, kMidnight + 70'000},
             true,
             std::nullopt},
    WakeCase{"nothing seen: a wake at the moment itself ticks",
             kMidnight + 70'000,
             kMidnight / 1000,
             {false, false, kMidnight + 70'000},
             true,
             std::nullopt},
    WakeCase{"nothing seen: a new second draws nothing",
             kMidnight + 1'010,
             kMidnight / 1000,
             {false, true, kMidnight + 70'000},
             false,
             68'990 + kOff},
    WakeCase{"nothing seen: a moment within the second",
             kMidnight + 10'000,
             kMidnight / 1000 + 10,
             {false, false, kMidnight + 10'400},
             false,
             400 + kOff},
    WakeCase{"nothing seen: a moment weeks ahead",
             kMidnight,
             kMidnight / 1000,
             {false, false, kMidnight + 30 * kDay},
             false,
             kLongestWakeMilliseconds},
    WakeCase{"first wake, nothing shown yet", kMidnight + 400, std::nullopt, {true, false, {}}, true, 59'600 + kOff},
};

TEST(PlanWake, SecondsOrMinutesWhenSeenOnlyMomentsWhenNotAndNeverMoreThanADay) {
    for (const WakeCase& c : kWakeCases) {
        const WakePlan plan = PlanWake(c.now, c.shown, c.state);
        EXPECT_EQ(plan.tickNow, c.tickNow) << c.what;
        EXPECT_EQ(plan.delay, c.delay) << c.what;
    }
}

}  // namespace
}  // namespace tellurane
