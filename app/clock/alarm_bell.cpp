#include "app/clock/alarm_bell.h"

#include <algorithm>

#include "app/clock/clock_window.h"
#include "app/clock/own_face.h"
#include "app/clock/time_zones.h"
#include "logic/texts.h"
#include "win32/boundary.h"

namespace tellurane {
namespace {

constexpr std::int64_t kMinuteMs = 60'000;
// Beside an alarm's own values: the moment (UTC milliseconds since 1601) of the one ring turned off.
constexpr std::wstring_view kSkipValue = L"Skip";

std::optional<std::int64_t> Earliest(std::optional<std::int64_t> a, std::optional<std::int64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::wstring Joined(const std::wstring& time, const std::wstring& label) {
    return label.empty() ? time : time + L" " + label;
}

std::optional<std::int64_t> StoredMoment(const std::wstring& text) {
    // At most 18 digits: any of them fits; a longer or foreign text is no moment, and nothing was missed.
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    return std::stoll(text);
}

}  // namespace

AlarmBell::AlarmBell(HWND owner, UINT moment, const SettingsStore& main, AlarmHost& host, BellServices services)
    : owner_(owner), main_(main), host_(host), services_(std::move(services)), timer_(owner, moment) {
    const std::int64_t now = static_cast<std::int64_t>(services_.clock().utcMilliseconds);
    // Seen to until the last run ended; a first run has missed nothing.
    const std::optional<std::int64_t> stored = StoredMoment(main_.Read(keys::kAlarmsSeen));
    seen_ = stored && *stored <= now ? *stored : now;
}

AlarmBell::~AlarmBell() {
    if (sounding_) services_.sound(L"", SoundPlay::Stop);
}

void AlarmBell::Reload() {
    std::vector<Entry> before = std::move(entries_);
    entries_.clear();
    chimes_.clear();
    host_.ForEachClock([this](ClockWindow& clock) { ReadClock(clock); });
    // What was snoozed or skipped stays so while the alarm is still there.
    for (Entry& entry : entries_) {
        for (const Entry& old : before) {
            if (old.clock != entry.clock || old.number != entry.number) continue;
            entry.snoozedUntil = old.snoozedUntil;
            if (!entry.skipped) entry.skipped = old.skipped;  // also when the store refused to keep it
        }
    }
    Check();
}

void AlarmBell::ReadClock(ClockWindow& clock) {
    const SettingsStore& store = clock.Store();
    const std::wstring zone = store.Read(keys::kTimeZone);
    for (int number : store.NumberedKeys(kAlarmsSubKey)) {
        const SettingsStore alarm = store.Below(AlarmKey(number));
        AlarmRead read = ReadAlarm(number, ReadStoredAlarm(alarm));
        if (!read.problem.empty()) SayOnce(clock.Number(), read.problem);
        // A ring turned off from the face's menu stays off across a restart (a night's updates, say).
        const std::optional<std::int64_t> skipped = StoredMoment(alarm.Stored(kSkipValue).value_or(L""));
        entries_.push_back({clock.Number(), number, std::move(read.alarm), zone, std::nullopt, skipped});
    }
    const double mode = CarryOnOr("AlarmBell::ReadClock", 0.0, [&] { return store.Number(keys::kChime); });
    if (mode < 1) return;
    std::wstring problem;
    ClockChime chime{clock.Number(), Chime{static_cast<int>(mode), std::nullopt}, zone, store.Read(keys::kChimeSound)};
    chime.chime.quiet = ParseQuietHours(store.Read(keys::kChimeQuiet), problem);
    if (!problem.empty()) SayOnce(clock.Number(), problem);
    chimes_.push_back(std::move(chime));
}

const ZoneRules& AlarmBell::RulesOf(const std::wstring& zone) {
    auto found = rules_.find(zone);
    if (found != rules_.end()) return found->second;
    // A zone Windows does not know rings in local time, as its face shows it.
    std::optional<ZoneRules> rules = RulesForZone(zone);
    if (!rules) rules = RulesForZone(L"");
    if (!rules) rules = ZoneRules([](int) { return ZoneRule{}; });
    return rules_.emplace(zone, std::move(*rules)).first->second;
}

// The entry's next ring after what is seen to: a snooze's, or the alarm's own unless it is skipped.
std::optional<std::int64_t> AlarmBell::NextOf(Entry& entry) {
    std::optional<std::int64_t> ring = NextRing(entry.alarm, RulesOf(entry.zone), seen_);
    if (ring && entry.skipped == ring) ring = NextRing(entry.alarm, RulesOf(entry.zone), *ring);
    return Earliest(ring, entry.snoozedUntil);
}

void AlarmBell::Check() {
    const std::int64_t now = static_cast<std::int64_t>(services_.clock().utcMilliseconds);
    // The time set back: what comes from now on rings, even if it had rung before.
    if (now < seen_) seen_ = now;
    // A ring whose clock was closed meanwhile ends; the next one rings.
    if (!queue_.empty() && !host_.FindClock(queue_.front().clock)) {
        queue_.pop_front();
        Silence();
        StartRing();
    }
    const bool waiting = !queue_.empty();
    for (Entry& entry : entries_) CheckAlarm(entry, now);
    CheckChimes(now);
    seen_ = now;
    if (!waiting && !queue_.empty()) StartRing();
    Schedule();
}

void AlarmBell::CheckAlarm(Entry& entry, std::int64_t now) {
    const std::wstring time = ShownAlarmTime(entry.alarm);
    const Ring ring{entry.clock, entry.number, time, entry.alarm.label, entry.alarm.sound, false};
    if (entry.snoozedUntil && *entry.snoozedUntil <= now) {
        entry.snoozedUntil.reset();
        queue_.push_back(ring);
    }
    const std::optional<std::int64_t> last = LastMissed(entry.alarm, RulesOf(entry.zone), seen_, now);
    const bool skippedThis = last && entry.skipped == last;
    // A turned-off ring is forgotten once its moment has passed (or will never come: the alarm was changed).
    if (entry.skipped && *entry.skipped <= now) {
        entry.skipped.reset();
        StoreSkip(entry);
    }
    if (!last) return;
    if (!skippedThis) {
        queue_.push_back(ring);
        queue_.back().missed = !RingsNow(*last, now);
    }
    // A one-day alarm has had its day: it stays, switched off, to be set again.
    if (entry.alarm.date) {
        entry.alarm.on = false;
        if (ClockWindow* window = host_.FindClock(entry.clock)) {
            window->Store().Below(AlarmKey(entry.number)).WriteSetting(L"On", L"0");
        }
    }
}

void AlarmBell::CheckChimes(std::int64_t now) {
    for (const ClockChime& chime : chimes_) {
        const std::optional<std::int64_t> moment = NextChime(chime.chime, RulesOf(chime.zone), seen_);
        // An alarm's sound is not cut short by a chime; a chime long past is not made up for.
        if (!moment || *moment > now || !RingsNow(*moment, now) || sounding_) continue;
        if (!services_.sound(chime.sound, SoundPlay::Once) && !chime.sound.empty()) {
            SayOnce(chime.clock, Tr(IDS_ALARM_SOUND_UNPLAYABLE, {chime.sound}));
        }
        break;  // one chime at a time
    }
}

void AlarmBell::Schedule() {
    std::optional<std::int64_t> next;
    for (Entry& entry : entries_) next = Earliest(next, NextOf(entry));
    for (const ClockChime& chime : chimes_) next = Earliest(next, NextChime(chime.chime, RulesOf(chime.zone), seen_));
    if (next) {
        timer_.SetFor(*next);
    } else {
        timer_.Cancel();
    }
}

void AlarmBell::StartRing() {
    while (!queue_.empty()) {
        const Ring& ring = queue_.front();
        ClockWindow* clock = host_.FindClock(ring.clock);
        if (!clock) {
            queue_.pop_front();  // closed meanwhile
            continue;
        }
        const std::wstring what = Joined(ring.time, ring.label);
        if (ring.missed) {
            std::wstring missed = Tr(IDS_ALARM_MISSED, {ring.time, ring.label});
            while (!missed.empty() && missed.back() == L' ') missed.pop_back();  // no label
            clock->ShowAlarm(missed, false);
            host_.Notify(Tr(IDS_ALARM), missed);
            return;
        }
        clock->ShowAlarm(what, true);
        host_.Notify(ring.label.empty() ? Tr(IDS_ALARM) : ring.label,
                     Tr(IDS_ALARM_BALLOON, {ring.time, ClockName(ring.clock)}));
        sounding_ = true;
        // A minute of sound, whatever the clock says meanwhile.
        SetTimer(owner_, kAlarmSilenceTimer, kMinuteMs, nullptr);
        if (!services_.sound(ring.sound, SoundPlay::Repeat) && !ring.sound.empty()) {
            SayOnce(ring.clock, Tr(IDS_ALARM_SOUND_UNPLAYABLE, {ring.sound}));
        }
        return;
    }
}

void AlarmBell::Silence() {
    KillTimer(owner_, kAlarmSilenceTimer);
    if (!sounding_) return;
    sounding_ = false;
    services_.sound(L"", SoundPlay::Stop);
}

void AlarmBell::Answer(int clock, bool snooze) {
    if (queue_.empty() || queue_.front().clock != clock) return;
    const Ring ring = queue_.front();
    queue_.pop_front();
    Silence();
    if (ClockWindow* window = host_.FindClock(clock)) window->EndAlarm();
    if (snooze && !ring.missed) {
        const std::int64_t now = static_cast<std::int64_t>(services_.clock().utcMilliseconds);
        for (Entry& entry : entries_) {
            if (entry.clock == ring.clock && entry.number == ring.number) {
                entry.snoozedUntil = now + entry.alarm.snoozeMinutes * kMinuteMs;
            }
        }
    }
    StartRing();
    Schedule();
    SaveSeen();
}

std::pair<AlarmBell::Entry*, std::int64_t> AlarmBell::Soonest(int clock) {
    std::pair<Entry*, std::int64_t> soonest{nullptr, 0};
    for (Entry& entry : entries_) {
        if (entry.clock != clock) continue;
        const std::optional<std::int64_t> ring = NextOf(entry);
        if (ring && (!soonest.first || *ring < soonest.second)) soonest = {&entry, *ring};
    }
    return soonest;
}

std::optional<AlarmBell::NextAlarm> AlarmBell::Next(int clock) {
    const auto [entry, when] = Soonest(clock);
    if (!entry) return std::nullopt;
    const LocalTime local = ZoneLocalTime(RulesOf(entry->zone), when);
    return NextAlarm{entry->clock, RenderPicture(PictureKind::Date, L"ddd", local) + L" " + AlarmTimeText(entry->alarm),
                     entry->alarm.label};
}

void AlarmBell::SkipNext(int clock) {
    const auto [entry, when] = Soonest(clock);
    if (!entry) return;
    if (entry->snoozedUntil == when) {
        entry->snoozedUntil.reset();
    } else {
        entry->skipped = when;
        StoreSkip(*entry);
    }
    Schedule();
}

void AlarmBell::StoreSkip(const Entry& entry) {
    if (ClockWindow* window = host_.FindClock(entry.clock)) {
        window->Store()
            .Below(AlarmKey(entry.number))
            .WriteSetting(kSkipValue, entry.skipped ? std::to_wstring(*entry.skipped) : std::wstring());
    }
}

void AlarmBell::SaveSeen() const { main_.WriteSetting(keys::kAlarmsSeen.name, std::to_wstring(seen_)); }

std::wstring AlarmBell::ClockName(int clock) {
    ClockWindow* window = host_.FindClock(clock);
    return window ? window->Name() : std::wstring();
}

void AlarmBell::SayOnce(int clock, const std::wstring& problem) {
    if (std::find(said_.begin(), said_.end(), problem) != said_.end()) return;
    said_.push_back(problem);
    if (ClockWindow* window = host_.FindClock(clock)) window->Report(problem);
}

}  // namespace tellurane
