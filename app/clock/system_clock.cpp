#include "app/clock/system_clock.h"

#include <windows.h>

#include "win32/user_locale.h"

namespace tellurane {

ClockReading ReadSystemClock() noexcept {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    SYSTEMTIME utcTime{}, local{};
    FileTimeToSystemTime(&utc, &utcTime);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) local = utcTime;
    ClockReading reading;
    reading.local = {local.wYear, local.wMonth,  local.wDay,          local.wHour,
                     local.wMinute, local.wSecond, local.wMilliseconds, local.wDayOfWeek};
    reading.utcMilliseconds =
        ((static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10000;
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

}  // namespace tellurane
