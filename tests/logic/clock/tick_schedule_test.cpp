#include "logic/clock/tick_schedule.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tellurane
