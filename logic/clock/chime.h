#pragma once
// The chime on the hour (and half hour), on the clock's own zone, kept quiet through the night if asked.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "logic/clock/time_zone.h"

namespace tellurane {

struct Chime {
    int mode = 0;                              // 0 off, 1 hours, 2 hours and half hours
    std::optional<std::pair<int, int>> quiet;  // minutes of the day: from, up to; may wrap midnight
};

// "22:00-07:00", blanks allowed around the '-': quiet from 22:00 up to, not including, 07:00. Empty: no
// quiet hours and no problem; unreadable: none, and problem says why for the user.
std::optional<std::pair<int, int>> ParseQuietHours(std::wstring_view text, std::wstring& problem);
// A minute of the day in the quiet hours; from == to is no quiet hours at all.
bool IsQuietMinute(const std::pair<int, int>& quiet, int minuteOfDay);

// The next chime strictly after afterUtc; none when off, or when all of the next 48 hours are quiet. On the
// day the clock goes back the repeated hour chimes both times, as the clock reads it twice.
std::optional<std::int64_t> NextChime(const Chime& chime, const ZoneRules& zone, std::int64_t afterUtc);

}  // namespace tellurane
