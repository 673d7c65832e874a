#pragma once
// Alarms: how one is kept in the registry, read back with a message for a value that cannot be read, and
// when it rings next in the clock's zone. Times are UTC milliseconds since 1601, as Windows counts.

#include <cstddef>
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

// The alarm's values as the registry keeps them; nullopt: the value is absent (or, to write, left as it is).
// The last two are the bell's, beside the alarm's own: the moment (UTC milliseconds since 1601) of the one
// ring turned off, and the moment a snooze ends.
struct StoredAlarm {
    std::optional<std::wstring> time, days, date, label, sound, snooze, on, skip, snoozed;
};

// Every value of an alarm's key, by its stored name: whatever reads or writes one goes through here.
struct AlarmValue {
    std::wstring_view name;
    std::optional<std::wstring> StoredAlarm::*field;
};
inline constexpr AlarmValue kAlarmValues[] = {
    {L"Time", &StoredAlarm::time},   {L"Days", &StoredAlarm::days},   {L"Date", &StoredAlarm::date},
    {L"Label", &StoredAlarm::label}, {L"Sound", &StoredAlarm::sound}, {L"Snooze", &StoredAlarm::snooze},
    {L"On", &StoredAlarm::on},       {L"Skip", &StoredAlarm::skip},   {L"Snoozed", &StoredAlarm::snoozed}};

// The alarm's key below its clock's: "Alarms\N".
std::wstring AlarmKey(int number);
// The values from the alarm's own store (anything with Stored(name), as the settings store has).
template <class Store>
StoredAlarm ReadStoredAlarm(const Store& alarm) {
    StoredAlarm stored;
    for (const AlarmValue& value : kAlarmValues) stored.*value.field = alarm.Stored(value.name);
    return stored;
}
// Writes the values that are there (anything with WriteSetting(name, text)); true when each was kept.
template <class Store>
bool WriteStoredAlarm(const Store& alarm, const StoredAlarm& stored) {
    bool kept = true;
    for (const AlarmValue& value : kAlarmValues) {
        if (const std::optional<std::wstring>& text = stored.*value.field)
            kept = alarm.WriteSetting(value.name, *text) && kept;
    }
    return kept;
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
// never rings, and cannot be written: it comes back ringing every day. A snooze belongs to the alarm as it
// was: the values of a changed alarm clear it.
StoredAlarm StoredValuesOf(const Alarm& alarm);
// Only the switch, which clears a snooze as any change does.
StoredAlarm StoredSwitchOf(bool on);

// H:MM or HH:MM as minutes of the day, 00:00 to 23:59.
std::optional<int> MinuteOfDayFromText(std::wstring_view text);
std::wstring AlarmTimeText(const Alarm& alarm);  // "07:30"
std::wstring DaysText(unsigned days);            // "Mon Tue Wed Thu Fri", Monday first
// The day (0 Sunday) at a place of the week as a locale orders it: its first day of the week
// (LOCALE_IFIRSTDAYOFWEEK: 0 Monday ... 6 Sunday; Sunday in the US, Saturday in much of the Arab world) first.
int WeekDayAt(int place, int firstDayOfWeek) noexcept;
// A stored sound as the sound lists show it: Windows' own by what they are ("Alarm 1", "New mail") in the
// program's language, any other of Windows' by its name, a file of the user's by its file name.
std::wstring ShownSoundName(std::wstring_view sound);

// The first ring strictly after afterUtc, at the alarm's time on the zone's clock; none when the alarm is off
// or its one date has passed. On the day the clock goes back it rings at the first of the two times; when the
// clock jumps over its time it rings at the jump.
std::optional<std::int64_t> NextRing(const Alarm& alarm, const ZoneRules& zone, std::int64_t afterUtc);
// The latest ring in (fromUtc, toUtc]: what a program that slept, or whose clock jumped ahead, shows once as
// missed. Only the latest, so a week away shows one missed daily alarm, not seven.
std::optional<std::int64_t> LastMissed(const Alarm& alarm, const ZoneRules& zone, std::int64_t fromUtc,
                                       std::int64_t toUtc);

// What a check at toUtc finds come and not rung: LastMissed's ring, and for a one-date alarm still on, its
// moment however long before fromUtc (before a first start, or in a store copied from another computer):
// had it rung, it would have been switched off.
std::optional<std::int64_t> DueUnrung(const Alarm& alarm, const ZoneRules& zone, std::int64_t fromUtc,
                                      std::int64_t toUtc);

// PlaySound cannot play a file whose path is longer than this: such a sound is refused when saved.
inline constexpr std::size_t kLongestSoundPath = 256;

// A timer fires late under load: a ring found at most this late still rings; later, it was missed.
inline constexpr std::int64_t kRingGraceMs = 60'000;
inline bool RingsNow(std::int64_t ringUtc, std::int64_t nowUtc) {
    return ringUtc <= nowUtc && nowUtc - ringUtc <= kRingGraceMs;
}

}  // namespace tellurane
