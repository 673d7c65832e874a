#pragma once
// Alarms: how one is kept in the registry, read back with a message for a value that cannot be read, and
// when it rings next in the clock's zone. Times are UTC milliseconds since 1601, as Windows counts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "logic/clock/time_zone.h"
#include "logic/local_time.h"

namespace tellurane {

struct Alarm {
    int hour = 7, minute = 0;
    unsigned days = 0x7F;           // bit d: it rings on dayOfWeek d (0 Sunday); 0 with a date
    std::optional<LocalTime> date;  // rings once, on this day (year, month and day count)
    std::wstring label, sound;
    int snoozeMinutes = 10;
    bool on = true;
};

// Dates compare by their day alone.
bool operator==(const Alarm& a, const Alarm& b);

// The alarm's values as the registry keeps them ("Time", "Days", "Date", "Label", "Sound", "Snooze", "On");
// nullopt: the value is absent.
struct StoredAlarm {
    std::optional<std::wstring> time, days, date, label, sound, snooze, on;
};

// The alarm's key below its clock's: "Alarms\N".
std::wstring AlarmKey(int number);
// The values from the alarm's own store (anything with Stored(name), as the settings store has).
template <class Store>
StoredAlarm ReadStoredAlarm(const Store& alarm) {
    return {alarm.Stored(L"Time"),  alarm.Stored(L"Days"),   alarm.Stored(L"Date"), alarm.Stored(L"Label"),
            alarm.Stored(L"Sound"), alarm.Stored(L"Snooze"), alarm.Stored(L"On")};
}

struct AlarmRead {
    Alarm alarm;
    std::wstring problem;  // empty when every value could be read
};

// "Time" H:MM or HH:MM (required); "Days" Mon ... Sun apart by spaces, in any case and order; "Date"
// YYYY-MM-DD; neither days nor a date: every day, a date: only then. "Snooze" 1 to 60 minutes (10 when
// absent), "On" 1 or 0 (on when absent). Blanks around a value do not count. A value that cannot be read
// leaves the alarm off, and problem names the first such value for the user, with the alarm's number.
AlarmRead ReadAlarm(int number, const StoredAlarm& stored);
// Every value, in the form ReadAlarm reads back as the same alarm. An alarm with neither days nor a date
// never rings, and cannot be written: it comes back ringing every day.
StoredAlarm StoredValuesOf(const Alarm& alarm);

// H:MM or HH:MM as minutes of the day, 00:00 to 23:59.
std::optional<int> MinuteOfDayFromText(std::wstring_view text);
std::wstring AlarmTimeText(const Alarm& alarm);  // "07:30"
std::wstring DaysText(unsigned days);            // "Mon Tue Wed Thu Fri", Monday first

// The first ring strictly after afterUtc, at the alarm's time on the zone's clock; none when the alarm is off
// or its one date has passed. On the day the clock goes back it rings at the first of the two times; when the
// clock jumps over its time it rings at the jump.
std::optional<std::int64_t> NextRing(const Alarm& alarm, const ZoneRules& zone, std::int64_t afterUtc);
// The latest ring in (fromUtc, toUtc]: what a program that slept, or whose clock jumped ahead, shows once as
// missed. Only the latest, so a week away shows one missed daily alarm, not seven.
std::optional<std::int64_t> LastMissed(const Alarm& alarm, const ZoneRules& zone, std::int64_t fromUtc,
                                       std::int64_t toUtc);

// A timer fires late under load: a ring found at most this late still rings; later, it was missed.
inline constexpr std::int64_t kRingGraceMs = 60'000;
inline bool RingsNow(std::int64_t ringUtc, std::int64_t nowUtc) {
    return ringUtc <= nowUtc && nowUtc - ringUtc <= kRingGraceMs;
}

}  // namespace tellurane
