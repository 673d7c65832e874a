#include "app/clock/system_clock.h"

#include <windows.h>

#include "logic/app_error.h"
#include "logic/texts.h"
#include "win32/user_locale.h"

namespace tellurane {

ClockReading ReadSystemClock() noexcept {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    SYSTEMTIME utcTime{}, local{};
    FileTimeToSystemTime(&utc, &utcTime);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) local = utcTime;
    ClockReading reading;
    reading.local = {local.wYear,   local.wMonth,  local.wDay,          local.wHour,
                     local.wMinute, local.wSecond, local.wMilliseconds, local.wDayOfWeek};
    reading.utcMilliseconds = ((static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10000;
    return reading;
}

LocaleTexts UserLocaleTexts() {
    LocaleTexts texts;
    texts.am = UserLocaleInfo(LOCALE_S1159, L"AM");
    texts.pm = UserLocaleInfo(LOCALE_S2359, L"PM");
    texts.timeSeparator = UserLocaleInfo(LOCALE_STIME, L":");
    texts.dateSeparator = UserLocaleInfo(LOCALE_SDATE, L"/");
    return texts;
}

std::wstring DayOfWeekName(const LocalTime& time) {
    const SYSTEMTIME date = ToSystemTime(time);
    wchar_t name[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &date, L"dddd", name, 128, nullptr) <= 0) {
        throw AppError(Tr(IDS_WEEKDAY_NOT_AVAILABLE));
    }
    return name;
}

SYSTEMTIME ToSystemTime(const LocalTime& time) {
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(time.year);
    system.wMonth = static_cast<WORD>(time.month);
    system.wDay = static_cast<WORD>(time.day);
    system.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
    system.wHour = static_cast<WORD>(time.hour);
    system.wMinute = static_cast<WORD>(time.minute);
    system.wSecond = static_cast<WORD>(time.second);
    return system;
}

}  // namespace tellurane
