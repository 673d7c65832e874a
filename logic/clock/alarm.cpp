#include "logic/clock/alarm.h"

#include <algorithm>
#include <cstdio>

#include "logic/setting_keys.h"
#include "logic/skin_text.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

constexpr std::int64_t kDay = 86'400'000;
// Stored in English whatever the program's language, Monday first, as a week is written here.
constexpr std::wstring_view kDayNames[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
constexpr int kWeekFromMonday[] = {1, 2, 3, 4, 5, 6, 0};

// A stored value without the blanks around it; empty when absent.
std::wstring_view Stored(const std::optional<std::wstring>& value) {
    return value ? skin_text::Trim(*value) : std::wstring_view();
}

std::optional<int> Digits(std::wstring_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return value;
}

std::optional<unsigned> ParseDays(std::wstring_view text) {
    unsigned days = 0;
    while (true) {
        text = skin_text::Trim(text);
        if (text.empty()) return days;
        const std::size_t end = std::min(text.find(L' '), text.find(L'\t'));
        const std::wstring_view name = text.substr(0, end);
        text.remove_prefix(name.size());
        int day = 0;
        while (day < 7 && !skin_text::Same(name, kDayNames[day])) ++day;
        if (day == 7) return std::nullopt;
        days |= 1u << day;
    }
}

std::optional<LocalTime> ParseDate(std::wstring_view text) {
    if (text.size() != 10 || text[4] != L'-' || text[7] != L'-') return std::nullopt;
    const auto year = Digits(text.substr(0, 4)), month = Digits(text.substr(5, 2)), day = Digits(text.substr(8, 2));
    if (!year || !month || !day || *year < 1601 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
    }
    LocalTime date;
    date.year = *year;
    date.month = *month;
    date.day = *day;
    return CivilFromMilliseconds(MillisecondsFromCivil(date));  // with its day of the week
}

std::wstring DateText(const LocalTime& date) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

// The local date that many days on, at midnight.
LocalTime DaysLater(const LocalTime& date, int days) {
    LocalTime midnight;
    midnight.year = date.year;
    midnight.month = date.month;
    midnight.day = date.day;
    return CivilFromMilliseconds(MillisecondsFromCivil(midnight) + days * kDay);
}

std::int64_t WallClock(const ZoneRules& zone, std::int64_t utc) {
    return utc + ZoneOffsetMinutes(zone, utc) * 60'000LL;
}

// The instant the zone's clock reads the alarm's time on that date: in a repeated hour the first time;
// when the clock jumps over it, the jump itself, the first moment the clock reads as late or later.
std::int64_t RingInstant(const Alarm& alarm, const ZoneRules& zone, const LocalTime& date) {
    LocalTime wall = date;
    wall.hour = alarm.hour;
    wall.minute = alarm.minute;
    const std::int64_t written = MillisecondsFromCivil(wall);
    const std::int64_t utc = ZoneLocalToUtc(zone, wall);
    if (WallClock(zone, utc) == written) return utc;
    // Skipped: the jump lies between the instants the time names by the two offsets. Change-overs need not
    // fall on a whole minute, so the search goes to the millisecond.
    const ZoneRule rule = zone(wall.year);
    const std::int64_t daylight = written + (rule.bias + rule.daylightBias) * 60'000LL;
    const std::int64_t standard = written + (rule.bias + rule.standardBias) * 60'000LL;
    std::int64_t before = std::min(daylight, standard), after = std::max(daylight, standard);
    if (WallClock(zone, before) >= written || WallClock(zone, after) < written) return utc;
    while (after - before > 1) {
        const std::int64_t middle = before + (after - before) / 2;
        if (WallClock(zone, middle) >= written)
            after = middle;
        else
            before = middle;
    }
    return after;
}

bool RingsOn(const Alarm& alarm, const LocalTime& date) { return (alarm.days >> date.dayOfWeek) & 1u; }

}  // namespace

