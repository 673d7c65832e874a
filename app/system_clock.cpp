#include "app/system_clock.h"

#include <windows.h>

#include "logic/app_error.h"
#include "logic/grammar.h"
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

std::wstring RenderPicture(PictureKind kind, std::wstring_view picture, const LocalTime& time) {
    const SYSTEMTIME system = ToSystemTime(time);
    const std::wstring format(picture);
    wchar_t text[256] = {};
    const int written = kind == PictureKind::Time
                            ? GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &system, format.c_str(), text, 256)
                            : GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &system, format.c_str(), text, 256, nullptr);
    return written > 0 ? std::wstring(text) : std::wstring();
}

std::wstring ShownAlarmTime(const Alarm& alarm) {
    LocalTime time;
    time.hour = alarm.hour;
    time.minute = alarm.minute;
    const SYSTEMTIME system = ToSystemTime(time);
    wchar_t text[64] = {};
    const int written = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &system, nullptr, text, 64);
    return written > 0 ? std::wstring(text) : AlarmTimeText(alarm);
}

std::wstring ShownAlarmDays(const Alarm& alarm) {
    if (alarm.date) {
        const SYSTEMTIME date = ToSystemTime(*alarm.date);
        wchar_t text[128] = {};
        if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 128, nullptr) > 0) {
            return text;
        }
        return AlarmTimeText(alarm);
    }
    if ((alarm.days & 0x7F) == 0x7F) return Tr(IDS_ALARMS_EVERY_DAY);
    // The locale's names, from its first day of the week, between them its language's separator.
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = L"en-US";
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    std::wstring days;
    for (int place = 0; place < 7; ++place) {
        const int day = WeekDayAt(place, FirstDayOfWeek());
        if (!((alarm.days >> day) & 1u)) continue;
        if (!days.empty()) days += ListSeparator(locale);
        days += DayName(day);
    }
    return days;
}

int FirstDayOfWeek() {
    const std::wstring first = UserLocaleInfo(LOCALE_IFIRSTDAYOFWEEK, L"0");
    return first.size() == 1 && first[0] >= L'0' && first[0] <= L'6' ? first[0] - L'0' : 0;
}

std::wstring DayName(int day) {
    // LOCALE_SABBREVDAYNAME1 is Monday's, 7 Sunday's.
    static constexpr const wchar_t* kEnglish[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    const int index = ((day % 7) + 6) % 7;
    return UserLocaleInfo(LOCALE_SABBREVDAYNAME1 + static_cast<LCTYPE>(index), kEnglish[((day % 7) + 7) % 7]);
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
