#include "logic/clock/time_zone.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <map>
#include <string>

#include "logic/clock/countdown.h"

namespace tellurane {
namespace {

// The zones as Windows' registry keeps them (TZI: bias, standard and daylight bias, the change-over
// days); the same rules every year the rows below use.
const std::map<std::string, ZoneRule> kZones = {
    {"Pacific", {480, 0, -60, {0, 11, 0, 1, 2}, {0, 3, 0, 2, 2}}},
    {"Berlin", {-60, 0, -60, {0, 10, 0, 5, 3}, {0, 3, 0, 5, 2}}},
    {"Sydney", {-600, 0, -60, {0, 4, 0, 1, 3}, {0, 10, 0, 1, 2}}},
    {"Tokyo", {-540, 0, 0, {}, {}}},
    {"India", {-330, 0, 0, {}, {}}},
    {"Iran", {-210, 0, 0, {}, {}}},
    {"Nepal", {-345, 0, 0, {}, {}}},
    {"Newfoundland", {210, 0, -60, {0, 11, 0, 1, 2}, {0, 3, 0, 2, 2}}},
    {"Chatham", {-765, 0, -60, {0, 4, 0, 1, 3, 45}, {0, 9, 0, 5, 2, 45}}},
};

// A zone whose rules changed, by the first year each holds for: Brasilia's last daylight saving time, from
// 4 November 2018 to 17 February 2019. 2019 is written as daylight time from 1 January to February.
const std::map<std::string, std::map<int, ZoneRule>> kZonesByYear = {
    {"Brasilia",
     {{2018, {180, 0, -60, {0, 2, 6, 3, 23, 59, 59, 999}, {0, 11, 0, 1}}},
      {2019, {180, 0, -60, {0, 2, 6, 3, 23, 59, 59, 999}, {0, 1, 2, 1}}},
      {2020, {180, 0, 0, {}, {}}}}},
};

ZoneRules Rules(const std::string& zone) {
    if (const auto found = kZonesByYear.find(zone); found != kZonesByYear.end()) {
        return [&years = found->second](int year) {
            const auto after = years.upper_bound(year);
            return after == years.begin() ? after->second : std::prev(after)->second;
        };
    }
    return [rule = kZones.at(zone)](int) { return rule; };
}

// "YYYY-MM-DD HH:MM:SS"
LocalTime At(const char* text) {
    LocalTime time;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &time.year, &time.month, &time.day, &time.hour, &time.minute, &time.second);
    return time;
}

std::string Text(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

TEST(ZoneLocalTime, FollowsEachChangeOverToTheSecond) {
    struct Case {
        const char *zone, *utc, *local;
    };
    const Case cases[] = {
        {"Pacific", "2026-03-08 09:59:59", "2026-03-08 01:59:59"},  // second Sunday of March
        {"Pacific", "2026-03-08 10:00:00", "2026-03-08 03:00:00"},  // 2:00 is skipped
        {"Pacific", "2026-11-01 08:59:59", "2026-11-01 01:59:59"},  // first Sunday of November
        {"Pacific", "2026-11-01 09:00:00", "2026-11-01 01:00:00"},  // 1:00 to 2:00 again
        {"Pacific", "2027-03-14 10:00:00", "2027-03-14 03:00:00"},
        {"Pacific", "2027-11-07 09:00:00", "2027-11-07 01:00:00"},
        {"Berlin", "2026-03-29 00:59:59", "2026-03-29 01:59:59"},  // last Sunday of March
        {"Berlin", "2026-03-29 01:00:00", "2026-03-29 03:00:00"},
        {"Berlin", "2026-10-25 00:59:59", "2026-10-25 02:59:59"},  // last Sunday of October
        {"Berlin", "2026-10-25 01:00:00", "2026-10-25 02:00:00"},
        {"Berlin", "2027-03-28 01:00:00", "2027-03-28 03:00:00"},
        {"Berlin", "2027-10-31 00:59:59", "2027-10-31 02:59:59"},  // the fifth Sunday is the last, the 31st
        {"Berlin", "2027-10-31 01:00:00", "2027-10-31 02:00:00"},
        {"Berlin", "2024-03-31 00:59:59", "2024-03-31 01:59:59"},
        {"Berlin", "2024-03-31 01:00:00", "2024-03-31 03:00:00"},
        {"Sydney", "2026-04-04 15:59:59", "2026-04-05 02:59:59"},  // the south: ends in April
        {"Sydney", "2026-04-04 16:00:00", "2026-04-05 02:00:00"},
        {"Sydney", "2026-10-03 15:59:59", "2026-10-04 01:59:59"},  // and starts in October
        {"Sydney", "2026-10-03 16:00:00", "2026-10-04 03:00:00"},
        {"Sydney", "2026-12-31 14:00:00", "2027-01-01 01:00:00"},  // over the new year in daylight time
        {"Tokyo", "2026-12-31 15:00:00", "2027-01-01 00:00:00"},
        {"Tokyo", "2028-02-28 15:00:00", "2028-02-29 00:00:00"},  // a leap day
        {"Tokyo", "2000-02-28 15:00:00", "2000-02-29 00:00:00"},  // and in a 400th year
        {"Tokyo", "2100-02-28 15:00:00", "2100-03-01 00:00:00"},  // but not in another 100th
        // Offsets and change-overs off the whole hour.
        {"India", "2026-12-31 18:30:00", "2027-01-01 00:00:00"},
        {"Iran", "2026-06-21 12:00:00", "2026-06-21 15:30:00"},
        {"Nepal", "2026-06-21 12:00:00", "2026-06-21 17:45:00"},
        {"Newfoundland", "2026-03-08 05:29:59", "2026-03-08 01:59:59"},
        {"Newfoundland", "2026-03-08 05:30:00", "2026-03-08 03:00:00"},
        {"Newfoundland", "2026-11-01 04:29:59", "2026-11-01 01:59:59"},
        {"Newfoundland", "2026-11-01 04:30:00", "2026-11-01 01:00:00"},
        {"Chatham", "2026-04-04 13:59:59", "2026-04-05 03:44:59"},  // ends at 3:45
        {"Chatham", "2026-04-04 14:00:00", "2026-04-05 02:45:00"},
        {"Chatham", "2026-09-26 13:59:59", "2026-09-27 02:44:59"},  // starts at 2:45
        {"Chatham", "2026-09-26 14:00:00", "2026-09-27 03:45:00"},
        // The year whose rules hold is the one on the zone's own clock, not UTC's.
        {"Brasilia", "2019-01-01 02:30:00", "2019-01-01 00:30:00"},  // still 2018 there: in daylight time
        {"Brasilia", "2019-01-01 03:00:00", "2019-01-01 01:00:00"},
        {"Brasilia", "2019-02-17 01:59:59", "2019-02-16 23:59:59"},
        {"Brasilia", "2019-02-17 02:00:00", "2019-02-16 23:00:00"},
        {"Brasilia", "2019-11-10 12:00:00", "2019-11-10 09:00:00"},  // none in 2019's November
    };
    for (const Case& c : cases) {
        const LocalTime local = ZoneLocalTime(Rules(c.zone), MillisecondsFromCivil(At(c.utc)));
        EXPECT_EQ(Text(local), c.local) << c.zone << " at " << c.utc;
    }
    EXPECT_EQ(CivilFromMilliseconds(0).dayOfWeek, 1) << "1601 began on a Monday";
    EXPECT_EQ(CivilFromMilliseconds(MillisecondsFromCivil(At("2026-12-06 21:05:09"))).dayOfWeek, 0);
    EXPECT_EQ(MillisecondsFromCivil(At("2026-12-06 21:05:09")), 13'441'064'709'000);
}

TEST(ZoneLocalToUtc, TakesTheFirstOfARepeatedHourAndReadsASkippedOneOnTheClockBefore) {
    struct Case {
        const char *zone, *local, *utc;
    };
    const Case cases[] = {
        {"Pacific", "2026-07-01 12:00:00", "2026-07-01 19:00:00"},
        {"Pacific", "2026-03-08 02:30:00", "2026-03-08 10:30:00"},  // skipped: 3:30 daylight time
        {"Pacific", "2026-11-01 01:30:00", "2026-11-01 08:30:00"},  // repeated: the first, in daylight time
        {"Berlin", "2026-10-25 02:30:00", "2026-10-25 00:30:00"},
        {"Sydney", "2027-01-01 00:00:00", "2026-12-31 13:00:00"},
        {"Tokyo", "2027-01-01 00:00:00", "2026-12-31 15:00:00"},
        {"Newfoundland", "2026-03-08 02:30:00", "2026-03-08 06:00:00"},
        {"Chatham", "2026-04-05 03:15:00", "2026-04-04 13:30:00"},
        {"Brasilia", "2019-01-01 00:30:00", "2019-01-01 02:30:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(CivilFromMilliseconds(ZoneLocalToUtc(Rules(c.zone), At(c.local)))), c.utc)
            << c.zone << " at " << c.local;
    }
}

TEST(Countdown, ReadsOnlyWholeMomentsAndCountsWholeSecondsDownToZero) {
    EXPECT_EQ(Text(*ParseCountdownMoment(L"2027-01-01T00:00:00")), "2027-01-01 00:00:00");
    EXPECT_EQ(CountdownMomentText(*ParseCountdownMoment(L"2028-02-29T23:59:59")), L"2028-02-29T23:59:59");
    // Each field at its last value, and one past it; each written back as it was read.
    for (const wchar_t* good : {L"2027-12-31T23:59:59", L"2027-04-30T00:00:00", L"2000-02-29T00:00:00",
                                L"1601-01-01T00:00:00", L"2027-03-04T05:06:07"}) {
        const std::optional<LocalTime> moment = ParseCountdownMoment(good);
        EXPECT_TRUE(moment && CountdownMomentText(*moment) == good) << testing::PrintToString(std::wstring(good));
    }
    for (const wchar_t* bad :
         {L"", L"2027-01-01", L"2027-01-01 00:00:00", L"2027-13-01T00:00:00", L"2027-00-01T00:00:00",
          L"2027-01-00T00:00:00", L"2027-01-32T00:00:00", L"2027-04-31T00:00:00", L"2100-02-29T00:00:00",
          L"2027-01-01T00:00:60", L"2027-02-29T00:00:00", L"2027-01-01T24:00:00", L"2027-01-01T00:60:00",
          L"２０２７-01-01T00:00:00", L"1600-01-01T00:00:00", L"2027-01-01T00:00:00Z", L"2027-01-01T 9:00:00",
          L"2027-01-01T09:00:0 ", L"2027-1-01T09:00:00 "}) {
        EXPECT_FALSE(ParseCountdownMoment(bad)) << testing::PrintToString(std::wstring(bad));
    }
    struct Case {
        std::int64_t left;
        const wchar_t* shown;
    };
    for (const Case& c :
         {Case{-5000, L"0"}, Case{0, L"0"}, Case{1, L"00:00:01"}, Case{999, L"00:00:01"}, Case{1000, L"00:00:01"},
          Case{1001, L"00:00:02"}, Case{86'400'000, L"1 day 00:00:00"}, Case{86'399'001, L"1 day 00:00:00"},
          Case{((3 * 24 + 4) * 3600 + 12 * 60 + 9) * 1000LL, L"3 days 04:12:09"}}) {
        EXPECT_EQ(CountdownText(c.left), c.shown) << c.left;
    }
}

TEST(CityOfDisplayName, TakesTheLastPlaceAfterTheOffset) {
    for (auto [display, city] : {std::pair{L"(UTC+09:00) Osaka, Sapporo, Tokyo", L"Tokyo"},
                                 std::pair{L"(UTC-08:00) Pacific Time (US & Canada)", L"Pacific Time (US & Canada)"},
                                 std::pair{L"(UTC+05:30) Chennai, Kolkata, Mumbai, New Delhi", L"New Delhi"},
                                 std::pair{L"(UTC) Coordinated Universal Time", L"Coordinated Universal Time"},
                                 std::pair{L"Tokyo Standard Time", L"Tokyo Standard Time"},
                                 std::pair{L"(UTC+09:00) Osaka, Sapporo, Tokyo ", L"Tokyo"},
                                 std::pair{L"Tokyo Standard Time ", L"Tokyo Standard Time"},
                                 std::pair{L"(UTC+01:00 broken", L""}, std::pair{L"", L""}}) {
        EXPECT_EQ(CityOfDisplayName(display), city) << testing::PrintToString(std::wstring(display));
    }
}

}  // namespace
}  // namespace tellurane