bool operator==(const Alarm& a, const Alarm& b) {
    const auto sameDate = [](const std::optional<LocalTime>& x, const std::optional<LocalTime>& y) {
        if (!x || !y) return !x && !y;
        return x->year == y->year && x->month == y->month && x->day == y->day;
    };
    return a.hour == b.hour && a.minute == b.minute && a.days == b.days && sameDate(a.date, b.date) &&
           a.label == b.label && a.sound == b.sound && a.snoozeMinutes == b.snoozeMinutes && a.on == b.on;
}

std::optional<int> MinuteOfDayFromText(std::wstring_view text) {
    const std::size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3) return std::nullopt;
    const auto hour = Digits(text.substr(0, colon)), minute = Digits(text.substr(colon + 1));
    if (!hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
    return *hour * 60 + *minute;
}

AlarmRead ReadAlarm(int number, const StoredAlarm& stored) {
    AlarmRead read;
    Alarm& alarm = read.alarm;
    alarm.label = stored.label.value_or(L"");
    alarm.sound = stored.sound.value_or(L"");
    const auto fail = [&](TextId id, const std::optional<std::wstring>& value) {
        if (read.problem.empty()) read.problem = Tr(id, {std::to_wstring(number), value.value_or(L"")});
    };
    if (const auto minutes = MinuteOfDayFromText(Stored(stored.time))) {
        alarm.hour = *minutes / 60;
        alarm.minute = *minutes % 60;
    } else {
        fail(IDS_ALARM_BAD_TIME, stored.time);
    }
    const auto days = ParseDays(Stored(stored.days));
    if (!days) fail(IDS_ALARM_BAD_DAYS, stored.days);
    if (days && *days != 0) alarm.days = *days;
    const std::wstring_view dateText = Stored(stored.date);
    if (!dateText.empty()) {
        alarm.date = ParseDate(dateText);
        if (alarm.date)
            alarm.days = 0;
        else
            fail(IDS_ALARM_BAD_DATE, stored.date);
    }
    const std::wstring_view snooze = Stored(stored.snooze);
    if (!snooze.empty()) {
        const auto minutes = Digits(snooze);
        if (minutes && *minutes >= 1 && *minutes <= 60)
            alarm.snoozeMinutes = *minutes;
        else
            fail(IDS_ALARM_BAD_SNOOZE, stored.snooze);
    }
    const std::wstring_view on = Stored(stored.on);
    if (on == L"0")
        alarm.on = false;
    else if (!on.empty() && on != L"1")
        fail(IDS_ALARM_BAD_SWITCH, stored.on);
    if (!read.problem.empty()) alarm.on = false;
    return read;
}

StoredAlarm StoredValuesOf(const Alarm& alarm) {
    StoredAlarm stored;
    stored.time = AlarmTimeText(alarm);
    stored.days = alarm.date ? L"" : DaysText(alarm.days);
    stored.date = alarm.date ? DateText(*alarm.date) : L"";
    stored.label = alarm.label;
    stored.sound = alarm.sound;
    stored.snooze = std::to_wstring(alarm.snoozeMinutes);
    stored.on = alarm.on ? L"1" : L"0";
    stored.snoozed = L"";
    return stored;
}

StoredAlarm StoredSwitchOf(bool on) {
    StoredAlarm stored;
    stored.on = on ? L"1" : L"0";
    stored.snoozed = L"";
    return stored;
}

std::wstring AlarmTimeText(const Alarm& alarm) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%02d:%02d", alarm.hour, alarm.minute);
    return text;
}

int WeekDayAt(int place, int firstDayOfWeek) noexcept {
    const int first = firstDayOfWeek >= 0 && firstDayOfWeek <= 6 ? (firstDayOfWeek + 1) % 7 : 1;
    return (first + ((place % 7) + 7) % 7) % 7;
}

