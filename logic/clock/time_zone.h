#pragma once
// Local time in a time zone from Windows' own rules: the bias, and the days daylight saving time starts
// and ends, as GetTimeZoneInformationForYear gives them for each year. Kept portable so the rules can be
// checked over a table of zones and years on the build machine.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "logic/local_time.h"

namespace tellurane {

// A change-over as Windows writes it (the SYSTEMTIME of TIME_ZONE_INFORMATION). With year 0 it recurs:
// the day-th (1 to 5; 5 is the last) dayOfWeek of the month, at that local time. Month 0: no change-over.
struct ZoneDate {
    int year = 0, month = 0, dayOfWeek = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// One year's rules. UTC = local time + bias + standardBias in standard time, + daylightBias in daylight
// time, all in minutes. daylightDate is given in standard time, standardDate in daylight time.
struct ZoneRule {
    int bias = 0, standardBias = 0, daylightBias = 0;
    ZoneDate standardDate, daylightDate;
};

using ZoneRules = std::function<ZoneRule(int year)>;

// The city a zone's display name ends with, for a clock's label: "(UTC+09:00) Osaka, Sapporo, Tokyo" gives
// "Tokyo", "(UTC-08:00) Pacific Time (US & Canada)" all after the offset.
std::wstring CityOfDisplayName(std::wstring_view displayName);

// 28 to 31, leap years counted.
int DaysInMonth(int year, int month);

// Milliseconds since 1601-01-01 (as Windows counts) and the calendar date and time they name.
LocalTime CivilFromMilliseconds(std::int64_t milliseconds);
std::int64_t MillisecondsFromCivil(const LocalTime& time);

// Minutes to add to UTC for the zone's local time at that instant.
int ZoneOffsetMinutes(const ZoneRules& rules, std::int64_t utcMilliseconds);
LocalTime ZoneLocalTime(const ZoneRules& rules, std::int64_t utcMilliseconds);

// The instant a local time in the zone names: in the hour that repeats, its first time; in the hour that
// is skipped, the same time of the clock before the change-over (so an hour later than written).
std::int64_t ZoneLocalToUtc(const ZoneRules& rules, const LocalTime& local);

}  // namespace tellurane
