#pragma once
// The tray icon's tip with every clock's time, and how far a zone is from the one here.

#include <cstddef>
#include <string>
#include <vector>

#include "logic/local_time.h"

namespace tellurane {

struct TipClock {
    std::wstring label;
    std::wstring time;
    int dayDelta = 0;  // the clock's local date minus the local date here: -1, 0, 1
};

// One clock a line, "Tokyo 04:21", with "tomorrow" or "yesterday" where the day is not today's here. A tip
// holds limit characters (the tray's 127): when the lines do not fit, the first ones that do are kept and a
// last line counts the rest, "+3 more".
std::wstring WorldTip(const std::vector<TipClock>& clocks, std::size_t limit = 127);

// "9 h ahead", "5 h 30 min behind", "45 min ahead", or the same time as here.
std::wstring ZoneDistanceText(int minutesAhead);

// The date there minus the date here, in days: -1, 0 or 1 (further apart, as far as the tip can say).
int DayDelta(const LocalTime& there, const LocalTime& here);

}  // namespace tellurane