std::wstring ShownSoundName(std::wstring_view sound) {
    if (sound.find_first_of(L"\\/:") != std::wstring_view::npos)
        return std::wstring(sound.substr(sound.find_last_of(L"\\/:") + 1));
    struct Numbered {
        std::wstring_view start;
        TextId text;
    };
    for (const Numbered& numbered : {Numbered{L"Alarm", IDS_SOUND_ALARM}, Numbered{L"Ring", IDS_SOUND_RING}}) {
        const std::wstring_view digits = sound.substr(std::min(sound.size(), numbered.start.size()));
        if (sound.starts_with(numbered.start) && !digits.empty() && digits.size() <= 2 &&
            digits.find_first_not_of(L"0123456789") == std::wstring_view::npos) {
            return Tr(numbered.text, {std::to_wstring(std::stoi(std::wstring(digits)))});
        }
    }
    struct Named {
        std::wstring_view file;
        TextId text;
    };
    for (const Named& named :
         {Named{L"Windows Notify", IDS_SOUND_NOTIFY}, Named{L"Windows Notify System Generic", IDS_SOUND_SYSTEM_NOTIFY},
          Named{L"Windows Notify Calendar", IDS_SOUND_CALENDAR}, Named{L"Windows Notify Email", IDS_SOUND_EMAIL},
          Named{L"Windows Notify Messaging", IDS_SOUND_MESSAGE}}) {
        if (sound == named.file) return Tr(named.text);
    }
    return std::wstring(sound);
}

std::wstring AlarmKey(int number) { return std::wstring(kAlarmsSubKey) + L"\\" + std::to_wstring(number); }

std::wstring DaysText(unsigned days) {
    std::wstring text;
    for (const int day : kWeekFromMonday) {
        if (!((days >> day) & 1u)) continue;
        if (!text.empty()) text += L' ';
        text += kDayNames[day];
    }
    return text;
}

std::optional<std::int64_t> NextRing(const Alarm& alarm, const ZoneRules& zone, std::int64_t afterUtc) {
    if (!alarm.on) return std::nullopt;
    if (alarm.date) {
        const std::int64_t ring = RingInstant(alarm, zone, *alarm.date);
        return ring > afterUtc ? std::optional(ring) : std::nullopt;
    }
    // From the day before: where the clock goes back over midnight, yesterday's time can still come again.
    const LocalTime today = ZoneLocalTime(zone, afterUtc);
    for (int day = -1; day <= 8; ++day) {
        const LocalTime date = DaysLater(today, day);
        if (!RingsOn(alarm, date)) continue;
        const std::int64_t ring = RingInstant(alarm, zone, date);
        if (ring > afterUtc) return ring;
    }
    return std::nullopt;
}

std::optional<std::int64_t> LastMissed(const Alarm& alarm, const ZoneRules& zone, std::int64_t fromUtc,
                                       std::int64_t toUtc) {
    if (!alarm.on || toUtc <= fromUtc) return std::nullopt;
    std::optional<std::int64_t> ring;
    if (alarm.date) {
        ring = RingInstant(alarm, zone, *alarm.date);
    } else {
        // Back from the day after, for the same reason NextRing starts a day early.
        const LocalTime last = ZoneLocalTime(zone, toUtc);
        for (int day = 1; day >= -8 && !ring; --day) {
            const LocalTime date = DaysLater(last, day);
            if (!RingsOn(alarm, date)) continue;
            const std::int64_t instant = RingInstant(alarm, zone, date);
            if (instant <= toUtc) ring = instant;
        }
    }
    if (ring && *ring > fromUtc && *ring <= toUtc) return ring;
    return std::nullopt;
}

std::optional<std::int64_t> DueUnrung(const Alarm& alarm, const ZoneRules& zone, std::int64_t fromUtc,
                                      std::int64_t toUtc) {
    if (alarm.on && alarm.date) {
        const std::int64_t ring = RingInstant(alarm, zone, *alarm.date);
        if (ring <= toUtc) return ring;
    }
    return LastMissed(alarm, zone, fromUtc, toUtc);
}

}  // namespace tellurane
