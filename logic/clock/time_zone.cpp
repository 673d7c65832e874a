#include "logic/clock/time_zone.h"

namespace tellurane {

std::wstring CityOfDisplayName(std::wstring_view name) {
    if (name.starts_with(L"(UTC")) {
        const std::size_t close = name.find(L')');
        name.remove_prefix(close == std::wstring_view::npos ? name.size() : close + 1);
    }
    const std::size_t comma = name.rfind(L',');
    if (comma != std::wstring_view::npos) name.remove_prefix(comma + 1);
    while (!name.empty() && name.front() == L' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
    return std::wstring(name);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}
namespace {

constexpr std::int64_t kMinute = 60'000;
constexpr std::int64_t kDay = 86'400'000;

// Days from 1601-01-01 to a civil date (proleptic Gregorian), after Howard Hinnant's algorithm.
std::int64_t DaysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 584694;  // 584694: days from 0000-03-01 to 1601-01-01
}

// 1601-01-01 was a Monday.
int DayOfWeek(std::int64_t days) { return static_cast<int>(((days % 7) + 7 + 1) % 7); }

// The change-over's local time in the given year, in milliseconds since 1601 on the local clock.
std::int64_t ChangeOverLocal(const ZoneDate& date, int year) {
    int day = date.day;
    if (date.year == 0) {
        const std::int64_t first = DaysFromCivil(year, date.month, 1);
        day = 1 + (date.dayOfWeek - DayOfWeek(first) + 7) % 7 + 7 * (date.day - 1);
        while (day > DaysInMonth(year, date.month)) day -= 7;  // the fifth means the last
    }
    return DaysFromCivil(year, date.month, day) * kDay + ((date.hour * 60 + date.minute) * 60 + date.second) * 1000LL +
           date.millisecond;
}

bool InDaylightTime(const ZoneRule& rule, std::int64_t utc, int year) {
    if (rule.daylightDate.month == 0 || rule.standardDate.month == 0) return false;
    const std::int64_t begins = ChangeOverLocal(rule.daylightDate, year) + (rule.bias + rule.standardBias) * kMinute;
    const std::int64_t ends = ChangeOverLocal(rule.standardDate, year) + (rule.bias + rule.daylightBias) * kMinute;
    // In the south, daylight time runs over the new year.
    return begins < ends ? utc >= begins && utc < ends : utc >= begins || utc < ends;
}

}  // namespace

LocalTime CivilFromMilliseconds(std::int64_t milliseconds) {
    const std::int64_t days = (milliseconds >= 0 ? milliseconds : milliseconds - kDay + 1) / kDay;
    std::int64_t rest = milliseconds - days * kDay;
    // The inverse of DaysFromCivil.
    const std::int64_t z = days + 584694;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    LocalTime time;
    time.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    time.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    time.year = static_cast<int>(yoe + era * 400 + (time.month <= 2 ? 1 : 0));
    time.dayOfWeek = DayOfWeek(days);
    time.hour = static_cast<int>(rest / 3'600'000);
    rest %= 3'600'000;
    time.minute = static_cast<int>(rest / kMinute);
    rest %= kMinute;
    time.second = static_cast<int>(rest / 1000);
    time.millisecond = static_cast<int>(rest % 1000);
    return time;
}

std::int64_t MillisecondsFromCivil(const LocalTime& time) {
    return DaysFromCivil(time.year, time.month, time.day) * kDay +
           ((time.hour * 60LL + time.minute) * 60 + time.second) * 1000 + time.millisecond;
}

int ZoneOffsetMinutes(const ZoneRules& rules, std::int64_t utcMilliseconds) {
    // The year as the zone's standard clock has it, so a change-over near the new year falls in its own.
    const ZoneRule guess = rules(CivilFromMilliseconds(utcMilliseconds).year);
    const int year = CivilFromMilliseconds(utcMilliseconds - (guess.bias + guess.standardBias) * kMinute).year;
    const ZoneRule rule = rules(year);
    const int bias = rule.bias + (InDaylightTime(rule, utcMilliseconds, year) ? rule.daylightBias : rule.standardBias);
    return -bias;
}

LocalTime ZoneLocalTime(const ZoneRules& rules, std::int64_t utcMilliseconds) {
    return CivilFromMilliseconds(utcMilliseconds + ZoneOffsetMinutes(rules, utcMilliseconds) * kMinute);
}

std::int64_t ZoneLocalToUtc(const ZoneRules& rules, const LocalTime& local) {
    const std::int64_t wall = MillisecondsFromCivil(local);
    const ZoneRule rule = rules(local.year);
    const std::int64_t daylight = wall + (rule.bias + rule.daylightBias) * kMinute;
    const std::int64_t standard = wall + (rule.bias + rule.standardBias) * kMinute;
    const std::int64_t first = daylight < standard ? daylight : standard;
    const std::int64_t second = daylight < standard ? standard : daylight;
    if (first + ZoneOffsetMinutes(rules, first) * kMinute == wall) return first;
    if (second + ZoneOffsetMinutes(rules, second) * kMinute == wall) return second;
    return standard;  // skipped: read on the clock as it was before the change-over
}

}  // namespace tellurane
