#pragma once
// The alarms and chimes of every open clock, each in its clock's zone. One timer is set for the next of
// them, a moment of the wall clock; nothing wakes the program in between. Each ring shows on its clock's
// face and in a notification at its own time, whatever else rings; one sound plays at a time. What could
// not ring at its minute (asleep, not running, the time set forward, waiting behind another ring) is
// shown once as missed, never rung late.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/alarms/alarm_sound.h"
#include "app/system_clock.h"
#include "app/settings_store.h"
#include "logic/clock/alarm.h"
#include "logic/clock/chime.h"
#include "logic/clock/time_zone.h"
#include "win32/moment_timer.h"

namespace tellurane {

// What the bell asks of a clock whose alarms and chime it rings.
class AlarmClock {
public:
    // 0: the first clock; else N of Clocks\N, which outlives any window handle.
    virtual int Number() const noexcept = 0;
    // Its alarms, chime and zone are stored there.
    virtual const SettingsStore& Store() const noexcept = 0;
    // Its label, or what names it without one.
    virtual std::wstring Name() const = 0;
    // The face shows an alarm's text and its choices (Dismiss, and Snooze when it can) until EndAlarm.
    virtual void ShowAlarm(const std::wstring& text, bool canSnooze) = 0;
    virtual void EndAlarm() = 0;
    // A bad stored value, said by the clock.
    virtual void Report(const std::wstring& description) = 0;

protected:
    ~AlarmClock() = default;
};

// What the bell asks of the clocks' host.
class AlarmHost {
public:
    virtual void ForEachClock(const std::function<void(AlarmClock&)>& work) = 0;
    virtual AlarmClock* FindClock(int number) = 0;
    // A notification from the tray icon.
    virtual void Notify(const std::wstring& title, const std::wstring& text) = 0;

protected:
    ~AlarmHost() = default;
};

struct BellServices {
    ClockFunction clock;
    SoundFunction sound;
};

class AlarmBell {
public:
    // The timer posts moment to owner at each moment (the owner hands it to Check()); a ring's sound
    // ends with the owner's timer kAlarmSilenceTimer (handed to Silence()).
    AlarmBell(HWND owner, UINT moment, const SettingsStore& main, AlarmHost& host, BellServices services);
    static constexpr UINT_PTR kAlarmSilenceTimer = 3;
    AlarmBell(const AlarmBell&) = delete;
    AlarmBell& operator=(const AlarmBell&) = delete;
    ~AlarmBell();

    // Reads every open clock's alarms and chime again (a change of the settings, a clock opened or
    // closed), then checks.
    void Reload();
    // The timer's moment, a resume, a change of the time: rings what is due now, shows as missed what
    // passed unrung, and sets the timer for what comes next.
    void Check();
    // The zones' rules may have changed.
    void ForgetRules() noexcept { rules_.clear(); }
    // The answer of the clock whose face rings (its Dismiss or Snooze).
    void Answer(int clock, bool snooze);
    // A minute of sound is enough: it stops, the choice stays on the face.
    void Silence();
    bool Ringing() const noexcept { return !rings_.empty(); }

    // The next ring of a clock's alarms, for its face's menu: "Mon 07:30" and its label.
    struct NextAlarm {
        int clock = 0;
        std::wstring when, label;
    };
    std::optional<NextAlarm> Next(int clock);
    // Turns off the clock's next ring only, also across a restart; the alarm rings again after it.
    void SkipNext(int clock);
    // Until when alarms have been seen to, kept for the next start: what passes while the program is not
    // running is missed.
    void SaveSeen() const;

private:
    struct Entry {
        int clock = 0, number = 0;
        Alarm alarm;
        std::wstring zone;
        // Both kept with the alarm in the store, so that they outlast a restart.
        std::optional<std::int64_t> snoozedUntil, skipped;
    };
    struct ClockChime {
        int clock = 0;
        Chime chime;
        std::wstring zone, sound;
    };
    struct Ring {
        std::uint64_t id = 0;  // in the order they came
        int clock = 0, number = 0;
        Alarm alarm;  // as it was when it rang: a snooze belongs to it
        std::int64_t due = 0;
        // Decided when it reaches its clock's face: a ring that comes there after its minute is missed.
        bool missed = false;
        bool notified = false, sounded = false;
    };
    void ReadClock(AlarmClock& clock);
    const ZoneRules& RulesOf(const std::wstring& zone);
    // A snooze lasts while its alarm is on; a one-date alarm is switched off by its own ring, and its
    // snooze outlasts that.
    static bool SnoozeHolds(const Entry& entry) noexcept { return entry.alarm.on || entry.alarm.date; }
    std::optional<std::int64_t> NextOf(Entry& entry);
    void CheckAlarm(Entry& entry, std::int64_t now, std::uint64_t firstNew);
    void CheckChimes(std::int64_t now);
    void Schedule();
    // The clock's entry that rings next, and when.
    std::pair<Entry*, std::int64_t> Soonest(int clock);
    // A ring due now goes in front of those of its clock that came before (firstNew: the first id of this
    // check), is told at once, and takes the place of an older ring of the same alarm.
    void Queue(const Entry& entry, std::int64_t due, std::int64_t now, std::uint64_t firstNew);
    Ring* FrontOf(int clock);
    // Each clock's face shows its first ring; a face with none shows the time again.
    void ShowFronts(std::int64_t now);
    void Tell(Ring& ring);
    // The sound belongs to the latest ring on a face that is still in its minute and has not sounded.
    void FollowSound(std::int64_t now);
    void StopSound();
    std::int64_t Now() const { return static_cast<std::int64_t>(services_.clock().utcMilliseconds); }
    // Keeps the entry's turned-off ring, or its snooze, with the alarm, or clears it: written with what
    // is to be said, after the walk over the alarms.
    void StoreSkip(const Entry& entry);
    void StoreSnooze(const Entry& entry);
    void StoreValues(const Entry& entry, const StoredAlarm& values);
    std::wstring ClockName(int clock);
    // A problem with a stored alarm, a chime or a sound, said once, by its clock: after the walk over the
    // clocks or the alarms that found it, never inside it (a box runs messages, which may change them).
    void SayOnce(int clock, const std::wstring& problem);
    // Writes what the walk left to write, then says what it found.
    void Settle();

    HWND owner_;
    const SettingsStore& main_;
    AlarmHost& host_;
    BellServices services_;
    MomentTimer timer_;
    std::vector<Entry> entries_;
    std::vector<ClockChime> chimes_;
    std::map<std::wstring, ZoneRules> rules_;
    std::vector<Ring> rings_;             // a clock's first is on its face
    std::map<int, std::uint64_t> shown_;  // the ring each clock's face shows
    std::uint64_t nextId_ = 1;
    std::uint64_t sounding_ = 0;  // the ring whose sound plays
    std::vector<std::wstring> said_;
    struct PendingWrite {
        int clock = 0, number = 0;
        StoredAlarm values;
    };
    std::vector<PendingWrite> writes_;
    std::vector<std::pair<int, std::wstring>> pending_;  // to say
    std::int64_t seen_ = 0;                              // alarms up to this moment are seen to
};

}  // namespace tellurane
