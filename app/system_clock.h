#pragma once
// The wall clock and the user's regional texts for showing it.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "logic/clock/alarm.h"
#include "logic/clock/face_text.h"
#include "logic/clock/picture.h"
#include "logic/local_time.h"

namespace tellurane {

using ClockFunction = std::function<ClockReading()>;

ClockReading ReadSystemClock() noexcept;

// AM and PM designators and the time and date separators of the user's regional settings.
LocaleTexts UserLocaleTexts();

// The full name of the date's weekday in the user's language ("dddd"), for example Monday.
std::wstring DayOfWeekName(const LocalTime& time);
// Windows' formatting of a picture, in the user's language and digits; empty when Windows refuses it.
std::wstring RenderPicture(PictureKind kind, std::wstring_view picture, const LocalTime& time);

// An alarm's time in the user's format without seconds ("7:30 AM", "07:30"), and its days as the user
// reads them: the days' short names ("Mon, Tue"), "Every day", or its one date.
std::wstring ShownAlarmTime(const Alarm& alarm);
std::wstring ShownAlarmDays(const Alarm& alarm);

// The user's first day of the week (LOCALE_IFIRSTDAYOFWEEK: 0 Monday ... 6 Sunday), and a day's short
// name (day 0 Sunday), as the user's regional settings say.
int FirstDayOfWeek();
std::wstring DayName(int day);

// The same moment as Windows' date functions take it.
SYSTEMTIME ToSystemTime(const LocalTime& time);

}  // namespace tellurane
