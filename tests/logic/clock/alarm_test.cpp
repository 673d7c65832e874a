#include "logic/clock/alarm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>

#include "logic/clock/chime.h"
#include "logic/clock/world_tip.h"
#include "logic/texts.h"

namespace tellurane {
namespace {

// Windows' rules for a few zones (bias, standard and daylight bias, the change-over days), as in
// time_zone_test.cpp.
const std::map<std::string, ZoneRule> kZones = {
    {"Pacific", {480, 0, -60, {0, 11, 0, 1, 2}, {0, 3, 0, 2, 2}}},
    {"Berlin", {-60, 0, -60, {0, 10, 0, 5, 3}, {0, 3, 0, 5, 2}}},
    {"Tokyo", {-540, 0, 0, {}, {}}},
    {"India", {-330, 0, 0, {}, {}}},
    {"Nepal", {-345, 0, 0, {}, {}}},
};

ZoneRules Rules(const std::string& zone) {
    return [rule = kZones.at(zone)](int) { return rule; };
}

// "YYYY-MM-DD HH:MM:SS"
LocalTime At(const char* text) {
    LocalTime time;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &time.year, &time.month, &time.day, &time.hour, &time.minute, &time.second);
    return time;
}

std::int64_t Utc(const char* text) { return MillisecondsFromCivil(At(text)); }

std::string Text(std::optional<std::int64_t> utc) {
    if (!utc) return "none";
    const LocalTime time = CivilFromMilliseconds(*utc);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

// nullptr: the value is absent.
std::optional<std::wstring> Value(const wchar_t* text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

Alarm Made(const wchar_t* time, const wchar_t* days, const wchar_t* date) {
    return ReadAlarm(1, {Value(time), Value(days), Value(date)}).alarm;
}

std::wstring Summary(const Alarm& alarm) {
    const StoredAlarm s = StoredValuesOf(alarm);
    return *s.time + L'|' + *s.days + L'|' + *s.date + L'|' + *s.snooze + L'|' + *s.on;
}

TEST(ReadAlarm, ReadsEachValueAndLeavesAnAlarmWithABadOneOff) {
    struct Case {
        const wchar_t *time, *days, *date, *snooze, *on;
        TextId problem;       // 0: none
        const wchar_t* read;  // the problem's stored text when there is one
    };
    const Case cases[] = {
        // Made by hand with only a time: every day.
        {L"7:30", nullptr, nullptr, nullptr, nullptr, 0, L"07:30|Mon Tue Wed Thu Fri Sat Sun||10|1"},
        {L" 6:00 ", L" ", L"", L"", L"", 0, L"06:00|Mon Tue Wed Thu Fri Sat Sun||10|1"},
        {L"07:05", L"fri  MON mon", nullptr, L"5", L"0", 0, L"07:05|Mon Fri||5|0"},
        {L"23:59", L"", L"2028-02-29", L"60", L"1", 0, L"23:59||2028-02-29|60|1"},
        {L"00:00", L"Sat Sun", L"2026-12-24", L"1", nullptr, 0, L"00:00||2026-12-24|1|1"},   // the date wins
        {L"9:05", L"Tue\tsat", L"", nullptr, nullptr, 0, L"09:05|Tue Sat||10|1"},            // days apart by a tab
        {L"12:00", nullptr, L"2027-01-05", nullptr, nullptr, 0, L"12:00||2027-01-05|10|1"},  // kept as two digits
        {nullptr, nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L""},
        {L"24:00", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"24:00"},
        {L"7:3", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"7:3"},
        {L"07:005", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"07:005"},
        {L"007:30", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"007:30"},
        {L"07:60", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"07:60"},
        {L"07:0:", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"07:0:"},
        {L"23:60", nullptr, nullptr, nullptr, nullptr, IDS_ALARM_BAD_TIME, L"23:60"},  // not the next day's 00:00
        {L"07:00", L"Mon,Tue", nullptr, nullptr, nullptr, IDS_ALARM_BAD_DAYS, L"Mon,Tue"},
        {L"07:00", L"Monday", nullptr, nullptr, nullptr, IDS_ALARM_BAD_DAYS, L"Monday"},
        {L"07:00", nullptr, L"2027-02-29", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"2027-02-29"},
        {L"07:00", nullptr, L"2026-12-4", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"2026-12-4"},
        {L"07:00", nullptr, L"2027-01-00", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"2027-01-00"},
        {L"07:00", nullptr, L"2027-13-01", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"2027-13-01"},
        {L"07:00", nullptr, L"1600-12-31", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"1600-12-31"},
        {L"07:00", nullptr, L"2027-01- 5", nullptr, nullptr, IDS_ALARM_BAD_DATE, L"2027-01- 5"},
        {L"07:00", nullptr, nullptr, L"0", nullptr, IDS_ALARM_BAD_SNOOZE, L"0"},
        {L"07:00", nullptr, nullptr, L"61", nullptr, IDS_ALARM_BAD_SNOOZE, L"61"},
        {L"07:00", nullptr, nullptr, nullptr, L"yes", IDS_ALARM_BAD_SWITCH, L"yes"},
        {L"7h", nullptr, nullptr, L"99", L"1", IDS_ALARM_BAD_TIME, L"7h"},  // the first bad value is named
    };
    for (const Case& c : cases) {
        const AlarmRead read = ReadAlarm(
            3, {Value(c.time), Value(c.days), Value(c.date), L"Wake", L"", Value(c.snooze), Value(c.on)});
        const std::string name = testing::PrintToString(std::wstring(c.time ? c.time : L"(none)")) + " " +
                                 testing::PrintToString(std::wstring(c.read));
        if (c.problem == 0) {
            EXPECT_EQ(read.problem, L"") << name;
            EXPECT_EQ(Summary(read.alarm), c.read) << name;
            EXPECT_EQ(read.alarm.label, L"Wake") << name;
        } else {
            EXPECT_EQ(read.problem, Tr(c.problem, {L"3", c.read})) << name;
            EXPECT_FALSE(read.alarm.on) << name;
        }
    }
    EXPECT_EQ(Tr(IDS_ALARM_BAD_SNOOZE, {L"3", L"61"}),
              L"Alarm 3: \"61\" is not a snooze length from 1 to 60 minutes. This alarm stays off until it is mended.");

    const Alarm gym{6, 45, 0b0101010, std::nullopt, L"Gym", L"C:\\Sounds\\bell.wav", 5, false};
    const Alarm weekend{0, 0, 0b1000001, std::nullopt, L"", L"", 60, true};
    const Alarm leapDay{23, 59, 0, At("2028-02-29 00:00:00"), L"Once", L"", 10, true};
    for (const Alarm& alarm : {Alarm{}, gym, weekend, leapDay}) {
        const AlarmRead read = ReadAlarm(1, StoredValuesOf(alarm));
        EXPECT_TRUE(read.alarm == alarm && read.problem.empty()) << testing::PrintToString(Summary(alarm));
    }
}

// The read-back check above compares alarms: equal only when every value is, one changed alone makes another.
TEST(ReadAlarm, AnAlarmEqualsOnlyOneWithEveryValueTheSame) {
    const Alarm gym{6, 45, 0b0101010, std::nullopt, L"Gym", L"C:\\Sounds\\bell.wav", 5, false};
    using Change = void (*)(Alarm&);
    for (const Change change : std::initializer_list<Change>{
             [](Alarm& a) { a.hour = 7; }, [](Alarm& a) { a.minute = 46; }, [](Alarm& a) { a.days = 0b0101011; },
             [](Alarm& a) { a.date = At("2028-02-29 00:00:00"); }, [](Alarm& a) { a.label = L"gym"; },
             [](Alarm& a) { a.sound.clear(); }, [](Alarm& a) { a.snoozeMinutes = 6; }, [](Alarm& a) { a.on = true; }}) {
        Alarm changed = gym;
        change(changed);
        EXPECT_FALSE(changed == gym) << testing::PrintToString(Summary(changed));
    }
}

TEST(NextRing, RingsAtTheWallClockTimeOfItsDaysInItsZone) {
    struct Case {
        const char* zone;
        const wchar_t *time, *days, *date;
        const char *after, *ring;  // UTC
    };
    const wchar_t* weekdays = L"Mon Tue Wed Thu Fri";
    const Case cases[] = {
        {"Tokyo", L"07:30", weekdays, L"", "2026-12-03 22:29:59", "2026-12-03 22:30:00"},  // Friday 07:30 there
        {"Tokyo", L"07:30", weekdays, L"", "2026-12-03 22:30:00", "2026-12-06 22:30:00"},  // then Monday's
        {"Tokyo", L"07:30", L"Fri", L"", "2026-12-03 22:30:00", "2026-12-10 22:30:00"},    // a week on
        {"Berlin", L"00:30", L"Mon", L"", "2026-12-06 23:29:59", "2026-12-06 23:30:00"},   // Monday there already
        {"Berlin", L"00:30", L"Mon", L"", "2026-12-06 23:30:00", "2026-12-13 23:30:00"},
        {"Tokyo", L"08:00", L"Sat", L"", "2026-12-04 20:00:00", "2026-12-04 23:00:00"},  // still Friday in UTC
        {"Berlin", L"18:00", L"", L"2026-12-24", "2026-12-01 00:00:00", "2026-12-24 17:00:00"},
        {"Berlin", L"18:00", L"", L"2026-12-24", "2026-12-24 17:00:00", "none"},
        {"Tokyo", L"00:00", L"", L"2028-02-29", "2027-06-01 00:00:00", "2028-02-28 15:00:00"},
        {"Pacific", L"00:00", L"Fri", L"", "2026-12-31 12:00:00", "2027-01-01 08:00:00"},  // over the year's turn
        // 02:00 to 03:00 is skipped: at the jump. 01:00 to 02:00 comes twice: the first time only.
        {"Pacific", L"02:30", L"", L"", "2026-03-08 09:00:00", "2026-03-08 10:00:00"},
        {"Pacific", L"01:30", L"", L"", "2026-11-01 08:00:00", "2026-11-01 08:30:00"},
        {"Pacific", L"01:30", L"", L"", "2026-11-01 08:30:00", "2026-11-02 09:30:00"},
        {"Berlin", L"02:15", L"Sun", L"", "2026-03-28 12:00:00", "2026-03-29 01:00:00"},
        {"Berlin", L"02:30", L"Sun", L"", "2026-10-24 12:00:00", "2026-10-25 00:30:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(NextRing(Made(c.time, c.days, c.date), Rules(c.zone), Utc(c.after))), c.ring)
            << c.zone << " after " << c.after;
    }
    Alarm off = Made(L"07:30", L"", L"");
    off.on = false;
    EXPECT_FALSE(NextRing(off, Rules("Tokyo"), Utc("2026-12-03 00:00:00")));
    EXPECT_TRUE(RingsNow(Utc("2026-12-03 22:30:00"), Utc("2026-12-03 22:31:00")));
    EXPECT_FALSE(RingsNow(Utc("2026-12-03 22:30:00"), Utc("2026-12-03 22:31:01")));
    EXPECT_FALSE(RingsNow(Utc("2026-12-03 22:30:00"), Utc("2026-12-03 22:29:59")));
}

TEST(LastMissed, ShowsOnlyTheLatestRingThatPassedUnrung) {
    struct Case {
        const wchar_t *time, *days, *date;
        const char *from, *to, *missed;  // UTC; Berlin is an hour ahead in December
    };
    const wchar_t* weekdays = L"Mon Tue Wed Thu Fri";
    const Case cases[] = {
        {L"07:00", L"", L"", "2026-12-07 05:00:00", "2026-12-07 07:00:00", "2026-12-07 06:00:00"},     // resumed
        {L"07:00", L"", L"", "2026-12-01 12:00:00", "2026-12-08 12:00:00", "2026-12-08 06:00:00"},     // a week away
        {L"07:00", L"Mon", L"", "2026-12-01 12:00:00", "2026-12-14 05:59:59", "2026-12-07 06:00:00"},  // a week ago
        {L"07:00", L"Mon", L"", "2026-12-07 06:00:00", "2026-12-14 05:59:59", "none"},                 // that one rang
        {L"07:00", weekdays, L"", "2026-12-04 07:00:00", "2026-12-06 20:00:00", "none"},               // the weekend
        {L"07:00", weekdays, L"", "2026-12-04 07:00:00", "2026-12-08 05:00:00", "2026-12-07 06:00:00"},
        {L"07:00", L"", L"", "2026-12-07 06:00:00", "2026-12-07 06:59:59", "none"},  // rang at the start
        {L"07:00", L"", L"", "2026-12-07 05:59:59", "2026-12-07 06:00:00", "2026-12-07 06:00:00"},
        {L"18:00", L"", L"2026-12-24", "2026-12-20 00:00:00", "2027-01-02 00:00:00", "2026-12-24 17:00:00"},
        {L"18:00", L"", L"2026-12-24", "2026-12-25 00:00:00", "2027-01-02 00:00:00", "none"},
        {L"07:00", L"", L"", "2026-12-08 12:00:00", "2026-12-01 12:00:00", "none"},  // the clock set back
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(LastMissed(Made(c.time, c.days, c.date), Rules("Berlin"), Utc(c.from), Utc(c.to))), c.missed)
            << "from " << c.from << " to " << c.to;
    }
    Alarm off = Made(L"07:00", L"", L"");
    off.on = false;
    EXPECT_FALSE(LastMissed(off, Rules("Berlin"), Utc("2026-12-01 12:00:00"), Utc("2026-12-08 12:00:00")));

    // --- Rows of issue 36 (alarms): what a check finds come and not rung. A one-date alarm still on after
    // its moment never rang (it would be off): found however long before what is seen to, a first start
    // included; a repeating alarm keeps the rule above.
    struct Due {
        const wchar_t *days, *date;
        bool on;
        const char *from, *to, *due;
    };
    const Due dues[] = {
        {L"", L"2026-12-24", true, "2026-12-25 00:00:00", "2027-01-02 00:00:00", "2026-12-24 17:00:00"},
        {L"", L"2026-12-24", true, "2027-01-02 00:00:00", "2027-01-02 00:00:00", "2026-12-24 17:00:00"},
        {L"", L"2026-12-24", true, "2026-12-20 00:00:00", "2026-12-24 16:59:59", "none"},   // still to come
        {L"", L"2026-12-24", false, "2026-12-25 00:00:00", "2027-01-02 00:00:00", "none"},  // rang: off
        {L"", L"", true, "2026-12-09 00:00:00", "2026-12-09 00:00:00", "none"},             // repeating, a first start
        {L"", L"", true, "2026-12-07 05:00:00", "2026-12-07 07:00:00", "2026-12-07 06:00:00"},
    };
    for (const Due& c : dues) {
        Alarm alarm = Made(L"18:00", c.days, c.date);
        if (!*c.date) alarm = Made(L"07:00", c.days, c.date);
        alarm.on = c.on;
        EXPECT_EQ(Text(DueUnrung(alarm, Rules("Berlin"), Utc(c.from), Utc(c.to))), c.due)
            << testing::PrintToString(std::wstring(c.date)) << " from " << c.from << " to " << c.to;
    }
}

// --- Issue 36 (alarms): every stored value of an alarm goes through one table, both ways; a saved or
// switched alarm clears its snooze (it belongs to the alarm as it was), and leaves the turned-off ring.
TEST(StoredAlarmValues, AreReadAndWrittenThroughOneTable) {
    struct FakeStore {
        mutable std::map<std::wstring, std::wstring> values;  // written through a const store, as the registry's
        std::optional<std::wstring> Stored(std::wstring_view name) const {
            const auto found = values.find(std::wstring(name));
            return found == values.end() ? std::nullopt : std::optional<std::wstring>(found->second);
        }
        bool WriteSetting(std::wstring_view name, std::wstring_view text) const {
            values[std::wstring(name)] = text;
            return true;
        }
    };
    FakeStore store;
    store.values = {{L"Skip", L"5"}, {L"Snoozed", L"7"}};
    const Alarm tea{16, 5, 0b0000010, std::nullopt, L"Tea", L"Ring05", 3, true};
    WriteStoredAlarm(store, StoredValuesOf(tea));
    EXPECT_EQ(store.values.size(), 9u);
    EXPECT_EQ(store.values[L"Snoozed"], L"") << "a saved alarm is another alarm";
    EXPECT_EQ(store.values[L"Skip"], L"5");
    EXPECT_TRUE(ReadAlarm(1, ReadStoredAlarm(store)).alarm == tea);
    store.values[L"Snoozed"] = L"7";
    WriteStoredAlarm(store, StoredSwitchOf(false));
    EXPECT_EQ(store.values[L"On"], L"0");
    EXPECT_EQ(store.values[L"Snoozed"], L"");
    EXPECT_EQ(store.values[L"Time"], L"16:05") << "the rest as it was";
    for (const AlarmValue& value : kAlarmValues) EXPECT_TRUE(ReadStoredAlarm(store).*value.field) << value.name.size();
}

TEST(NextChime, StrikesTheZonesOwnHoursOutsideTheQuietOnes) {
    struct Case {
        const char* zone;
        int mode;
        const wchar_t* quiet;
        const char *after, *chime;  // UTC
    };
    const Case cases[] = {
        {"Berlin", 1, L"", "2026-12-07 10:00:00", "2026-12-07 11:00:00"},
        {"Berlin", 2, L"", "2026-12-07 10:00:00", "2026-12-07 10:30:00"},
        {"Berlin", 0, L"", "2026-12-07 10:00:00", "none"},
        {"India", 1, L"", "2026-12-07 10:00:00", "2026-12-07 10:30:00"},              // 16:00 there
        {"Nepal", 2, L"", "2026-12-07 10:00:00", "2026-12-07 10:15:00"},              // 16:00 there
        {"Berlin", 1, L"22:00-07:00", "2026-12-07 20:00:00", "2026-12-08 06:00:00"},  // quiet to 07:00, not at it
        {"Berlin", 2, L"22:00-06:30", "2026-12-08 04:00:00", "2026-12-08 05:30:00"},  // again at 06:30
        {"Berlin", 2, L"22:00 - 07:00", "2026-12-07 20:00:00", "2026-12-07 20:30:00"},
        {"Berlin", 1, L"12:00-14:00", "2026-12-07 10:30:00", "2026-12-07 13:00:00"},
        {"Berlin", 1, L"07:00-07:00", "2026-12-07 20:00:00", "2026-12-07 21:00:00"},
        {"Berlin", 1, L"00:00-23:59", "2026-12-07 20:00:00", "none"},
        {"Pacific", 1, L"", "2026-03-08 09:00:00", "2026-03-08 10:00:00"},  // 02:00 never comes
        {"Pacific", 1, L"", "2026-11-01 08:00:00", "2026-11-01 09:00:00"},  // 01:00 comes again
    };
    for (const Case& c : cases) {
        std::wstring problem;
        const Chime chime{c.mode, ParseQuietHours(c.quiet, problem)};
        EXPECT_EQ(Text(NextChime(chime, Rules(c.zone), Utc(c.after))), c.chime) << c.zone << " after " << c.after;
    }
}

TEST(ParseQuietHours, ReadsAFromToSpanOrSaysWhatIsWrong) {
    std::wstring problem;
    EXPECT_EQ(ParseQuietHours(L" 22:00 - 7:00 ", problem), std::pair(22 * 60, 7 * 60));
    EXPECT_FALSE(ParseQuietHours(L"", problem));
    EXPECT_EQ(problem, L"");
    for (const wchar_t* bad : {L"22:00", L"22-07", L"24:00-07:00", L"22:00-07:00-08:00", L"22:00\u201307:00"}) {
        EXPECT_FALSE(ParseQuietHours(bad, problem)) << testing::PrintToString(std::wstring(bad));
        EXPECT_EQ(problem, Tr(IDS_CHIME_BAD_QUIET, {bad}));
    }
}

// An alarm's days as the user's locale orders a week, and Windows' own sounds by what they are.
TEST(AlarmShown, TheWeekStartsOnTheLocalesFirstDayAndWindowsSoundsAreNamedByWhatTheyAre) {
    struct Week {
        int first;  // LOCALE_IFIRSTDAYOFWEEK: 0 Monday ... 6 Sunday
        const wchar_t* days;
    };
    for (const Week& w : {Week{0, L"1234560"}, Week{6, L"0123456"}, Week{5, L"6012345"}, Week{9, L"1234560"}}) {
        std::wstring days;
        for (int place = 0; place < 7; ++place) days += static_cast<wchar_t>(L'0' + WeekDayAt(place, w.first));
        EXPECT_EQ(days, w.days) << w.first;
    }
    struct Sound {
        const wchar_t *stored, *shown;
    };
    for (const Sound& s :
         {Sound{L"Alarm01", L"Alarm 1"}, Sound{L"Alarm10", L"Alarm 10"}, Sound{L"Ring05", L"Ring 5"},
          Sound{L"Windows Notify System Generic", L"System notification"}, Sound{L"Windows Notify Email", L"New mail"},
          Sound{L"Windows Notify", L"Notification"}, Sound{L"Alarm", L"Alarm"}, Sound{L"Ring123", L"Ring123"},
          Sound{L"Alarm0x", L"Alarm0x"}, Sound{L"C:\\Sounds\\Alarm01.wav", L"Alarm01.wav"},
          Sound{L"Windows Ding", L"Windows Ding"}}) {
        EXPECT_EQ(ShownSoundName(s.stored), s.shown);
    }
}

TEST(WorldTip, KeepsWholeLinesWithinTheLimitAndCountsTheRest) {
    std::vector<TipClock> clocks = {{L"Tokyo", L"04:21", 1}, {L"London", L"19:21", 0}, {L"", L"11:21", -1}};
    EXPECT_EQ(WorldTip(clocks), L"Tokyo 04:21 tomorrow\nLondon 19:21\n11:21 yesterday");
    EXPECT_EQ(WorldTip(clocks, 49), L"Tokyo 04:21 tomorrow\nLondon 19:21\n11:21 yesterday");
    EXPECT_EQ(WorldTip(clocks, 48), L"Tokyo 04:21 tomorrow\nLondon 19:21\n+1 more");
    EXPECT_EQ(WorldTip(clocks, 19), L"+3 more");  // not even the first line fits
    EXPECT_LE(WorldTip(clocks, 5).size(), 5u);
    EXPECT_EQ(WorldTip({{L"", L"11:21", 0}, {L"", L"04:21", 1}}), L"11:21\n04:21 tomorrow");  // no label, no blank
    for (const wchar_t* city :
         {L"Los Angeles", L"Buenos Aires", L"Johannesburg", L"Kathmandu", L"Honolulu", L"Reykjavik", L"Auckland"}) {
        clocks.push_back({city, L"04:21", 1});
    }
    const std::wstring tip = WorldTip(clocks);
    EXPECT_EQ(tip,
              L"Tokyo 04:21 tomorrow\nLondon 19:21\n11:21 yesterday\nLos Angeles 04:21 tomorrow\n"
              L"Buenos Aires 04:21 tomorrow\n+5 more");
    EXPECT_LE(tip.size(), 127u);

    struct Case {
        int minutes;
        const wchar_t* text;
    };
    for (const Case& c : {Case{540, L"9 h ahead"}, Case{-330, L"5 h 30 min behind"}, Case{45, L"45 min ahead"},
                          Case{-60, L"1 h behind"}, Case{0, L"Same time as here"}}) {
        EXPECT_EQ(ZoneDistanceText(c.minutes), c.text) << c.minutes;
    }
    EXPECT_EQ(DayDelta(At("2027-01-01 00:30:00"), At("2026-12-31 23:30:00")), 1);
    EXPECT_EQ(DayDelta(At("2028-02-29 23:00:00"), At("2028-03-01 01:00:00")), -1);
    EXPECT_EQ(DayDelta(At("2026-12-07 23:00:00"), At("2026-12-07 01:00:00")), 0);
    EXPECT_EQ(DayDelta(At("2026-12-09 01:00:00"), At("2026-12-07 23:30:00")), 1);  // as far as the tip can say
}

}  // namespace
}  // namespace tellurane
