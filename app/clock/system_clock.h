#pragma once
// The wall clock and the user's regional texts for showing it.

#include <windows.h>

#include <functional>
#include <string>

#include "logic/clock/face_text.h"
#include "logic/local_time.h"

namespace tellurane {

using ClockFunction = std::function<ClockReading()>;

ClockReading ReadSystemClock() noexcept;

// AM and PM designators and the time and date separators of the user's regional settings.
LocaleTexts UserLocaleTexts();

// The full name of the date's weekday in the user's language ("dddd"), for example Monday.
std::wstring DayOfWeekName(const LocalTime& time);

// The same moment as Windows' date functions take it.
SYSTEMTIME ToSystemTime(const LocalTime& time);

}  // namespace tellurane
